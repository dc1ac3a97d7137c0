#pragma once

// What an invoice may carry under the user's tax regime, and what "Registra" checks
// beyond the required fields before an invoice is written: the same rules refuse an
// invoice at registration and at the electronic invoice's export. Widget-free.

#include <QString>
#include <QStringList>

#include "registers/amount.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_amounts.h"

namespace store {
class Workbook;
}

namespace registers {

inline const QString kFlatRateRegime = QStringLiteral("RF19");
// The Natura of services to a business abroad, outside Italian VAT (art. 7-ter).
inline const QString kOutsideVatAbroad = QStringLiteral("N2.1");

// The flat-rate regime charges no VAT and suffers no withholding: one line for each
// of the two the invoice carries; none under any other regime.
QStringList regimeFaults(const QString& taxRegime, Amount vat, Amount withholding);

// The user's tax regime as the codes sheet keeps it; ordinary when there is none.
QString taxRegimeOf(store::Workbook& book);

// A client abroad is no Italian withholding agent (art. 25 DPR 600/73 names the
// subjects resident in Italy): no withholding on its invoices. Services to a client
// abroad are outside Italian VAT by art. 7-ter DPR 633/72 only when the client is a
// business (N2.1); a private person abroad pays Italian VAT, the general rule of
// art. 7. `country` is the client's (ISO 3166), `foreignVat` the identifier its
// country gave it; `nature` the Natura of the invoice's exemption item, when the
// invoice has no VAT. The export refuses on either line; "Registra" refuses the
// first and asks about the second (the business may not have said its number yet).
QString foreignWithholdingFault(const QString& country, Amount withholding);
QString foreignConsumerOutsideVatFault(const QString& country, const QString& foreignVat,
                                       const QString& nature);

// The stamp-duty refund is charged, but the amounts without VAT do not exceed
// 77,47 (art. 13 of the tariff of DPR 642/72): the duty is not due, so it is no
// refund either. The same line the export refuses with; empty when it is due.
QString stampDutyNotDueFault(Amount withoutVat, bool stampDutyCharged);
// The same for the amounts the entry window shows: without VAT are the total
// taxable of an invoice with no VAT, and the exempt amount.
QString stampDutyNotDueFault(const InvoiceAmounts& amounts);

// What "Registra" knows of the invoice, the amounts as the window shows them.
struct RegistrationFacts {
    QString taxRegime;
    QString vat;
    QString withholding;
    QString clientVatNumber;  // empty for a client without one
    QString totalTaxable = {};
    QString exempt = {};
    bool stampDutyCharged = false;
    QString clientCountry = kItaly;
    QString clientForeignVat = {};
    QString exemptionNature = {};  // the Natura coded for the exemption item
};

// A refusal ends the registration with its message and writes nothing; a question
// must be answered Yes for the registration to go on. Either may be empty.
struct RegistrationCheck {
    QString refusal;
    QString question;
    // Under the flat-rate regime, amounts without VAT above 77,47 owe the stamp duty:
    // the user is offered to charge it to the client (No registers without it).
    QString stampDutyProposal = {};
    bool operator==(const RegistrationCheck&) const = default;
};

// A withholding on an Italian client without a VAT number asks: a private person is
// no withholding agent, but a condominium or a non-commercial body with a fiscal
// code alone is, so it stays possible.
RegistrationCheck checkRegistration(const RegistrationFacts& facts);

// The facts of the store about the client `clientId` (its country and foreign
// identifier) and the exemption item (its Natura), added to `facts`.
void addStoredFacts(store::Workbook& book, const QString& clientId, const QString& exemption,
                    RegistrationFacts& facts);

}  // namespace registers
