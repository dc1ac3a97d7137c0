#pragma once

// What the Agenzia delle Entrate would reject, checked before a file is written:
// the parties' identifiers and addresses, the texts the format accepts, and the
// checks of the Sistema di Interscambio on the amounts. Each fault is one plain
// Italian line telling the user what to fix.

#include <QString>
#include <QStringList>

#include <optional>

#include "fatturapa/fattura_pa.h"
#include "registers/einvoice_codes.h"

namespace fatturapa {

// Whose data a party is, for the messages: "del cliente ROSSI" / "dell'utente".
struct PartyRole {
    QString owner;  // "del cliente ROSSI SRL", "nei Dati Anagrafici Utente"
    bool needsVatNumber = false;
};

// The text as the format takes it: typographic quotes and dashes become their plain
// forms, "€" becomes "EUR", control characters other than line breaks and tabs go;
// none when a character outside Latin-1 remains.
std::optional<QString> latinText(const QString& text);
// "<what> contiene il carattere "→" (U+2192), ..." for the first character that has
// no form in the format's Latin texts; empty when every character has one.
QString foreignCharacterFault(const QString& text, const QString& what);

// The longest texts the format takes: a name (Denominazione), an address or a town,
// a line's description.
inline constexpr int kNameLimit = 80;
inline constexpr int kAddressLimit = 60;
inline constexpr int kDescriptionLimit = 1000;
// How the faults name the invoice's description and a party's name.
inline const QString kDescriptionWhat = QStringLiteral("la descrizione");
inline const QString kNameWhat = QStringLiteral("la ragione sociale ");

// The line that refuses `text` as the file's `what`: a character the format has no
// form for, or more than `limit` characters once in its Latin form; empty when the
// text goes into the file (an empty text included).
QString textFault(const QString& text, const QString& what, int limit);

QStringList partyFaults(const Party& party, const PartyRole& role);

// A recipient code of seven letters and digits, and a PEC that is an e-mail address
// by the schema's pattern, given only with the code 0000000. The export and the
// codes window's "Salva" both check with this.
QStringList addressingFaults(const QString& recipientCode, const QString& pec,
                             const QString& clientName);

// Where a client is: a known country; abroad, a VAT number of letters and digits in
// the form of its country's (or none), no province on the address, and neither a
// recipient code nor a PEC (the file goes to XXXXXXX); in Italy, no foreign VAT
// number. Any postal code abroad is the foreign one: the file carries CAP 00000 and
// the postal code before the town. The export and the codes window's "Salva" both
// check with this.
QStringList clientPlaceFaults(const registers::ClientAddressing& addressing,
                              const QString& province, const QString& clientName);

// The checks of the Sistema di Interscambio on the amounts and codes: each summary's
// taxable amount equals its lines and cassa, its tax is the rate of it (to the
// cent), a Natura is present exactly when the VAT rate is 0, the withholding data is
// present exactly when a line or the cassa is subject to it and is its rate of
// them, every rate fits two decimals, every code is an official one.
QStringList documentFaults(const Document& document);

// The last net before writing: every text of the document against the schema's own
// pattern for it (lengths, the Latin character set, codes, e-mail, IBAN). The checks
// above give the friendlier message first; this one catches what they let through.
QStringList schemaFaults(const Document& document);

}  // namespace fatturapa
