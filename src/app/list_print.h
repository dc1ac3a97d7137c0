#pragma once

// The windows' way to print a list: on the default printer, with a progress box
// that can stop a long job; with no printer on the system the user may save the
// pages as a PDF file instead. Failures are shown with the program's title.

#include "printing/list_printing.h"

class QWidget;

namespace app {

struct Services;

// The number of pages printed; nothing when nothing was printed (no printer and
// no PDF wanted, a cancelled job, or an error already shown).
std::optional<int> printListOnDefaultPrinter(const Services& services,
                                             const printing::PrintedList& list,
                                             QWidget* parent = nullptr);

}  // namespace app
