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
#include "xls/little_endian.h"
#include "xls/record_types.h"

namespace xls {

struct Record {
    std::uint16_t type = 0;
    std::size_t offset = 0;                     // stream offset of the record header
    std::vector<ByteReader::Segment> segments;  // body, then each CONTINUE body

    // A reader over the segments; the record must outlive it.
    ByteReader reader() const { return ByteReader(std::span<const ByteReader::Segment>(segments)); }
    std::size_t size() const;
    // The body with its continuations, as one array.
    QByteArray joined() const;
};

// Where the record whose header starts at `at` ends, as its header says.
inline std::size_t recordEnd(std::span<const std::uint8_t> stream, std::size_t at) {
    return at + 4 + le16(&stream[at + 2]);
}

// Whether the header and the whole body of a record starting at `at` are in `stream`.
inline bool wholeRecordAt(std::span<const std::uint8_t> stream, std::size_t at) {
    return stream.size() - at >= 4 && stream.size() - at - 4 >= le16(&stream[at + 2]);
}

class CipherPipeline;

class RecordStream {
  public:
    explicit RecordStream(std::span<const std::uint8_t> stream, std::size_t offset = 0)
        : stream_(stream), pos_(offset) {}

    // From now on a record is read only once `decipher`, which deciphers the
    // stream front to back, has got past it. (Headers are never enciphered, but a
    // damaged file may send the reader into a body.)
    void readBehind(CipherPipeline* decipher);

    // The next record with its continuations, into `out`, whose storage is reused
    // so a loop over the records allocates nothing. False at the stream end or
    // when the stream is damaged (a header or body running past the end).
    bool next(Record& out);
    // The next record as stored, without joining continuations.
    bool nextPhysical(Record& out);
    std::optional<Record> nextPhysical();

    bool damaged() const { return damaged_; }
    std::size_t position() const { return pos_; }
    void seek(std::size_t offset) { pos_ = offset; }

  private:
    // Whether a CONTINUE record starts at the read position.
    bool continues();
    // Whether the `n` bytes at the read position are in the stream, waiting until
    // they are deciphered.
    bool haveFinal(std::size_t n) {
        if (stream_.size() - pos_ < n)
            return false;
        if (pos_ + n > final_)
            awaitDeciphered(pos_ + n);
        return true;
    }
    // Appends the body of the record at the read position to `segments`.
    bool readBody(std::uint16_t& type, std::vector<ByteReader::Segment>& segments);
    // Waits until the bytes before `end` are deciphered.
    void awaitDeciphered(std::size_t end);

    std::span<const std::uint8_t> stream_;
    std::size_t pos_ = 0;
    bool damaged_ = false;
    CipherPipeline* decipher_ = nullptr;
    // The bytes before this are final: all of them unless the stream is read
    // behind its deciphering.
    std::size_t final_ = SIZE_MAX;
};

// Called once per record, so defined here where the parsers can inline them.

inline bool RecordStream::continues() {
    return !damaged_ && pos_ <= stream_.size() && haveFinal(4) &&
           le16(&stream_[pos_]) == rec::Continue;
}

inline bool RecordStream::readBody(std::uint16_t& type,
                                   std::vector<ByteReader::Segment>& segments) {
    if (damaged_ || pos_ >= stream_.size())
        return false;
    if (!haveFinal(4)) {
        damaged_ = true;
        return false;
    }
    type = le16(&stream_[pos_]);
    const std::size_t length = le16(&stream_[pos_ + 2]);
    if (!haveFinal(4 + length)) {
        damaged_ = true;
        return false;
    }
    segments.push_back(stream_.subspan(pos_ + 4, length));
    pos_ += 4 + length;
    return true;
}

inline bool RecordStream::nextPhysical(Record& out) {
    out.segments.clear();
    out.offset = pos_;
    return readBody(out.type, out.segments);
}

inline bool RecordStream::next(Record& out) {
    if (!nextPhysical(out))
        return false;
    std::uint16_t continued = 0;
    while (continues()) {
        if (!readBody(continued, out.segments))
            return false;
    }
    return true;
}

}  // namespace xls
