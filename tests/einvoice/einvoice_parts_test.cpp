// The small parts of the electronic invoice: tax identifiers and their check
// characters, amounts and rates as the file spells them, progressives, the texts the
// format accepts, and the codes sheet.
#include "fatturapa/code_lists.h"
#include "fatturapa/einvoice_checks.h"
#include "fatturapa/fattura_pa.h"
#include "fatturapa/tax_identifiers.h"
#include "registers/einvoice_codes.h"
#include "store/range.h"
#include "store/workbook_store.h"
#include "support/prepared_store.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using registers::Amount;
using registers::CodedList;
using registers::Rate;

TEST(TaxIdentifiers, CheckCharacters) {
    struct Row {
        const char* text;
        bool vatNumber;
        bool taxCode;
    };
    const Row rows[] = {
        {"01234567897", true, true},  // a company's tax code is its VAT number
        {"12345678903", true, true},        {"01234567891", false, false},
        {"0123456789", false, false},       {"0123456789A", false, false},
        {"RSSMRA85T10A562S", false, true},  // the check letter of the first fifteen
        {"RSSMRA85T10A562T", false, false}, {"BNCLGU70A01H501Y", false, true},
        {"RSSMRA85T10A56NE", false, false},  // omocodia letter with the old check letter
        {"RSSMRA85T10A56NH", false, true},   // ... and with its own
        {"RSSMRA85Z10A562S", false, false},  // Z is no month
        {"rssmra85t10a562s", false, false}, {"", false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fatturapa::isValidVatNumber(row.text), row.vatNumber) << row.text;
        EXPECT_EQ(fatturapa::isValidTaxCode(row.text), row.taxCode) << row.text;
    }
}

TEST(TaxIdentifiers, ForeignVatNumbersLoseOnlyTheirCountrysPrefixAndTakeItsForm) {
    struct Row {
        const char* country;
        const char* vat;
        const char* written;  // IdCodice
        bool right;
    };
    const Row rows[] = {
        {"DE", "DE123456789", "123456789", true},
        {"DE", "123456789", "123456789", true},
        {"DE", "DE12345", "12345", false},
        {"GR", "EL123456789", "123456789", true},
        {"GR", "GR123456789", "GR123456789", false},
        {"CH", "CHE123456789", "123456789", true},
        {"CH", "CHE123456789MWST", "123456789MWST", true},
        {"XI", "XI123456789", "123456789", true},
        {"AT", "ATU12345678", "U12345678", true},
        {"AT", "DE123456789", "DE123456789", false},
        {"NL", "NL123456789B01", "123456789B01", true},
        {"FR", "FRXX123456789", "XX123456789", true},
        {"ES", "ESX1234567X", "X1234567X", true},
        {"IE", "IE1234567WA", "1234567WA", true},
        {"SE", "SE123456789001", "123456789001", true},
        {"SE", "SE123456789012", "123456789012", false},
        {"GB", "GB123456789", "123456789", true},  // outside the EU: its own rules
        {"US", "123456789", "123456789", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fatturapa::withoutVatPrefix(row.country, row.vat), row.written) << row.vat;
        EXPECT_EQ(fatturapa::foreignVatFault(row.country, row.vat, "X").isEmpty(), row.right)
            << row.country << " " << row.vat;
    }
}

