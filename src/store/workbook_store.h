#pragma once

// The workbook store Gestione.xls: found in the program folder, locked while the
// program runs, opened with its password, saved atomically and always encrypted.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "store/column_fit.h"

#include <functional>
#include <optional>

#include "store/engine.h"
#include "store/store_error.h"
#include "store/store_lock.h"
#include "store/worksheet.h"

namespace store {

inline constexpr const char* kStoreFileName = "Gestione.xls";
inline constexpr const char* kStorePassword = "Pesk1987";
// The folder beside the store that receives the backup copies.
inline constexpr const char* kBackupFolderName = "Salvataggio";

// The four sheets every store has, in their order in a new store.
inline const QString kClientsSheet = QStringLiteral("Anagrafe");
inline const QString kInvoicesSheet = QStringLiteral("Fatture");
inline const QString kSettingsSheet = QStringLiteral("Utilità");
inline const QString kUserSheet = QStringLiteral("Utente");
inline const QStringList kCoreSheets = {kClientsSheet, kInvoicesSheet, kSettingsSheet, kUserSheet};

// True when the file exists and is open in another program (see StoreLock).
// A missing file is not in use.
bool isFileInUse(const QString& path);

class WorkbookStore {
  public:
    // `programFolder` holds Gestione.xls; `engine` opens it.
    WorkbookStore(Engine& engine, const QString& programFolder);
    ~WorkbookStore();
    WorkbookStore(const WorkbookStore&) = delete;
    WorkbookStore& operator=(const WorkbookStore&) = delete;

    QString path() const;
    // Salvataggio beside the store, and the backup copy Gestione.xls in it.
    QString backupFolder() const;
    QString backupPath() const;

    // Locks the store and opens it with its password; it becomes the engine's
    // current workbook. In use, missing, unreadable: an error with its message,
    // and nothing is left locked or open.
    Result<Done> open();
    bool isOpen() const { return book_ != nullptr; }
    Workbook& workbook() const { return *book_; }

    // The sheet of that name, added after the last sheet when there is none.
    Worksheet ensureSheet(const QString& name);
    // Fits the columns of every sheet's used range, in workbook order.
    void autoFitSheets(const TextMeasure& measure = tableTextMeasure());
    // Saves in place, encrypted with the store password, atomically. After the first
    // save since open(), a store without unsaved changes is left as it is.
    Result<Done> saveStore();
    // The shutdown sequence: alerts off, save, release the lock; the workbook is left
    // to the engine, closed with its others. When the save fails the store stays
    // open and locked, with every change, and the failure is returned: the caller
    // may keep it or give it up with close().
    Result<Done> shutdown();
    // Closes without saving and releases the lock.
    void close();

    // Writes the store as it stands, unsaved changes included, without a password
    // to the backup copy, atomically. An earlier copy is first kept in Salvataggio
    // under a name dated when it was written, so every backup stays; a failure
    // leaves the earlier copy whole. Salvataggio is made again when missing. The
    // store stays tied to its own file.
    Result<Done> backUp();

    // Puts the workbook `file` in place of the store. It must open, plain or with
    // the store password, and hold the four core sheets. The store as it stands
    // is first kept in Salvataggio as a dated copy without a password (its path is
    // returned); then `file` is written over Gestione.xls with the store password,
    // atomically, and the store is closed without saving, so the next start opens
    // the restored data. Any failure replaces nothing and leaves the store open.
    // `carryOver`, when given, brings into the restored workbook, before it is
    // written, what must outlive a return to older data; it sees the store as it
    // stands first, the restored workbook second.
    using CarryOver = std::function<void(Workbook& current, Workbook& restored)>;
    Result<QString> restoreFrom(const QString& file, const QDateTime& now,
                                const CarryOver& carryOver = {});

  private:
    Engine& engine_;
    QString path_;
    Workbook* book_ = nullptr;
    std::optional<StoreLock> lock_;
};

}  // namespace store
