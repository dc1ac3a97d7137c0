#include "store/workbook_store.h"

#include <QDir>
#include <QFileInfo>

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
    lock_.emplace(std::move(lock).value());
    return Done{};
}

Worksheet WorkbookStore::ensureSheet(const QString& name) {
    if (auto existing = book_->sheet(name))
        return *existing;
    const Worksheet last = *book_->sheetAt(book_->sheetCount());
    auto added = book_->addSheetAfter(last, name);
    Q_ASSERT_X(added.ok(), "WorkbookStore::ensureSheet", "the store's sheet names are valid names");
    return *added;
}

void WorkbookStore::autoFitSheets(const TextMeasure& measure) {
    for (int i = 1; i <= book_->sheetCount(); ++i)
        book_->sheetAt(i)->autoFitColumns(measure);
}

Result<Done> WorkbookStore::saveStore() {
    // Our engine never asks the user anything, so there are no alerts to silence.
    return book_->save();
}

Result<Done> WorkbookStore::shutdown() {
    if (!book_)
        return Done{};
    auto saved = saveStore();
    if (saved)
        close();
    return saved;
}

void WorkbookStore::close() {
    if (book_)
        engine_.close(*book_);
    book_ = nullptr;
    lock_.reset();
}

}  // namespace store
