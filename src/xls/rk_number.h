#pragma once

// RK numbers: the 30-bit compact form BIFF uses for many cell numbers.

#include <cstdint>
#include <optional>

namespace xls {

// The number an RK holds: a 30-bit integer or the top 30 bits of a double, maybe
// divided by 100.
double rkNumber(std::uint32_t rk);

// The RK value that stores `value` exactly, or nothing when no RK form gives back
// the same double. The hundredths forms are used only when both ways readers
// decode them (dividing by 100, multiplying by 0.01) give back `value`.
std::optional<std::uint32_t> exactRk(double value);

}  // namespace xls