TEST(TaxIdentifiers, APersonsCodeSplitsTheNameIntoSurnameAndGivenName) {
    using fatturapa::PersonName;
    struct Row {
        const char* name;
        const char* taxCode;
        std::optional<PersonName> person;
    };
    const Row rows[] = {
        {"ROSSI MARIO", "RSSMRA85T10A562S", PersonName{"ROSSI", "MARIO"}},
        {"MARIO ROSSI", "RSSMRA85T10A562S", PersonName{"ROSSI", "MARIO"}},
        {"ROSSI  MARIO", "RSSMRA85T10A56NH", PersonName{"ROSSI", "MARIO"}},  // omocodia
        {"DE LUCA ANNA", "DLCNNA80A41F205Z", PersonName{"DE LUCA", "ANNA"}},
        {"VERDI GIANFRANCO", "VRDGFR80A01F205J", PersonName{"VERDI", "GIANFRANCO"}},
        {"BIANCHI LUIGI", "BNCLGU70A01H501Y", PersonName{"BIANCHI", "LUIGI"}},
        {"STUDIO BIANCHI LUIGI", "BNCLGU70A01H501Y", std::nullopt},  // a trade name
        {"ROSSI & FIGLI SRL", "01234567897", std::nullopt},          // a company
        {"ROSSI MARIO", "", std::nullopt},
        {"ROSSI MARIO", "RSSMRA85T10A562T", std::nullopt},  // a wrong code says nothing
    };
    for (const Row& row : rows)
        EXPECT_EQ(fatturapa::personName(row.name, row.taxCode), row.person) << row.name;
}

TEST(FileSpelling, AmountsRatesAndProgressives) {
    EXPECT_EQ(fatturapa::xmlAmount(Amount::fromCents(106880)), "1068.80");
    EXPECT_EQ(fatturapa::xmlAmount(Amount::fromCents(5)), "0.05");
    EXPECT_EQ(fatturapa::xmlAmount(Amount::fromCents(-1230)), "-12.30");
    EXPECT_EQ(fatturapa::xmlAmount(Amount()), "0.00");
    EXPECT_EQ(fatturapa::xmlRate(*Rate::parse("22")), "22.00");
    EXPECT_EQ(fatturapa::xmlRate(*Rate::parse("1,5")), "1.50");
    EXPECT_EQ(fatturapa::xmlRate(*Rate::parse("0,375")), std::nullopt);
    EXPECT_EQ(fatturapa::xmlRate(*Rate::parse("-4")), std::nullopt);

    EXPECT_EQ(fatturapa::progressiveText(1), "00001");
    EXPECT_EQ(fatturapa::progressiveText(10), "0000A");
    EXPECT_EQ(fatturapa::progressiveText(36), "00010");
    EXPECT_EQ(fatturapa::progressiveText(fatturapa::kLastProgressive), "ZZZZZ");
    for (qint64 p : {1LL, 35LL, 36LL, 99999LL, fatturapa::kLastProgressive})
        EXPECT_EQ(
            fatturapa::progressiveOf(
                fatturapa::fileName("12345678903", fatturapa::progressiveText(p)), "12345678903"),
            p);
    EXPECT_EQ(fatturapa::fileName("12345678903", "0000A"), "IT12345678903_0000A.xml");
    EXPECT_EQ(fatturapa::progressiveOf("IT12345678903_0001.xml", "12345678903"), std::nullopt);
    EXPECT_EQ(fatturapa::progressiveOf("IT99999999999_00001.xml", "12345678903"), std::nullopt);
}

TEST(FileSpelling, LatinTexts) {
    EXPECT_EQ(fatturapa::latinText("Perizia \u2018A\u2019 \u2014 \u20AC\u2026"),
              "Perizia 'A' - EUR...");
    EXPECT_EQ(fatturapa::latinText("città\tdue\r\nrighe"), "città\tdue\r\nrighe");
    EXPECT_EQ(fatturapa::latinText(QString("a") + QChar(0x01) + "b"), "ab");
    EXPECT_EQ(fatturapa::latinText("\u4E2D"), std::nullopt);
    EXPECT_EQ(fatturapa::latinText("\u0141\u00F3d\u017A"), std::nullopt);
}

