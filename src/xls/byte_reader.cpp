#include "xls/byte_reader.h"

#include <bit>
#include <cstring>

namespace xls {

ByteReader::ByteReader(std::vector<Segment> segments) : segments_(std::move(segments)) {
    if (segments_.empty())
        segments_.emplace_back();
}

std::size_t ByteReader::remaining() const {
    if (!ok_)
        return 0;
    std::size_t n = segments_[seg_].size() - pos_;
    for (std::size_t i = seg_ + 1; i < segments_.size(); ++i)
        n += segments_[i].size();
    return n;
}

void ByteReader::nextSegmentIfAtEnd() {
    while (ok_ && pos_ == segments_[seg_].size() && seg_ + 1 < segments_.size()) {
        ++seg_;
        pos_ = 0;
    }
}

void ByteReader::read(std::span<std::uint8_t> out) {
    if (remaining() < out.size()) {
        ok_ = false;
    }
    if (!ok_) {
        std::memset(out.data(), 0, out.size());
        return;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        nextSegmentIfAtEnd();
        const std::size_t n = std::min(out.size() - done, availableInSegment());
        std::memcpy(out.data() + done, segments_[seg_].data() + pos_, n);
        pos_ += n;
        done += n;
    }
}

void ByteReader::skip(std::size_t n) {
    if (remaining() < n) {
        ok_ = false;
        return;
    }
    while (n > 0) {
        nextSegmentIfAtEnd();
        const std::size_t k = std::min(n, availableInSegment());
        pos_ += k;
        n -= k;
    }
}

std::uint8_t ByteReader::u8() {
    std::uint8_t b[1];
    read(b);
    return b[0];
}

std::uint16_t ByteReader::u16() {
    std::uint8_t b[2];
    read(b);
    return std::uint16_t(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::u32() {
    std::uint8_t b[4];
    read(b);
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
           (std::uint32_t(b[3]) << 24);
}

double ByteReader::f64() {
    std::uint8_t b[8];
    read(b);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | b[i];
    return std::bit_cast<double>(bits);
}

QString ByteReader::characters(std::size_t count, bool wide) {
    QString out;
    // The text can be no longer than the bytes left: a lying length fails here
    // instead of reserving memory for it.
    if (count > remaining()) {
        ok_ = false;
        return out;
    }
    out.reserve(qsizetype(count));
    while (ok_ && count > 0) {
        if (availableInSegment() == 0) {
            if (seg_ + 1 >= segments_.size()) {
                ok_ = false;
                break;
            }
            ++seg_;
            pos_ = 0;
            wide = (u8() & 0x01) != 0;
            continue;
        }
        const std::size_t width = wide ? 2 : 1;
        const std::size_t n = std::min(count, availableInSegment() / width);
        if (n == 0) {  // half a wide character before the segment end
            ok_ = false;
            break;
        }
        const std::uint8_t* p = segments_[seg_].data() + pos_;
        for (std::size_t i = 0; i < n; ++i) {
            out.append(QChar(wide ? char16_t(p[2 * i] | (p[2 * i + 1] << 8)) : char16_t(p[i])));
        }
        pos_ += n * width;
        count -= n;
    }
    if (!ok_)
        out.clear();
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
