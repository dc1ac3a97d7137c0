#pragma once

// A ZIP file written in one go: entries are added in memory and the file appears
// whole when committed. Until then nothing is at the path (nor is a file already
// there touched), so a run given up on leaves no partial archive. Over libzip.

#include <QByteArray>
#include <QString>

#include <deque>
#include <memory>

#include "store/store_error.h"

struct zip;

namespace year {

class ZipArchive {
  public:
    // An archive to be written at `path`; an error when it cannot be begun.
    static store::Result<std::unique_ptr<ZipArchive>> create(const QString& path);
    // An archive never committed is discarded.
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Adds the file `name` (folders with "/"), compressed.
    store::Result<store::Done> add(const QString& name, const QByteArray& bytes);
    // Writes the archive at its path; after it, nothing more is added.
    store::Result<store::Done> commit();

  private:
    ZipArchive(zip* archive, QString path) : archive_(archive), path_(std::move(path)) {}

    zip* archive_;
    QString path_;
    // libzip reads the entries' bytes when the archive is committed.
    std::deque<QByteArray> contents_;
};

}  // namespace year
