#pragma once

// A bounds-checked little-endian reader over a record body and the bodies of the
// CONTINUE records that extend it. Any read past the end sets a sticky invalid
// state and yields zeros, so a handler reads its fields and tests ok() once.

#include <QString>

#include <cstdint>
#include <span>

#include "xls/little_endian.h"

namespace xls {

class ByteReader {
  public:
    using Segment = std::span<const std::uint8_t>;

    explicit ByteReader(Segment data) : at_(data.data()), end_(data.data() + data.size()) {}
    // Reads the segments one after another. They are not copied: the list must
    // outlive the reader.
    explicit ByteReader(std::span<const Segment> segments);

    bool ok() const { return ok_; }
    void fail();
    // Bytes left to read, over all segments.
    std::size_t remaining() const { return std::size_t(end_ - at_) + restBytes_; }

    // Fields that lie whole in the current segment, as nearly all do, are read
    // straight from it; the rest go through read().
    std::uint8_t u8() {
        if (end_ - at_ >= 1)
            return *at_++;
        std::uint8_t b[1];
        read(b);
        return b[0];
    }
    std::uint16_t u16() {
        std::uint8_t b[2];
        return le16(take(b));
    }
    std::uint32_t u32() {
        std::uint8_t b[4];
        return le32(take(b));
    }
    double f64();
    void read(std::span<std::uint8_t> out);
    void skip(std::size_t n);

    // Strings as BIFF8 stores them. A string's characters may run on into the next
    // CONTINUE segment, which then starts with a fresh flags byte (compressed or not).
    QString shortString();                             // 8-bit length, flags, characters
    QString string();                                  // 16-bit length, flags, characters
    QString characters(std::size_t count, bool wide);  // after a flags byte
    // An SST entry: as string(), plus rich-text runs and phonetic data, skipped.
    QString richString();

  private:
    // The next N bytes: in place when the current segment holds them, else
    // gathered into `buffer`.
    template <std::size_t N>
    const std::uint8_t* take(std::uint8_t (&buffer)[N]) {
        if (std::size_t(end_ - at_) >= N) {
            const std::uint8_t* p = at_;
            at_ += N;
            return p;
        }
        read(buffer);
        return buffer;
    }
    // Moves to the next segment; false when there is none.
    bool nextSegment();
    void nextSegmentIfAtEnd();

    const std::uint8_t* at_ = nullptr;  // the current segment, from the read position
    const std::uint8_t* end_ = nullptr;
    std::span<const Segment> rest_;  // the segments after the current one
    std::size_t restBytes_ = 0;      // and their total size
    bool ok_ = true;
};

}  // namespace xls
