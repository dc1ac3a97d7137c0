#pragma once

// The five settings lists of the sheet Utilità, one per column: row 1 holds the
// header, row 2 the placeholder "*", the user's items follow in the order they were
// added and a list ends at its first empty cell. Widget-free.

#include <QString>
#include <QStringList>

#include "store/worksheet.h"
#include "xls/result.h"

namespace store {
class Workbook;
}

namespace settings {

// Columns of Utilità.
inline constexpr int kInpsColumn = 1;         // A, INPS/Cassa rates
inline constexpr int kVatColumn = 2;          // B, VAT rates
inline constexpr int kWithholdingColumn = 3;  // C, withholding rates
inline constexpr int kPaymentColumn = 4;      // D, payment types
inline constexpr int kExemptionColumn = 5;    // E, VAT exemption reasons

// Row of the first item ("*"): the item at list position p lives in row p + 2.
inline constexpr int kFirstItemRow = 2;

template <class T>
using Outcome = brisvel::Result<T, QString>;

// The sheet Utilità of `book`, or a message saying it is missing.
Outcome<store::Worksheet> settingsSheet(store::Workbook& book);

// The items of one list, as the cells show them, from row 2 to the first empty cell.
QStringList CaricaLista(const store::Worksheet& sheet, int column);

// Writes `item` as typed into the column's first free row below the header and
// returns that row. A column with no free row gets a message and nothing is written.
Outcome<int> insertItem(const store::Worksheet& sheet, int column, const QString& item);

// Writes `item` as typed over the item at list `position` (row position + 2) and
// returns that row.
Outcome<int> replaceItem(const store::Worksheet& sheet, int column, int position,
                         const QString& item);

}  // namespace settings
