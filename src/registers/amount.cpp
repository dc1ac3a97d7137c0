#include "registers/amount.h"

#include "store/number_text.h"
#include "store/value.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace registers {

namespace {

constexpr int kCentDecimals = 2;
constexpr int kRateDecimals = 9;

bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// `number` in units of 10^-decimals, rounded half away from zero; none beyond `max`
// units in either sign.
std::optional<std::int64_t> toUnits(const store::DecimalText& number, int decimals,
                                    std::int64_t max) {
    qsizetype first = 0;
    while (first < number.digits.size() && number.digits[first] == u'0')
        ++first;
    const QStringView significant = QStringView(number.digits).mid(first);
    if (significant.isEmpty())
        return 0;
    const std::int64_t length = significant.size();
    // How many of the significant digits stand before the unit's point.
    const std::int64_t whole = length + number.exponent + decimals;
    // Nineteen digits make at least 10^18, beyond every range here, and would not fit.
    if (whole > 18)
        return std::nullopt;
    std::int64_t units = 0;
    for (std::int64_t k = 0; k < whole; ++k)
        units = units * 10 + (k < length ? significant[k].unicode() - u'0' : 0);
    // The first digit dropped decides, whatever follows it: half away from zero.
    if (whole >= 0 && whole < length && significant[whole] >= u'5')
        ++units;
    if (units > max)
        return std::nullopt;
    return number.negative ? -units : units;
}

std::uint64_t magnitude(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// `value` units of 10^-decimals with every significant digit, a decimal comma and no
// grouping: 123450 with two decimals is "1234,5".
QString plainDecimal(std::int64_t value, int decimals) {
    QString digits = QString::number(magnitude(value));
    if (digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    QString integerPart = digits.left(digits.size() - decimals);
    QString fraction = digits.right(decimals);
    while (!fraction.isEmpty() && fraction.back() == u'0')
        fraction.chop(1);
    QString out = value < 0 ? QStringLiteral("-") : QString();
    out += integerPart;
    if (!fraction.isEmpty())
        out += u',' + fraction;
    return out;
}

}  // namespace

std::optional<Rate> Rate::parse(const QString& text) {
    const std::optional<store::DecimalText> number = store::readDecimalText(text);
    if (!number)
        return std::nullopt;
    const std::optional<std::int64_t> units = toUnits(*number, kRateDecimals, kMaxBillionths);
    if (!units)
        return std::nullopt;
    return Rate(*units);
}

QString Rate::text() const {
    return plainDecimal(billionths_, kRateDecimals);
}

std::optional<Amount> Amount::parse(const QString& text) {
    const std::optional<store::DecimalText> number = store::readDecimalText(text);
    if (!number)
        return std::nullopt;
    const std::optional<std::int64_t> cents = toUnits(*number, kCentDecimals, kMaxCents);
    if (!cents)
        return std::nullopt;
    return Amount(*cents);
}

std::optional<Amount> Amount::fromNumber(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // The decimal a spreadsheet shows for the double, so that 2.675 (stored as
    // 2.67499999...) rounds as the user reads it.
    constexpr int kFractionDigits = 14;  // 15 significant digits
    const QString scientific = QString::number(std::fabs(value), 'e', kFractionDigits);
    const qsizetype e = scientific.indexOf(u'e');
    store::DecimalText number;
    number.negative = value < 0;
    number.digits = scientific.left(e).remove(u'.');
    number.exponent = scientific.mid(e + 1).toInt() - kFractionDigits;
    const std::optional<std::int64_t> cents = toUnits(number, kCentDecimals, kMaxCents);
    if (!cents)
        return std::nullopt;
    return Amount(*cents);
}

double Amount::toNumber() const {
    // Both operands are exact doubles within the range, and the division rounds once.
    return static_cast<double>(cents_) / 100.0;
}

QString Amount::text() const {
    const std::uint64_t all = magnitude(cents_);
    const QString integerDigits = QString::number(all / 100);
    QString out = cents_ < 0 ? QStringLiteral("-") : QString();
    const qsizetype n = integerDigits.size();
    for (qsizetype k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0)
            out += u'.';
        out += integerDigits[k];
    }
    out += u',';
    out += QStringLiteral("%1").arg(all % 100, 2, 10, QChar(u'0'));
    return out;
}

QString Amount::plainText() const {
    return plainDecimal(cents_, kCentDecimals);
}

Amount Amount::percent(const Rate& rate) const {
    // cents × billionths / (100 × 10^9): the product needs more than 64 bits.
    constexpr __int128 kDivisor = __int128(100) * 1'000'000'000;
    const __int128 product = __int128(cents_) * rate.billionths();
    const __int128 whole = product < 0 ? -product : product;
    __int128 quotient = whole / kDivisor;
    if (2 * (whole % kDivisor) >= kDivisor)
        ++quotient;
    Q_ASSERT(quotient <= std::numeric_limits<std::int64_t>::max());
    const auto cents = static_cast<std::int64_t>(quotient);
    return Amount(product < 0 ? -cents : cents);
}

QString Amount::typedCharacters(const QString& typed) {
    QString kept;
    for (const QChar c : typed) {
        if (isAsciiDigit(c) || c == u',' || c == u'.')
            kept += c;
    }
    return kept;
}

Amount operator+(Amount a, Amount b) {
    std::int64_t sum = 0;
    [[maybe_unused]] const bool overflow = __builtin_add_overflow(a.cents_, b.cents_, &sum);
    Q_ASSERT(!overflow);
    return Amount(sum);
}

Amount operator-(Amount a, Amount b) {
    std::int64_t difference = 0;
    [[maybe_unused]] const bool overflow = __builtin_sub_overflow(a.cents_, b.cents_, &difference);
    Q_ASSERT(!overflow);
    return Amount(difference);
}

std::optional<Amount> amountOfCell(const store::Value& cell) {
    if (cell.isNumber())
        return Amount::fromNumber(*cell.toNumber());
    if (cell.isText())
        return Amount::parse(cell.toString());
    return std::nullopt;
}

QString CtrNumD(const QString& text) {
    const std::optional<Amount> amount = Amount::parse(text);
    return amount ? amount->text() : QString();
}

QString CtrNumD(Amount amount) {
    return amount.text();
}

}  // namespace registers
