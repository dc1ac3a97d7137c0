// What the Agenzia delle Entrate would reject is refused before anything is written:
// each missing or wrong datum gives its message, and no file and no progressive is
// spent on that invoice.
#include "einvoice_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include <functional>

namespace {

using namespace einvoice_test;

const Amounts kOrdinary{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                        "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};
const Amounts kExempt{"1.000,00", "40,00",    "1.040,00", "0",        kSpeseVarie,
                      "0",        "1.040,00", "0",        "1.040,00", "Bonifico"};

const QString kArrowItem = QStringLiteral("Esente art. 10 \u2192 DPR 633/72");

struct Refused {
    const char* name;
    std::function<void(registers::ClientRecord&, EinvoiceStore&)> spoil;
    Amounts amounts;
    QString fault;
};

std::vector<Refused> refusals() {
    using R = registers::ClientRecord;
    using S = EinvoiceStore;
    return {
        {"ClientWithNeitherTaxCodeNorVatNumber",
         [](R& c, S&) { c[client::TaxCode].clear(), c[client::VatNumber].clear(); }, kOrdinary,
         "mancano sia il codice fiscale sia la partita IVA del cliente ROSSI & FIGLI SRL"},
        {"PostalCodeOfFourDigits", [](R& c, S&) { c[client::PostalCode] = "0018"; }, kOrdinary,
         "il CAP del cliente ROSSI & FIGLI SRL non è di cinque cifre (\"0018\")"},
        {"ProvinceSpelledOut", [](R& c, S&) { c[client::Province] = "ROMA"; }, kOrdinary,
         "la provincia del cliente ROSSI & FIGLI SRL non è di due lettere maiuscole (\"ROMA\")"},
        {"VatNumberWithAWrongCheckDigit", [](R& c, S&) { c[client::VatNumber] = "01234567891"; },
         kOrdinary,
         "la partita IVA del cliente ROSSI & FIGLI SRL non è valida (\"01234567891\": undici "
         "cifre, l'ultima di controllo)"},
        {"TaxCodeWithAWrongCheckLetter", [](R& c, S&) { c[client::TaxCode] = "RSSMRA85T10A562T"; },
         kOrdinary,
         "il codice fiscale del cliente ROSSI & FIGLI SRL non è valido (\"RSSMRA85T10A562T\": "
         "carattere di controllo errato o formato sbagliato)"},
        {"UserWithoutVatNumber",
         [](R&, S& s) { s.user[registers::UserVatNumber].clear(), s.writeUser(); }, kOrdinary,
         "manca la partita IVA dell'utente (Dati Anagrafici Utente)"},
        {"UserPostalCodeMissing",
         [](R&, S& s) { s.user[registers::UserPostalCode].clear(), s.writeUser(); }, kOrdinary,
         "il CAP dell'utente (Dati Anagrafici Utente) non è di cinque cifre (\"\")"},
        {"ExemptionItemWithoutNatura", [](R&, S&) {}, kExempt,
         "la voce di esenzione \"Spese varie\" non ha la Natura: impostarla nei Codici "
         "Fattura Elettronica"},
        {"NoVatAndNoExemptionItem",
         [](R&, S&) {},
         {"100,00", "0", "100,00", "0", "*", "0", "100,00", "0", "100,00", "Bonifico"},
         "la fattura non ha IVA e nessuna voce di esenzione: la Natura dell'operazione non è "
         "nota"},
        {"VatThatNoItemGives",
         [](R&, S&) {},
         {"1.000,00", "40,00", "1.040,00", "230,00", "*", "0", "1.270,00", "200,00", "1.070,00",
          "Bonifico"},
         "nessuna aliquota IVA dell'elenco dà l'IVA 230,00 su 1.040,00"},
        {"CassaThatNoItemGives",
         [](R&, S&) {},
         {"1.000,00", "30,00", "1.030,00", "226,60", "*", "0", "1.256,60", "200,00", "1.056,60",
          "Bonifico"},
         "nessuna aliquota INPS/Cassa dell'elenco dà 30,00 su 1.000,00"},
        // A surcharge item nobody coded: INPS or a fund decides the withholding.
        {"SurchargeItemNotYetCoded",
         [](R&, S& s) {
             s.codes().setCodes(registers::CodedList::Cassa, "4", {"", {}});
         },
         kOrdinary,
         "la voce INPS/Cassa \"4\" non ha il Tipo Cassa: impostarlo nei Codici Fattura "
         "Elettronica"},
        // Neither 1.040,00 (INPS) nor 1.000,00 (as registered before) gives it.
        {"InpsWithholdingThatNoItemGives",
         [](R&, S&) {},
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0", "1.268,80", "210,00", "1.058,80",
          "Bonifico"},
         "nessuna aliquota di ritenuta dell'elenco dà 210,00 su 1.040,00"},
        // Registered before its surcharge was coded as the INPS one: the withholding on
        // the fee alone contradicts the code, and the invoice is made again.
        {"InpsWithholdingOnTheFeeAlone",
         [](R&, S&) {},
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0", "1.268,80", "200,00", "1.068,80",
          "Bonifico"},
         "la ritenuta 200,00 è calcolata sul solo imponibile, ma la rivalsa INPS/Cassa del 4 % "
         "ha il Tipo Cassa TC22 (rivalsa INPS), che sopporta anche la ritenuta: aprire la "
         "fattura con \"Seleziona\", scegliere di nuovo l'aliquota di ritenuta e registrarla "
         "con \"Modifica\""},
        {"FundContributionWithheldOn",
         [](R&, S& s) {
             s.codes().setCodes(registers::CodedList::Cassa, "4", {"TC04", {}});
         },
         kOrdinary,
         "la ritenuta 208,00 è calcolata anche sul contributo INPS/Cassa del 4 %, che con il "
         "Tipo Cassa TC04 non sopporta la ritenuta: aprire la fattura con \"Seleziona\", "
         "scegliere di nuovo l'aliquota di ritenuta e registrarla con \"Modifica\" (se il "
         "contributo è la rivalsa INPS, impostare prima il Tipo Cassa TC22 nei Codici Fattura "
         "Elettronica)"},
        {"PecWithADoubledDot",
         [](R&, S& s) {
             s.codes().setAddressing("1", "ROSSI & FIGLI SRL", {"0000000", "mario..rossi@pec.it"});
         },
         kOrdinary,
         "la PEC del cliente ROSSI & FIGLI SRL non è un indirizzo e-mail "
         "(\"mario..rossi@pec.it\")"},
        {"PecBesideARecipientCode",
         [](R&, S& s) {
             s.codes().setAddressing("1", "ROSSI & FIGLI SRL", {"ABC1234", "rossi@pec.it"});
         },
         kOrdinary,
         "il cliente ROSSI & FIGLI SRL ha sia il codice destinatario ABC1234 sia una PEC: la PEC "
         "si indica solo con il codice destinatario 0000000"},
        {"ExemptionItemWithAnArrow",
         [](R&, S& s) {
             s.codes().setCodes(registers::CodedList::Exemption, kArrowItem, {"N4", {}});
         },
         {"100,00", "0", "100,00", "0", kArrowItem, "0", "100,00", "0", "100,00", "Bonifico"},
         "la voce di esenzione \"Esente art. 10 \u2192 DPR 633/72\" contiene il carattere "
         "\"\u2192\" (U+2192), che la fattura elettronica non ammette"},
        {"FlatRateWithVat", [](R&, S& s) { s.codes().setTaxRegime("RF19"); }, kOrdinary,
         "con il regime forfettario (RF19) la fattura non ha IVA, ma l'IVA è 228,80: scegliere "
         "\"*\" come IVA e la voce di esenzione del regime"},
        {"FlatRateWithWithholding",
         [](R&, S& s) { s.codes().setTaxRegime("RF19"); },
         {"1.000,00", "0", "1.000,00", "0", kForfettario, "0", "1.000,00", "200,00", "800,00",
          "Bonifico"},
         "con il regime forfettario (RF19) la fattura non ha ritenuta d'acconto, ma la ritenuta "
         "è 200,00: scegliere \"*\" come ritenuta"},
        {"StampDutyChargedUnderTheThreshold",
         [](R&, S& s) {
             s.codes().setTaxRegime("RF19");
             s.extras().setStampDutyCharged("1", true);
         },
         {"50,00", "0", "50,00", "0", kForfettario, "0", "52,00", "0", "52,00", "Bonifico"},
         "il rimborso dell'imposta di bollo è addebitato, ma gli importi senza IVA non superano "
         "77,47: il bollo non è dovuto"},
        {"StampDutyChargedButNotInTheTotal",
         [](R&, S& s) {
             s.codes().setTaxRegime("RF19");
             s.extras().setStampDutyCharged("1", true);
         },
         {"1.000,00", "0", "1.000,00", "0", kForfettario, "0", "1.000,00", "0", "1.000,00",
          "Bonifico"},
         "il totale fattura 1.000,00 non è la somma di totale imponibile, IVA ed esente più il "
         "rimborso del bollo: ricalcolare la fattura"},
        {"CassaItemWithoutType",
         [](R&, S&) {},
         {"1.000,00", "20,00", "1.020,00", "224,40", "*", "0", "1.244,40", "200,00", "1.044,40",
          "Bonifico"},
         "la voce INPS/Cassa \"2\" non ha il Tipo Cassa: impostarlo nei Codici Fattura "
         "Elettronica"},
        {"TotalThatDoesNotAddUp",
         [](R&, S&) {},
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0", "1.040,00", "200,00", "840,00",
          "Bonifico"},
         "il totale fattura 1.040,00 non è la somma di totale imponibile, IVA ed esente: "
         "ricalcolare la fattura"},
        {"RecipientCodeTooShort",
         [](R&, S& s) {
             s.codes().setAddressing("1", "ROSSI & FIGLI SRL", {"ABC12", {}});
         },
         kOrdinary,
         "il codice destinatario del cliente ROSSI & FIGLI SRL non è di sette lettere "
         "maiuscole o cifre (\"ABC12\")"},
        {"UserIbanMalformed",
         [](R&, S& s) { s.user[registers::UserIban] = "IT60 X054", s.writeUser(); }, kOrdinary,
         "il codice IBAN dell'utente non è valido (\"IT60 X054\")"},
    };
}

