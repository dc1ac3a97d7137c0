#pragma once

#include <QString>

#include "store/store_error.h"

namespace store {

// The lock file beside a workbook (".~lock.Gestione.xls#"), in the format a
// spreadsheet program writes, held under flock for as long as this object lives.
// A spreadsheet program opening the workbook sees it in use; a second copy of
// this program finds the flock taken.
class StoreLock {
  public:
    // Our name in the lock file's user field, so we recognise our own lock.
    static constexpr const char* kOwner = "Brisvel";

    // ".~lock.<name>#" beside `workbookPath`.
    static QString lockPathFor(const QString& workbookPath);
    // True when the workbook is in use elsewhere: its lock file is held by a
    // running process, or was written by another program. A lock file of ours
    // that nobody holds (left by a crash) is not a use.
    static bool isInUse(const QString& workbookPath);

    // Takes the lock, taking over a stale lock file of ours.
    // Error::Kind::InUse when it is in use, Error::Kind::Io when it cannot be written.
    static Result<StoreLock> acquire(const QString& workbookPath);

    StoreLock(StoreLock&& other) noexcept;
    StoreLock& operator=(StoreLock&& other) noexcept;
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    // Unlocks and removes the lock file.
    ~StoreLock();
    void release();

  private:
    StoreLock(int fd, QString path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    QString path_;
};

}  // namespace store
