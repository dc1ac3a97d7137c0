// What an invoice carries beyond the register's columns lives in a sheet of its own,
// keyed by the register ID: written, changed, read back from the saved file, and
// forgotten with the register.
#include "registers/invoice_extras.h"

#include "registers/invoice_layout.h"
#include "store/workbook_store.h"
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
