#include "xls/rk_number.h"

#include <bit>
#include <cmath>

namespace xls {

namespace {

constexpr std::int32_t kRkMin = -(1 << 29);
constexpr std::int32_t kRkMax = (1 << 29) - 1;
constexpr std::uint32_t kRkTimes100 = 0x01;
constexpr std::uint32_t kRkInteger = 0x02;

// `v` as the integer of an RK, when it is a whole number within RK's 30 bits.
std::optional<std::int32_t> rkInteger(double v) {
    if (!(v >= kRkMin && v <= kRkMax))
        return std::nullopt;
    const auto i = std::int32_t(v);
    if (double(i) != v)
        return std::nullopt;
    return i;
}

// `v` as the high 32 bits of its double, when the low 34 bits are all zero.
std::optional<std::uint32_t> rkTruncatedDouble(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    if ((bits & 0x3FFFFFFFFull) != 0)
        return std::nullopt;
    return std::uint32_t(bits >> 32);
}

// The whole number nearest `v` within RK's integer range (a half may go either way:
// the exactness checks after it decide), or `v` itself when it lies beyond.
double nearestWhole(double v) {
    if (!(v > kRkMin - 1 && v < kRkMax + 1))
        return v;
    return double(std::int32_t(v < 0 ? v - 0.5 : v + 0.5));
}

bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

double rkNumber(std::uint32_t rk) {
    const double v = (rk & kRkInteger)
                         ? double(std::int32_t(rk) >> 2)
                         : std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFCu) << 32);
    return (rk & kRkTimes100) ? v / 100 : v;
}

std::optional<std::uint32_t> exactRk(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    if (!std::signbit(value) || value != 0) {
        if (auto i = rkInteger(value))
            return (std::uint32_t(*i) << 2) | kRkInteger;
    }
    if (auto t = rkTruncatedDouble(value))
        return *t;
    // value * 100 may miss the whole number by one unit in the last place, so try
    // the nearest one and let the decoding check decide.
    const double scaled = value * 100;
    if (auto i = rkInteger(nearestWhole(scaled))) {
        if (sameDouble(*i / 100.0, value) && sameDouble(*i * 0.01, value))
            return (std::uint32_t(*i) << 2) | kRkInteger | kRkTimes100;
    }
    if (auto t = rkTruncatedDouble(scaled)) {
        const double back = std::bit_cast<double>(std::uint64_t(*t) << 32);
        if (sameDouble(back / 100.0, value) && sameDouble(back * 0.01, value))
            return *t | kRkTimes100;
    }
    return std::nullopt;
}

}  // namespace xls
