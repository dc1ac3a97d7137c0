#pragma once

// The records of a workbook stream, one after another. A record carries the
// bodies of the CONTINUE records that follow it, so a handler reads across them
// as one body. The stream knows nothing of what the records mean.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "xls/byte_reader.h"

namespace xls {

struct Record {
    std::uint16_t type = 0;
    std::size_t offset = 0;                     // stream offset of the record header
    std::vector<ByteReader::Segment> segments;  // body, then each CONTINUE body

    ByteReader reader() const { return ByteReader(segments); }
    std::size_t size() const;
    // The body with its continuations, as one array.
    QByteArray joined() const;
};

class RecordStream {
  public:
    explicit RecordStream(std::span<const std::uint8_t> stream, std::size_t offset = 0)
        : stream_(stream), pos_(offset) {}

    // The next record with its continuations; none at the stream end or when the
    // stream is damaged (a header or body running past the end).
    std::optional<Record> next();
    // The next record as stored, without joining continuations.
    std::optional<Record> nextPhysical();

    bool damaged() const { return damaged_; }
    std::size_t position() const { return pos_; }
    void seek(std::size_t offset) { pos_ = offset; }

  private:
    std::optional<std::uint16_t> peekType() const;

    std::span<const std::uint8_t> stream_;
    std::size_t pos_ = 0;
    bool damaged_ = false;
};

}  // namespace xls
