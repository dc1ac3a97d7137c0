#pragma once

// What to tell the user when a printer does not start: for a PDF file, which file and
// why it cannot be written; for a printer, its name.

#include <QString>

class QPrinter;

namespace printing {

QString printStartFailure(const QPrinter& printer);

}  // namespace printing
