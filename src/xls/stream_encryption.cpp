#include "xls/stream_encryption.h"

#include <algorithm>

#include "xls/little_endian.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// Record by record, front to back up to the first record start at or after
// `limit`: the cipher moves forward through each 1,024-byte block, skipping the
// bytes that stay in the clear.
std::size_t encryptRecords(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                           StreamCipher& cipher) {
    std::size_t p = begin;
    while (p < limit && p + 4 <= stream.size()) {
        const std::uint16_t type = le16(&stream[p]);
        const std::size_t length =
            std::min<std::size_t>(le16(&stream[p + 2]), stream.size() - p - 4);
        const std::size_t body = p + 4;
        const std::size_t clear = rec::bytesInTheClear(type, length);
        if (clear < length)
            cipher.apply(stream.subspan(body + clear, length - clear), body + clear);
        p = body + length;
    }
    return p;
}

}  // namespace

std::unique_ptr<CipherPipeline> workbookStreamEncryption(std::unique_ptr<StreamCipher> cipher,
                                                         CipherPipeline::Ciphered encrypted) {
    return std::make_unique<CipherPipeline>(0, std::move(cipher), encryptRecords,
                                            std::move(encrypted));
}

}  // namespace xls
