// The rates of a registered invoice recovered from its amounts: the items whose
// share of each base is the stored amount, "*" for an amount of zero, none for one
// that no item gives or that does not read, and the withholding's base.
#include "registers/invoice_rates.h"

#include "registers/einvoice_codes.h"
#include "registers/settings_lists.h"
#include "support/prepared_store.h"

#include <gtest/gtest.h>

namespace {

using namespace registers::invoice;

struct RatesCase {
    const char* what;
    // G, H, I, J, N of the register row.
    const char* taxable;
    const char* surcharge;
    const char* totalTaxable;
    const char* vat;
    const char* withholding;
    // The items recovered; nullptr for none.
    const char* surchargeItem;
    const char* vatItem;
    const char* withholdingItem;
    bool withheld;
    // The VAT rate kept when the invoice was registered.
    const char* keptVat = "";
};

const registers::RateItems kItems{{"*", "4", "2"}, {"*", "22", "10"}, {"*", "20", "23"}, {"4"}};

class RatesOf : public testing::TestWithParam<RatesCase> {};

std::string shown(const std::optional<QString>& item) {
    return item ? item->toStdString() : "(none)";
}

TEST_P(RatesOf, AreTheItemsTheAmountsWereMadeWith) {
    const RatesCase& c = GetParam();
    registers::InvoiceRecord r;
    r[Taxable] = QString::fromUtf8(c.taxable);
    r[Surcharge] = QString::fromUtf8(c.surcharge);
    r[TotalTaxable] = QString::fromUtf8(c.totalTaxable);
    r[Vat] = QString::fromUtf8(c.vat);
    r[Withholding] = QString::fromUtf8(c.withholding);
    const registers::InvoiceRates rates =
        registers::ratesOf(r, kItems, {{}, QString::fromUtf8(c.keptVat), {}});
    const auto expected = [](const char* item) {
        return item ? std::string(item) : std::string("(none)");
    };
    EXPECT_EQ(shown(rates.surcharge), expected(c.surchargeItem));
    EXPECT_EQ(shown(rates.vat), expected(c.vatItem));
    EXPECT_EQ(shown(rates.withholding), expected(c.withholdingItem));
    EXPECT_EQ(rates.surchargeWithheld, c.withheld);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Registers, RatesOf, testing::Values(
    RatesCase{"the INPS surcharge withheld on with the fee",
              "1.000,00", "40,00", "1.040,00", "228,80", "208,00", "4", "22", "20", true},
    RatesCase{"registered when the withholding was on the taxable alone",
              "1.000,00", "40,00", "1.040,00", "228,80", "200,00", "4", "22", "20", false},
    RatesCase{"a fund's contribution is not withheld on",
              "1.000,00", "20,00", "1.020,00", "102,00", "230,00", "2", "10", "23", false},
    RatesCase{"zero and empty amounts take the none item",
              "500,00", "0", "500,00", "", "*", "*", "*", "*", false},
    RatesCase{"a credit note's negative amounts give its invoice's items",
              "-1.000,00", "-40,00", "-1.040,00", "-228,80", "-208,00", "4", "22", "20", true},
    RatesCase{"an amount no item gives any more",
              "1.000,00", "30,00", "1.030,00", "99,99", "150,00", nullptr, nullptr, nullptr,
              false},
    RatesCase{"a taxable that does not read leaves the rates on it unknown",
              "mille", "40,00", "1.040,00", "228,80", "208,00", nullptr, "22", nullptr, false},
    RatesCase{"the rate kept with the invoice, though its item has gone",
              "1.000,00", "0", "1.000,00", "50,00", "0", "*", "5", "*", false, "5"},
    RatesCase{"a kept rate that no longer gives the amount gives way to the items",
              "1.000,00", "0", "1.000,00", "100,00", "0", "*", "10", "*", false, "22"}),
    [](const testing::TestParamInfo<RatesCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST(RateItemsOf, ReadsTheSettingsListsAndTheSurchargesWithheldOn) {
    test_support::PreparedStore data;
    registers::prepareEinvoiceCodesSheet(data.store());
    const store::Worksheet settings = data.sheet(store::kSettingsSheet);
    for (const auto& [column, item] :
         std::vector<std::pair<int, QString>>{{registers::kInpsColumn, "4"},
                                              {registers::kInpsColumn, "2"},
                                              {registers::kVatColumn, "22"},
                                              {registers::kWithholdingColumn, "20"}})
        ASSERT_TRUE(registers::insertItem(settings, column, item).ok());
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
        .setCodes(registers::CodedList::Cassa, "4", {"TC22", {}});
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
        .setCodes(registers::CodedList::Cassa, "2", {"TC04", {}});

    const auto items = registers::rateItemsOf(data.store().workbook());
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(items->surcharge, QStringList({"*", "4", "2"}));
    EXPECT_EQ(items->vat, QStringList({"*", "22"}));
    EXPECT_EQ(items->withholding, QStringList({"*", "20"}));
    EXPECT_EQ(items->withheldSurcharges, QSet<QString>{"4"});
}

}  // namespace
