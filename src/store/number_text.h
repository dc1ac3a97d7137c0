#pragma once

// Numbers as the user reads and types them: Italian conventions always (decimal
// comma, "." between thousands), whatever the system locale.

#include <QString>

#include <optional>

namespace store {

// Reads "1234,5", "1.234,50", "-7", " 12 " as numbers. Thousands dots must stand
// between groups of three digits; an empty text or anything else is not a number.
std::optional<double> readRegionalNumber(const QString& text);

// An amount as "#,0.00" shows it: thousands dots, a decimal comma, exactly two
// decimals, rounded half away from zero (1234.5 -> "1.234,50").
QString formatAmount(double value);

// A number with `decimals` fixed decimals and, when `grouped`, thousands dots.
QString formatFixed(double value, int decimals, bool grouped);

// The shortest text that reads back as `value`, with a decimal comma: 12,5 / 3 / 0,1.
QString formatGeneral(double value);

}  // namespace store
