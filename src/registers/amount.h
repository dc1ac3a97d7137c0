#pragma once

// Money and rates, exact: an amount is a whole number of cents, a rate a decimal with
// nine decimals. Amounts are read from and written as Italian text ("1.234,50"); a
// cell keeps its spreadsheet number and is converted once, where it is read or written.

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

namespace store {
class Value;
}

namespace registers {

// A rate as the settings lists hold it ("22", "1,5", "4"): an exact decimal.
class Rate {
  public:
    // The largest rate, in either sign: 10.000 (per cent).
    static constexpr std::int64_t kMaxBillionths = 10'000'000'000'000;

    constexpr Rate() = default;
    // The rate in units of 10^-9 ("1,5" is 1.500.000.000); within ±kMaxBillionths.
    static constexpr Rate fromBillionths(std::int64_t billionths) { return Rate(billionths); }
    constexpr std::int64_t billionths() const { return billionths_; }

    // Italian number text, as an amount is read; digits past the ninth decimal are
    // rounded half away from zero. None when it is not a number or beyond the range.
    static std::optional<Rate> parse(const QString& text);

    // All significant digits with a decimal comma ("22", "1,5").
    QString text() const;

    auto operator<=>(const Rate&) const = default;

  private:
    constexpr explicit Rate(std::int64_t billionths) : billionths_(billionths) {}
    std::int64_t billionths_ = 0;
};

// An amount of money, exact in integer cents (64 bits).
class Amount {
  public:
    // The largest amount read from a text or a cell, in either sign: 9.999.999.999.999,99.
    // Every amount up to it survives a cell (toNumber, then fromNumber) unchanged.
    static constexpr std::int64_t kMaxCents = 999'999'999'999'999;

    constexpr Amount() = default;  // 0,00
    static constexpr Amount fromCents(std::int64_t cents) { return Amount(cents); }
    constexpr std::int64_t cents() const { return cents_; }
    constexpr bool isZero() const { return cents_ == 0; }

    // Reads an Italian amount text ("1.234,50", "1,5", "12,", "-7", " 12 ", "1234,567")
    // exactly as decimal, rounding half away from zero to the cent; the same texts
    // store::readRegionalNumber accepts (thousands dots only between groups of three,
    // an exponent allowed); none for anything else, an empty text included, or beyond
    // kMaxCents.
    static std::optional<Amount> parse(const QString& text);

    // A spreadsheet cell's number: the decimal it shows with 15 significant digits,
    // rounded half away from zero to the cent (1.005, stored as 1.00499999.., gives
    // 1,01). None for NaN, infinities and beyond kMaxCents.
    static std::optional<Amount> fromNumber(double value);
    // What a cell stores: the double nearest to the amount.
    double toNumber() const;

    // "#,0.00" Italian: "1.234,50", "0,00", "-12,30".
    QString text() const;
    // All significant digits with a decimal comma and no grouping: "1234,5", "40",
    // "-0,3".
    QString plainText() const;

    // amount × rate / 100, exact, rounded half away from zero to the cent.
    Amount percent(const Rate& rate) const;

    // What of `typed` enters an amount box: digits, the decimal comma and the thousands
    // dot, which parse() reads ("1.234,56"). Signs and anything else stay out; the result
    // of a call passes a second one unchanged.
    static QString typedCharacters(const QString& typed);

    // Sums of amounts read from texts or cells: thousands of them stay far inside
    // 64 bits, so these never overflow in use (an overflow is a programming error).
    friend Amount operator+(Amount a, Amount b);
    friend Amount operator-(Amount a, Amount b);
    auto operator<=>(const Amount&) const = default;

  private:
    constexpr explicit Amount(std::int64_t cents) : cents_(cents) {}
    std::int64_t cents_ = 0;
};

// The amount a cell holds: its number, or a text that reads as an amount; none for
// anything else (an empty cell, "*").
std::optional<Amount> amountOfCell(const store::Value& cell);

// CtrNumD: the amount text of `text` ("1.234,50"), or an empty text when it does not
// read as an amount.
QString CtrNumD(const QString& text);
QString CtrNumD(Amount amount);

}  // namespace registers
