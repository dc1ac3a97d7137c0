#pragma once

// What every window works with, handed over in one piece by the program: the open
// store, the message boxes, the clock, the navigator and the printers. Tests hand
// their own.

namespace store {
class WorkbookStore;
}

namespace printing {
class PrinterCatalogue;
}

namespace app {

class Clock;
class MessageBoxes;
class Navigator;

struct Services {
    store::WorkbookStore& store;
    MessageBoxes& boxes;
    const Clock& clock;
    Navigator& navigator;
    printing::PrinterCatalogue& printers;
};

}  // namespace app
