#include "store/workbook_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/workbook.h"

namespace store {

bool isFileInUse(const QString& path) {
    return QFileInfo::exists(path) && StoreLock::isInUse(path);
}

WorkbookStore::WorkbookStore(Engine& engine, const QString& programFolder)
    : engine_(engine), path_(QDir(programFolder).filePath(QString::fromLatin1(kStoreFileName))) {}

WorkbookStore::~WorkbookStore() {
    close();
}

QString WorkbookStore::path() const {
    return path_;
}

QString WorkbookStore::backupFolder() const {
    return QFileInfo(path_).dir().filePath(QString::fromLatin1(kBackupFolderName));
}

QString WorkbookStore::backupPath() const {
    return QDir(backupFolder()).filePath(QString::fromLatin1(kStoreFileName));
}

Result<Done> WorkbookStore::open() {
    Q_ASSERT_X(!book_, "WorkbookStore::open", "the store is opened once");
    if (!QFileInfo::exists(path_)) {
        return Error{Error::Kind::Missing,
                     QStringLiteral("Il file %1 non è stato trovato.").arg(path_)};
    }
    auto lock = StoreLock::acquire(path_);
    if (!lock)
        return lock.error();
    auto opened = engine_.open(path_, QString::fromLatin1(kStorePassword));
    if (!opened)
        return opened.error();  // the lock goes with `lock`
    book_ = *opened;
    // The file may be plain or encrypted another way: the first save point writes it
    // as the store is always written, the later ones only when something changed.
    book_->markChanged();
    lock_.emplace(std::move(lock).value());
    return Done{};
}

Worksheet WorkbookStore::ensureSheet(const QString& name) {
    return book_->ensureSheet(name);
}

void WorkbookStore::autoFitSheets(const TextMeasure& measure) {
    for (int i = 1; i <= book_->sheetCount(); ++i)
        book_->sheetAt(i)->autoFitColumns(measure);
}

Result<Done> WorkbookStore::saveStore() {
    // Our engine never asks the user anything, so there are no alerts to silence.
    // Every confirmed change is saved at once, so the save points that follow find
    // the file as it should be and need not write it again.
    if (!book_->hasUnsavedChanges())
        return Done{};
    return book_->save();
}

Result<Done> WorkbookStore::shutdown() {
    if (!book_)
        return Done{};
    auto saved = saveStore();
    if (saved) {
        // The workbook stays in the engine, which closes it with its others: a
        // program that ends now need not free every cell of a long register first.
        book_ = nullptr;
        lock_.reset();
    }
    return saved;
}

void WorkbookStore::close() {
    if (book_)
        engine_.close(*book_);
    book_ = nullptr;
    lock_.reset();
}

namespace {

// A name in Salvataggio that no file has yet, telling when the copy was made.
QString datedCopyPath(const QString& folder, const QDateTime& now) {
    const QString stem = QStringLiteral("Gestione_") + now.toString(u"yyyy-MM-dd_HH-mm-ss");
    QString path = QDir(folder).filePath(stem + QStringLiteral(".xls"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1_%2.xls").arg(stem).arg(n));
    return path;
}

// The chosen file as a store: it opens (backups are plain, a store's own file
// has the password) and has every core sheet.
Result<Workbook*> openAsStore(Engine& reader, const QString& file) {
    const QString shown = QDir::toNativeSeparators(file);
    auto opened = reader.open(file, QString());
    if (!opened && opened.error().kind == Error::Kind::Unreadable)
        opened = reader.open(file, QString::fromLatin1(kStorePassword));
    if (!opened) {
        if (opened.error().kind != Error::Kind::Unreadable)
            return opened.error();
        return Error{Error::Kind::Unreadable,
                     QStringLiteral("Il file %1 non si apre: non è una cartella di lavoro Excel, "
                                    "è danneggiato o è protetto da un'altra password.")
                         .arg(shown)};
    }
    QStringList missing;
    for (const QString& name : kCoreSheets) {
        if (!(*opened)->sheet(name))
            missing << name;
    }
    if (!missing.isEmpty()) {
        return Error{Error::Kind::Unreadable,
                     QStringLiteral("Il file %1 non è una copia del database Gestione.xls: "
                                    "mancano i fogli %2.")
                         .arg(shown, missing.join(QStringLiteral(", ")))};
    }
    return *opened;
}

}  // namespace

Result<Done> WorkbookStore::backUp() {
    // Start-up makes the folder; a user may have removed it since.
    QDir().mkpath(backupFolder());
    // The earlier copy stays beside the new one, named for when it was written; a
    // failed copy puts it back in its place.
    const QFileInfo earlier(backupPath());
    QString kept;
    if (earlier.exists()) {
        kept = datedCopyPath(backupFolder(), earlier.lastModified());
        if (!QFile::rename(earlier.filePath(), kept))
            return Error{Error::Kind::Io,
                         QStringLiteral("la copia precedente non si può conservare come %1.")
                             .arg(QDir::toNativeSeparators(kept))};
    }
    auto written = book_->saveCopyAs(backupPath());
    if (!written && !kept.isEmpty())
        QFile::rename(kept, backupPath());
    return written;
}

Result<QString> WorkbookStore::restoreFrom(const QString& file, const QDateTime& now,
                                           const CarryOver& carryOver) {
    Engine reader;
    auto restored = openAsStore(reader, file);
    if (!restored)
        return restored.error();
    if (carryOver)
        carryOver(*book_, **restored);

    QDir().mkpath(backupFolder());
    const QString kept = datedCopyPath(backupFolder(), now);
    if (auto copied = book_->saveCopyAs(kept); !copied)
        return copied.error();
    if (auto written = (*restored)->saveAs(path_, QString::fromLatin1(kStorePassword)); !written)
        return written.error();
    close();
    return kept;
}

}  // namespace store
