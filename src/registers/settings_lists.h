#pragma once

// The five settings lists of the sheet Utilità, one per column: row 1 holds the
// header, row 2 the placeholder "*", the user's items follow in the order they were
// added and a list ends at its first empty cell. Widget-free.

#include <QString>
#include <QStringList>

#include <optional>

#include "registers/amount.h"
#include "registers/sheet_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
}

namespace registers {

// Columns of Utilità, one list each.
inline constexpr int kInpsColumn = 1;         // A, INPS/Cassa rates
inline constexpr int kVatColumn = 2;          // B, VAT rates
inline constexpr int kWithholdingColumn = 3;  // C, withholding rates
inline constexpr int kPaymentColumn = 4;      // D, payment types
inline constexpr int kExemptionColumn = 5;    // E, VAT exemption reasons

// Row of the first item ("*"): the item at list position p lives in row p + 2.
inline constexpr int kFirstItemRow = 2;
// The first item of every list, meaning "none".
inline const QString kNoneItem = QStringLiteral("*");

// The sheet Utilità of `book`, or an error saying it is missing.
store::Result<store::Worksheet> settingsSheet(store::Workbook& book);

// The items of one list, as the cells show them, from row 2 to the first empty cell.
// (CaricaLista)
QStringList loadList(const store::Worksheet& sheet, int column);

// The register keeps amounts, not rates: the rate of an amount is the first item of
// a rate list ("*" aside) whose share of `base` is `stored` to the cent; none when
// no item gives it.
std::optional<QString> itemGiving(const QStringList& items, Amount base, Amount stored);

// Writes `item` as typed, less its outer blanks, into the column's first free row below
// the header and returns that row. A column with no free row, an empty item, an item
// the list already has (a rate of the same value, a text but for letter case), or a
// rate list item that is not a number from 0 to 100 gets a message and nothing is
// written.
RowChange insertItem(const store::Worksheet& sheet, int column, const QString& item);

// Writes `item` over the item at list `position` (row position + 2), with the same
// checks as insertItem (the item replaced aside), and returns that row.
RowChange replaceItem(const store::Worksheet& sheet, int column, int position, const QString& item);

// Takes the item at list `position` out of its list, the items below moving up, and
// returns the row it was in. The placeholder "*" is refused. Whether an invoice still
// uses the item is the caller's business (removeUnusedItem).
RowChange removeItem(const store::Worksheet& sheet, int column, int position);

}  // namespace registers
