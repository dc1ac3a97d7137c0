#pragma once

// What an invoice may carry under the user's tax regime, and what "Registra" checks
// beyond the required fields before an invoice is written: the same rules refuse an
// invoice at registration and at the electronic invoice's export. Widget-free.

#include <QString>
#include <QStringList>

#include "registers/amount.h"

namespace store {
class Workbook;
}

namespace registers {

inline const QString kFlatRateRegime = QStringLiteral("RF19");

// The flat-rate regime charges no VAT and suffers no withholding: one line for each
// of the two the invoice carries; none under any other regime.
QStringList regimeFaults(const QString& taxRegime, Amount vat, Amount withholding);

// The user's tax regime as the codes sheet keeps it; ordinary when there is none.
QString taxRegimeOf(store::Workbook& book);

// What "Registra" knows of the invoice, the amounts as the window shows them.
struct RegistrationFacts {
    QString taxRegime;
    QString vat;
    QString withholding;
    QString clientVatNumber;  // empty for a client without one
    QString totalTaxable = {};
    QString exempt = {};
    bool stampDutyCharged = false;
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

// A withholding on a client without a VAT number asks: a private person is no
// withholding agent, but a condominium or a non-commercial body with a fiscal code
// alone is, so it stays possible.
RegistrationCheck checkRegistration(const RegistrationFacts& facts);

}  // namespace registers
