#pragma once

// A list sheet printed page by page on the printer chosen in the printer window:
// the zoom and orientation asked, the page set-up made on the sheet (kept and
// saved with the store), each page asked for before it prints, No stopping at
// once. The client list and the settings lists print through it.

#include <QString>

namespace app {
struct Services;
}

namespace printers {

class StampaP;

struct SheetPrintout {
    QString sheet;
    int lastColumn = 1;   // of the printed area, from column A
    int lastRow = 1;      // of the printed area, from row 1
    QString headerTitle;  // the centre header before "------", " del     " and the date
};

// Prints a sheet's area from the page counters on: asks for the zoom and the
// pages, runs `printout` with the printer chosen in `window`, and hides the window
// at the end.
void runSheetPrintout(const app::Services& services, StampaP& window,
                      const SheetPrintout& printout);

}  // namespace printers
