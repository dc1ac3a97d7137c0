#include "registers/registration_checks.h"

#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "store/workbook.h"

namespace registers {

namespace {

// An amount the window shows; one that does not read as a number charges nothing.
Amount shown(const QString& text) {
    return Amount::parse(text).value_or(Amount());
}

}  // namespace

QStringList regimeFaults(const QString& taxRegime, Amount vat, Amount withholding) {
    QStringList faults;
    if (taxRegime != kFlatRateRegime)
        return faults;
    if (!vat.isZero())
        faults << QStringLiteral(
                      "con il regime forfettario (RF19) la fattura non ha IVA, ma l'IVA è %1: "
                      "scegliere \"*\" come IVA e la voce di esenzione del regime")
                      .arg(vat.text());
    if (!withholding.isZero())
        faults << QStringLiteral(
                      "con il regime forfettario (RF19) la fattura non ha ritenuta d'acconto, "
                      "ma la ritenuta è %1: scegliere \"*\" come ritenuta")
                      .arg(withholding.text());
    return faults;
}

QString taxRegimeOf(store::Workbook& book) {
    const auto sheet = book.sheet(kEinvoiceCodesSheet);
    return sheet ? EinvoiceCodes(*sheet).taxRegime() : kOrdinaryRegime;
}

RegistrationCheck checkRegistration(const RegistrationFacts& facts) {
    RegistrationCheck check;
    const Amount withholding = shown(facts.withholding);
    const QStringList faults = regimeFaults(facts.taxRegime, shown(facts.vat), withholding);
    if (!faults.isEmpty()) {
        check.refusal = QStringLiteral("La fattura non è stata registrata:\n- ") +
                        faults.join(QStringLiteral("\n- "));
        return check;
    }
    if (facts.taxRegime == kFlatRateRegime && !facts.stampDutyCharged &&
        shown(facts.totalTaxable) + shown(facts.exempt) > kStampDutyThreshold)
        check.stampDutyProposal = QStringLiteral(
            "La fattura supera 77,47 senza IVA: è dovuta l'imposta di bollo di 2,00.\n"
            "Addebitarla al cliente come rimborso ?");
    if (!withholding.isZero() && facts.clientVatNumber.trimmed().isEmpty())
        check.question = QStringLiteral(
            "Il cliente non ha partita IVA: la ritenuta d'acconto si applica solo se è un "
            "sostituto d'imposta (un condominio, un ente non commerciale), mai a un privato.\n"
            "Registrare la fattura con la ritenuta ?");
    return check;
}

}  // namespace registers
