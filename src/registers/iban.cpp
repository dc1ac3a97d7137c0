#include "registers/iban.h"

namespace registers {

namespace {

bool isAsciiLetter(QChar c) {
    return c >= u'A' && c <= u'Z';
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

QString ibanCharacters(const QString& typed) {
    QString kept;
    for (const QChar c : typed.toUpper()) {
        if (isAsciiLetter(c) || isAsciiDigit(c))
            kept += c;
    }
    return kept;
}

bool isValidIban(const QString& iban) {
    if (iban.size() < 15 || iban.size() > kIbanMaxLength)
        return false;
    if (!isAsciiLetter(iban[0]) || !isAsciiLetter(iban[1]) || !isAsciiDigit(iban[2]) ||
        !isAsciiDigit(iban[3]))
        return false;
    // The first four characters move to the end, each letter counts as 10..35, and the
    // whole number leaves 1 when divided by 97; it is reduced digit by digit.
    const QString moved = iban.mid(4) + iban.left(4);
    int remainder = 0;
    for (const QChar c : moved) {
        if (isAsciiDigit(c)) {
            remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
        } else if (isAsciiLetter(c)) {
            remainder = (remainder * 100 + (c.unicode() - u'A' + 10)) % 97;
        } else {
            return false;
        }
    }
    return remainder == 1;
}

}  // namespace registers
