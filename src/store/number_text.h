#pragma once

// Numbers as the user reads and types them: Italian conventions always (decimal
// comma, "." between thousands), whatever the system locale.

#include <QString>

#include <cstdint>
#include <optional>

namespace store {

// A number as its text spells it, digit for digit, before any rounding: the value is
// digits × 10^exponent, negative when `negative`.
struct DecimalText {
    bool negative = false;
    QString digits;  // ASCII digits, at least one; leading zeros kept
    std::int64_t exponent = 0;
};

// Reads "1234,5", "1.234,50", "-7", " 12 ", "1,5E3" digit for digit. Thousands dots
// must stand between groups of three digits; an empty text or anything else is not
// a number. The one reader of number texts: the exact amounts and the cells' doubles
// both start from it.
std::optional<DecimalText> readDecimalText(const QString& text);

// The number readDecimalText reads, as the nearest double; none when it is too large
// for one.
std::optional<double> readRegionalNumber(const QString& text);

// A number with `decimals` fixed decimals and, when `grouped`, thousands dots.
QString formatFixed(double value, int decimals, bool grouped);

// The shortest text that reads back as `value`, with a decimal comma: 12,5 / 3 / 0,1.
QString formatGeneral(double value);

}  // namespace store
