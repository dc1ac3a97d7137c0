#pragma once

// Little-endian fields read straight from bytes the caller has checked are there.

#include <bit>
#include <cstdint>
#include <cstring>

namespace xls {

inline std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

inline std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline double leF64(const std::uint8_t* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

}  // namespace xls
