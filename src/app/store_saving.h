#pragma once

// The store saved by a window: at its save points, and at once after each step
// the user confirmed, so that a step told done is on disk. A failure is told to the
// user at once rather than passed over in silence.

#include "app/message_boxes.h"

namespace store {
class WorkbookStore;
}

namespace app {

// Saves the store; when the save fails, shows why and returns false. The changes
// stay in the open workbook for the next save point.
bool saveStoreTelling(store::WorkbookStore& store, MessageBoxes& boxes);

// The end of a confirmed step: saves the store, then shows the step's message
// `text`. When the save fails the failure is shown instead of `text`, so the user
// is never told "done" about a change that is only in memory. True when saved.
bool saveThenTell(store::WorkbookStore& store, MessageBoxes& boxes, const QString& text,
                  const QString& title, Icon icon = Icon::None);
// The same with the whole message, its details included.
bool saveThenTell(store::WorkbookStore& store, MessageBoxes& boxes, const Message& message);

}  // namespace app
