#include "store/typed_entry.h"

#include <QStringList>

#include "store/number_format.h"
#include "store/number_text.h"

namespace store {

QString italianDateText(const QDate& date) {
    return date.toString(u"dd/MM/yyyy");
}

std::optional<QDate> readItalianDate(const QString& text) {
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3];
    for (int k = 0; k < 3; ++k) {
        const QString& p = parts[k];
        const int maxLength = k == 2 ? 4 : 2;
        if (p.isEmpty() || p.size() > maxLength)
            return std::nullopt;
        for (QChar c : p)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        numbers[k] = p.toInt();
    }
    // Two-digit years as a spreadsheet reads them: 00..29 this century, 30..99 the last.
    int year = numbers[2];
    if (parts[2].size() <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, numbers[1], numbers[0]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

TypedEntry interpretTyped(const QString& typed, bool date1904) {
    if (typed.isEmpty())
        return {};
    if (const auto number = readRegionalNumber(typed)) {
        const QString t = typed.trimmed();
        const bool grouped = t.contains(u'.');
        const qsizetype comma = t.indexOf(u',');
        const bool decimals = comma >= 0 && comma + 1 < t.size();
        QString format;
        if (grouped)
            format = decimals ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
        return {Value::number(*number), format};
    }
    if (const auto date = readItalianDate(typed)) {
        const double serial = serialOfDate(*date, date1904);
        if (serial >= (date1904 ? 0 : 1))
            return {Value::number(serial), QStringLiteral("dd/mm/yyyy")};
    }
    return {Value::text(typed), QString()};
}

std::optional<QDate> dateOfCell(const Value& value, bool date1904) {
    if (value.isNumber())
        return dateOfSerial(*value.toNumber(), date1904);
    if (value.isText())
        return readItalianDate(value.toString());
    return std::nullopt;
}

}  // namespace store