TEST(FileSpelling, AForeignCharacterIsNamedWithItsCode) {
    struct Row {
        const char* text;
        const char* fault;
    };
    const Row rows[] = {
        {"Esente art. 10 \u2192 DPR 633/72",
         "la voce contiene il carattere \"\u2192\" (U+2192), che la fattura elettronica non "
         "ammette"},
        {"\u0141\u00F3d\u017A",
         "la voce contiene il carattere \"\u0141\" (U+0141), che la fattura elettronica non "
         "ammette"},
        {"Consulenza \U0001F600",
         "la voce contiene il carattere \"\U0001F600\" (U+1F600), che la fattura elettronica "
         "non ammette"},
        {"Perizia \u2018A\u2019 \u20AC \u00E8", ""},  // each has a form the file takes
    };
    for (const Row& row : rows)
        EXPECT_EQ(fatturapa::foreignCharacterFault(QString::fromUtf8(row.text), "la voce"),
                  QString::fromUtf8(row.fault))
            << row.text;
}

TEST(Addressing, ThePecFollowsTheSchemaAndGoesOnlyWithTheCodeOfNone) {
    struct Row {
        const char* code;
        const char* pec;
        bool accepted;
    };
    const Row rows[] = {
        {"0000000", "mario.rossi@pec.it", true},
        {"0000000", "studio_rossi+fatture@pec.ordine.it", true},
        {"0000000", "", true},
        {"ABC1234", "", true},
        {"0000000", "mario..rossi@pec.it", false},  // a doubled dot
        {"0000000", ".mario@pec.it", false},
        {"0000000", "mario.@pec.it", false},
        {"0000000", "mario rossi@pec.it", false},
        {"0000000", "m\u00E0rio@pec.it", false},
        {"0000000", "mario@pec", false},  // no domain of two parts
        {"0000000", "mario@@pec.it", false},
        {"ABC1234", "mario.rossi@pec.it", false},  // the code wins: a PEC beside it is refused
    };
    for (const Row& row : rows)
        EXPECT_EQ(
            fatturapa::addressingFaults(row.code, QString::fromUtf8(row.pec), "ROSSI").isEmpty(),
            row.accepted)
            << row.code << " " << row.pec;
    EXPECT_EQ(fatturapa::addressingFaults("ABC1234", "mario.rossi@pec.it", "ROSSI"),
              QStringList{"il cliente ROSSI ha sia il codice destinatario ABC1234 sia una PEC: la "
                          "PEC si indica solo con il codice destinatario 0000000"});
}

// The last net before writing catches a text that no earlier check looked at.
TEST(Addressing, TheSchemaCheckCatchesEveryTextOfTheDocument) {
    fatturapa::Document valid;
    valid.transmitterId = "BNCLGU70A01H501Y";
    valid.recipientCode = "0000000";
    valid.supplier = {"STUDIO BIANCHI", "12345678903", "BNCLGU70A01H501Y", "VIA ROMA 1", "20121",
                      "MILANO",         "MI"};
    valid.customer = {"ROSSI MARIO", "", "RSSMRA85T10A562S", "VIA VERDI 3", "56017", "PISA", "PI"};
    valid.number = "12";
    valid.lines.push_back({"Consulenza", Amount::fromCents(10000), Rate(), "N4", false});
    valid.summaries.push_back({Rate(), "N4", Amount::fromCents(10000), {}, "Esente art. 10"});
    ASSERT_EQ(fatturapa::schemaFaults(valid), QStringList());

    using Spoil = void (*)(fatturapa::Document&);
    const std::pair<const char*, Spoil> spoils[] = {
        {"arrow in a line", [](fatturapa::Document& d) { d.lines[0].description += "\u2192"; }},
        {"legal reference",
         [](fatturapa::Document& d) { d.summaries[0].legalReference = "\u2192"; }},
        {"long name", [](fatturapa::Document& d) { d.customer.name = QString(81, 'A'); }},
        {"empty town", [](fatturapa::Document& d) { d.supplier.town.clear(); }},
        {"bad PEC", [](fatturapa::Document& d) { d.recipientPec = "mario..rossi@pec.it"; }},
        {"lower-case tax code",
         [](fatturapa::Document& d) { d.customer.taxCode = "rssmra85t10a562s"; }},
        {"number too long", [](fatturapa::Document& d) { d.number = QString(21, '1'); }},
        {"six-character code", [](fatturapa::Document& d) { d.recipientCode = "ABC12"; }},
        {"control character",
         [](fatturapa::Document& d) { d.lines[0].description += QChar(0x01); }},
    };
    for (const auto& [what, spoil] : spoils) {
        fatturapa::Document d = valid;
        spoil(d);
        EXPECT_FALSE(fatturapa::schemaFaults(d).isEmpty()) << what;
    }
}

