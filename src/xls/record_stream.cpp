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

bool RecordStream::readBody(std::uint16_t& type, std::vector<ByteReader::Segment>& segments) {
    if (damaged_ || pos_ >= stream_.size())
        return false;
    if (stream_.size() - pos_ < 4) {
        damaged_ = true;
        return false;
    }
    type = std::uint16_t(stream_[pos_] | (stream_[pos_ + 1] << 8));
    const std::size_t length = std::size_t(stream_[pos_ + 2] | (stream_[pos_ + 3] << 8));
    if (stream_.size() - pos_ - 4 < length) {
        damaged_ = true;
        return false;
    }
    segments.push_back(stream_.subspan(pos_ + 4, length));
    pos_ += 4 + length;
    return true;
}

bool RecordStream::nextPhysical(Record& out) {
    out.segments.clear();
    out.offset = pos_;
    return readBody(out.type, out.segments);
}

std::optional<Record> RecordStream::nextPhysical() {
    Record r;
    if (!nextPhysical(r))
        return std::nullopt;
    return r;
}

bool RecordStream::next(Record& out) {
    if (!nextPhysical(out))
        return false;
    std::uint16_t continued = 0;
    while (peekType() == rec::Continue) {
        if (!readBody(continued, out.segments))
            return false;
    }
    return true;
}

}  // namespace xls
