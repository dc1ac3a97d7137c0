// What an invoice carries beyond the register's columns lives in a sheet of its own,
// keyed by the register ID: written, changed, read back from the saved file, and
// forgotten with the register.
#include "registers/invoice_extras.h"

#include "registers/invoice_layout.h"
#include "registers/invoice_register.h"
#include "registers/register_emptying.h"
#include "store/workbook_store.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"

#include <gtest/gtest.h>

namespace {

using registers::Amount;

TEST(InvoiceExtras, TheStampDutyLineIsKeptPerInvoiceAndNeverBesideTheRegister) {
    test_support::PreparedStore data;
    // A user's own formula to the right of the register's columns.
    const store::Worksheet invoices = data.sheet(store::kInvoicesSheet);
    ASSERT_TRUE(invoices.setValue(2, 19, "=1+1").ok());
    const QString before = invoices.text(2, 19);
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::prepareInvoiceExtrasSheet(data.store());  // a second start adds nothing

    struct Step {
        const char* id;
        bool charged;
    };
    const Step steps[] = {{"1", true},  {"2", false}, {"3", true},
                          {"1", false}, {"1", true},  {"3", false}};
    {
        registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
        for (const Step& step : steps)
            extras.setStampDutyCharged(step.id, step.charged);
    }
    ASSERT_TRUE(data.store().saveStore().ok());

    const store::Worksheet saved = data.reopened(registers::kInvoiceExtrasSheet);
    const registers::InvoiceExtras reread(saved);
    const std::pair<const char*, Amount> expected[] = {
        {"1", Amount::fromCents(200)}, {"2", Amount()}, {"3", Amount()}, {"4", Amount()}};
    for (const auto& [id, amount] : expected)
        EXPECT_EQ(reread.stampDutyCharged(id), amount) << id;
    EXPECT_EQ(saved.text(1, 1), "ID FATTURA");
    EXPECT_EQ(saved.text(2, 2), "2,00");
    EXPECT_EQ(saved.text(4, 1), "") << "one row per invoice charged once";
    EXPECT_EQ(data.reopened(store::kInvoicesSheet).text(2, 19), before);
}

TEST(InvoiceExtras, CreditNotesNameTheInvoiceTheyCorrectAndAreFoundFromIt) {
    test_support::PreparedStore data;
    registers::prepareInvoiceExtrasSheet(data.store());
    const registers::CorrectedInvoice first{"1", "7", QDate(2024, 3, 5)};
    const registers::CorrectedInvoice second{"2", "8", QDate(2024, 3, 9)};
    {
        registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
        extras.setStampDutyCharged("1", true);
        extras.setCorrects("3", first);
        extras.setDueDate("4", QDate(2024, 4, 30));
        extras.setRates("4", {"4", "22", "20"});
        extras.setRates("7", {});  // nothing to keep: no row for it
        extras.setCorrects("5", first);
        extras.setCorrects("6", second);
        extras.setCorrects("5", first);  // kept again: still one note
        EXPECT_EQ(extras.creditNotesOf("1"), QStringList({"3", "5"}));
    }
    ASSERT_TRUE(data.store().saveStore().ok());

    const registers::InvoiceExtras reread(data.reopened(registers::kInvoiceExtrasSheet));
    const std::pair<const char*, std::optional<registers::CorrectedInvoice>> rows[] = {
        {"1", std::nullopt}, {"3", first},  {"4", std::nullopt},
        {"5", first},        {"6", second}, {"9", std::nullopt}};
    for (const auto& [id, corrected] : rows) {
        EXPECT_EQ(reread.corrects(id), corrected) << id;
        EXPECT_EQ(reread.isCreditNote(id), corrected.has_value()) << id;
    }
    EXPECT_EQ(reread.creditNotesOf("1"), QStringList({"3", "5"}));
    EXPECT_EQ(reread.creditNotesOf("2"), QStringList({"6"}));
    EXPECT_EQ(reread.creditNoteIds(), QSet<QString>({"3", "5", "6"}));
    EXPECT_TRUE(reread.creditNotesOf("3").isEmpty()) << "a credit note has none of its own";
    EXPECT_EQ(reread.dueDate("4"), QDate(2024, 4, 30)) << "other data of a row untouched";
    EXPECT_EQ(reread.rates("4"), (registers::KeptRates{"4", "22", "20"}));
    EXPECT_EQ(reread.rates("3"), registers::KeptRates{});
    EXPECT_EQ(reread.rates("7"), registers::KeptRates{});
}

// Numbers run through the year: the register emptied, or an older backup restored,
// the next number proposed follows the last one the year gave.
TEST(InvoiceExtras, EachYearsLastNumberOutlivesAnEmptiedRegisterAndARestoredBackup) {
    test_support::PreparedStore data;
    registers::prepareInvoiceExtrasSheet(data.store());
    const store::Worksheet invoices = data.sheet(store::kInvoicesSheet);
    const std::pair<const char*, const char*> issued[] = {
        {"1", "05/01/2026"}, {"3", "07/02/2026"}, {"2", "06/01/2026"}, {"7", "30/12/2025"}};
    int id = 1;
    for (const auto& [number, date] : issued) {
        test_support::writeInvoice(invoices, id + 1,
                                   {id, "ROSSI", "1", number, date, "10,00", "10,00", "*"});
        ++id;
    }
    registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
        .setRates("1", {"4", {}, {}});

    for (int emptying = 0; emptying < 2; ++emptying) {
        registers::keepIssuedNumbers(data.store());
        registers::forgetInvoiceExtras(data.store());
        registers::emptyRegister(data.store(), registers::invoiceLayout());
    }
    store::Workbook& book = data.store().workbook();
    const std::pair<int, qint64> kept[] = {{2026, 3}, {2025, 7}, {2024, 0}};
    for (const auto& [year, last] : kept)
        EXPECT_EQ(registers::lastIssuedNumber(book, year), last) << year;
    EXPECT_EQ(registers::InvoiceRegister(invoices).firstFreeNumber("1", 2026, 3), "4");
    EXPECT_EQ(registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet)).rates("1"),
              registers::KeptRates{})
        << "the rates went with the old IDs";

    test_support::PreparedStore older;
    registers::keepIssuedNumbers(book, older.store().workbook());
    EXPECT_EQ(registers::lastIssuedNumber(older.store().workbook(), 2026), 3);
}

TEST(InvoiceExtras, EmptyingTheRegisterForgetsThemAndRecordingAsksForTheSheetOnlyWhenCharged) {
    test_support::PreparedStore data;
    EXPECT_TRUE(registers::recordStampDuty(data.store().workbook(), "1", false).ok());
    EXPECT_FALSE(registers::recordStampDuty(data.store().workbook(), "1", true).ok())
        << "no sheet to keep it in";

    registers::prepareInvoiceExtrasSheet(data.store());
    ASSERT_TRUE(registers::recordStampDuty(data.store().workbook(), "1", true).ok());
    registers::forgetInvoiceExtras(data.store());
    const registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
    EXPECT_TRUE(extras.stampDutyCharged("1").isZero()) << "a new invoice 1 starts clean";
    EXPECT_EQ(data.sheet(registers::kInvoiceExtrasSheet).text(1, 2), "RIMBORSO BOLLO");
}

}  // namespace
