#pragma once

// How a register row's collection cell (column P) reads, the one reading every list
// shares: a date once the invoice is collected; "*" or nothing while it is still to
// be collected (a store edited in a spreadsheet program may hold "* " or an emptied
// cell); anything else ("ieri") cannot be read, and the lists that depend on it
// leave the row out and say so under their totals. Widget-free.

#include <QDate>
#include <QString>
#include <QStringList>

#include "store/value.h"
#include "store/worksheet.h"

namespace registers {

enum class CollectionState { ToCollect, Collected, Unreadable };

struct CollectionCell {
    CollectionState state = CollectionState::ToCollect;
    QDate date;  // valid when collected
};

CollectionCell collectionOf(const store::Value& cell, bool date1904 = false);

// The collection cell of register row `row` of `invoices`.
CollectionCell collectionOf(const store::Worksheet& invoices, int row);

// Register row `row` named for a reader: its number and date as the register shows
// them ("7 del 05/03/2024").
QString invoiceNamed(const store::Worksheet& invoices, int row);

// The invoices of the register whose collection cell cannot be read, each named.
QStringList unreadableCollections(const store::Worksheet& invoices);

// "1 data di incasso illeggibile (fattura n. 7 del 05/03/2024)", the invoices
// named; empty for none.
QString unreadableCollectionsText(const QStringList& invoices);

}  // namespace registers
