#include "store/number_format.h"

#include <QLocale>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>

#include "store/number_text.h"
#include "xls/workbook.h"

namespace store {

namespace {

const QDate kEpoch1900(1899, 12, 30);  // serial 0 for dates from 01/03/1900 on
const QDate kEpoch1904(1904, 1, 1);
constexpr double kMaxSerial1900 = 2958465;  // 31/12/9999

// Splits a code into its sections at the ";" that are not quoted or escaped.
QStringList sections(const QString& code) {
    QStringList out;
    QString current;
    bool inQuote = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (inQuote) {
            inQuote = c != u'"';
        } else if (c == u'"') {
            inQuote = true;
        } else if (c == u'\\' && i + 1 < code.size()) {
            current += c;
            current += code[++i];
            continue;
        } else if (c == u';') {
            out << current;
            current.clear();
            continue;
        }
        current += c;
    }
    out << current;
    return out;
}

// A section cut into literal text and format characters.
struct Token {
    bool literal = false;
    QString text;
};

// The currency symbol of "[$€-410]", nothing for "[Red]" and conditions.
QString bracketLiteral(const QString& inner) {
    if (!inner.startsWith(u'$'))
        return QString();
    const qsizetype dash = inner.indexOf(u'-');
    return inner.mid(1, dash < 0 ? -1 : dash - 1);
}

std::vector<Token> tokenize(const QString& section) {
    std::vector<Token> tokens;
    auto literal = [&](const QString& s) {
        if (s.isEmpty())
            return;
        if (!tokens.empty() && tokens.back().literal)
            tokens.back().text += s;
        else
            tokens.push_back({true, s});
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            literal(section.mid(i + 1, end < 0 ? -1 : end - i - 1));
            if (end < 0)
                break;
            i = end;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                literal(QString(section[++i]));
        } else if (c == u'_') {
            ++i;  // room for a character: one blank shows it
            literal(QStringLiteral(" "));
        } else if (c == u'*') {
            ++i;  // fill to the cell's width: nothing in a text
        } else if (c == u'[') {
            const qsizetype end = section.indexOf(u']', i);
            if (end < 0)
                break;
            const QString inner = section.mid(i + 1, end - i - 1);
            const QString lower = inner.toLower();
            if (lower == u"h" || lower == u"hh" || lower == u"m" || lower == u"mm" ||
                lower == u"s" || lower == u"ss")
                tokens.push_back({false, u'[' + lower + u']'});
            else
                literal(bracketLiteral(inner));
            i = end;
        } else if (QStringLiteral("0#?.,%eE/@").contains(c) || c.isLetter()) {
            tokens.push_back({false, QString(c)});
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

bool isGeneral(const QString& section) {
    return section.trimmed().compare(u"General", Qt::CaseInsensitive) == 0 ||
           section.trimmed().compare(u"Standard", Qt::CaseInsensitive) == 0;
}

QString formatDigits(double value, const std::vector<Token>& tokens) {
    int intZeros = 0, decZeros = 0, decAll = 0, percents = 0, expZeros = 0;
    int scaleCommas = 0, pendingCommas = 0;
    bool afterPoint = false, grouping = false, seenDigit = false, scientific = false;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.literal)
            continue;
        const QChar c = t.text[0];
        if (c == u'0' || c == u'#' || c == u'?') {
            if (pendingCommas && !afterPoint)
                grouping = true;
            pendingCommas = 0;
            seenDigit = true;
            if (scientific)
                expZeros += 1;
            else if (afterPoint) {
                ++decAll;
                if (c != u'#')
                    ++decZeros;
            } else if (c != u'#') {
                ++intZeros;
            }
        } else if (c == u'.') {
            afterPoint = true;
        } else if (c == u',') {
            if (seenDigit)
                ++pendingCommas;
        } else if (c == u'%') {
            ++percents;
        } else if (c == u'e' || c == u'E') {
            scientific = true;
        }
    }
    scaleCommas = pendingCommas;  // commas after the last digit divide by 1000 each
    value *= std::pow(100.0, percents) / std::pow(1000.0, scaleCommas);

    QString number;
    if (scientific) {
        const double a = std::fabs(value);
        const int exp = a == 0 ? 0 : int(std::floor(std::log10(a)));
        const double mantissa = a / std::pow(10.0, exp);
        number = formatFixed(mantissa, decAll, false) + u'E' + (exp < 0 ? u'-' : u'+') +
                 QStringLiteral("%1").arg(std::abs(exp), std::max(expZeros, 1), 10, QChar(u'0'));
    } else {
        number = formatFixed(std::fabs(value), decAll, grouping);
        if (decAll > decZeros) {
            // "#" decimals drop their trailing zeros, down to the "0" ones.
            const qsizetype comma = number.indexOf(u',');
            qsizetype cut = number.size();
            while (cut > comma + 1 + decZeros && number[cut - 1] == u'0')
                --cut;
            if (cut == comma + 1)
                cut = comma;
            number.truncate(cut);
        }
        const qsizetype comma = number.indexOf(u',');
        const QString intPart = comma < 0 ? number : number.left(comma);
        if (intPart == u"0" && intZeros == 0)
            number.remove(0, 1);
        else if (intPart.size() < intZeros)
            number.prepend(QString(intZeros - intPart.size(), u'0'));
    }

    // The number goes where the first digit placeholder stands; literals keep their places.
    QString out;
    bool placed = false;
    for (const Token& t : tokens) {
        if (t.literal) {
            out += t.text;
        } else if (t.text == u"%") {
            out += u'%';
        } else if (!placed && QStringLiteral("0#?.").contains(t.text[0])) {
            out += number;
            placed = true;
        }
    }
    if (!placed)
        out += number;
    return out;
}

QString formatDate(double value, const std::vector<Token>& tokens, bool date1904) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    double day = std::floor(value);
    long long seconds = std::llround((value - day) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += 1;
    }
    const QDate date = dateOfSerial(day, date1904).value_or(QDate(1899, 12, 31));
    const int hour = int(seconds / 3600), minute = int(seconds / 60 % 60),
              second = int(seconds % 60);