TEST(CodeLists, OfferTheCodesTheSistemaDiInterscambioAccepts) {
    EXPECT_EQ(fatturapa::cassaTypes().size(), 22u);
    EXPECT_EQ(fatturapa::descriptionOf(fatturapa::cassaTypes(), "TC22"), "INPS");
    EXPECT_EQ(fatturapa::withholdingTypes().size(), 6u);
    EXPECT_EQ(fatturapa::paymentMethods().size(), 23u);
    EXPECT_EQ(fatturapa::descriptionOf(fatturapa::paymentMethods(), "MP05"), "bonifico");
    EXPECT_EQ(fatturapa::descriptionOf(fatturapa::taxRegimes(), "RF19"), "Regime forfettario");
    EXPECT_TRUE(fatturapa::contains(fatturapa::natures(), "N2.2"));
    EXPECT_FALSE(fatturapa::contains(fatturapa::natures(), "N2")) << "retired without subcode";
    EXPECT_TRUE(fatturapa::contains(fatturapa::paymentReasons(), "A"));
}

TEST(CodesSheet, IsAddedBesideTheCoreSheetsWhichStayAsTheyWere) {
    test_support::PreparedStore data;
    store::Workbook& book = data.store().workbook();
    const int sheets = book.sheetCount();
    std::vector<store::Range> before;
    for (const QString& name : store::kCoreSheets)
        before.push_back(book.sheet(name)->usedRange());
    registers::prepareEinvoiceCodesSheet(data.store());
    registers::prepareEinvoiceCodesSheet(data.store());  // a second start adds nothing
    ASSERT_EQ(book.sheetCount(), sheets + 1);
    EXPECT_EQ(book.sheetAt(sheets + 1)->name(), registers::kEinvoiceCodesSheet);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const store::Range after = book.sheet(store::kCoreSheets[int(i)])->usedRange();
        EXPECT_EQ(after.lastRow(), before[i].lastRow());
        EXPECT_EQ(after.lastColumn(), before[i].lastColumn());
    }
    EXPECT_EQ(data.sheet(registers::kEinvoiceCodesSheet).text(1, 4), "NATURA");
}

