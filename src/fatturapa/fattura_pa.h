#pragma once

// One electronic invoice in the FatturaPA format (FPR12, invoice to a private
// party, schema 1.2): what the file holds, and the file written with Qt's XML stream
// writer. Amounts are written with two decimals and a point, rates likewise.

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

#include "registers/amount.h"
#include "registers/invoice_extras.h"

namespace fatturapa {

using registers::Amount;
using registers::Rate;

struct Party {
    QString name;
    // Eleven digits in Italy; abroad the identifier the party's country gave it.
    QString vatNumber;  // or empty
    QString taxCode;    // or empty
    QString address;
    QString postalCode;
    QString town;
    QString province;
    QString country = QStringLiteral("IT");  // ISO 3166 alpha-2
    // A person is written by surname and given name; a company or a trade name by
    // its name alone (both empty).
    QString surname = {};
    QString givenName = {};
};

// A line of the invoice; `nature` is set exactly when the VAT rate is 0.
struct Line {
    QString description;
    Amount amount;
    Rate vatRate;
    QString nature;
    bool withheld = false;
};

// The social-security surcharge (rivalsa INPS / cassa).
struct Cassa {
    QString type;  // TC01..TC22
    Rate rate;
    Amount amount;
    Amount base;
    Rate vatRate;
    QString nature;
    // The INPS separate-scheme surcharge bears the withholding with the fee.
    bool withheld = false;
};

// One VAT summary: a rate (and Natura at 0 %) with its taxable amount and tax.
struct Summary {
    Rate vatRate;
    QString nature;
    Amount taxable;
    Amount tax;
    QString legalReference;  // the exemption item, for a Natura
};

struct Withholding {
    QString type;  // RT01..RT06
    Amount amount;
    Rate rate;
    QString reason;  // A, B, ...
};

struct Payment {
    QString method;  // MP01..MP23
    Amount amount;
    QString iban;  // or empty
    QDate due;
};

struct Document {
    QString transmitterId;  // the sender's identifier, as in the file name
    QString progressive;    // five characters
    QString recipientCode;  // seven characters; XXXXXXX for a client abroad
    QString recipientPec;   // or empty
    Party supplier;
    QString taxRegime;  // RF01..RF19
    Party customer;
    QDate date;
    QString number;
    // A credit note (TD04) names the invoice it corrects; an invoice (TD01) has none.
    std::optional<registers::CorrectedInvoice> corrects;
    std::optional<Withholding> withholding;
    bool stampDuty = false;
    std::optional<Cassa> cassa;
    Amount total;
    std::vector<Line> lines;
    std::vector<Summary> summaries;
    std::optional<Payment> payment;
};

using registers::kStampDuty;
using registers::kStampDutyThreshold;

// "1068.80": two decimals and a point, no grouping.
QString xmlAmount(Amount amount);
// "22.00"; none when the rate needs more than two decimals.
std::optional<QString> xmlRate(const Rate& rate);

// The progressive as five characters in base 36: 1 is "00001", 10 "0000A", 36
// "00010", so sixty million files get names of their own.
// The recipient code of a client abroad, whom the Sistema di Interscambio does not
// deliver to.
inline const QString kForeignRecipientCode = QStringLiteral("XXXXXXX");
// IdCodice of a client abroad that has no VAT number.
inline const QString kNoForeignVatNumber = QStringLiteral("99999999999");
// CAP of an address abroad.
inline const QString kForeignPostalCode = QStringLiteral("00000");

inline constexpr qint64 kLastProgressive = 36LL * 36 * 36 * 36 * 36 - 1;
QString progressiveText(qint64 progressive);
// The progressive a name written by fileName() carries; none for other names.
std::optional<qint64> progressiveOf(const QString& fileName, const QString& senderId);
// IT + the sender's identifier + "_" + the progressive + ".xml".
QString fileName(const QString& senderId, const QString& progressive);

// The file's bytes, UTF-8. The document must have passed checkDocument().
QByteArray writeFatturaPA(const Document& document);

}  // namespace fatturapa