    bool twelveHour = false;
    for (std::size_t k = 0; k + 1 < tokens.size(); ++k) {
        const QString& t = tokens[k].text;
        if (!tokens[k].literal && (t == u"A" || t == u"a") &&
            (tokens[k + 1].text == u"M" || tokens[k + 1].text == u"m" ||
             tokens[k + 1].text == u"/"))
            twelveHour = true;
    }

    QString out;
    bool lastWasHour = false;
    for (std::size_t k = 0; k < tokens.size();) {
        const Token& t = tokens[k];
        if (t.literal || t.text.size() != 1) {
            if (t.text == u"[h]" || t.text == u"[hh]") {
                out += QString::number(qint64(day) * 24 + hour);
                lastWasHour = true;
                ++k;
                continue;
            }
            if (t.text == u"[m]" || t.text == u"[mm]")
                out += QString::number((qint64(day) * 24 + hour) * 60 + minute);
            else if (t.text == u"[s]" || t.text == u"[ss]")
                out += QString::number(qint64(std::llround(value * 86400.0)));
            else
                out += t.text;
            ++k;
            continue;
        }
        const QChar c = t.text[0].toLower();
        std::size_t run = 1;
        while (k + run < tokens.size() && !tokens[k + run].literal &&
               tokens[k + run].text.size() == 1 && tokens[k + run].text[0].toLower() == c)
            ++run;
        auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); };
        if (c == u'y') {
            out += run <= 2 ? two(date.year() % 100) : QString::number(date.year());
        } else if (c == u'd') {
            if (run == 1)
                out += QString::number(date.day());
            else if (run == 2)
                out += two(date.day());
            else
                out += italian.dayName(date.dayOfWeek(),
                                       run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        } else if (c == u'h') {
            const int h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += run == 1 ? QString::number(h) : two(h);
            lastWasHour = true;
            k += run;
            continue;
        } else if (c == u'm') {
            // Minutes right after hours or right before seconds; months otherwise.
            bool beforeSeconds = false;
            for (std::size_t j = k + run; j < tokens.size(); ++j) {
                if (tokens[j].literal)
                    continue;
                beforeSeconds = tokens[j].text[0].toLower() == u's';
                break;
            }
            if ((lastWasHour || beforeSeconds) && run <= 2) {
                out += run == 1 ? QString::number(minute) : two(minute);
            } else if (run == 1) {
                out += QString::number(date.month());
            } else if (run == 2) {
                out += two(date.month());
            } else if (run == 3) {
                out += italian.monthName(date.month(), QLocale::ShortFormat);
            } else if (run == 5) {
                out += italian.monthName(date.month(), QLocale::LongFormat).left(1);
            } else {
                out += italian.monthName(date.month(), QLocale::LongFormat);
            }
        } else if (c == u's') {
            out += run == 1 ? QString::number(second) : two(second);
        } else if (c == u'a' && twelveHour) {
            // "AM/PM" or "A/P": five or three tokens.
            const bool full = k + 4 < tokens.size() && tokens[k + 1].text.toLower() == u"m";
            const bool pm = hour >= 12;
            out += full ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                        : (pm ? QStringLiteral("P") : QStringLiteral("A"));
            k += full ? 5 : 3;
            continue;
        } else if (c == u'.' || c == u'0') {
            out += t.text;  // fractions of a second are not kept
        } else {
            out += t.text.repeated(int(run));
        }
        if (c != u' ')
            lastWasHour = false;
        k += run;
    }
    return out;
}

}  // namespace

