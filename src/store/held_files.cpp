#include "store/held_files.h"

#include <QDir>
#include <QFileInfo>

#include "store/store_lock.h"
#include "store/workbook_store.h"

namespace store {

namespace {

QString canonical(const QString& path) {
    const QFileInfo file(path);
    if (const QString found = file.canonicalFilePath(); !found.isEmpty())
        return found;
    const QString folder = file.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath())
                            : QDir(folder).filePath(file.fileName());
}

}  // namespace

HeldFiles::HeldFiles(const WorkbookStore& store, const QString& form)
    : files_{
          {store.path(), QStringLiteral("l'archivio %1").arg(QString::fromLatin1(kStoreFileName))},
          {StoreLock::lockPathFor(store.path()), QStringLiteral("il file di blocco dell'archivio")},
          {store.backupPath(), QStringLiteral("la copia di salvataggio dell'archivio")},
          {form, QStringLiteral("il modello della fattura")}} {}

std::optional<QString> HeldFiles::heldAs(const QString& path) const {
    // Each time anew: the backup copy or a link may have appeared since.
    const QString target = canonical(path);
    for (const auto& [file, what] : files_) {
        if (canonical(file) == target)
            return what;
    }
    return std::nullopt;
}

}  // namespace store
