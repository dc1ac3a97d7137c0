#include "xls/record_stream.h"

#include "xls/little_endian.h"
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

bool RecordStream::continues() const {
    return !damaged_ && pos_ <= stream_.size() && stream_.size() - pos_ >= 4 &&
           le16(&stream_[pos_]) == rec::Continue;
}

bool RecordStream::readBody(std::uint16_t& type, std::vector<ByteReader::Segment>& segments) {
    if (damaged_ || pos_ >= stream_.size())
        return false;
    if (stream_.size() - pos_ < 4) {
        damaged_ = true;
        return false;
    }
    type = le16(&stream_[pos_]);
    const std::size_t length = le16(&stream_[pos_ + 2]);
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
    while (continues()) {
        if (!readBody(continued, out.segments))
            return false;
    }
    return true;
}

}  // namespace xls
