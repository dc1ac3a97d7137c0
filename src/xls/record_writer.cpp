#include "xls/record_writer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "xls/cipher_pipeline.h"
#include "xls/huge_pages.h"
#include "xls/record_types.h"

namespace xls {

bool isLatin1(const QChar* s, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (s[i].unicode() > 0xFF)
            return false;
    }
    return true;
}

RecordWriter::RecordWriter(std::size_t expectedSize, QByteArray memory) {
    // The expected size is a bound, some way above what is written: memory of
    // somewhat less serves, and grows in the rare case it must.
    const auto given = std::size_t(memory.capacity());
    const bool serves = memory.isDetached() && given >= expectedSize / 2;
    hold(serves ? std::move(memory) : QByteArray(), serves ? given : expectedSize);
}

void RecordWriter::hold(QByteArray memory, std::size_t capacity) {
    if (std::size_t(memory.capacity()) >= capacity) {
        buffer_ = std::move(memory);
        buffer_.resize(qsizetype(capacity));
    } else {
        buffer_ = QByteArray(qsizetype(capacity), Qt::Uninitialized);
        adviseHugePages(buffer_.data(), capacity);
    }
    data_ = reinterpret_cast<std::uint8_t*>(buffer_.data());
    capacity_ = capacity;
}

namespace {

// How much is written between two hand-overs to the cipher.
constexpr std::size_t kHandOverStep = 64 * 1024;

}  // namespace

void RecordWriter::grow(std::size_t n) {
    if (cipher_)
        cipher_->awaitCiphered(handed_);
    QByteArray written = std::move(buffer_);
    hold(QByteArray(), std::max(capacity_ * 2, size_ + n));
    std::memcpy(data_, written.constData(), size_);
}

void RecordWriter::handOverTo(CipherPipeline* cipher) {
    cipher_ = cipher;
    handOverFinished();
}

void RecordWriter::handOverFinished() {
    handed_ = size_;
    cipher_->handOver(bytes());
    nextHandOver_ = size_ + kHandOverStep;
}

void RecordWriter::finishHandOver() {
    handed_ = size_;
    cipher_->finish(bytes());
    cipher_ = nullptr;
    nextHandOver_ = kNever;
    for (const Patch& p : patchedAfterHandOver_)
        patch32(p.at, p.value);
}

void RecordWriter::begin(std::uint16_t type) {
    if (size_ >= nextHandOver_)
        handOverFinished();
    recordStart_ = size_;
    u16(type);
    u16(0);
}

void RecordWriter::end() {
    const std::size_t length = bodySize();
    if (length > kMaxRecordBody) {
        splitLongRecord();
        return;
    }
    put16(recordStart_ + 2, std::uint16_t(length));
}

void RecordWriter::splitLongRecord() {
    // Make room for the extra CONTINUE headers, then move the pieces into place
    // from the last one backwards so nothing is overwritten before it is moved.
    const std::size_t bodyStart = recordStart_ + 4;
    const std::size_t length = size_ - bodyStart;
    const std::size_t pieces = (length + kMaxRecordBody - 1) / kMaxRecordBody;
    reserve(4 * (pieces - 1));
    for (std::size_t i = pieces - 1; i > 0; --i) {
        const std::size_t from = bodyStart + i * kMaxRecordBody;
        const std::size_t n = std::min(kMaxRecordBody, length - i * kMaxRecordBody);
        const std::size_t to = from + 4 * i;
        std::memmove(data_ + to, data_ + from, n);
        put16(to - 4, rec::Continue);
        put16(to - 2, std::uint16_t(n));
    }
    put16(recordStart_ + 2, std::uint16_t(kMaxRecordBody));
    size_ += 4 * (pieces - 1);
}

void RecordWriter::record(std::uint16_t type, std::span<const std::uint8_t> body) {
    begin(type);
    bytes(body);
    end();
}

void RecordWriter::f64(double v) {
    reserve(8);
    putLeF64(data_ + size_, v);
    size_ += 8;
}

void RecordWriter::bytes(std::span<const std::uint8_t> b) {
    reserve(b.size());
    if (!b.empty())
        std::memcpy(data_ + size_, b.data(), b.size());
    size_ += b.size();
}

void RecordWriter::zeros(std::size_t n) {
    reserve(n);
    std::memset(data_ + size_, 0, n);
    size_ += n;
}

void RecordWriter::stringChars(const QChar* s, std::size_t count, bool wide) {
    reserve(1 + count * (wide ? 2 : 1));
    std::uint8_t* out = data_ + size_;
    *out++ = wide ? 0x01 : 0x00;
    if (wide) {
        for (std::size_t i = 0; i < count; ++i) {
            const char16_t c = s[i].unicode();
            *out++ = std::uint8_t(c);
            *out++ = std::uint8_t(c >> 8);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i)
            *out++ = std::uint8_t(s[i].unicode());
    }
    size_ = std::size_t(out - data_);
}

void RecordWriter::unicodeString(const QString& s) {
    assert(s.size() <= 0xFFFF);
    u16(std::uint16_t(s.size()));
    stringChars(s.constData(), std::size_t(s.size()),
                !isLatin1(s.constData(), std::size_t(s.size())));
}

void RecordWriter::shortUnicodeString(const QString& s) {
    assert(s.size() <= 0xFF);
    u8(std::uint8_t(s.size()));
    stringChars(s.constData(), std::size_t(s.size()),
                !isLatin1(s.constData(), std::size_t(s.size())));
}

}  // namespace xls
