#pragma once

// Emptying a whole register, as maintenance does before the program ends: the next
// start writes the sheet's fixed texts back and the emptied counters make
// numbering start again from 1.

#include "registers/sheet_layout.h"

namespace store {
class WorkbookStore;
}

namespace registers {

// Clears the contents of the layout's columns (A to its last header column), header
// row included, from row 1 down to the last row that any of them uses, and then its
// counter cells. Every list of the sheet goes, however long; formats stay, and the
// columns to the right (the invoices' scratch area) are not touched. A missing
// sheet is left missing.
void emptyRegister(store::WorkbookStore& store, const SheetLayout& layout);

}  // namespace registers
