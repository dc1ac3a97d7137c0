#include "store/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace store {

Result<Done> writeFileAtomically(const QString& path,
                                 const std::function<Result<Done>(QFileDevice& file)>& write) {
    // QSaveFile writes a temporary file beside `path`, syncs it to disk on commit
    // and only then renames it over the old file; on failure it removes it.
    QSaveFile file(path);
    auto failed = [&](const QString& why) {
        file.cancelWriting();
        return Error{Error::Kind::Io, QStringLiteral("Impossibile salvare il file %1: %2")
                                          .arg(QFileInfo(path).fileName(), why)};
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    if (Result<Done> written = write(file); !written) {
        file.cancelWriting();
        return written;
    }
    if (!file.commit())
        return failed(file.errorString());
    return Done{};
}

}  // namespace store
