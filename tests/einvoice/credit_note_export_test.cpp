// Credit notes made from a registered invoice, the whole of it or a part, exported
// as electronic documents: each file valid against the schema, a TD04 with its
// amounts positive, naming the invoice it corrects, with the withholding, the
// surcharge and the stamp duty of that invoice (in proportion for a part).
#include "einvoice_store.h"
#include "fattura_xml.h"

#include <gtest/gtest.h>

#include "registers/credit_notes.h"
#include "registers/invoice_register.h"

namespace {

using namespace einvoice_test;

struct Case {
    const char* name;
    QString regime;
    Amounts invoice;
    bool stampLine;
    bool whole;
    QString part;
    std::vector<std::pair<QString, QString>> expected;  // XPath, text
    std::vector<QString> absent;
    std::vector<std::pair<QString, QString>> cassaCodes = {};
};

const QString kZero = QStringLiteral("0");

std::vector<Case> cases() {
    const Amounts inps{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       kZero,      "1.268,80", "208,00",   "1.060,80", "Bonifico"};
    const Amounts flatRate{"1.000,00", "40,00",    "1.040,00", "0",        kForfettario,
                           kZero,      "1.042,00", kZero,      "1.042,00", "Bonifico"};
    return {
        {"WholeWithInpsSurchargeAndWithholding",
         "RF01",
         inps,
         false,
         true,
         {},
         {{"//TipoDocumento", "TD04"},
          {"//DatiGeneraliDocumento/Numero", "2"},
          {"//DatiGeneraliDocumento/Data", "2025-02-10"},
          {"//DatiFattureCollegate/IdDocumento", "1"},
          {"//DatiFattureCollegate/Data", "2025-02-03"},
          {"//DettaglioLinee/PrezzoTotale", "1000.00"},
          {"//DatiCassaPrevidenziale/TipoCassa", "TC22"},
          {"//DatiCassaPrevidenziale/ImportoContributoCassa", "40.00"},
          {"//DatiCassaPrevidenziale/Ritenuta", "SI"},
          {"//DatiRitenuta/ImportoRitenuta", "208.00"},
          {"//DatiRitenuta/AliquotaRitenuta", "20.00"},
          {"//DatiRiepilogo/ImponibileImporto", "1040.00"},
          {"//DatiRiepilogo/Imposta", "228.80"},
          {"//ImportoTotaleDocumento", "1268.80"}},
         {"//DatiPagamento", "//DatiBollo"}},
        {"PartWithInpsSurchargeAndWithholding",
         "RF01",
         inps,
         false,
         false,
         "500",
         {{"//TipoDocumento", "TD04"},
          {"//DatiFattureCollegate/IdDocumento", "1"},
          {"//DettaglioLinee/PrezzoTotale", "500.00"},
          {"//DatiCassaPrevidenziale/ImportoContributoCassa", "20.00"},
          {"//DatiCassaPrevidenziale/ImponibileCassa", "500.00"},
          {"//DatiCassaPrevidenziale/Ritenuta", "SI"},
          {"//DatiRitenuta/ImportoRitenuta", "104.00"},
          {"//DatiRiepilogo/ImponibileImporto", "520.00"},
          {"//DatiRiepilogo/Imposta", "114.40"},
          {"//ImportoTotaleDocumento", "634.40"}},
         {"//DatiPagamento"}},
        {"PartWithAFundContributionNotWithheldOn",
         "RF01",
         {"1.000,00", "20,00", "1.020,00", "224,40", "*", kZero, "1.244,40", "200,00", "1.044,40",
          "Bonifico"},
         false,
         false,
         "250",
         {{"//DatiCassaPrevidenziale/TipoCassa", "TC04"},
          {"//DatiCassaPrevidenziale/ImportoContributoCassa", "5.00"},
          {"//DatiRitenuta/ImportoRitenuta", "50.00"},
          {"//ImportoTotaleDocumento", "311.10"}},
         {"//DatiCassaPrevidenziale/Ritenuta"},
         {{"2", "TC04"}}},
        {"WholeFlatRateGivesTheStampDutyLineBack",
         "RF19",
         flatRate,
         true,
         true,
         {},
         {{"//TipoDocumento", "TD04"},
          {"//DettaglioLinee[2]/Descrizione", "Rimborso imposta di bollo"},
          {"//DettaglioLinee[2]/PrezzoTotale", "2.00"},
          {"//DatiBollo/ImportoBollo", "2.00"},
          {"//DatiCassaPrevidenziale/Natura", "N2.2"},
          {"//ImportoTotaleDocumento", "1042.00"}},
         {"//DatiRitenuta"}},
        {"FlatRatePartAboveTheThresholdDeclaresTheDuty",
         "RF19",
         flatRate,
         true,
         false,
         "100",
         {{"//DettaglioLinee/PrezzoTotale", "100.00"},
          {"//DatiCassaPrevidenziale/ImportoContributoCassa", "4.00"},
          {"//DatiBollo/ImportoBollo", "2.00"},
          {"//ImportoTotaleDocumento", "104.00"}},
         {"//DettaglioLinee[2]"}},
        {"FlatRatePartUnderTheThresholdHasNoDuty",
         "RF19",
         flatRate,
         true,
         false,
         "50",
         {{"//ImportoTotaleDocumento", "52.00"}},
         {"//DatiBollo", "//DettaglioLinee[2]"}},
    };
}

class CreditNoteExport : public testing::TestWithParam<Case> {};

TEST_P(CreditNoteExport, WritesAValidCreditNoteOfTheInvoice) {
    const Case& c = GetParam();
    EinvoiceStore store;
    store.codes().setTaxRegime(c.regime);
    for (const auto& [item, type] : c.cassaCodes)
        store.codes().setCodes(registers::CodedList::Cassa, item, {type, {}});
    const registers::ClientRecord client = EinvoiceStore::clientOf(ClientKind::Company);
    const QString id = store.addClient(ClientKind::Company, client);
    store.addInvoice(id, client[client::Name], c.invoice);
    store.extras().setStampDutyCharged("1", c.stampLine);

    // The credit note made and registered as the entry window does.
    registers::InvoiceRegister book(store.data.sheet(store::kInvoicesSheet));
    const std::vector<registers::InvoiceRecord> rows = book.rows();
    const auto credited = registers::creditable(rows, rows, store.extras());
    ASSERT_TRUE(credited.ok());
    const store::Worksheet settings = store.data.sheet(store::kSettingsSheet);
    const registers::RateItems items{registers::loadList(settings, registers::kInpsColumn),
                                     registers::loadList(settings, registers::kVatColumn),
                                     registers::loadList(settings, registers::kWithholdingColumn),
                                     {QStringLiteral("4")}};
    const auto note = registers::makeCreditNote(
        *credited, items, {c.whole, c.part, "2", "2", "10/02/2025", "Storno della fattura n. 1"});
    ASSERT_TRUE(note.ok()) << note.error().message.toStdString();
    const auto row = book.append(note->record);
    ASSERT_TRUE(row.ok());
    store.extras().setCorrects("2", note->corrects);
    store.extras().setStampDutyCharged("2", note->stampDuty);

    const auto outcome = store.exportRows({*row});
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    for (const auto& refusal : outcome->refusals)
        ADD_FAILURE() << refusal.message().toStdString();
    ASSERT_EQ(store.files().size(), 1);
    const QByteArray bytes = store.file(store.files().front());
    EXPECT_EQ(schemaErrors(bytes), QStringList()) << bytes.toStdString();
    const FatturaXml xml(bytes);
    for (const auto& [path, text] : c.expected)
        EXPECT_EQ(xml.one(path), text) << path.toStdString();
    for (const QString& path : c.absent)
        EXPECT_EQ(xml.count(path), 0) << path.toStdString();
    for (const QString& amount : xml.all("//ImportoTotaleDocumento") + xml.all("//PrezzoTotale") +
                                     xml.all("//ImportoRitenuta") + xml.all("//Imposta"))
        EXPECT_FALSE(amount.startsWith(u'-')) << amount.toStdString();
}

INSTANTIATE_TEST_SUITE_P(CreditNotes, CreditNoteExport, testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The invoice itself stays a TD01 with nothing linked, beside its credit note.
TEST(CreditNoteExport, TheCorrectedInvoiceStaysAnInvoice) {
    EinvoiceStore store;
    store.codes().setTaxRegime("RF01");
    const registers::ClientRecord client = EinvoiceStore::clientOf(ClientKind::Company);
    const QString id = store.addClient(ClientKind::Company, client);
    const int row = store.addInvoice(
        id, client[client::Name],
        {"100,00", kZero, "100,00", "22,00", "*", kZero, "122,00", kZero, "122,00", "Bonifico"});
    store.extras().setCorrects("9", {"1", "1", QDate(2025, 2, 3)});
    const auto outcome = store.exportRows({row});
    ASSERT_TRUE(outcome.ok());
    ASSERT_EQ(store.files().size(), 1);
    const FatturaXml xml(store.file(store.files().front()));
    EXPECT_EQ(xml.one("//TipoDocumento"), "TD01");
    EXPECT_EQ(xml.count("//DatiFattureCollegate"), 0);
    EXPECT_EQ(xml.one("//ImportoPagamento"), "122.00");
}

}  // namespace
