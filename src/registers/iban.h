#pragma once

// The IBAN of a bank account as the user data keep it: written without blanks, upper
// case, and checked by its two control digits (ISO 13616, remainder 97).

#include <QString>

namespace registers {

// The longest IBAN of any country.
inline constexpr int kIbanMaxLength = 34;

// What of `typed` enters an IBAN: letters (upper case) and digits; the blanks of its
// printed form ("IT60 X054 ...") and anything else stay out.
QString ibanCharacters(const QString& typed);

// True when `iban` (without blanks) has a country, two control digits and an account
// part of 11 to 30 letters or digits, and its control digits agree with the rest.
bool isValidIban(const QString& iban);

}  // namespace registers
