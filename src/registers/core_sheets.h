#pragma once

// The four sheets every store has, and the fixed cells that every start writes
// back into them: the header rows, the "*" placeholders of the settings lists and
// the labels of the user's data. A user's hand edits of these cells last only
// until the next start.

namespace store {
class WorkbookStore;
}

namespace registers {

// Adds the missing core sheets after the last one (Anagrafe, Fatture, Utilità,
// Utente, in this order), then on each writes its fixed cells and keeps row 1 in
// view; the client sheet's identifier columns take the text format, so what is
// written there later keeps its leading zeros.
void prepareCoreSheets(store::WorkbookStore& store);

}  // namespace registers