class Refusal : public testing::TestWithParam<Refused> {};

TEST_P(Refusal, TellsWhatToFixAndWritesNothing) {
    const Refused& r = GetParam();
    EinvoiceStore store;
    registers::ClientRecord client = EinvoiceStore::clientOf(ClientKind::Company);
    // Spoiled before and after the client is registered, so that what the registration
    // writes (the client's delivery data) can be spoiled too.
    r.spoil(client, store);
    const QString id = store.addClient(ClientKind::Company, client);
    r.spoil(client, store);
    const int row = store.addInvoice(id, client[client::Name], r.amounts);

    const auto outcome = store.exportRows({row});
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    EXPECT_TRUE(outcome->written.isEmpty());
    EXPECT_TRUE(store.files().isEmpty());
    EXPECT_EQ(store.codes().lastProgressive(), 0);
    ASSERT_EQ(outcome->refusals.size(), 1u);
    EXPECT_EQ(outcome->refusals[0].invoice, "n. 1 del 03/02/2025");
    EXPECT_TRUE(outcome->refusals[0].faults.contains(r.fault))
        << outcome->refusals[0].message().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Invoices, Refusal, testing::ValuesIn(refusals()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RefusalMessage, NamesTheInvoiceAndEveryFaultAndTheOthersAreStillWritten) {
    EinvoiceStore store;
    registers::ClientRecord bad = EinvoiceStore::clientOf(ClientKind::Company);
    bad[client::PostalCode] = "185";
    bad[client::Province] = "";
    const QString badId = store.addClient(ClientKind::Company, bad);
    const QString goodId = store.addClient(ClientKind::Person);
    const int refused = store.addInvoice(badId, bad[client::Name], kOrdinary);
    const int written = store.addInvoice(goodId, "ROSSI MARIO", kOrdinary);

    const auto outcome = store.exportRows({refused, written});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->written, QStringList{"ITBNCLGU70A01H501Y_00001.xml"});
    EXPECT_EQ(fatturapa::outcomeMessage(*outcome),
              QString("È stato creato il file ITBNCLGU70A01H501Y_00001.xml nella cartella %1.\n\n"
                      "Da verificare:\n"
                      "- Fattura n. 2 del 03/02/2025 (file ITBNCLGU70A01H501Y_00001.xml): "
                      "ritenuta d'acconto verso ROSSI MARIO, che non ha partita IVA: è giusta "
                      "solo se il cliente è un sostituto d'imposta (un condominio, un ente non "
                      "commerciale), mai per un privato\n\n"
                      "Fattura n. 1 del 03/02/2025 non esportata:\n"
                      "- il CAP del cliente ROSSI & FIGLI SRL non è di cinque cifre (\"185\")\n"
                      "- la provincia del cliente ROSSI & FIGLI SRL non è di due lettere "
                      "maiuscole (\"\")")
                  .arg(QDir::toNativeSeparators(QDir(store.folder()).absolutePath())));
}

