#pragma once

// What the overdue list view shows: one row per line of the list, an invoice or a
// credit note under it, with its due date and days late; the days of a late
// invoice stand out in red.

#include <QAbstractTableModel>

#include "registers/overdue.h"

namespace overdue {

class OverdueModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Id, Client, Number, Date, Due, DaysLate, Total, Owed, ColumnCount };

    explicit OverdueModel(QObject* parent = nullptr);

    void show(registers::overdue::List list);
    const registers::overdue::List& list() const { return list_; }

    // The column's width in pixels as the window first shows it.
    static int width(Column column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString text(const registers::overdue::Line& line, int column) const;

    registers::overdue::List list_;
};

}  // namespace overdue
