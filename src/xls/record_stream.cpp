#include "xls/record_stream.h"

#include "xls/cipher_pipeline.h"

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

void RecordStream::readBehind(CipherPipeline* decipher) {
    decipher_ = decipher;
    // The first read asks how far it has got, which is at least where it started.
    final_ = 0;
}

void RecordStream::awaitDeciphered(std::size_t end) {
    // The pipeline says kAll once it can go no further; what it did not reach is
    // read as it is, as a stream deciphered whole would leave it.
    final_ = decipher_->awaitCiphered(end);
}

std::optional<Record> RecordStream::nextPhysical() {
    Record r;
    if (!nextPhysical(r))
        return std::nullopt;
    return r;
}

}  // namespace xls
