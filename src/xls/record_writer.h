#pragma once

// The lowest writing layer: a growing byte buffer that holds a Workbook stream and
// knows BIFF record framing. It writes little-endian values and record headers,
// fills in each record's length when it ends, and splits a body longer than a
// record may be into CONTINUE records. It knows nothing of the workbook model.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "xls/little_endian.h"

namespace xls {

inline constexpr std::size_t kMaxRecordBody = 8224;

class CipherPipeline;

class RecordWriter {
  public:
    // `memory`, when given and of about the expected size (that of a stream just
    // read, say), holds the stream instead of a buffer taken afresh.
    explicit RecordWriter(std::size_t expectedSize = 64 * 1024, QByteArray memory = {});

    // Opens a record; its body is whatever is written until end().
    void begin(std::uint16_t type);
    // Closes the open record: stores its length, splitting it into CONTINUE
    // records when the body is longer than kMaxRecordBody.
    void end();
    // A whole record at once.
    void record(std::uint16_t type, std::span<const std::uint8_t> body);
    // A whole record whose body of `length` bytes (at most kMaxRecordBody) the
    // caller fills in through the returned pointer, before anything else is written.
    std::uint8_t* fixedRecord(std::uint16_t type, std::uint16_t length) {
        if (size_ >= nextHandOver_)
            handOverFinished();
        reserve(4 + std::size_t(length));
        std::uint8_t* header = data_ + size_;
        putLe16(header, type);
        putLe16(header + 2, length);
        size_ += 4 + std::size_t(length);
        return header + 4;
    }

    // Bytes written so far to the open record's body.
    std::size_t bodySize() const { return size_ - recordStart_ - 4; }
    // The stream offset of the next byte written.
    std::size_t pos() const { return size_; }

    void u8(std::uint8_t v) {
        reserve(1);
        data_[size_++] = v;
    }
    void u16(std::uint16_t v) {
        reserve(2);
        put16(size_, v);
        size_ += 2;
    }
    void u32(std::uint32_t v) {
        reserve(4);
        put16(size_, std::uint16_t(v));
        put16(size_ + 2, std::uint16_t(v >> 16));
        size_ += 4;
    }
    void f64(double v);
    void bytes(std::span<const std::uint8_t> b);
    void zeros(std::size_t n);

    // XLUnicodeString: a 16-bit character count, a flag byte, the characters
    // (one byte each when they all fit in Latin-1, two bytes otherwise).
    void unicodeString(const QString& s);
    // ShortXLUnicodeString: the same with an 8-bit character count.
    void shortUnicodeString(const QString& s);
    // The flag byte and then `count` characters, one or two bytes each.
    void stringChars(const QChar* s, std::size_t count, bool wide);

    // Sets four bytes written before. Bytes already handed over to the cipher (a
    // sheet's position in BOUNDSHEET, which is never ciphered) may be on their way
    // to a file as they were: they are set once the cipher is done with the
    // stream, and listed in patchedAfterHandOver.
    void patch32(std::size_t at, std::uint32_t v) {
        if (cipher_ && at < handed_) {
            patchedAfterHandOver_.push_back({at, v});
            return;
        }
        put16(at, std::uint16_t(v));
        put16(at + 2, std::uint16_t(v >> 16));
    }
    struct Patch {
        std::size_t at;
        std::uint32_t value;
    };
    const std::vector<Patch>& patchedAfterHandOver() const { return patchedAfterHandOver_; }

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::span<std::uint8_t> bytes() { return {data_, size_}; }

    // From now on each finished stretch of the stream goes to `cipher` while
    // writing goes on. Only bytes that are never ciphered (a sheet's position in
    // BOUNDSHEET) may be patched after that; the buffer moves only once the
    // cipher has caught up.
    void handOverTo(CipherPipeline* cipher);
    // Hands over the rest, ciphers part of it beside the cipher's thread, and lets
    // the cipher go once all of it is ciphered.
    void finishHandOver();

  private:
    static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

    // Hands the stream written so far to the cipher; called at a record start.
    void handOverFinished();
    void reserve(std::size_t n) {
        if (size_ + n > capacity_)
            grow(n);
    }
    void grow(std::size_t n);
    void put16(std::size_t at, std::uint16_t v) { putLe16(data_ + at, v); }
    void splitLongRecord();

    // Takes `capacity` bytes of `memory`, or of a fresh buffer when it has not
    // enough, for the stream.
    void hold(QByteArray memory, std::size_t capacity);

    // Not zero-filled: pages of the reserve that are never written cost no memory.
    QByteArray buffer_;
    std::uint8_t* data_ = nullptr;  // buffer_'s bytes
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
    std::size_t recordStart_ = 0;
    CipherPipeline* cipher_ = nullptr;
    std::size_t handed_ = 0;  // the cipher has been handed the stream up to here
    std::size_t nextHandOver_ = kNever;
    std::vector<Patch> patchedAfterHandOver_;
};

// True when every character fits in one byte, so BIFF can store it compressed.
bool isLatin1(const QChar* s, std::size_t count);

}  // namespace xls
