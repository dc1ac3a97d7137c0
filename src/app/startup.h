#pragma once

// The program's start, before any window shows: the backup folder, the in-use and
// existence tests of the store, opening it with its password, and preparing its
// core sheets. Widget-free, so that it runs in tests on a temporary folder.

#include <QString>

namespace store {
class Engine;
class WorkbookStore;
}  // namespace store

namespace app {

class MessageBoxes;

enum class StartOutcome {
    Ready,       // the store is open, locked and prepared: show the start window
    InUse,       // open in another program: told so, nothing opened or saved
    Missing,     // no store in the program folder: told so, nothing opened or saved
    Unreadable,  // damaged, not a workbook, wrong password, not lockable or read-only: told so
};

// The path of the file named `fileName` in `programFolder`, with this platform's
// separators, as the messages show it.
QString programFile(const QString& programFolder, const QString& fileName);

// True when the file can be opened for reading (it exists and may be read).
bool verifyFile(const QString& path);

// Runs the start in its fixed order. Anything but Ready means the program must end
// at once; the user has been told why and the store file was not written.
StartOutcome runStartUp(const QString& programFolder, MessageBoxes& boxes,
                        store::WorkbookStore& store);

}  // namespace app
