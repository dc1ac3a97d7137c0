#pragma once

// A ZIP file read back with libzip: its entries' names and contents.

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>

#include <zip.h>

namespace year_test {

// Entry name -> bytes; empty when the file does not open as a ZIP.
inline QMap<QString, QByteArray> zipEntries(const QString& path) {
    QMap<QString, QByteArray> entries;
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive)
        return entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0)
            continue;
        QByteArray bytes(qsizetype(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file)
            continue;
        const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        if (read == zip_int64_t(stat.size))
            entries.insert(QString::fromUtf8(stat.name), bytes);
    }
    zip_close(archive);
    return entries;
}

}  // namespace year_test
