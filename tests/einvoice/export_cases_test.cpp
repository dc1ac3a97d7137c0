// Registered invoices exported as FatturaPA files: each file is valid against the
// official schema, holds what the case expects, and passes the amount checks of the
// Sistema di Interscambio recomputed here from the XML alone.
#include "einvoice_store.h"
#include "fattura_xml.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using namespace einvoice_test;

// "1068.80" in cents; the test fails on any other spelling.
qint64 cents(const QString& text) {
    static const QRegularExpression twoDecimals(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    EXPECT_TRUE(twoDecimals.match(text).hasMatch()) << text.toStdString();
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    return digits.toLongLong();
}

// The checks of the Sistema di Interscambio, from the file alone.
void expectSdiChecks(const FatturaXml& xml) {
    // Every amount and rate has two decimals and a point.
    for (const char* path :
         {"//PrezzoUnitario", "//PrezzoTotale", "//AliquotaIVA", "//ImponibileImporto", "//Imposta",
          "//ImportoContributoCassa", "//ImponibileCassa", "//AlCassa", "//ImportoRitenuta",
          "//AliquotaRitenuta", "//ImportoPagamento", "//ImportoTotaleDocumento", "//ImportoBollo"})
        for (const QString& value : xml.all(path))
            cents(value);

    // Taxable amounts by rate and Natura: the lines plus the cassa.
    std::map<std::pair<qint64, QString>, qint64> expected;
    const int lines = xml.count("//DettaglioLinee");
    bool withheld = false;
    for (int i = 1; i <= lines; ++i) {
        const QString line = QStringLiteral("//DettaglioLinee[%1]/").arg(i);
        const qint64 rate = cents(xml.one(line + "AliquotaIVA"));
        const QString nature = xml.one(line + "Natura");
        EXPECT_EQ(rate == 0, !nature.isEmpty()) << "Natura exactly at 0 %, line " << i;
        expected[{rate, nature}] += cents(xml.one(line + "PrezzoTotale"));
        withheld = withheld || xml.one(line + "Ritenuta") == "SI";
    }
    if (xml.count("//DatiCassaPrevidenziale") == 1) {
        const QString cassa = QStringLiteral("//DatiCassaPrevidenziale/");
        const qint64 rate = cents(xml.one(cassa + "AliquotaIVA"));
        const QString nature = xml.one(cassa + "Natura");
        EXPECT_EQ(rate == 0, !nature.isEmpty()) << "Natura exactly at 0 %, cassa";
        expected[{rate, nature}] += cents(xml.one(cassa + "ImportoContributoCassa"));
        withheld = withheld || xml.one(cassa + "Ritenuta") == "SI";
        const qint64 base = cents(xml.one(cassa + "ImponibileCassa"));
        const qint64 contribution = (base * cents(xml.one(cassa + "AlCassa")) + 5000) / 10000;
        EXPECT_EQ(cents(xml.one(cassa + "ImportoContributoCassa")), contribution);
    }

    std::map<std::pair<qint64, QString>, qint64> summarised;
    qint64 documentTotal = 0;
    const int summaries = xml.count("//DatiRiepilogo");
    for (int i = 1; i <= summaries; ++i) {
        const QString s = QStringLiteral("//DatiRiepilogo[%1]/").arg(i);
        const qint64 rate = cents(xml.one(s + "AliquotaIVA"));
        const QString nature = xml.one(s + "Natura");
        EXPECT_EQ(rate == 0, !nature.isEmpty()) << "Natura exactly at 0 %, summary " << i;
        const qint64 taxable = cents(xml.one(s + "ImponibileImporto"));
        const qint64 tax = cents(xml.one(s + "Imposta"));
        summarised[{rate, nature}] = taxable;
        EXPECT_LE(std::abs(tax - (taxable * rate + 5000) / 10000), 1) << "summary " << i;
        documentTotal += taxable + tax;
    }
    EXPECT_EQ(summarised, expected);
    EXPECT_EQ(xml.count("//DatiRitenuta") > 0, withheld);

    // The withholding is its rate of the lines and the cassa marked as withheld.
    if (withheld) {
        qint64 base = 0;
        for (int i = 1; i <= lines; ++i) {
            const QString line = QStringLiteral("//DettaglioLinee[%1]/").arg(i);
            if (xml.one(line + "Ritenuta") == "SI")
                base += cents(xml.one(line + "PrezzoTotale"));
        }
        if (xml.one("//DatiCassaPrevidenziale/Ritenuta") == "SI")
            base += cents(xml.one("//DatiCassaPrevidenziale/ImportoContributoCassa"));
        EXPECT_EQ(cents(xml.one("//DatiRitenuta/ImportoRitenuta")),
                  (base * cents(xml.one("//DatiRitenuta/AliquotaRitenuta")) + 5000) / 10000);
    }

    qint64 withholding = 0;
    for (const QString& amount : xml.all("//DatiRitenuta/ImportoRitenuta"))
        withholding += cents(amount);
    EXPECT_EQ(cents(xml.one("//ImportoTotaleDocumento")), documentTotal);
    if (xml.count("//DettaglioPagamento") == 1) {
        EXPECT_EQ(cents(xml.one("//ImportoPagamento")), documentTotal - withholding);
    }
}

struct Case {
    const char* name;
    QString regime;
    ClientKind client;
    Amounts amounts;
    std::vector<std::pair<QString, QString>> expected;  // XPath, text
    std::vector<QString> absent;
    // Surcharge items coded in the codes window for this case (item, cassa type).
    std::vector<std::pair<QString, QString>> cassaCodes = {};
    // What the outcome asks the user to look at.
    QStringList notices = {};
    // The stamp duty charged to the client as a line.
    bool stampLine = false;
    // The user's name, when not the studio's.
    QString userName = {};
};

const QString kZero = QStringLiteral("0");

std::vector<Case> cases() {
    return {
        {"OrdinaryInpsVatAndWithholding",
         "RF01",
         ClientKind::Company,
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", kZero, "1.268,80", "208,00", "1.060,80",
          "Bonifico"},
         {{"//RegimeFiscale", "RF01"},
          {"//CodiceDestinatario", "ABC1234"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "01234567897"},
          {"//DettaglioLinee/PrezzoTotale", "1000.00"},
          {"//DettaglioLinee/AliquotaIVA", "22.00"},
          {"//DettaglioLinee/Ritenuta", "SI"},
          {"//DatiCassaPrevidenziale/TipoCassa", "TC22"},
          {"//DatiCassaPrevidenziale/AlCassa", "4.00"},
          {"//DatiCassaPrevidenziale/ImportoContributoCassa", "40.00"},
          {"//DatiCassaPrevidenziale/ImponibileCassa", "1000.00"},
          {"//DatiCassaPrevidenziale/Ritenuta", "SI"},
          {"//DatiRitenuta/TipoRitenuta", "RT01"},
          {"//DatiRitenuta/ImportoRitenuta", "208.00"},
          {"//DatiRitenuta/AliquotaRitenuta", "20.00"},
          {"//DatiRitenuta/CausalePagamento", "A"},
          {"//DatiRiepilogo/ImponibileImporto", "1040.00"},
          {"//DatiRiepilogo/Imposta", "228.80"},
          {"//ImportoTotaleDocumento", "1268.80"},
          {"//ModalitaPagamento", "MP05"},
          {"//DataScadenzaPagamento", "2025-02-03"},
          {"//ImportoPagamento", "1060.80"},
          {"//IBAN", "IT60X0542811101000000123456"}},
         {"//DatiBollo", "//Natura", "//PECDestinatario"}},
        // An engineers' fund contribution bears VAT, not withholding.
        {"OrdinaryWithAFundContribution",
         "RF01",
         ClientKind::Company,
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", kZero, "1.268,80", "200,00", "1.068,80",
          "Bonifico"},
         {{"//DatiCassaPrevidenziale/TipoCassa", "TC04"},
          {"//DatiCassaPrevidenziale/AliquotaIVA", "22.00"},
          {"//DettaglioLinee/Ritenuta", "SI"},
          {"//DatiRitenuta/ImportoRitenuta", "200.00"},
          {"//DatiRiepilogo/ImponibileImporto", "1040.00"},
          {"//ImportoPagamento", "1068.80"}},
         {"//DatiCassaPrevidenziale/Ritenuta"},
         {{"4", "TC04"}}},
        {"FlatRateWithoutVatTakesStampDuty",
         "RF19",
         ClientKind::Company,
         {"1.000,00", "40,00", "1.040,00", "0,00", kForfettario, kZero, "1.040,00", kZero,
          "1.040,00", "Bonifico"},
         {{"//RegimeFiscale", "RF19"},
          {"//DettaglioLinee/Natura", "N2.2"},
          {"//DatiCassaPrevidenziale/Natura", "N2.2"},
          {"//DatiRiepilogo/Natura", "N2.2"},
          {"//DatiRiepilogo/ImponibileImporto", "1040.00"},
          {"//DatiRiepilogo/Imposta", "0.00"},
          {"//DatiRiepilogo/RiferimentoNormativo", kForfettario},
          {"//DatiBollo/BolloVirtuale", "SI"},
          {"//DatiBollo/ImportoBollo", "2.00"},
          {"//ImportoPagamento", "1040.00"}},
         {"//DatiRitenuta", "//EsigibilitaIVA"}},
        // The INPS surcharge outside VAT like the fee, and the stamp duty charged to
        // the client as a line excluded from VAT, added to the total.
        {"FlatRateWithInpsAndTheStampDutyLine",
         "RF19",
         ClientKind::Company,
         {"1.000,00", "40,00", "1.040,00", "0", kForfettario, kZero, "1.042,00", kZero, "1.042,00",
          "Bonifico"},
         {{"//DatiCassaPrevidenziale/TipoCassa", "TC22"},
          {"//DatiCassaPrevidenziale/Natura", "N2.2"},
          {"//DettaglioLinee[1]/Natura", "N2.2"},
          {"//DettaglioLinee[2]/Descrizione", "Rimborso imposta di bollo"},
          {"//DettaglioLinee[2]/PrezzoTotale", "2.00"},
          {"//DettaglioLinee[2]/Natura", "N1"},
          {"//DatiRiepilogo[1]/Natura", "N2.2"},
          {"//DatiRiepilogo[1]/ImponibileImporto", "1040.00"},
          {"//DatiRiepilogo[2]/Natura", "N1"},
          {"//DatiRiepilogo[2]/ImponibileImporto", "2.00"},
          {"//DatiRiepilogo[2]/RiferimentoNormativo", "Art. 15 DPR 633/72"},
          {"//DatiBollo/BolloVirtuale", "SI"},
          {"//DatiBollo/ImportoBollo", "2.00"},
          {"//ImportoTotaleDocumento", "1042.00"},
          {"//ImportoPagamento", "1042.00"}},
         {"//DatiRitenuta", "//DatiCassaPrevidenziale/Ritenuta", "//EsigibilitaIVA"},
         {},
         {},
         true},
        {"FlatRateExemptAmountAboveTheThreshold",
         "RF19",
         ClientKind::Company,
         {"50,00", kZero, "50,00", kZero, kForfettario, "80,00", "130,00", kZero, "130,00",
          "Bonifico"},
         {{"//DettaglioLinee[2]/Descrizione", kForfettario},
          {"//DettaglioLinee[2]/PrezzoTotale", "80.00"},
          {"//DettaglioLinee[2]/Natura", "N2.2"},
          {"//DatiRiepilogo/ImponibileImporto", "130.00"},
          {"//DatiBollo/ImportoBollo", "2.00"}},
         {"//DatiRitenuta", "//DatiCassaPrevidenziale"}},
        {"FlatRateUnderTheThresholdHasNoStampDuty",
         "RF19",
         ClientKind::Company,
         {"77,47", kZero, "77,47", kZero, kForfettario, kZero, "77,47", kZero, "77,47", "Bonifico"},
         {{"//DatiRiepilogo/ImponibileImporto", "77.47"}},
         {"//DatiBollo"}},
        {"CassaWithVatExemption",
         "RF01",
         ClientKind::Company,
         {"1.000,00", "40,00", "1.040,00", kZero, kEsenteArt10, kZero, "1.040,00", kZero,
          "1.040,00", "Bonifico"},
         {{"//DatiCassaPrevidenziale/AliquotaIVA", "0.00"},
          {"//DatiCassaPrevidenziale/Natura", "N4"},
          {"//DettaglioLinee/Natura", "N4"},
          {"//DatiRiepilogo/Natura", "N4"},
          {"//DatiRiepilogo/ImponibileImporto", "1040.00"},
          {"//DatiRiepilogo/RiferimentoNormativo", kEsenteArt10}},
         {"//DatiRitenuta"}},
        {"PrivatePersonWithOnlyATaxCode",
         "RF01",
         ClientKind::Person,
         {"100,00", kZero, "100,00", "22,00", "*", kZero, "122,00", kZero, "122,00", "Contanti"},
         {{"//CodiceDestinatario", "0000000"},
          {"//PECDestinatario", "mario.rossi@pec.it"},
          {"//CessionarioCommittente//CodiceFiscale", "RSSMRA85T10A562S"},
          {"//CessionarioCommittente//Cognome", "ROSSI"},
          {"//CessionarioCommittente//Nome", "MARIO"},
          {"//CedentePrestatore//Denominazione", "STUDIO BIANCHI LUIGI"},
          {"//ModalitaPagamento", "MP01"},
          {"//DatiRiepilogo/Imposta", "22.00"},
          {"//DatiRiepilogo/EsigibilitaIVA", "I"}},
         {"//CessionarioCommittente//IdFiscaleIVA", "//CessionarioCommittente//Denominazione",
          "//DatiRitenuta", "//DatiBollo"}},
        // A professional who is a person, named first name first: named as a person.
        {"ProfessionalWhoIsAPerson",
         "RF01",
         ClientKind::Company,
         {"100,00", kZero, "100,00", "22,00", "*", kZero, "122,00", kZero, "122,00", "Bonifico"},
         {{"//CedentePrestatore//Cognome", "BIANCHI"},
          {"//CedentePrestatore//Nome", "LUIGI"},
          {"//CessionarioCommittente//Denominazione", "ROSSI & FIGLI SRL"}},
         {"//CedentePrestatore//Denominazione", "//CessionarioCommittente//Nome"},
         {},
         {},
         false,
         "LUIGI BIANCHI"},
        // A condominium withholds with a fiscal code alone: written, and flagged.
        {"WithholdingOnAClientWithoutVatNumber",
         "RF01",
         ClientKind::Person,
         {"1.000,00", "40,00", "1.040,00", "228,80", "*", kZero, "1.268,80", "208,00", "1.060,80",
          "Bonifico"},
         {{"//DatiRitenuta/ImportoRitenuta", "208.00"},
          {"//DatiCassaPrevidenziale/Ritenuta", "SI"},
          {"//CessionarioCommittente//CodiceFiscale", "RSSMRA85T10A562S"},
          {"//PECDestinatario", "mario.rossi@pec.it"}},
         {"//CessionarioCommittente//IdFiscaleIVA"},
         {},
         {"Fattura n. 1 del 03/02/2025 (file ITBNCLGU70A01H501Y_00001.xml): ritenuta d'acconto "
          "verso ROSSI MARIO, che non ha partita IVA: è giusta solo se il cliente è un sostituto "
          "d'imposta (un condominio, un ente non commerciale), mai per un privato"}},
        {"VatWithAnExpenseOutsideTheBase",
         "RF01",
         ClientKind::Company,
         {"1.000,00", kZero, "1.000,00", "220,00", kSpeseArt15, "50,00", "1.270,00", "200,00",
          "1.070,00", "Bonifico"},
         {{"//CodiceDestinatario", "ABC1234"},
          {"//DatiRiepilogo[1]/ImponibileImporto", "1000.00"},
          {"//DatiRiepilogo[1]/Imposta", "220.00"},
          {"//DatiRiepilogo[2]/Natura", "N1"},
          {"//DatiRiepilogo[2]/ImponibileImporto", "50.00"},
          {"//DettaglioLinee[2]/Ritenuta", ""},
          {"//ImportoPagamento", "1070.00"}},
         {"//DatiBollo", "//DatiCassaPrevidenziale"}},
    };
}

