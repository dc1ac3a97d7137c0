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

QString foreignWithholdingFault(const QString& country, Amount withholding) {
    if (country == kItaly || withholding.isZero())
        return {};
    return QStringLiteral(
               "il cliente è all'estero (%1): non è un sostituto d'imposta italiano e non "
               "applica la ritenuta d'acconto: scegliere \"*\" come ritenuta")
        .arg(country);
}

QString foreignConsumerOutsideVatFault(const QString& country, const QString& foreignVat,
                                       const QString& nature) {
    if (country == kItaly || !foreignVat.trimmed().isEmpty() || nature != kOutsideVatAbroad)
        return {};
    return QStringLiteral(
               "il cliente è all'estero (%1) senza partita IVA: la Natura N2.1 (art. 7-ter DPR "
               "633/72, fuori campo IVA) è per le imprese estere, a un privato i servizi si "
               "fatturano con l'IVA italiana (art. 7 DPR 633/72): scegliere l'aliquota IVA, "
               "o indicare la partita IVA estera nei Codici Fattura Elettronica")
        .arg(country);
}

QString stampDutyNotDueFault(Amount withoutVat, bool stampDutyCharged) {
    if (!stampDutyCharged || withoutVat > kStampDutyThreshold)
        return {};
    return QStringLiteral(
        "il rimborso dell'imposta di bollo è addebitato, ma gli importi senza IVA non "
        "superano 77,47: il bollo non è dovuto");
}

namespace {

Amount withoutVat(const QString& vat, const QString& totalTaxable, const QString& exempt) {
    return (shown(vat).isZero() ? shown(totalTaxable) : Amount()) + shown(exempt);
}

}  // namespace

QString stampDutyNotDueFault(const InvoiceAmounts& f) {
    return stampDutyNotDueFault(withoutVat(f.vat, f.totalTaxable, f.exempt), f.stampDutyCharged);
}

void addStoredFacts(store::Workbook& book, const QString& clientId, const QString& exemption,
                    RegistrationFacts& facts) {
    const auto sheet = book.sheet(kEinvoiceCodesSheet);
    if (!sheet)
        return;
    const EinvoiceCodes codes(*sheet);
    const ClientAddressing addressing = codes.addressing(clientId.trimmed());
    facts.clientCountry = addressing.country;
    facts.clientForeignVat = addressing.foreignVat;
    facts.exemptionNature = codes.codes(CodedList::Exemption, exemption.trimmed()).code;
}

RegistrationCheck checkRegistration(const RegistrationFacts& facts) {
    RegistrationCheck check;
    const Amount withholding = shown(facts.withholding);
    const Amount vat = shown(facts.vat);
    QStringList faults = regimeFaults(facts.taxRegime, vat, withholding);
    for (const QString& fault :
         {foreignWithholdingFault(facts.clientCountry, withholding),
          stampDutyNotDueFault(withoutVat(facts.vat, facts.totalTaxable, facts.exempt),
                               facts.stampDutyCharged)})
        if (!fault.isEmpty())
            faults << fault;
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
    const QString consumerAbroad =
        foreignConsumerOutsideVatFault(facts.clientCountry, facts.clientForeignVat,
                                       vat.isZero() ? facts.exemptionNature : QString());
    if (!consumerAbroad.isEmpty())
        check.question =
            QStringLiteral(
                "Il cliente è all'estero (%1) e non ha partita IVA estera: se è un privato, i "
                "servizi si fatturano con l'IVA italiana (art. 7 DPR 633/72); la voce di esenzione "
                "con Natura N2.1 (art. 7-ter) vale solo per le imprese estere.\n"
                "Registrare la fattura fuori campo IVA ?")
                .arg(facts.clientCountry);
    else if (!withholding.isZero() && facts.clientVatNumber.trimmed().isEmpty())
        check.question = QStringLiteral(
            "Il cliente non ha partita IVA: la ritenuta d'acconto si applica solo se è un "
            "sostituto d'imposta (un condominio, un ente non commerciale), mai a un privato.\n"
            "Registrare la fattura con la ritenuta ?");
    return check;
}

}  // namespace registers
