// Invoices to clients abroad: the file names the client's country and the
// identifier its country gave it, goes to the recipient code XXXXXXX with CAP 00000
// and no province, and is valid against the schema; an address or a country that
// cannot be right refuses the invoice, and the codes window keeps what it is given.
#include "einvoice/codici_fattura_pa.h"
#include "einvoice_store.h"
#include "fattura_xml.h"

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "registers/settings_lists.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using namespace einvoice_test;
using app::Icon;

const QString kOutsideVat = QStringLiteral("Fuori campo IVA art. 7-ter DPR 633/72");
const QString kFile = QStringLiteral("ITBNCLGU70A01H501Y_00001.xml");

// Services outside Italian VAT, and the same services charged with VAT.
const Amounts kOutside{"1.000,00", "0",        "1.000,00", "0",        kOutsideVat,
                       "0",        "1.000,00", "0",        "1.000,00", "Bonifico"};
const Amounts kTaxed{"1.000,00", "0",        "1.000,00", "220,00",   "*",
                     "0",        "1.220,00", "0",        "1.220,00", "Bonifico"};

registers::ClientRecord foreignClient(const QString& name, const QString& postalCode,
                                      const QString& town) {
    registers::ClientRecord c;
    c[client::Name] = name;
    c[client::Address] = QStringLiteral("HAUPTSTRASSE 5");
    c[client::PostalCode] = postalCode;
    c[client::Town] = town;
    return c;
}

// A store whose settings offer the art. 7-ter item, with one client abroad.
struct ForeignStore {
    ForeignStore(const registers::ClientRecord& record,
                 const registers::ClientAddressing& addressing) {
        EXPECT_TRUE(registers::insertItem(store.data.sheet(store::kSettingsSheet),
                                          registers::kExemptionColumn, kOutsideVat)
                        .ok());
        id = store.addClient(ClientKind::Company, record);
        store.codes().setAddressing(id, record[client::Name], addressing);
        name = record[client::Name];
    }
    EinvoiceStore store;
    QString id;
    QString name;
};

struct ForeignCase {
    const char* name;
    registers::ClientRecord client;
    registers::ClientAddressing addressing;
    Amounts amounts;
    std::vector<std::pair<QString, QString>> expected;  // XPath, text
    QStringList notices = {};
};

