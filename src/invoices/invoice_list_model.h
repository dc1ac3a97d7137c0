#pragma once

// The register list of the entry window (ListView3): one line per register row,
// seventeen columns headed by the texts of Fatture row 1, then what the exchange
// system said of the invoice's electronic file ("Stato SDI"). A model over the
// sheet: the rows are counted when the list is filled and each cell's text is read
// when the view (or a printout) asks for it, so a full register shows at once.
// A credit note's number shows "NC" beside it.

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

#include <optional>

#include "registers/invoice_register.h"
#include "registers/sdi_history.h"

namespace invoices {

class InvoiceListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit InvoiceListModel(QObject* parent = nullptr);

    // Lists the register as it stands: its headers and its rows down to the first
    // empty record number, each with its state in `states`; `creditNotes` are the
    // register IDs of the credit notes.
    void fill(const registers::InvoiceRegister& book, registers::SdiStates states,
              const QSet<QString>& creditNotes = {});
    // No rows and no headers.
    void clear();

    // The columns' widths in the list, in pixels.
    static int columnWidth(int column);
    static Qt::Alignment columnAlignment(int column);

    // The column after the register's: the state of the invoice's electronic file.
    static constexpr int kStateColumn = registers::invoice::kColumns;

    QStringList headers() const { return headers_; }
    // The cells of line `line` (0 = the first register row) as they are shown.
    registers::InvoiceRecord invoice(int line) const;
    QString text(int line, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::optional<store::Worksheet> sheet_;
    std::optional<registers::SdiStates> states_;
    QStringList headers_;
    int rows_ = 0;
    QSet<QString> creditNotes_;
};

}  // namespace invoices
