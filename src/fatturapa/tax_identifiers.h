#pragma once

// The Italian tax identifiers and their check characters: the partita IVA (eleven
// digits, the last a Luhn-style check digit) and the codice fiscale (sixteen
// characters, the last a check letter; or eleven digits for a company, checked as a
// partita IVA).

#include <QString>

namespace fatturapa {

bool isValidVatNumber(const QString& vatNumber);
bool isValidTaxCode(const QString& taxCode);

}  // namespace fatturapa