std::optional<QDate> dateOfSerial(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < (date1904 ? 0 : 1) || serial > kMaxSerial1900)
        return std::nullopt;
    const qint64 days = qint64(std::floor(serial));
    if (date1904)
        return kEpoch1904.addDays(days);
    // Serial 60 is the 29/02/1900 that never was; days before it count from 31/12/1899.
    if (days < 60)
        return QDate(1899, 12, 31).addDays(days);
    if (days == 60)
        return QDate(1900, 2, 28);
    return kEpoch1900.addDays(days);
}

double serialOfDate(const QDate& date, bool date1904) {
    if (date1904)
        return double(kEpoch1904.daysTo(date));
    if (date < QDate(1900, 3, 1))
        return double(QDate(1899, 12, 31).daysTo(date));
    return double(kEpoch1900.daysTo(date));
}

QString formatNumber(double value, const QString& code, bool date1904) {
    if (!std::isfinite(value))
        return xls::errorText(std::uint8_t(xls::ErrorCode::Num));
    const QStringList parts = sections(code);
    QString section = parts[0];
    bool showMinus = value < 0;
    if (value < 0 && parts.size() >= 2 && !parts[1].isEmpty()) {
        section = parts[1];
        showMinus = false;
    } else if (value == 0 && parts.size() >= 3) {
        section = parts[2];
    }
    if (section.isEmpty() || isGeneral(section) || section.trimmed() == u"@") {
        return formatGeneral(showMinus ? value : std::fabs(value));
    }
    const std::vector<Token> tokens = tokenize(section);
    if (xls::isDateFormat(section)) {
        if (value < 0)
            return formatGeneral(value);
        return formatDate(value, tokens, date1904);
    }
    const QString general = QStringLiteral("General");
    if (section.contains(general, Qt::CaseInsensitive)) {
        QString s = section;
        return (showMinus ? QStringLiteral("-") : QString()) +
               formatText(formatGeneral(std::fabs(value)),
                          s.replace(general, QStringLiteral("@"), Qt::CaseInsensitive));
    }
    const QString digits = formatDigits(std::fabs(value), tokens);
    // A negative that rounds to zero shows no minus.
    const bool nonZero =
        std::any_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    return showMinus && nonZero ? u'-' + digits : digits;
}

QString formatText(const QString& text, const QString& code) {
    const QStringList parts = sections(code);
    QString section;
    if (parts.size() >= 4) {
        section = parts[3];
    } else if (parts.size() == 1 && parts[0].contains(u'@')) {
        section = parts[0];
    } else {
        return text;
    }
    QString out;
    for (const Token& t : tokenize(section))
        out += t.literal ? t.text : (t.text == u"@" ? text : QString());
    return out;
}

}  // namespace store
