#pragma once

// What the receivables list view shows: the rows of the list scratch area, each
// cell as the sheet shows it. The texts are read when the view draws a row, so a
// list of thousands of invoices shows at once.

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <vector>

#include "store/worksheet.h"

namespace receivables {

// One column of the list view: its header, its width in twips as the window was
// drawn (15 to the pixel) and the side its texts keep to.
struct ListColumn {
    QString header;
    int twips;
    Qt::Alignment alignment;
};

class ListedInvoicesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ListedInvoicesModel(QObject* parent = nullptr);

    // Shows `rows` scratch rows of `sheet` (from row 2) under `columns`, the first
    // column from AA.
    void show(const store::Worksheet& sheet, int rows, std::vector<ListColumn> columns);
    // No columns, no rows.
    void clear();

    const std::vector<ListColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::optional<store::Worksheet> sheet_;
    int rows_ = 0;
    std::vector<ListColumn> columns_;
};

// Pixels of a width in twips.
int pixelsOfTwips(int twips);

}  // namespace receivables
