#pragma once

// The compound-file container around a written Workbook stream.

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

#include "base/result.h"
#include "xls/error.h"

namespace xls {

// A whole compound file holding `workbookStream` as its "Workbook" stream.
Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream);

// A compound file written into a file as its Workbook stream is given, front to
// back, so the system puts the first parts on disk while the rest is still being
// made. Not for two threads at once.
class CompoundFileStreamer {
  public:
    // `file` stays open; it is flushed when the container is finished.
    explicit CompoundFileStreamer(std::FILE* file);
    ~CompoundFileStreamer();
    CompoundFileStreamer(const CompoundFileStreamer&) = delete;
    CompoundFileStreamer& operator=(const CompoundFileStreamer&) = delete;

    // Appends the stream's next bytes.
    void append(std::span<const std::uint8_t> bytes);
    // Writes again `bytes`, appended before at `offset` of the stream and changed
    // since.
    void rewrite(std::size_t offset, std::span<const std::uint8_t> bytes);
    // How much of the stream has been appended.
    std::size_t appended() const { return appended_; }
    // Closes the stream and writes the rest of the container; an error when any
    // write failed.
    Result<brisvel::Done> finish();

  private:
    struct Gsf;
    std::unique_ptr<Gsf> gsf_;
    std::FILE* file_;
    bool failed_ = false;
    std::size_t appended_ = 0;
    std::size_t sinceWriteBack_ = 0;
};

}  // namespace xls
