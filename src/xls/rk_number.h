#pragma once

// RK numbers: the 30-bit compact form BIFF uses for many cell numbers. Read and
// made for every number cell of a sheet, so defined here, where the cell readers
// and writers inline them.

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace xls {

namespace rk {

inline constexpr std::int32_t kMin = -(1 << 29);
inline constexpr std::int32_t kMax = (1 << 29) - 1;
inline constexpr std::uint32_t kTimes100 = 0x01;
inline constexpr std::uint32_t kInteger = 0x02;

// `v` as the integer of an RK, when it is a whole number within RK's 30 bits.
inline std::optional<std::int32_t> integer(double v) {
    if (!(v >= kMin && v <= kMax))
        return std::nullopt;
    const auto i = std::int32_t(v);
    if (double(i) != v)
        return std::nullopt;
    return i;
}

// `v` as the high 32 bits of its double, when the low 34 bits are all zero.
inline std::optional<std::uint32_t> truncatedDouble(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    if ((bits & 0x3FFFFFFFFull) != 0)
        return std::nullopt;
    return std::uint32_t(bits >> 32);
}

// The whole number nearest `v` within RK's integer range (a half may go either way:
// the exactness checks after it decide), or `v` itself when it lies beyond.
inline double nearestWhole(double v) {
    if (!(v > kMin - 1 && v < kMax + 1))
        return v;
    return double(std::int32_t(v < 0 ? v - 0.5 : v + 0.5));
}

inline bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace rk

// The number an RK holds: a 30-bit integer or the top 30 bits of a double, maybe
// divided by 100.
inline double rkNumber(std::uint32_t rk) {
    const double v = (rk & rk::kInteger)
                         ? double(std::int32_t(rk) >> 2)
                         : std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFCu) << 32);
    return (rk & rk::kTimes100) ? v / 100 : v;
}

// The RK value that stores `value` exactly, or nothing when no RK form gives back
// the same double. The hundredths forms are used only when both ways readers
// decode them (dividing by 100, multiplying by 0.01) give back `value`.
inline std::optional<std::uint32_t> exactRk(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    if (!std::signbit(value) || value != 0) {
        if (auto i = rk::integer(value))
            return (std::uint32_t(*i) << 2) | rk::kInteger;
    }
    if (auto t = rk::truncatedDouble(value))
        return *t;
    // value * 100 may miss the whole number by one unit in the last place, so try
    // the nearest one and let the decoding check decide.
    const double scaled = value * 100;
    if (auto i = rk::integer(rk::nearestWhole(scaled))) {
        if (rk::sameDouble(*i / 100.0, value) && rk::sameDouble(*i * 0.01, value))
            return (std::uint32_t(*i) << 2) | rk::kInteger | rk::kTimes100;
    }
    if (auto t = rk::truncatedDouble(scaled)) {
        const double back = std::bit_cast<double>(std::uint64_t(*t) << 32);
        if (rk::sameDouble(back / 100.0, value) && rk::sameDouble(back * 0.01, value))
            return *t | rk::kTimes100;
    }
    return std::nullopt;
}

}  // namespace xls
