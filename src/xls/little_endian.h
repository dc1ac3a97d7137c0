#pragma once

// Little-endian fields read from and stored into bytes the caller has checked are
// there.

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

inline void putLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

inline void putLe32(std::uint8_t* p, std::uint32_t v) {
    putLe16(p, std::uint16_t(v));
    putLe16(p + 2, std::uint16_t(v >> 16));
}

inline void putLeF64(std::uint8_t* p, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    putLe32(p, std::uint32_t(bits));
    putLe32(p + 4, std::uint32_t(bits >> 32));
}

}  // namespace xls