std::vector<ForeignCase> foreignCases() {
    return {
        // The country's prefix is IdPaese, not part of IdCodice.
        {"EuBusinessOutsideVat",
         foreignClient("MUELLER GMBH", "", "10115 BERLIN"),
         {"0000000", "", "DE", "DE123456789"},
         kOutside,
         {{"//CodiceDestinatario", "XXXXXXX"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "DE"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"},
          {"//CessionarioCommittente/Sede/CAP", "00000"},
          {"//CessionarioCommittente/Sede/Comune", "10115 BERLIN"},
          {"//CessionarioCommittente/Sede/Nazione", "DE"},
          {"//CedentePrestatore/Sede/Nazione", "IT"},
          {"//CedentePrestatore//IdFiscaleIVA/IdPaese", "IT"},
          {"//DettaglioLinee/Natura", "N2.1"},
          {"//DatiRiepilogo/Natura", "N2.1"},
          {"//DatiRiepilogo/RiferimentoNormativo", kOutsideVat}}},
        // A postal code that is not an Italian CAP stays with the town.
        {"NonEuBusinessWithAForeignPostalCode",
         foreignClient("ACME LTD", "SW1A 1AA", "LONDON"),
         {"XXXXXXX", "", "GB", "123456789"},
         kOutside,
         {{"//CodiceDestinatario", "XXXXXXX"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "GB"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"},
          {"//CessionarioCommittente/Sede/CAP", "00000"},
          {"//CessionarioCommittente/Sede/Comune", "SW1A 1AA LONDON"},
          {"//CessionarioCommittente/Sede/Nazione", "GB"}}},
        // Only the country's own VAT prefix goes: CHE for a Swiss UID, EL for Greece,
        // XI for Northern Ireland.
        {"SwissUidWithoutItsPrefix",
         foreignClient("ALPEN AG", "8001", "ZÜRICH"),
         {"0000000", "", "CH", "CHE123456789"},
         kOutside,
         {{"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "CH"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"},
          {"//CessionarioCommittente/Sede/CAP", "00000"},
          {"//CessionarioCommittente/Sede/Comune", "8001 ZÜRICH"}}},
        {"GreekVatWithoutEl",
         foreignClient("ALPHA AE", "", "ATHINA"),
         {"0000000", "", "GR", "EL123456789"},
         kOutside,
         {{"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "GR"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"}}},
        {"NorthernIrelandVatWithoutXi",
         foreignClient("BELFAST LTD", "BT1 1AA", "BELFAST"),
         {"0000000", "", "XI", "XI123456789"},
         kOutside,
         {{"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "XI"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"},
          {"//CessionarioCommittente/Sede/Nazione", "XI"}}},
        // A German postcode is a postcode abroad: CAP 00000, the postcode kept in the address.
        {"GermanPostcodeKeptWithTheTown",
         foreignClient("MUELLER GMBH", "80331", "MÜNCHEN"),
         {"0000000", "", "DE", "DE123456789"},
         kOutside,
         {{"//CessionarioCommittente/Sede/CAP", "00000"},
          {"//CessionarioCommittente/Sede/Comune", "80331 MÜNCHEN"}}},
        // A client with no VAT number is named by eleven nines.
        {"PrivateClientAbroadWithoutVatNumber",
         foreignClient("DUPONT JEAN", "", "75001 PARIS"),
         {"0000000", "", "FR", ""},
         kTaxed,
         {{"//CessionarioCommittente//IdFiscaleIVA/IdPaese", "FR"},
          {"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "99999999999"},
          {"//CessionarioCommittente/Sede/Nazione", "FR"},
          {"//DatiRiepilogo/Imposta", "220.00"}}},
        // VAT charged to a business abroad is written and flagged for the user.
        {"VatChargedToABusinessAbroadIsFlagged",
         foreignClient("MUELLER GMBH", "", "10115 BERLIN"),
         {"0000000", "", "DE", "123456789"},
         kTaxed,
         {{"//CessionarioCommittente//IdFiscaleIVA/IdCodice", "123456789"},
          {"//DatiRiepilogo/Imposta", "220.00"}},
         {"Fattura n. 1 del 03/02/2025 (file " + kFile +
          "): IVA addebitata a MUELLER GMBH, impresa con sede all'estero (DE): i servizi a "
          "un'impresa estera sono di regola fuori campo IVA (voce di esenzione con Natura N2.1, "
          "art. 7-ter DPR 633/72); verificare che l'IVA sia dovuta"}},
    };
}

class ForeignExport : public testing::TestWithParam<ForeignCase> {};

TEST_P(ForeignExport, WritesAValidFileForTheClientAbroad) {
    const ForeignCase& c = GetParam();
    ForeignStore foreign(c.client, c.addressing);
    const int row = foreign.store.addInvoice(foreign.id, foreign.name, c.amounts);

    const auto outcome = foreign.store.exportRows({row});
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    for (const auto& refusal : outcome->refusals)
        ADD_FAILURE() << refusal.message().toStdString();
    EXPECT_EQ(outcome->notices, c.notices);
    ASSERT_EQ(foreign.store.files(), QStringList{kFile});

    const QByteArray bytes = foreign.store.file(kFile);
    EXPECT_EQ(schemaErrors(bytes), QStringList()) << bytes.toStdString();
    const FatturaXml xml(bytes);
    for (const auto& [path, text] : c.expected)
        EXPECT_EQ(xml.one(path), text) << path.toStdString();
    for (const char* path : {"//CessionarioCommittente//Provincia",
                             "//CessionarioCommittente//CodiceFiscale", "//PECDestinatario"})
        EXPECT_EQ(xml.count(path), 0) << path;
}

INSTANTIATE_TEST_SUITE_P(Clients, ForeignExport, testing::ValuesIn(foreignCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedPlace {
    const char* name;
    registers::ClientRecord client;
    registers::ClientAddressing addressing;
    QString fault;
    Amounts amounts = kOutside;
};

// Outside VAT with 20 % withheld.
const Amounts kOutsideWithheld{"1.000,00", "0",        "1.000,00", "0",      kOutsideVat,
                               "0",        "1.000,00", "200,00",   "800,00", "Bonifico"};

std::vector<RefusedPlace> refusedPlaces() {
    const registers::ClientRecord berlin = foreignClient("MUELLER GMBH", "", "10115 BERLIN");
    registers::ClientRecord withCap = berlin;
    withCap[client::PostalCode] = "10115";
    registers::ClientRecord withProvince = berlin;
    withProvince[client::Province] = "BE";
    return {
        {"UnknownCountry",
         berlin,
         {"0000000", "", "XY", "123456789"},
         "il paese del cliente MUELLER GMBH non è un codice di nazione di due lettere (ISO "
         "3166, per esempio IT, DE, FR): \"XY\""},
        {"CountryWrittenInFull",
         berlin,
         {"0000000", "", "GERMANIA", ""},
         "il paese del cliente MUELLER GMBH non è un codice di nazione di due lettere (ISO "
         "3166, per esempio IT, DE, FR): \"GERMANIA\""},
        {"GermanVatNumberOfTheWrongLength",
         withCap,
         {"0000000", "", "DE", "DE12345"},
         "la partita IVA estera del cliente MUELLER GMBH non ha la forma di quelle di Germania "
         "(DE seguito da 9 cifre): \"DE12345\""},
        {"GreekVatNumberWithTheIsoCode",
         foreignClient("ALPHA AE", "", "ATHINA"),
         {"0000000", "", "GR", "GR123456789"},
         "la partita IVA estera del cliente ALPHA AE non ha la forma di quelle di Grecia (EL "
         "seguito da 9 cifre): \"GR123456789\""},
        {"WithholdingOnACompanyAbroad",
         berlin,
         {"0000000", "", "DE", "DE123456789"},
         "il cliente è all'estero (DE): non è un sostituto d'imposta italiano e non applica la "
         "ritenuta d'acconto: scegliere \"*\" come ritenuta",
         kOutsideWithheld},
        {"OutsideVatForAConsumerAbroad",
         foreignClient("DUPONT JEAN", "", "75001 PARIS"),
         {"0000000", "", "FR", ""},
         "il cliente è all'estero (FR) senza partita IVA: la Natura N2.1 (art. 7-ter DPR "
         "633/72, fuori campo IVA) è per le imprese estere, a un privato i servizi si fatturano "
         "con l'IVA italiana (art. 7 DPR 633/72): scegliere l'aliquota IVA, o indicare la "
         "partita IVA estera nei Codici Fattura Elettronica"},
        {"ProvinceOnAnAddressAbroad",
         withProvince,
         {"0000000", "", "DE", "123456789"},
         "il cliente MUELLER GMBH è all'estero (DE) ma in Anagrafe ha la provincia \"BE\": la "
         "provincia si indica solo per un indirizzo in Italia"},
        {"PecForAClientAbroad",
         berlin,
         {"0000000", "info@mueller.de", "DE", "123456789"},
         "il cliente MUELLER GMBH è all'estero: la fattura va al codice destinatario XXXXXXX, "
         "senza altro codice destinatario né PEC"},
        {"RecipientCodeForAClientAbroad",
         berlin,
         {"ABC1234", "", "DE", "123456789"},
         "il cliente MUELLER GMBH è all'estero: la fattura va al codice destinatario XXXXXXX, "
         "senza altro codice destinatario né PEC"},
        {"ForeignVatNumberWithSigns",
         berlin,
         {"0000000", "", "DE", "DE/123"},
         "la partita IVA estera del cliente MUELLER GMBH non è di sole lettere e cifre (al "
         "massimo 28): \"DE/123\""},
        {"ForeignVatNumberForAClientInItaly",
         EinvoiceStore::clientOf(ClientKind::Company),
         {"ABC1234", "", "IT", "DE123456789"},
         "il cliente ROSSI & FIGLI SRL è in Italia: la partita IVA estera si indica solo per "
         "un cliente con sede all'estero"},
    };
}

class ForeignRefusal : public testing::TestWithParam<RefusedPlace> {};

TEST_P(ForeignRefusal, TellsWhatToFixAndWritesNothing) {
    const RefusedPlace& r = GetParam();
    ForeignStore foreign(r.client, r.addressing);
    const int row = foreign.store.addInvoice(foreign.id, foreign.name, r.amounts);

    const auto outcome = foreign.store.exportRows({row});
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    ASSERT_EQ(outcome->refusals.size(), 1u);
    EXPECT_EQ(outcome->refusals.front().faults, QStringList{r.fault});
    EXPECT_EQ(foreign.store.files(), QStringList());
    EXPECT_EQ(foreign.store.codes().lastProgressive(), 0);
}

INSTANTIATE_TEST_SUITE_P(Clients, ForeignRefusal, testing::ValuesIn(refusedPlaces()),
                         [](const auto& info) { return std::string(info.param.name); });

class ForeignCodesWindow : public testing::Test {
  protected:
    ForeignCodesWindow() { navigator.setMainMenu(&menu); }

    EinvoiceStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 2, 3), QTime(10, 0))};
    app::Navigator navigator;
    app::AreaWindow menu;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};
};

// Columns of the client grid: recipient code, PEC, country, foreign VAT number.
constexpr int kCode = 2, kPec = 3, kCountry = 4, kForeignVat = 5;

TEST_F(ForeignCodesWindow, KeepsTheCountryAndTheVatNumberOfAClientAbroad) {
    const QString id =
        data.addClient(ClientKind::Company, foreignClient("MUELLER GMBH", "", "10115 BERLIN"));
    {
        einvoice::CodiciFatturaPA window(services);
        navigator.go(&menu, &window);
        EXPECT_EQ(window.Grid5->item(0, kCountry)->text(), "IT") << "Italy until told";
        window.Grid5->item(0, kCode)->setText("");
        window.Grid5->item(0, kCountry)->setText(" de ");
        window.Grid5->item(0, kForeignVat)->setText("de 123.456.789");
        boxes.expect({"Operazione eseguita !", "Gestione", Icon::Information});
        window.XPButton1->click();
    }
    EXPECT_EQ(data.codes().addressing(id),
              (registers::ClientAddressing{"0000000", "", "DE", "DE123456789"}));
    EXPECT_EQ(registers::EinvoiceCodes(data.data.reopened(registers::kEinvoiceCodesSheet))
                  .addressing(id)
                  .foreignVat,
              "DE123456789")
        << "the store was saved";

    einvoice::CodiciFatturaPA again(services);
    navigator.go(&menu, &again);
    EXPECT_EQ(again.Grid5->item(0, kCountry)->text(), "DE");
    EXPECT_EQ(again.Grid5->item(0, kForeignVat)->text(), "DE123456789");
}

TEST_F(ForeignCodesWindow, RefusesAVatNumberNotInItsCountrysFormAndWritesNothing) {
    registers::ClientRecord record = foreignClient("MUELLER GMBH", "80331", "MÜNCHEN");
    const QString id = data.addClient(ClientKind::Company, record);
    const registers::ClientAddressing kept = data.codes().addressing(id);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Grid5->item(0, kCode)->setText("0000000");
    window.Grid5->item(0, kPec)->setText("");
    window.Grid5->item(0, kCountry)->setText("DE");
    window.Grid5->item(0, kForeignVat)->setText("DE 12345");
    boxes.expect(
        {"I codici non sono stati salvati:\n- la partita IVA estera del cliente MUELLER GMBH "
         "non ha la forma di quelle di Germania (DE seguito da 9 cifre): \"DE12345\"",
         "Gestione", Icon::Warning});
    window.XPButton1->click();
    EXPECT_EQ(data.codes().addressing(id), kept);

    window.Grid5->item(0, kCountry)->setText("ZZ");
    boxes.expect(
        {"I codici non sono stati salvati:\n- il paese del cliente MUELLER GMBH non è "
         "un codice di nazione di due lettere (ISO 3166, per esempio IT, DE, FR): "
         "\"ZZ\"",
         "Gestione", Icon::Warning});
    window.XPButton1->click();
    EXPECT_EQ(data.codes().addressing(id), kept);
    boxes.expect(
        {"Salvare le modifiche ai codici ?", "Gestione", Icon::Question, app::Buttons::YesNo},
        app::Answer::No);
    window.XPButton2->click();
}

}  // namespace