TEST(CodesSheet, DefaultsUntilTheUserSetsACodeAndEntriesAreKeptByText) {
    test_support::PreparedStore data;
    registers::prepareEinvoiceCodesSheet(data.store());
    registers::EinvoiceCodes codes(data.sheet(registers::kEinvoiceCodesSheet));
    struct Row {
        CodedList list;
        const char* item;
        registers::ItemCodes expected;
    };
    const Row defaults[] = {
        // 4 % may be INPS or a fund: the user says which.
        {CodedList::Cassa, "4", {"", ""}},
        {CodedList::Cassa, "4,0", {"", ""}},
        {CodedList::Cassa, "2", {"", ""}},
        {CodedList::Withholding, "20", {"RT01", "A"}},
        {CodedList::Withholding, "23", {"", ""}},
        {CodedList::Payment, "Bonifico bancario", {"MP05", ""}},
        {CodedList::Payment, "Rimessa diretta", {"", ""}},
        {CodedList::Payment, "Bollettino postale", {"MP18", ""}},
        {CodedList::Exemption, "Operazione in regime forfettario", {"N2.2", ""}},
        {CodedList::Exemption, "Spese anticipate Art. 15", {"N1", ""}},
        {CodedList::Exemption, "Spese varie", {"", ""}},
        {CodedList::Exemption, "Fuori campo IVA art. 7-ter DPR 633/72", {"N2.1", ""}},
        {CodedList::Exemption, "Non soggetta art. 7 ter", {"N2.1", ""}},
    };
    for (const Row& row : defaults)
        EXPECT_EQ(codes.codes(row.list, row.item), row.expected) << row.item;

    EXPECT_FALSE(codes.surchargeWithheld("4")) << "uncoded";
    codes.setCodes(CodedList::Cassa, "4", {"TC22", ""});
    EXPECT_TRUE(codes.surchargeWithheld("4")) << "INPS separate scheme";
    codes.setCodes(CodedList::Cassa, "4", {"TC04", ""});
    EXPECT_FALSE(codes.surchargeWithheld("4")) << "a professional fund";
    codes.setCodes(CodedList::Withholding, "23", {"RT01", "A"});
    codes.setCodes(CodedList::Cassa, "4", {"TC21", ""});  // the same entry again
    codes.setAddressing("7", "ROSSI", {"ABC1234", "rossi@pec.it"});
    codes.setAddressing("9", "MUELLER GMBH", {"XXXXXXX", "", "DE", "DE123456789"});
    codes.setTaxRegime("RF19");
    codes.setLastProgressive(12);
    ASSERT_TRUE(data.store().saveStore().ok());

    const store::Worksheet saved = data.reopened(registers::kEinvoiceCodesSheet);
    const registers::EinvoiceCodes reread(saved);
    EXPECT_EQ(reread.codes(CodedList::Cassa, "4"), (registers::ItemCodes{"TC21", ""}));
    EXPECT_EQ(reread.codes(CodedList::Withholding, "23"), (registers::ItemCodes{"RT01", "A"}));
    EXPECT_EQ(reread.addressing("7"), (registers::ClientAddressing{"ABC1234", "rossi@pec.it"}));
    EXPECT_EQ(reread.addressing("8"), (registers::ClientAddressing{"0000000", ""}));
    EXPECT_EQ(reread.addressing("9"),
              (registers::ClientAddressing{"XXXXXXX", "", "DE", "DE123456789"}));
    EXPECT_EQ(reread.addressing("7").country, "IT") << "a client without a country is in Italy";
    QStringList addressed = reread.addressedClients();
    addressed.sort();
    EXPECT_EQ(addressed, QStringList({"7", "9"}));
    EXPECT_EQ(reread.taxRegime(), "RF19");
    EXPECT_EQ(reread.lastProgressive(), 12);
    EXPECT_EQ(saved.text(3, 1), "") << "one row per item";
    EXPECT_EQ(saved.text(2, 11), "ROSSI");
}

