#pragma once

// A file's bytes as they are on disk, to show that a refused step wrote nothing;
// empty when it cannot be read.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace test_support {

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace test_support
