#pragma once

// The tax identifiers a party carries and their checks, one implementation for the
// windows where they are typed and for the export. In Italy: the partita IVA (eleven
// digits, the last a Luhn-style check digit) and the codice fiscale (sixteen
// characters, the last a check letter, omocodia letters allowed; or eleven digits for
// a company, checked as a partita IVA). Abroad: the VAT number its own country gave,
// with that country's VAT prefix, which is not always its ISO code (EL for Greece,
// CHE for a Swiss UID, XI for Northern Ireland), and for the countries of the EU
// the length and characters each one publishes.

#include <QString>
#include <QStringList>

#include <optional>

namespace fatturapa {

bool isValidVatNumber(const QString& vatNumber);
bool isValidTaxCode(const QString& taxCode);

// One line for each Italian identifier that is given and wrong, naming whose it is
// (`owner`: "del cliente ROSSI SRL", "dell'utente"); none when both are right or empty.
QStringList italianIdentifierFaults(const QString& vatNumber, const QString& taxCode,
                                    const QString& owner);

// A person's surname and given name.
struct PersonName {
    QString surname;
    QString givenName;
    bool operator==(const PersonName&) const = default;
};

// A party whose codice fiscale is a person's (sixteen characters) is a person: its
// name, "ROSSI MARIO" or "MARIO ROSSI", is split where the first six characters of
// the code, the surname's three and the given name's three, agree with the two
// parts. None for a company's code, or when no split agrees (a trade name).
std::optional<PersonName> personName(const QString& name, const QString& taxCode);

// The prefix the country's VAT numbers carry: "EL" for GR, "CHE" for CH, the
// country code itself elsewhere.
QString vatPrefix(const QString& country);

// `vatNumber` without its country's VAT prefix; as it is when it has none, or when
// nothing would be left. "DE123456789" for DE gives "123456789"; "CHE123456789"
// for CH "123456789"; "DE123456789" for AT stays as it is.
QString withoutVatPrefix(const QString& country, const QString& vatNumber);

// The fault of a foreign VAT number for its country, naming the country and the
// form its numbers have; empty when it has that form, or when the country's form is
// not one the program knows (outside the EU and Switzerland: letters and digits).
QString foreignVatFault(const QString& country, const QString& vatNumber,
                        const QString& clientName);

}  // namespace fatturapa
