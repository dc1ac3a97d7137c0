#include "year/zip_archive.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace year {

namespace {

store::Error zipError(const QString& path, const QString& why) {
    return store::Error{store::Error::Kind::Io,
                        QStringLiteral("Non è possibile scrivere il file %1: %2")
                            .arg(QDir::toNativeSeparators(path), why)};
}

}  // namespace

store::Result<std::unique_ptr<ZipArchive>> ZipArchive::create(const QString& path) {
    int code = 0;
    zip* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
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
        return zipError(path_, QString::fromLocal8Bit(zip_strerror(archive_)));
    if (zip_file_add(archive_, name.toUtf8().constData(), source,
                     ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return zipError(path_, QString::fromLocal8Bit(zip_strerror(archive_)));
    }
    return store::Done{};
}

store::Result<store::Done> ZipArchive::commit() {
    Q_ASSERT(archive_);
    if (zip_close(archive_) < 0) {
        const QString why = QString::fromLocal8Bit(zip_strerror(archive_));
        zip_discard(archive_);
        archive_ = nullptr;
        return zipError(path_, why);
    }
    archive_ = nullptr;
    return store::Done{};
}

}  // namespace year
