#include "fatturapa/tax_identifiers.h"

#include <QRegularExpression>

namespace fatturapa {

namespace {

// Values of a character in an odd position (1st, 3rd, ...) of a codice fiscale,
// digits and letters alike: A/0 = 1, B/1 = 0, C/2 = 5, ...
constexpr int kOddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

int evenValue(QChar c) {
    return c.isDigit() ? c.digitValue() : c.unicode() - 'A';
}

int oddValue(QChar c) {
    return kOddValues[c.isDigit() ? c.digitValue() : c.unicode() - 'A'];
}

}  // namespace

bool isValidVatNumber(const QString& vatNumber) {
    static const QRegularExpression elevenDigits(QStringLiteral("^[0-9]{11}$"));
    if (!elevenDigits.match(vatNumber).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int digit = vatNumber[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return (10 - sum % 10) % 10 == vatNumber[10].digitValue();
}

bool isValidTaxCode(const QString& taxCode) {
    if (taxCode.size() == 11)
        return isValidVatNumber(taxCode);
    // Letters where a code clash (omocodia) replaced digits: L M N P Q R S T U V.
    static const QRegularExpression person(QStringLiteral(
        "^[A-Z]{6}[0-9LMNP-V]{2}[A-EHLMPR-T][0-9LMNP-V]{2}[A-Z][0-9LMNP-V]{3}[A-Z]$"));
    if (!person.match(taxCode).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 15; ++i)
        sum += i % 2 == 0 ? oddValue(taxCode[i]) : evenValue(taxCode[i]);
    return taxCode[15].unicode() == 'A' + sum % 26;
}

}  // namespace fatturapa
