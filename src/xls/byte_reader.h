#pragma once

// A bounds-checked little-endian reader over a record body and the bodies of the
// CONTINUE records that extend it. Any read past the end sets a sticky invalid
// state and yields zeros, so a handler reads its fields and tests ok() once.

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace xls {

class ByteReader {
  public:
    using Segment = std::span<const std::uint8_t>;

    explicit ByteReader(Segment data) : segments_{data} {}
    explicit ByteReader(std::vector<Segment> segments);

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }
    // Bytes left to read, over all segments.
    std::size_t remaining() const;

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
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
    std::size_t availableInSegment() const { return ok_ ? segments_[seg_].size() - pos_ : 0; }
    void nextSegmentIfAtEnd();

    std::vector<Segment> segments_;
    std::size_t seg_ = 0;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace xls
