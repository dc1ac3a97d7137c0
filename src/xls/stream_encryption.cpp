#include "xls/stream_encryption.h"

#include <cstring>
#include <vector>

#include "xls/record_types.h"

namespace xls {

namespace {

bool neverEncrypted(std::uint16_t type) {
    switch (type) {
        case rec::Bof:
        case rec::FilePass:
        case rec::UsrExcl:
        case rec::FileLock:
        case rec::InterfaceHdr:
        case rec::RrdInfo:
        case rec::RrdHead:
            return true;
        default:
            return false;
    }
}

std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

}  // namespace

void encryptWorkbookStream(std::span<std::uint8_t> stream, std::size_t from, StreamCipher& cipher) {
    // RC4 runs fastest over long stretches: encrypt everything in one pass, then
    // put back the bytes that stay in the clear from a copy of the plain stream.
    const std::vector<std::uint8_t> plain(stream.begin() + std::ptrdiff_t(from), stream.end());
    cipher.apply(stream.subspan(from), from);
    std::size_t p = 0;
    while (p + 4 <= plain.size()) {
        const std::uint16_t type = le16(&plain[p]);
        const std::size_t length = le16(&plain[p + 2]);
        std::size_t clear = 4;
        if (neverEncrypted(type))
            clear += length;
        if (type == rec::BoundSheet)
            clear += 4;
        clear = std::min(clear, plain.size() - p);
        std::memcpy(stream.data() + from + p, plain.data() + p, clear);
        p += 4 + length;
    }
}

}  // namespace xls