// A file that cannot be written stops the export there: the outcome names it and its
// cause, and keeps the files written before it, whose progressives the store knows.
TEST(RefusalMessage, AFileThatCannotBeWrittenStopsTheExportAndWhatWasWrittenIsSaid) {
    const struct {
        const char* blocker;  // a folder where the export writes a file
        QStringList written;
        QString cause;
    } cases[] = {
        {"ITBNCLGU70A01H501Y_00001.xml.part", {}, QString::fromLocal8Bit(strerror(EISDIR))},
        {"ITBNCLGU70A01H501Y_00002.xml",
         {"ITBNCLGU70A01H501Y_00001.xml"},
         QCoreApplication::translate("QFile", "Destination file exists")},
    };
    for (const auto& c : cases) {
        EinvoiceStore store;
        const QString id = store.addClient(ClientKind::Company);
        const int first = store.addInvoice(id, "ROSSI & FIGLI SRL", kOrdinary);
        const int second = store.addInvoice(id, "ROSSI & FIGLI SRL", kOrdinary);
        ASSERT_TRUE(QDir().mkpath(QDir(store.folder()).filePath(c.blocker)));

        const auto outcome = store.exportRows({first, second});
        ASSERT_TRUE(outcome.ok()) << c.blocker;
        EXPECT_EQ(outcome->written, c.written) << c.blocker;
        EXPECT_EQ(store.codes().lastProgressive(), c.written.size()) << c.blocker;
        const QString said = fatturapa::outcomeMessage(*outcome);
        EXPECT_TRUE(
            said.contains("L'esportazione si è interrotta: Non è possibile scrivere il file"))
            << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("xml: ") + c.cause)) << said.toStdString();
        EXPECT_EQ(store.files(), c.written) << c.blocker;
    }
}

TEST(RefusalMessage, AFolderThatCannotBeMadeIsAnErrorAndNothingIsSpent) {
    EinvoiceStore store;
    const QString id = store.addClient(ClientKind::Company);
    const int row = store.addInvoice(id, "ROSSI & FIGLI SRL", kOrdinary);
    QFile blocker(store.folder());  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto outcome = store.exportRows({row});
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().message, QString("Non è possibile creare la cartella %1.")
                                           .arg(QDir::toNativeSeparators(store.folder())));
    EXPECT_EQ(store.codes().lastProgressive(), 0);
}

}  // namespace
