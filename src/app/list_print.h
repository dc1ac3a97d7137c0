#pragma once

// The windows' way to print a list: on the default printer, with a progress box
// that can stop a long job; with no printer on the system the user may save the
// pages as a PDF file instead. Failures are shown with the program's title.

#include "printing/list_printing.h"

#include <memory>

class QPrinter;
class QWidget;

namespace app {

struct Services;

// The printer a window prints on: the default one (else the first installed); with
// no printer on the system, a PDF file the user names. Null when nothing is to be
// printed: the user declined the PDF, or was told why the printer is missing.
std::unique_ptr<QPrinter> defaultPrinterOrPdf(const Services& services);

// A PDF file for `title` ("Salva ... in PDF") at the path the user names, ".pdf"
// added when missing; null when the dialog was cancelled.
std::unique_ptr<QPrinter> pdfFileChosen(const Services& services, const QString& title);

// The number of pages printed; nothing when nothing was printed (no printer and
// no PDF wanted, a cancelled job, or an error already shown).
std::optional<int> printListOnDefaultPrinter(const Services& services,
                                             const printing::PrintedList& list,
                                             QWidget* parent = nullptr);

}  // namespace app
