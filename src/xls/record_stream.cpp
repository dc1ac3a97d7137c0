#include "xls/record_stream.h"

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

std::optional<Record> RecordStream::nextPhysical() {
    Record r;
    if (!nextPhysical(r))
        return std::nullopt;
    return r;
}

}  // namespace xls
