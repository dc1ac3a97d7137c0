#include "year/zip_archive.h"

#include <QDir>
#include <QFile>

#include <zip.h>

#include <cerrno>

namespace year {

namespace {

store::Error zipError(const QString& path, const QString& why) {
    return store::Error{store::Error::Kind::Io,
                        QStringLiteral("Non è possibile scrivere il file %1: %2.")
                            .arg(QDir::toNativeSeparators(path), why)};
}

// What the system said, in the user's words; the number where it is a rare one.
QString systemReason(int code) {
    switch (code) {
        case EACCES:
        case EPERM:
            return QStringLiteral("non si hanno i permessi di scrittura nella cartella");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("il disco è pieno");
        case EROFS:
            return QStringLiteral("il disco è di sola lettura");
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("la cartella non esiste");
        case EISDIR:
            return QStringLiteral("il nome è quello di una cartella");
        default:
            return QStringLiteral("errore di sistema %1").arg(code);
    }
}

// The library's error in Italian: what failed and, for a failure of the system,
// why.
QString reasonOf(const zip_error_t* error) {
    QString what;
    switch (zip_error_code_zip(error)) {
        case ZIP_ER_TMPOPEN:
            what = QStringLiteral("non è possibile creare il file temporaneo");
            break;
        case ZIP_ER_OPEN:
            what = QStringLiteral("non è possibile aprire il file");
            break;
        case ZIP_ER_RENAME:
        case ZIP_ER_REMOVE:
            what = QStringLiteral("non è possibile sostituire il file esistente");
            break;
        case ZIP_ER_WRITE:
        case ZIP_ER_CLOSE:
        case ZIP_ER_SEEK:
            what = QStringLiteral("la scrittura si è interrotta");
            break;
        case ZIP_ER_READ:
            what = QStringLiteral("la lettura si è interrotta");
            break;
        case ZIP_ER_MEMORY:
            return QStringLiteral("memoria insufficiente");
        default:
            return QStringLiteral("errore %1 nella scrittura dell'archivio ZIP")
                .arg(zip_error_code_zip(error));
    }
    if (zip_error_system_type(error) == ZIP_ET_SYS)
        what += QStringLiteral(" (%1)").arg(systemReason(zip_error_code_system(error)));
    return what;
}

}  // namespace

store::Result<std::unique_ptr<ZipArchive>> ZipArchive::create(const QString& path) {
    int code = 0;
    zip* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString why = reasonOf(&error);
        zip_error_fini(&error);
        return zipError(path, why);
    }
    return std::unique_ptr<ZipArchive>(new ZipArchive(archive, path));
}

ZipArchive::~ZipArchive() {
    if (archive_)
        zip_discard(archive_);
}

store::Result<store::Done> ZipArchive::add(const QString& name, const QByteArray& bytes) {
    Q_ASSERT(archive_);
    const QByteArray& kept = contents_.emplace_back(bytes);
    zip_source_t* source =
        zip_source_buffer(archive_, kept.constData(), zip_uint64_t(kept.size()), 0);
    if (!source)
        return zipError(path_, reasonOf(zip_get_error(archive_)));
    if (zip_file_add(archive_, name.toUtf8().constData(), source,
                     ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return zipError(path_, reasonOf(zip_get_error(archive_)));
    }
    return store::Done{};
}

store::Result<store::Done> ZipArchive::commit() {
    Q_ASSERT(archive_);
    if (zip_close(archive_) < 0) {
        const QString why = reasonOf(zip_get_error(archive_));
        zip_discard(archive_);
        archive_ = nullptr;
        return zipError(path_, why);
    }
    archive_ = nullptr;
    return store::Done{};
}

}  // namespace year