TEST(CodesSheet, PaymentDaysAreProposedFromTheItemsTextUntilTheUserSetsThem) {
    struct Row {
        const char* item;
        int proposed;
    };
    const Row rows[] = {
        {"RIBA 30 GG", 30},
        {"Bonifico 60 gg d.f.f.m.", 60},
        {"RIBA 30/60 GG", 30},
        {"Bonifico", 0},
        {"Rimessa diretta a 365 giorni", 365},
        {"Conto 12345", 0},
        {"Pagamento a 999 giorni", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(registers::proposedPaymentDays(row.item), row.proposed) << row.item;

    test_support::PreparedStore data;
    registers::prepareEinvoiceCodesSheet(data.store());
    {
        registers::EinvoiceCodes codes(data.sheet(registers::kEinvoiceCodesSheet));
        codes.setCodes(CodedList::Payment, "RIBA 30 GG", {"MP12", ""});
        EXPECT_EQ(codes.paymentDays("RIBA 30 GG"), 30) << "coded, days not set yet";
        codes.setPaymentDays("RIBA 30 GG", 45);
        codes.setPaymentDays("Bonifico 60 gg", 0);
        codes.setPaymentDays("Contanti", 10);
    }
    ASSERT_TRUE(data.store().saveStore().ok());
    const store::Worksheet saved = data.reopened(registers::kEinvoiceCodesSheet);
    const registers::EinvoiceCodes reread(saved);
    EXPECT_EQ(reread.paymentDays("RIBA 30 GG"), 45);
    EXPECT_EQ(reread.codes(CodedList::Payment, "RIBA 30 GG"), (registers::ItemCodes{"MP12", ""}))
        << "the days leave the code alone";
    EXPECT_EQ(reread.paymentDays("Bonifico 60 gg"), 0) << "a 0 set by the user is kept";
    EXPECT_EQ(reread.paymentDays("Contanti"), 10);
    EXPECT_EQ(reread.paymentDays("RIBA 90 GG"), 90) << "never stored";
    EXPECT_EQ(saved.text(1, 17), "GIORNI SCADENZA") << "the column after the existing ones";
}

TEST(CodesSheet, EmptiedClientsTakeTheirAddressesAlongAndNothingElse) {
    test_support::PreparedStore data;
    registers::prepareEinvoiceCodesSheet(data.store());
    {
        registers::EinvoiceCodes codes(data.sheet(registers::kEinvoiceCodesSheet));
        codes.setCodes(CodedList::Payment, "Bonifico", {"MP05", ""});
        codes.setAddressing("1", "ROSSI", {"ABC1234", "rossi@pec.it"});
        codes.setAddressing("2", "BIANCHI", {"XYZ9876", ""});
        codes.setAddressing("3", "MUELLER GMBH", {"0000000", "", "DE", "DE123456789"});
        codes.setTaxRegime("RF19");
        codes.setLastProgressive(5);
    }
    registers::forgetClientAddressing(data.store());

    // A new client 1, after the numbering starts again, is not sent to the old one.
    const registers::EinvoiceCodes codes(data.sheet(registers::kEinvoiceCodesSheet));
    EXPECT_EQ(codes.addressing("1"), (registers::ClientAddressing{"0000000", ""}));
    EXPECT_EQ(codes.addressing("2"), (registers::ClientAddressing{"0000000", ""}));
    EXPECT_EQ(codes.addressing("3"), (registers::ClientAddressing{"0000000", ""}));
    EXPECT_EQ(data.sheet(registers::kEinvoiceCodesSheet).text(4, 15), "");
    EXPECT_EQ(data.sheet(registers::kEinvoiceCodesSheet).text(4, 16), "");
    EXPECT_EQ(data.sheet(registers::kEinvoiceCodesSheet).text(2, 11), "");
    EXPECT_EQ(codes.codes(CodedList::Payment, "Bonifico"), (registers::ItemCodes{"MP05", ""}));
    EXPECT_EQ(codes.taxRegime(), "RF19");
    EXPECT_EQ(codes.lastProgressive(), 5);
}

TEST(CodesSheet, ARestoredBackupKeepsTheHigherProgressive) {
    struct Row {
        const char* what;
        qint64 current;
        std::optional<qint64> restored;  // none: a backup without the codes sheet
        qint64 expected;
    };
    const Row rows[] = {
        {"files sent since the backup", 9, 3, 9},
        {"a backup from a later copy", 2, 6, 6},
        {"a backup older than the codes sheet", 4, std::nullopt, 4},
    };
    for (const Row& row : rows) {
        test_support::PreparedStore current;
        registers::prepareEinvoiceCodesSheet(current.store());
        registers::EinvoiceCodes(current.sheet(registers::kEinvoiceCodesSheet))
            .setLastProgressive(row.current);
        test_support::PreparedStore restored;
        if (row.restored) {
            registers::prepareEinvoiceCodesSheet(restored.store());
            registers::EinvoiceCodes(restored.sheet(registers::kEinvoiceCodesSheet))
                .setLastProgressive(*row.restored);
        }
        registers::keepLastProgressive(current.store().workbook(), restored.store().workbook());
        auto sheet = restored.store().workbook().sheet(registers::kEinvoiceCodesSheet);
        ASSERT_TRUE(sheet.ok()) << row.what;
        EXPECT_EQ(registers::EinvoiceCodes(*sheet).lastProgressive(), row.expected) << row.what;
    }
}

}  // namespace
