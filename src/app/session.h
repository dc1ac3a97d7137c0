#pragma once

// What the program holds for its whole run: the spreadsheet engine and the open
// workbook store, acquired by the start and released only by the shutdown.

#include "app/startup.h"
#include "store/engine.h"
#include "store/workbook_store.h"

#include <QString>

#include <optional>

namespace app {

class MessageBoxes;

class Session {
  public:
    explicit Session(QString programFolder);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const QString& programFolder() const { return folder_; }
    store::Engine& engine() { return engine_; }
    // The open store; only while the session is running.
    store::WorkbookStore& store() { return *store_; }
    bool isRunning() const { return store_ && store_->isOpen(); }

    // The start-up sequence (runStartUp).
    StartOutcome start(MessageBoxes& boxes);

    // The shutdown sequence: alerts off, save the store, close it, release its lock.
    // The engine's workbooks, the store's among them, go with the session, so a
    // program that never destroys its session leaves their memory to the system
    // at its end. When the save fails the user is told and chooses:
    // end without saving (the file keeps its last saved state), or stay in the
    // program with every change still in the open store. True when the session
    // ended; false when the user stayed.
    bool shutDown(MessageBoxes& boxes);

  private:
    QString folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
};

}  // namespace app
