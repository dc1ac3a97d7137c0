#pragma once

#include <QString>

#include <optional>

#include "store/store_error.h"

namespace store {

// Who a lock file says holds its workbook: the fields a spreadsheet program writes.
struct LockHolder {
    QString program;  // the office user field: our name, or the other program's user
    QString user;     // the system user
    QString host;     // the machine
    QString since;    // "dd.mm.yyyy hh:mm" as written
    bool ours = false;
};

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
    // What the workbook's lock file says of its holder; none when there is no lock
    // file, it cannot be read, or it is not a lock line.
    static std::optional<LockHolder> holder(const QString& workbookPath);

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
