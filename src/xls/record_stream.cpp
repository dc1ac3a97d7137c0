#include "xls/record_stream.h"

#include "xls/record_types.h"

namespace xls {

std::size_t Record::size() const {
    std::size_t n = 0;
    for (const auto& s : segments)
        n += s.size();
    return n;
}

QByteArray Record::joined() const {
    QByteArray out;
    out.reserve(qsizetype(size()));
    for (const auto& s : segments)
        out.append(reinterpret_cast<const char*>(s.data()), s.size());
    return out;
}

std::optional<std::uint16_t> RecordStream::peekType() const {
    if (damaged_ || pos_ > stream_.size() || stream_.size() - pos_ < 4)
        return std::nullopt;
    return std::uint16_t(stream_[pos_] | (stream_[pos_ + 1] << 8));
}

std::optional<Record> RecordStream::nextPhysical() {
    if (damaged_ || pos_ >= stream_.size())
        return std::nullopt;
    if (stream_.size() - pos_ < 4) {
        damaged_ = true;
        return std::nullopt;
    }
    Record r;
    r.type = std::uint16_t(stream_[pos_] | (stream_[pos_ + 1] << 8));
    const std::size_t length = std::size_t(stream_[pos_ + 2] | (stream_[pos_ + 3] << 8));
    if (stream_.size() - pos_ - 4 < length) {
        damaged_ = true;
        return std::nullopt;
    }
    r.offset = pos_;
    r.segments.push_back(stream_.subspan(pos_ + 4, length));
    pos_ += 4 + length;
    return r;
}

std::optional<Record> RecordStream::next() {
    std::optional<Record> r = nextPhysical();
    if (!r)
        return r;
    while (peekType() == rec::Continue) {
        std::optional<Record> more = nextPhysical();
        if (!more)
            return std::nullopt;
        r->segments.push_back(more->segments.front());
    }
    return r;
}

}  // namespace xls
