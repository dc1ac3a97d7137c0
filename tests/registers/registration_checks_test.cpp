// What "Registra" refuses or asks before an invoice is written, by the user's tax
// regime and the client: each row is an invoice a user is about to register.
#include "registers/registration_checks.h"

#include <gtest/gtest.h>

namespace {

using registers::RegistrationCheck;

const QString kFlatRateVat = QStringLiteral(
    "con il regime forfettario (RF19) la fattura non ha IVA, ma l'IVA è 220,00: scegliere \"*\" "
    "come IVA e la voce di esenzione del regime");
const QString kFlatRateWithholding = QStringLiteral(
    "con il regime forfettario (RF19) la fattura non ha ritenuta d'acconto, ma la ritenuta è "
    "200,00: scegliere \"*\" come ritenuta");
const QString kNoVatNumberQuestion = QStringLiteral(
    "Il cliente non ha partita IVA: la ritenuta d'acconto si applica solo se è un sostituto "
    "d'imposta (un condominio, un ente non commerciale), mai a un privato.\n"
    "Registrare la fattura con la ritenuta ?");

const QString kRefused = QStringLiteral("La fattura non è stata registrata:\n- ");
const QString kAbroadWithholding = QStringLiteral(
    "il cliente è all'estero (DE): non è un sostituto d'imposta italiano e non applica la "
    "ritenuta d'acconto: scegliere \"*\" come ritenuta");
const QString kConsumerAbroadQuestion = QStringLiteral(
    "Il cliente è all'estero (BE) e non ha partita IVA estera: se è un privato, i servizi si "
    "fatturano con l'IVA italiana (art. 7 DPR 633/72); la voce di esenzione con Natura N2.1 "
    "(art. 7-ter) vale solo per le imprese estere.\nRegistrare la fattura fuori campo IVA ?");
const QString kStampNotDue = QStringLiteral(
    "il rimborso dell'imposta di bollo è addebitato, ma gli importi senza IVA non superano "
    "77,47: il bollo non è dovuto");

struct Row {
    const char* what;
    registers::RegistrationFacts facts;
    RegistrationCheck expected;
};

TEST(RegistrationChecks, RefuseOrAskByRegimeAndClient) {
    const QString refusedBoth = QStringLiteral("La fattura non è stata registrata:\n- ") +
                                kFlatRateVat + QStringLiteral("\n- ") + kFlatRateWithholding;
    const Row rows[] = {
        {"ordinary, company", {"RF01", "220,00", "200,00", "01234567897"}, {}},
        {"ordinary, no withholding, private", {"RF01", "220,00", "0", ""}, {}},
        {"ordinary, withholding, no VAT number",
         {"RF01", "220,00", "200,00", ""},
         {{}, kNoVatNumberQuestion}},
        {"ordinary, withholding, blank VAT number",
         {"RF01", "220,00", "200,00", "  "},
         {{}, kNoVatNumberQuestion}},
        {"flat rate, clean", {"RF19", "0", "0", ""}, {}},
        {"flat rate, VAT 0,00", {"RF19", "0,00", "0", "01234567897"}, {}},
        {"flat rate with VAT and withholding", {"RF19", "220,00", "200,00", ""}, {refusedBoth, {}}},
        {"flat rate with VAT",
         {"RF19", "220,00", "0", "01234567897"},
         {QStringLiteral("La fattura non è stata registrata:\n- ") + kFlatRateVat, {}}},
        {"flat rate with withholding",
         {"RF19", "0", "200,00", "01234567897"},
         {QStringLiteral("La fattura non è stata registrata:\n- ") + kFlatRateWithholding, {}}},
        // An amount the window could not compute charges nothing.
        {"unreadable amounts", {"RF19", "abc", "", ""}, {}},
        // A client abroad is no withholding agent, with or without a VAT number.
        {"withholding on a German GmbH",
         {"RF01", "0", "200,00", "", "1.000,00", "0", false, "DE", "DE123456789", "N2.1"},
         {kRefused + kAbroadWithholding, {}}},
        {"business abroad outside VAT",
         {"RF01", "0", "0", "", "1.000,00", "0", false, "DE", "DE123456789", "N2.1"},
         {}},
        {"consumer abroad outside VAT",
         {"RF01", "0", "0", "", "1.000,00", "0", false, "BE", "", "N2.1"},
         {{}, kConsumerAbroadQuestion}},
        {"consumer abroad with Italian VAT",
         {"RF01", "220,00", "0", "", "1.000,00", "0", false, "FR", "", ""},
         {}},
        // The stamp-duty refund of an invoice that owes no stamp duty.
        {"flat rate 50,00 with the refund",
         {"RF19", "0", "0", "", "50,00", "0", true},
         {kRefused + kStampNotDue, {}}},
        {"flat rate 77,48 with the refund", {"RF19", "0", "0", "", "77,48", "0", true}, {}},
        {"refund on an invoice with VAT",
         {"RF01", "220,00", "0", "01234567897", "1.000,00", "0", true},
         {kRefused + kStampNotDue, {}}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(registers::checkRegistration(row.facts), row.expected) << row.what;
}

TEST(RegistrationChecks, TheFlatRateOffersToChargeTheStampDutyAboveTheThreshold) {
    const QString offer = QStringLiteral(
        "La fattura supera 77,47 senza IVA: è dovuta l'imposta di bollo di 2,00.\n"
        "Addebitarla al cliente come rimborso ?");
    struct Case {
        const char* what;
        registers::RegistrationFacts facts;
        QString expected;
    };
    const Case rows[] = {
        {"flat rate above", {"RF19", "0", "0", "01234567897", "77,48", "0", false}, offer},
        {"flat rate at the threshold", {"RF19", "0", "0", "01234567897", "77,47", "0", false}, ""},
        {"exempt amount brings it above", {"RF19", "0", "0", "", "50,00", "30,00", false}, offer},
        {"already charged", {"RF19", "0", "0", "", "1.000,00", "0", true}, ""},
        {"ordinary regime", {"RF01", "0", "0", "", "1.000,00", "0", false}, ""},
    };
    for (const Case& row : rows)
        EXPECT_EQ(registers::checkRegistration(row.facts).stampDutyProposal, row.expected)
            << row.what;
}

TEST(RegistrationChecks, TheRegimeOnlyForbidsUnderTheFlatRate) {
    const registers::Amount vat = *registers::Amount::parse("220,00");
    const registers::Amount withholding = *registers::Amount::parse("200,00");
    for (const char* regime : {"RF01", "RF02", "RF18", ""})
        EXPECT_TRUE(registers::regimeFaults(regime, vat, withholding).isEmpty()) << regime;
    EXPECT_EQ(registers::regimeFaults("RF19", vat, withholding),
              QStringList({kFlatRateVat, kFlatRateWithholding}));
}

}  // namespace
