#pragma once

// The receivables lists: one client's invoices, the invoices still to be collected
// and those already collected. Each list is copied from the invoice register into
// its scratch area (sheet Fatture, columns AA onwards, headers in row 1), where a
// user who opens the store in a spreadsheet program finds the last list; the
// receivables window shows and prints it from there. Widget-free.

#include <QString>
#include <QStringList>

#include <vector>

#include "registers/amount.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "store/address.h"
#include "store/worksheet.h"

namespace registers::receivables {

// The scratch area's columns, 1-based; the first six hold every list, the seventh
// only the client position.
enum ScratchColumn : int {
    Id = invoice::kScratchFirstColumn,  // AA register A
    Client,                             // AB register B
    Number,                             // AC register D
    Date,                               // AD register E
    Total,                              // AE register M
    Net,                                // AF register O
    Collected,                          // AG register P
};
// The block a client position clears; the collections lists clear AA to AF.
inline constexpr int kLastPositionColumn = store::columnOf("AI");
inline constexpr int kFirstListRow = 2;

enum class ListKind {
    ClientPosition,  // every invoice of one client, with its collection mark
    ToCollect,       // the invoices whose collection cell is "*" or empty
    Collected,       // the invoices whose collection cell holds a date
};

// The last column a list of this kind fills (AG or AF).
int lastListColumn(ListKind kind);
// The headers the list writes in row 1 (with their trailing blanks).
QStringList scratchHeaders(ListKind kind);

enum class Built {
    Listed,         // at least one invoice was copied
    EmptyRegister,  // the register has no invoice at all
    NothingListed,  // no invoice matches
};

// Builds the list in the scratch area of `invoices` (the Fatture sheet): every
// scratch row used so far is cleared, the headers are written, and the matching
// register rows are copied in register order, each value with its number format,
// from row 2 down. The walk goes over every invoice of the register (down to its
// first empty record number): an empty cell on the way stops nothing. A collection
// cell that cannot be read (registers/collection_cell.h) puts its invoice in
// neither collections list; the window says which ones under the totals.
//
// A client position takes the rows whose client identifier cell holds the number
// `clientId` reads as (store::readLeadingNumber); a text cell never matches. The
// to-collect list stores the invoice date as a date.
Built buildClientPosition(const store::Worksheet& invoices, const QString& clientId);
Built buildToCollect(const store::Worksheet& invoices);
Built buildCollected(const store::Worksheet& invoices);

// Writes "NC" beside the number of each listed credit note ("13 NC"), so that the
// list on screen and its printout tell a credit note from an invoice; its amounts
// stay negative and count against the totals. A number marked already stays.
void markCreditNotes(const store::Worksheet& invoices, const InvoiceExtras& extras);

// Aligns the list's amount columns (AE to AI for a client position, AE to AF for the
// collections lists) right and bottom, unwrapped, unrotated, unindented, not
// shrunk, reading order by context, unmerged.
void formatAmountColumns(const store::Worksheet& invoices, ListKind kind);

// How many rows the scratch list holds: from row 2 down to its first empty AA.
int listedCount(const store::Worksheet& invoices);

// The texts of scratch row `row` from AA to `lastColumn`, as the cells show them
// ("1.268,80", "05/03/2024", "*").
QStringList listedRow(const store::Worksheet& invoices, int row, int lastColumn);

// The number of listed invoices and the sums of their totals and net amounts,
// exact to the cent. An amount cell that does not hold an amount (a text such as
// "*") is left out of its sum and counted in `unreadable`.
struct ListTotals {
    int invoices = 0;
    Amount total;
    Amount net;
    int unreadable = 0;
};
ListTotals listTotals(const store::Worksheet& invoices);

}  // namespace registers::receivables
