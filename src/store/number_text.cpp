#include "store/number_text.h"

#include <algorithm>
#include <cmath>

namespace store {

namespace {

bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Beyond this an exponent says nothing more: any non-zero digit is out of every range.
constexpr std::int64_t kExponentCap = 1'000'000'000;

}  // namespace

std::optional<DecimalText> readDecimalText(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    DecimalText number;
    number.digits.reserve(n);
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        number.negative = t[i] == u'-';
        ++i;
    }

    // Integer part: digits, with dots only between groups of three.
    int digits = 0;
    int sinceDot = -1;  // digits after the last dot, -1 before any dot
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            number.digits += c;
            ++digits;
            if (sinceDot >= 0)
                ++sinceDot;
        } else if (c == u'.') {
            if (digits == 0 || (sinceDot >= 0 && sinceDot != 3))
                return std::nullopt;
            if (sinceDot < 0 && digits > 3)
                return std::nullopt;
            sinceDot = 0;
        } else {
            break;
        }
    }
    if (sinceDot >= 0 && sinceDot != 3)
        return std::nullopt;

    std::int64_t fraction = 0;
    if (i < n && t[i] == u',') {
        for (++i; i < n && isAsciiDigit(t[i]); ++i, ++fraction)
            number.digits += t[i];
    }
    if (number.digits.isEmpty())
        return std::nullopt;

    std::int64_t exponent = 0;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            negativeExponent = t[i++] == u'-';
        int expDigits = 0;
        for (; i < n && isAsciiDigit(t[i]); ++i, ++expDigits)
            exponent = std::min(exponent * 10 + (t[i].unicode() - u'0'), kExponentCap);
        if (expDigits == 0)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return std::nullopt;
    number.exponent = exponent - fraction;
    return number;
}

std::optional<double> readRegionalNumber(const QString& text) {
    const std::optional<DecimalText> number = readDecimalText(text);
    if (!number)
        return std::nullopt;
    // The C locale's spelling of the same digits, which the conversion rounds once.
    const QString plain = (number->negative ? QStringLiteral("-") : QString()) + number->digits +
                          u'e' + QString::number(number->exponent);
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// Inserts a dot between every group of three integer digits.
QString grouped(const QString& integerDigits) {
    QString out;
    out.reserve(integerDigits.size() + integerDigits.size() / 3);
    const qsizetype n = integerDigits.size();
    for (qsizetype k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0)
            out += u'.';
        out += integerDigits[k];
    }
    return out;
}

}  // namespace

QString formatFixed(double value, int decimals, bool withGroups) {
    if (!std::isfinite(value))
        return QString();
    // Round on the decimal form with 15 significant digits, so that 2.675 (stored as
    // 2.67499999...) rounds as the user reads it, half away from zero.
    const QString sci = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde±x
    const qsizetype ePos = sci.indexOf(u'e');
    QString mantissa = sci.left(ePos);
    mantissa.remove(u'.');
    const int exponent = sci.mid(ePos + 1).toInt();

    // digits[k] has weight 10^(exponent - k); pad so the integer part and the wanted
    // decimals exist.
    QString digits = mantissa;
    int pointAt = exponent + 1;  // number of integer digits in `digits`
    if (pointAt <= 0) {
        digits.prepend(QString(1 - pointAt, u'0'));
        pointAt = 1;
    }
    const qsizetype needed = pointAt + decimals + 1;
    if (digits.size() < needed)
        digits.append(QString(needed - digits.size(), u'0'));

    // Half away from zero on the magnitude.
    QString kept = digits.left(pointAt + decimals);
    if (digits[pointAt + decimals] >= u'5') {
        qsizetype k = kept.size() - 1;
        while (k >= 0 && kept[k] == u'9')
            kept[k--] = u'0';
        if (k >= 0) {
            kept[k] = QChar(kept[k].unicode() + 1);
        } else {
            kept.prepend(u'1');
            ++pointAt;
        }
    }
    QString integerPart = kept.left(pointAt);
    while (integerPart.size() > 1 && integerPart[0] == u'0')
        integerPart.remove(0, 1);
    const QString fractionPart = kept.mid(pointAt);

    QString out = withGroups ? grouped(integerPart) : integerPart;
    if (decimals > 0)
        out += u',' + fractionPart;
    const bool isZero = std::all_of(kept.begin(), kept.end(), [](QChar c) { return c == u'0'; });
    if (value < 0 && !isZero)
        out.prepend(u'-');
    return out;
}

QString formatGeneral(double value) {
    if (!std::isfinite(value))
        return QString();
    // A spreadsheet's general format shows at most ten significant digits before it
    // switches to scientific notation; 15 significant digits keep stored values exact.
    QString s = QString::number(value, 'g', 15);
    if (s.contains(u'e')) {
        const qsizetype ePos = s.indexOf(u'e');
        QString mant = s.left(ePos);
        const int exp = s.mid(ePos + 1).toInt();
        s = mant.replace(u'.', u',') + (exp < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
            QStringLiteral("%1").arg(std::abs(exp), 2, 10, QChar(u'0'));
        return s;
    }
    return s.replace(u'.', u',');
}

}  // namespace store