class ExportCase : public testing::TestWithParam<Case> {};

TEST_P(ExportCase, WritesAValidFileThatHoldsTheInvoice) {
    const Case& c = GetParam();
    EinvoiceStore store;
    if (!c.userName.isEmpty()) {
        store.user[registers::UserName] = c.userName;
        store.writeUser();
    }
    store.codes().setTaxRegime(c.regime);
    for (const auto& [item, type] : c.cassaCodes)
        store.codes().setCodes(registers::CodedList::Cassa, item, {type, {}});
    const registers::ClientRecord client = EinvoiceStore::clientOf(c.client);
    const QString id = store.addClient(c.client, client);
    const int row = store.addInvoice(id, client[client::Name], c.amounts);
    store.extras().setStampDutyCharged("1", c.stampLine);

    const auto outcome = store.exportRows({row});
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    for (const auto& refusal : outcome->refusals)
        ADD_FAILURE() << refusal.message().toStdString();
    EXPECT_EQ(outcome->notices, c.notices);
    ASSERT_EQ(store.files(), QStringList{"ITBNCLGU70A01H501Y_00001.xml"});

    const QByteArray bytes = store.file(store.files().front());
    EXPECT_EQ(schemaErrors(bytes), QStringList()) << bytes.toStdString();
    const FatturaXml xml(bytes);
    expectSdiChecks(xml);
    EXPECT_EQ(xml.one("/*[local-name()='FatturaElettronica']/@versione"), "FPR12");
    EXPECT_EQ(xml.one("//ProgressivoInvio"), "00001");
    EXPECT_EQ(xml.one("//DatiGeneraliDocumento/Data"), "2025-02-03");
    EXPECT_EQ(xml.one("//DatiGeneraliDocumento/TipoDocumento"), "TD01");
    for (const auto& [path, text] : c.expected)
        EXPECT_EQ(xml.one(path), text) << path.toStdString();
    for (const QString& path : c.absent)
        EXPECT_EQ(xml.count(path), 0) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Invoices, ExportCase, testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The validation itself can fail: a file one value away from a valid one is refused.
TEST(Export, TheSchemaRefusesAFileOneValueAwayFromAValidOne) {
    EinvoiceStore store;
    const QString id = store.addClient(ClientKind::Company);
    const int row = store.addInvoice(
        id, "ROSSI & FIGLI SRL",
        {"100,00", "0", "100,00", "22,00", "*", "0", "122,00", "0", "122,00", "Bonifico"});
    ASSERT_TRUE(store.exportRows({row}).ok());
    const QByteArray valid = store.file(store.files().front());
    ASSERT_EQ(schemaErrors(valid), QStringList());
    for (const auto& [from, to] : std::vector<std::pair<QByteArray, QByteArray>>{
             {"<Imposta>22.00</Imposta>", "<Imposta>22.0</Imposta>"},
             {"<CAP>00185</CAP>", "<CAP>0185</CAP>"},
             {"<ModalitaPagamento>MP05", "<ModalitaPagamento>MP24"},
             {"<Numero>1</Numero>", ""}}) {
        QByteArray spoiled = valid;
        spoiled.replace(from, to);
        ASSERT_NE(spoiled, valid) << from.toStdString();
        EXPECT_FALSE(schemaErrors(spoiled).isEmpty()) << to.toStdString();
    }
}

TEST(Export, ProgressivesNeverRepeatAcrossExportsAndFolders) {
    EinvoiceStore store;
    const QString id = store.addClient(ClientKind::Company);
    const Amounts amounts{"100,00", "0",      "100,00", "22,00",  "*",
                          "0",      "122,00", "0",      "122,00", "Bonifico"};
    const int first = store.addInvoice(id, "ROSSI & FIGLI SRL", amounts);
    const int second = store.addInvoice(id, "ROSSI & FIGLI SRL", amounts);
    ASSERT_TRUE(store.exportRows({first, second}).ok());
    ASSERT_TRUE(store.exportRows({first}).ok());
    EXPECT_EQ(store.files(),
              QStringList({"ITBNCLGU70A01H501Y_00001.xml", "ITBNCLGU70A01H501Y_00002.xml",
                           "ITBNCLGU70A01H501Y_00003.xml"}));
    EXPECT_EQ(FatturaXml(store.file(store.files()[2])).one("//Numero"), "1");

    // A folder that already holds a later name (a store restored from an older copy)
    // moves the progressive on; nothing is written over.
    QFile later(QDir(store.folder()).filePath("ITBNCLGU70A01H501Y_0000Z.xml"));
    ASSERT_TRUE(later.open(QIODevice::WriteOnly));
    later.close();
    const auto outcome = store.exportRows({second});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->written, QStringList{"ITBNCLGU70A01H501Y_00010.xml"});
    EXPECT_EQ(store.codes().lastProgressive(), 36);

    // The last progressive reaches the file with the store.
    ASSERT_TRUE(store.data.store().saveStore().ok());
    EXPECT_EQ(registers::EinvoiceCodes(store.data.reopened(registers::kEinvoiceCodesSheet))
                  .lastProgressive(),
              36);
}

