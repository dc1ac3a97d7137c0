#pragma once

// What every window works with, handed over in one piece by the program: the open
// store, the message boxes, the clock and the navigator. Tests hand their own.

namespace store {
class WorkbookStore;
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
};

}  // namespace app
