#pragma once

// A save point of a window: the store is saved in place and a failure is told to
// the user rather than passed over in silence.

namespace store {
class WorkbookStore;
}

namespace app {

class MessageBoxes;

// Saves the store; when the save fails, shows why and returns false. The changes
// stay in the open workbook for the next save point.
bool saveStoreTelling(store::WorkbookStore& store, MessageBoxes& boxes);

}  // namespace app