TEST(Export, ThePaymentFallsDueTheItemsDaysAfterTheInvoiceDate) {
    struct Row {
        const char* paidBy;
        std::optional<int> storedDays;  // set in the codes window, or proposed from the text
        QDate kept;                     // changed by the user for this invoice, or none
        const char* method;
        const char* due;
    };
    const Row rows[] = {
        {"RIBA 30 GG", std::nullopt, {}, "MP12", "2025-03-05"},
        {"Bonifico 60 gg d.f.", std::nullopt, {}, "MP05", "2025-04-04"},
        {"Bonifico", std::nullopt, {}, "MP05", "2025-02-03"},
        {"RIBA 30 GG", 90, {}, "MP12", "2025-05-04"},
        {"Bonifico 60 gg d.f.", 0, {}, "MP05", "2025-02-03"},
        {"RIBA 30 GG", std::nullopt, QDate(2025, 3, 31), "MP12", "2025-03-31"},
    };
    for (const Row& row : rows) {
        EinvoiceStore store;
        if (row.storedDays)
            store.codes().setPaymentDays(row.paidBy, *row.storedDays);
        const QString id = store.addClient(ClientKind::Company);
        const int invoice = store.addInvoice(
            id, "ROSSI & FIGLI SRL",
            {"100,00", "0", "100,00", "22,00", "*", "0", "122,00", "0", "122,00", row.paidBy});
        if (row.kept.isValid())
            store.extras().setDueDate(QString::number(invoice - 1), row.kept);
        const auto outcome = store.exportRows({invoice});
        ASSERT_TRUE(outcome.ok()) << row.paidBy;
        ASSERT_EQ(outcome->written.size(), 1) << row.paidBy;
        const QByteArray bytes = store.file(outcome->written.front());
        EXPECT_EQ(schemaErrors(bytes), QStringList()) << row.paidBy;
        const FatturaXml xml(bytes);
        EXPECT_EQ(xml.one("//DettaglioPagamento/ModalitaPagamento"), row.method) << row.paidBy;
        EXPECT_EQ(xml.one("//DettaglioPagamento/DataScadenzaPagamento"), row.due) << row.paidBy;
    }
}

