#include "xls/byte_reader.h"

#include <algorithm>
#include <cstring>

#include "xls/little_endian.h"

namespace xls {

ByteReader::ByteReader(std::span<const Segment> segments) {
    if (segments.empty())
        return;
    at_ = segments.front().data();
    end_ = at_ + segments.front().size();
    rest_ = segments.subspan(1);
    for (const Segment& s : rest_)
        restBytes_ += s.size();
}

void ByteReader::fail() {
    // Nothing is left to read, so every later read fails too and yields zeros.
    ok_ = false;
    at_ = end_;
    rest_ = {};
    restBytes_ = 0;
}

bool ByteReader::nextSegment() {
    if (rest_.empty())
        return false;
    at_ = rest_.front().data();
    end_ = at_ + rest_.front().size();
    restBytes_ -= rest_.front().size();
    rest_ = rest_.subspan(1);
    return true;
}

void ByteReader::nextSegmentIfAtEnd() {
    while (at_ == end_ && nextSegment()) {
    }
}

void ByteReader::read(std::span<std::uint8_t> out) {
    if (remaining() < out.size()) {
        fail();
        std::memset(out.data(), 0, out.size());
        return;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        nextSegmentIfAtEnd();
        const std::size_t n = std::min(out.size() - done, std::size_t(end_ - at_));
        std::memcpy(out.data() + done, at_, n);
        at_ += n;
        done += n;
    }
}

void ByteReader::skip(std::size_t n) {
    if (remaining() < n) {
        fail();
        return;
    }
    while (n > 0) {
        nextSegmentIfAtEnd();
        const std::size_t k = std::min(n, std::size_t(end_ - at_));
        at_ += k;
        n -= k;
    }
}

double ByteReader::f64() {
    std::uint8_t b[8];
    return leF64(take(b));
}

QString ByteReader::characters(std::size_t count, bool wide) {
    // The text can be no longer than the bytes left: a lying length fails here
    // instead of allocating for it.
    if (count > remaining()) {
        fail();
        return {};
    }
    QString out(qsizetype(count), Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(out.data());
    while (count > 0) {
        if (at_ == end_) {
            if (!nextSegment()) {
                fail();
                return {};
            }
            wide = (u8() & 0x01) != 0;
            continue;
        }
        const std::size_t width = wide ? 2 : 1;
        const std::size_t n = std::min(count, std::size_t(end_ - at_) / width);
        if (n == 0) {  // half a wide character before the segment end
            fail();
            return {};
        }
        const std::uint8_t* p = at_;
        if (wide) {
            for (std::size_t i = 0; i < n; ++i)
                to[i] = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
        } else {
            for (std::size_t i = 0; i < n; ++i)
                to[i] = char16_t(p[i]);
        }
        at_ += n * width;
        to += n;
        count -= n;
    }
    return out;
}

QString ByteReader::shortString() {
    const std::uint8_t count = u8();
    const bool wide = (u8() & 0x01) != 0;
    return characters(count, wide);
}

QString ByteReader::string() {
    const std::uint16_t count = u16();
    const bool wide = (u8() & 0x01) != 0;
    return characters(count, wide);
}

QString ByteReader::richString() {
    const std::uint16_t count = u16();
    const std::uint8_t flags = u8();
    const std::uint16_t runs = (flags & 0x08) ? u16() : 0;
    const std::uint32_t extSize = (flags & 0x04) ? u32() : 0;
    QString text = characters(count, (flags & 0x01) != 0);
    skip(std::size_t(runs) * 4);
    skip(extSize);
    return text;
}

}  // namespace xls