TEST(Export, TheSenderIsTheVatNumberWhenTheUserHasNoTaxCode) {
    EinvoiceStore store;
    store.user[registers::UserTaxCode].clear();
    store.writeUser();
    const QString id = store.addClient(ClientKind::Company);
    const int row = store.addInvoice(
        id, "ROSSI & FIGLI SRL",
        {"100,00", "0", "100,00", "22,00", "*", "0", "122,00", "0", "122,00", "*"});
    const auto outcome = store.exportRows({row});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->written, QStringList{"IT12345678903_00001.xml"});
    const QByteArray bytes = store.file(outcome->written.front());
    EXPECT_EQ(schemaErrors(bytes), QStringList());
    const FatturaXml xml(bytes);
    EXPECT_EQ(xml.one("//IdTrasmittente/IdCodice"), "12345678903");
    EXPECT_EQ(xml.count("//DatiPagamento"), 0) << "no payment type, no payment data";
    expectSdiChecks(xml);
}

TEST(Export, TypographicCharactersBecomePlainAndTheFileStaysValid) {
    EinvoiceStore store;
    const QString id = store.addClient(ClientKind::Company);
    const int row = store.addInvoice(
        id, "ROSSI & FIGLI SRL",
        {"100,00", "0", "100,00", "22,00", "*", "0", "122,00", "0", "122,00", "Bonifico"},
        QString::fromUtf8("Progetto \u201Cdell\u2019impianto\u201D \u2013 spese \u20AC 5\n"
                          "seconda riga \u00E0\u00E8\u00EC"));
    const auto outcome = store.exportRows({row});
    ASSERT_TRUE(outcome.ok());
    ASSERT_EQ(outcome->written.size(), 1);
    const QByteArray bytes = store.file(outcome->written.front());
    EXPECT_EQ(schemaErrors(bytes), QStringList());
    EXPECT_EQ(outcome->notices,
              QStringList{"Fattura n. 1 del 03/02/2025 (file ITBNCLGU70A01H501Y_00001.xml): "
                          "alcuni caratteri (virgolette o trattini tipografici, €, ...) sono "
                          "stati scritti nella forma semplice che la fattura elettronica ammette"});
    EXPECT_EQ(FatturaXml(bytes).one("//DettaglioLinee/Descrizione"),
              QString::fromUtf8("Progetto \"dell'impianto\" - spese EUR 5\nseconda riga "
                                "\u00E0\u00E8\u00EC"));
}

}  // namespace
