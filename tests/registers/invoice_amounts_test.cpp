// The amount steps of the entry window without a window: each case is what a user
// does, in order, and the fields it must leave.
#include "registers/invoice_amounts.h"
#include "registers/amount.h"
#include "registers/invoice_extras.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace registers {
inline void PrintTo(const InvoiceAmounts& f, std::ostream* out) {
    for (const QString* s :
         {&f.taxable, &f.surchargeRate, &f.surcharge, &f.totalTaxable, &f.vatRate, &f.vat,
          &f.exemption, &f.exempt, &f.total, &f.withholdingRate, &f.withholding, &f.net})
        *out << '|' << s->toStdString();
    *out << (f.vatToRecompute ? "|vat-to-recompute" : "")
         << (f.surchargeToRecompute ? "|surcharge-to-recompute" : "")
         << (f.withholdingToRecompute ? "|withholding-to-recompute" : "")
         << (f.exemptEnabled ? "|exempt-on" : "");
}
}  // namespace registers

namespace {

using registers::InvoiceAmounts;
using Action = std::function<void(InvoiceAmounts&)>;

// What the user does: type into a field and leave it, or choose a combo item.
Action typeTaxable(const char* t) {
    return [=](InvoiceAmounts& f) {
        f.taxable = QString::fromUtf8(t);
        registers::taxableLeft(f);
    };
}
Action typeExempt(const char* t) {
    return [=](InvoiceAmounts& f) {
        f.exempt = QString::fromUtf8(t);
        registers::exemptLeft(f);
    };
}
Action surcharge(const char* r) {
    return [=](InvoiceAmounts& f) {
        f.surchargeRate = QString::fromUtf8(r);
        registers::surchargeRateChosen(f);
    };
}
// A surcharge item the codes window coded: TC22 (INPS, withheld on) or a fund.
Action coded(const char* r, bool inps) {
    return [=](InvoiceAmounts& f) {
        f.surchargeRate = QString::fromUtf8(r);
        f.surchargeWithheld = inps;
        registers::surchargeRateChosen(f);
    };
}
Action vat(const char* r) {
    return [=](InvoiceAmounts& f) {
        f.vatRate = QString::fromUtf8(r);
        registers::vatRateChosen(f);
    };
}
Action exemption(const char* item) {
    return [=](InvoiceAmounts& f) {
        f.exemption = QString::fromUtf8(item);
        registers::exemptionChosen(f);
    };
}
Action withholding(const char* r) {
    return [=](InvoiceAmounts& f) {
        f.withholdingRate = QString::fromUtf8(r);
        registers::withholdingRateChosen(f);
    };
}

struct Expected {
    const char* taxable;
    const char* surcharge;
    const char* totalTaxable;
    const char* vat;
    const char* exempt;
    const char* total;
    const char* withholding;
    const char* net;
    bool vatToRecompute = false;
};

struct Case {
    std::string name;
    std::vector<Action> actions;
    Expected expected;
};

class AmountSteps : public testing::TestWithParam<Case> {};

TEST_P(AmountSteps, LeaveTheFieldsAsExpected) {
    InvoiceAmounts f = registers::clearedAmounts();
    for (const Action& act : GetParam().actions)
        act(f);
    const Expected& e = GetParam().expected;
    InvoiceAmounts want = f;
    want.taxable = QString::fromUtf8(e.taxable);
    want.surcharge = QString::fromUtf8(e.surcharge);
    want.totalTaxable = QString::fromUtf8(e.totalTaxable);
    want.vat = QString::fromUtf8(e.vat);
    want.exempt = QString::fromUtf8(e.exempt);
    want.total = QString::fromUtf8(e.total);
    want.withholding = QString::fromUtf8(e.withholding);
    want.net = QString::fromUtf8(e.net);
    want.vatToRecompute = e.vatToRecompute;
    EXPECT_EQ(f, want);
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, AmountSteps,
    testing::Values(
        Case{"WorkedExample",
             {typeTaxable("1000"), surcharge("4"), vat("22"), withholding("20")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "", "1.268,80", "200,00", "1.068,80"}},
        // The INPS separate-scheme surcharge is part of the fee: 20 % of 1.040,00.
        Case{"InpsSurchargeIsWithheldOnWithTheFee",
             {typeTaxable("1000"), coded("4", true), vat("22"), withholding("20")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "", "1.268,80", "208,00", "1.060,80"}},
        // A professional fund's contribution bears VAT only: the worked example holds.
        Case{"FundContributionIsNotWithheldOn",
             {typeTaxable("1000"), coded("4", false), vat("22"), withholding("20")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "", "1.268,80", "200,00", "1.068,80"}},
        // 333,33 + 13,33 = 346,66; 20 % is 69,332.
        Case{"InpsWithholdingIsRoundedFromTheRoundedSurcharge",
             {typeTaxable("333,33"), coded("4", true), vat("*"), withholding("20")},
             {"333,33", "13,33", "346,66", "0", "", "346,66", "69,33", "277,33"}},
        Case{"InpsSurchargeOfNoneWithholdsOnTheTaxable",
             {typeTaxable("1000"), coded("*", true), vat("22"), withholding("20")},
             {"1.000,00", "0", "1.000,00", "220,00", "", "1.220,00", "200,00", "1.020,00"}},
        // A new taxable with the INPS rates shown: the withholding follows fee + surcharge.
        Case{"InpsWithholdingFollowsANewTaxable",
             {typeTaxable("1000"), coded("4", true), vat("22"), withholding("20"),
              typeTaxable("2000")},
             {"2.000,00", "80,00", "2.080,00", "457,60", "", "2.537,60", "416,00", "2.121,60"}},
        // The withholding must come last: chosen first, the VAT step sets the net
        // back to the total.
        Case{"WithholdingBeforeVat",
             {typeTaxable("1000"), surcharge("4"), withholding("20"), vat("22")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "", "1.268,80", "200,00", "1.268,80"}},
        Case{"NoSurchargeAfterAVatRateMarksTheVat",
             {typeTaxable("1000"), vat("22"), surcharge("*")},
             {"1.000,00", "0", "1.000,00", "", "", "1.000,00", "", "1.000,00", true}},
        Case{"TheVatChosenAgainClearsTheMark",
             {typeTaxable("1000"), vat("22"), surcharge("*"), vat("22")},
             {"1.000,00", "0", "1.000,00", "220,00", "", "1.220,00", "", "1.220,00", false}},
        Case{"NoSurcharge",
             {typeTaxable("1000"), surcharge("*")},
             {"1.000,00", "0", "1.000,00", "", "", "1.000,00", "", "1.000,00"}},
        Case{"DecimalCommaRate",
             {typeTaxable("1000"), surcharge("1,5")},
             {"1.000,00", "15,00", "1.015,00", "", "", "1.015,00", "", "1.015,00"}},
        // Typed before any VAT: total = total taxable + exempt; a surcharge rate
        // chosen after keeps the exempt amount in the total.
        Case{"ExemptBeforeTheSurchargeStaysInTheTotal",
             {typeTaxable("1000"), exemption("Art. 15"), typeExempt("50"), surcharge("4")},
             {"1.000,00", "40,00", "1.040,00", "", "50", "1.090,00", "", "1.090,00"}},
        // The VAT of a chosen rate is cleared by any surcharge choice after it and
        // waits for its rate.
        Case{"ASurchargeRateAfterTheVatMarksTheVat",
             {typeTaxable("1000"), vat("22"), surcharge("4")},
             {"1.000,00", "40,00", "1.040,00", "", "", "1.040,00", "", "1.040,00", true}},
        // A new taxable amount: every amount with a chosen rate follows it.
        Case{"ANewTaxableRecomputesByTheChosenRates",
             {typeTaxable("1000"), surcharge("4"), vat("22"), withholding("20"),
              typeTaxable("2000")},
             {"2.000,00", "80,00", "2.080,00", "457,60", "", "2.537,60", "400,00", "2.137,60"}},
        Case{"ANewTaxableKeepsTheExemptAmount",
             {typeTaxable("1000"), surcharge("*"), vat("22"), exemption("Art. 15"),
              typeExempt("16"), vat("22"), typeTaxable("500")},
             {"500,00", "0", "500,00", "110,00", "16", "626,00", "", "626,00"}},
        Case{"TheSameTaxableAgainChangesNothing",
             {typeTaxable("1000"), surcharge("4"), vat("22"), withholding("20"),
              typeTaxable("1.000")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "", "1.268,80", "200,00", "1.068,80"}},
        Case{"ExemptBeforeVat",
             {typeTaxable("1000"), exemption("Art. 15"), typeExempt("50")},
             {"1.000,00", "", "1.000,00", "", "50", "1.050,00", "", "1.050,00"}},
        Case{"ExemptThenVat",
             {typeTaxable("1000"), surcharge("4"), exemption("Art. 15"), typeExempt("50,5"),
              vat("22")},
             {"1.000,00", "40,00", "1.040,00", "228,80", "50,5", "1.319,30", "", "1.319,30"}},
        Case{"EmptyExemptBecomesZero",
             {typeTaxable("100"), exemption("Art. 15"), typeExempt("")},
             {"100,00", "", "100,00", "", "0,00", "100,00", "", "100,00"}},
        // An empty taxable amount makes every step that reads it fail: the fields
        // keep what they had.
        Case{"EmptyTaxableLeavesFields",
             {typeTaxable("1000"), surcharge("4"), typeTaxable(""), surcharge("2")},
             {"", "40,00", "", "", "", "", "", ""}},
        // The surcharge keeps its text; the steps after it still run on it.
        Case{"NonNumericRateFailsSilently",
             {typeTaxable("1000"), surcharge("4"), surcharge("abc")},
             {"1.000,00", "40,00", "1.040,00", "", "", "1.040,00", "", "1.040,00"}},
        // Cents where binary floating point goes wrong.
        Case{"HalfCentRoundsAwayFromZero",
             {typeTaxable("1,005")},
             {"1,01", "", "1,01", "", "", "1,01", "", "1,01"}},
        Case{"TenthsAddUp",
             {typeTaxable("0,1"), exemption("Art. 15"), typeExempt("0,2")},
             {"0,10", "", "0,10", "", "0,2", "0,30", "", "0,30"}},
        Case{"VatOnAnAwkwardAmount",
             {typeTaxable("1,15"), surcharge("*"), vat("22")},
             // 1,15 x 22% = 0,253
             {"1,15", "0", "1,15", "0,25", "", "1,40", "", "1,40"}},
        Case{"HalfCentOfAPercentage",
             {typeTaxable("2,5"), surcharge("*"), vat("22"), withholding("20")},
             // 2,50 x 22% = 0,55 exactly; 2,50 x 20% = 0,50
             {"2,50", "0", "2,50", "0,55", "", "3,05", "0,50", "2,55"}},
        Case{"SurchargeRoundsHalfUp",
             {typeTaxable("10,25"), surcharge("4")},
             // 10,25 x 4% = 0,41 exactly; 0,125 cases below
             {"10,25", "0,41", "10,66", "", "", "10,66", "", "10,66"}},
        Case{"ThreeDecimalProductRoundsAway",
             {typeTaxable("0,625"), surcharge("*"), vat("20")},
             // 0,63 x 20% = 0,126 -> 0,13
             {"0,63", "0", "0,63", "0,13", "", "0,76", "", "0,76"}},
        Case{"NoWithholding",
             {typeTaxable("1000"), surcharge("*"), vat("22"), withholding("*")},
             {"1.000,00", "0", "1.000,00", "220,00", "", "1.220,00", "0", "1.220,00"}},
        Case{
            "NoVatWithAnExemption",
            {typeTaxable("1000"), surcharge("*"), exemption("Art. 10"), typeExempt("16"), vat("*")},
            {"1.000,00", "0", "1.000,00", "0", "16", "1.016,00", "", "1.016,00"}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(AmountSteps, TheStampDutyLineIsAddedToTheTotalAndTheNet) {
    struct Row {
        const char* what;
        const char* totalTaxable;
        const char* vat;
        const char* exempt;
        const char* withholding;
        const char* total;
        const char* net;
    };
    const Row rows[] = {
        {"flat rate", "1.040,00", "0", "0", "0", "1.042,00", "1.042,00"},
        {"VAT and withholding not chosen yet", "1.040,00", "", "", "", "1.042,00", "1.042,00"},
        {"exempt amount too", "1.000,00", "0", "80,00", "0", "1.082,00", "1.082,00"},
        {"with a withholding", "1.000,00", "0", "0", "200,00", "1.002,00", "802,00"},
        // A total left stale by the steps is made again from its parts.
        {"stale total", "500,00", "0", "0", "0", "502,00", "502,00"},
        {"unreadable: nothing changes", "", "0", "0", "0", "9,00", "9,00"},
    };
    for (const Row& row : rows) {
        InvoiceAmounts f = registers::clearedAmounts();
        f.totalTaxable = row.totalTaxable;
        f.vat = row.vat;
        f.exempt = row.exempt;
        f.withholding = row.withholding;
        f.total = f.net = QStringLiteral("9,00");
        registers::chargeStampDuty(f);
        EXPECT_EQ(f.total, row.total) << row.what;
        EXPECT_EQ(f.net, row.net) << row.what;
        // Dropped again, the total is its parts alone.
        registers::dropStampDuty(f);
        const auto less = [](const char* text) {
            const auto a = registers::Amount::parse(QString::fromUtf8(text));
            return a ? (*a - registers::kStampDuty).text() : QString::fromUtf8(text);
        };
        EXPECT_EQ(f.total, row.totalTaxable[0] ? less(row.total) : QString(row.total)) << row.what;
        EXPECT_EQ(f.net, row.totalTaxable[0] ? less(row.net) : QString(row.net)) << row.what;
    }
}

TEST(AmountSteps, TheExemptBoxOpensWithAnExemptionItem) {
    InvoiceAmounts f = registers::clearedAmounts();
    EXPECT_FALSE(f.exemptEnabled);
    f.exemption = QStringLiteral("Art. 15");
    registers::exemptionChosen(f);
    EXPECT_TRUE(f.exemptEnabled);
    f.exemption = QStringLiteral("*");
    registers::exemptionChosen(f);
    EXPECT_EQ(f.exempt, "0");
}

// A surcharge "*" stored in the register counts as none: a new taxable amount
// gives the totals beside it.
TEST(AmountSteps, AStoredStarSurchargeCountsAsNone) {
    InvoiceAmounts f = registers::clearedAmounts();
    f.surcharge = QStringLiteral("*");
    f.totalTaxable = QStringLiteral("500,00");
    f.total = f.net = QStringLiteral("500,00");
    f.taxable = QStringLiteral("700");
    registers::taxableLeft(f);
    EXPECT_EQ(f.taxable, "700,00");
    EXPECT_EQ(f.surcharge, "*");
    EXPECT_EQ(f.totalTaxable, "700,00");
    EXPECT_EQ(f.total, "700,00");
    EXPECT_EQ(f.net, "700,00");
}

// Amounts computed from rates no longer shown (the combos return to "*" when the
// window opens again, and a loaded invoice shows none): a new taxable amount cannot
// recompute them, so they are cleared and wait for their rates.
TEST(AmountSteps, ANewTaxableWithoutTheRatesShownClearsWhatItCannotRecompute) {
    InvoiceAmounts f = registers::clearedAmounts();
    f.taxable = QStringLiteral("1.000,00");
    f.surcharge = QStringLiteral("40,00");
    f.totalTaxable = QStringLiteral("1.040,00");
    f.vat = QStringLiteral("228,80");
    f.exempt = QStringLiteral("0");
    f.total = QStringLiteral("1.268,80");
    f.withholding = QStringLiteral("0");
    f.net = QStringLiteral("1.268,80");
    InvoiceAmounts same = f;
    registers::taxableLeft(same);
    EXPECT_EQ(same, f);

    f.taxable = QStringLiteral("2000");
    registers::taxableLeft(f);
    EXPECT_EQ(f.surcharge, "");
    EXPECT_EQ(f.vat, "");
    EXPECT_EQ(f.withholding, "0");
    EXPECT_EQ(f.totalTaxable, "2.000,00");
    EXPECT_EQ(f.total, "2.000,00");
    EXPECT_TRUE(f.surchargeToRecompute);
    EXPECT_TRUE(f.vatToRecompute);
    EXPECT_FALSE(f.withholdingToRecompute);
    EXPECT_FALSE(registers::checkAgreement(f));
}

TEST(AmountSteps, LeavingComputedFieldsReformatsThem) {
    InvoiceAmounts f = registers::clearedAmounts();
    f.totalTaxable = QStringLiteral("1234,5");
    registers::totalTaxableLeft(f);
    EXPECT_EQ(f.total, "1.234,50");
    EXPECT_EQ(f.net, "1.234,50");
    f.vat = QStringLiteral("7");
    registers::vatLeft(f);
    EXPECT_EQ(f.vat, "7,00");
    f.total = QStringLiteral("1.000,005");
    registers::totalLeft(f);
    EXPECT_EQ(f.total, "1.000,01");
    f.net = QStringLiteral("x");
    registers::netLeft(f);
    EXPECT_EQ(f.net, "x");
}

TEST(AmountSteps, EmptyAmountsBecomeZero) {
    InvoiceAmounts f = registers::clearedAmounts();
    f.withholding.clear();
    registers::zeroEmptyAmounts(f);
    EXPECT_EQ(f.surcharge, "0");
    EXPECT_EQ(f.vat, "0");
    EXPECT_EQ(f.exempt, "0");
    EXPECT_EQ(f.withholding, "0");
}

// The agreement "Registra" and "Modifica" ask of the amounts: each case starts from
// the worked example (1.000 + 4 % INPS, 22 % VAT, 20 % withholding), changes what
// the user left, and says which problem is found (none: the amounts agree) and a
// word the message must hold.
struct AgreementCase {
    std::string name;
    std::function<void(InvoiceAmounts&)> change;
    std::optional<registers::AmountsProblem::Kind> problem;
    const char* said = "";
};

class Agreement : public testing::TestWithParam<AgreementCase> {};

InvoiceAmounts workedExample() {
    InvoiceAmounts f = registers::clearedAmounts();
    f.taxable = QStringLiteral("1.000,00");
    f.surchargeRate = QStringLiteral("4");
    f.surcharge = QStringLiteral("40,00");
    f.totalTaxable = QStringLiteral("1.040,00");
    f.vatRate = QStringLiteral("22");
    f.vat = QStringLiteral("228,80");
    f.exempt = QStringLiteral("0");
    f.total = QStringLiteral("1.268,80");
    f.withholdingRate = QStringLiteral("20");
    f.withholding = QStringLiteral("200,00");
    f.net = QStringLiteral("1.068,80");
    return f;
}

TEST_P(Agreement, FindsWhatDoesNotAgree) {
    InvoiceAmounts f = workedExample();
    GetParam().change(f);
    const auto checked = registers::checkAgreement(f);
    if (!GetParam().problem) {
        EXPECT_TRUE(checked.ok()) << checked.error().message.toStdString();
        return;
    }
    ASSERT_FALSE(checked.ok());
    EXPECT_EQ(checked.error().kind, *GetParam().problem);
    EXPECT_TRUE(checked.error().message.contains(QString::fromUtf8(GetParam().said)))
        << checked.error().message.toStdString();
}

using Kind = registers::AmountsProblem::Kind;
auto set(QString InvoiceAmounts::*field, const char* text) {
    return [=](InvoiceAmounts& f) { f.*field = QString::fromUtf8(text); };
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, Agreement,
    testing::Values(
        AgreementCase{"TheWorkedExample", [](InvoiceAmounts&) {}, std::nullopt},
        // A loaded invoice shows no rates: its sums alone are checked.
        AgreementCase{"NoRatesShown",
                      [](InvoiceAmounts& f) {
                          f.surchargeRate = f.vatRate = f.withholdingRate = QStringLiteral("*");
                      },
                      std::nullopt},
        AgreementCase{"EmptyAmountsCountAsZero",
                      [](InvoiceAmounts& f) {
                          f = registers::clearedAmounts();
                          f.taxable = f.totalTaxable = f.total = f.net = QStringLiteral("5,00");
                      },
                      std::nullopt},
        AgreementCase{"AStoredStarSurcharge",
                      [](InvoiceAmounts& f) {
                          f.surchargeRate = QStringLiteral("*");
                          f.surcharge = QStringLiteral("*");
                          f.totalTaxable = QStringLiteral("1.000,00");
                          f.vatRate = QStringLiteral("*");
                          f.vat = QStringLiteral("220,00");
                          f.total = QStringLiteral("1.220,00");
                          f.net = QStringLiteral("1.020,00");
                      },
                      std::nullopt},
        AgreementCase{"AnUnreadableTaxable", set(&InvoiceAmounts::taxable, "1,234,56"),
                      Kind::Unreadable, "Imponibile"},
        AgreementCase{"AnEmptyTotal", set(&InvoiceAmounts::total, ""), Kind::Unreadable,
                      "Totale Fattura"},
        // A 13-digit taxable with its surcharge makes totals no register cell holds.
        AgreementCase{"TotalsBeyondTheLargestAmount",
                      [](InvoiceAmounts& f) {
                          f.taxable = QStringLiteral("9.999.999.999.999,00");
                          registers::taxableLeft(f);
                      },
                      Kind::TooLarge, "Totale Imponibile"},
        // The INPS surcharge withheld on with the fee: 20 % of 1.040,00.
        AgreementCase{"TheInpsSurchargeWithheldOn",
                      [](InvoiceAmounts& f) {
                          f.surchargeWithheld = true;
                          f.withholding = QStringLiteral("208,00");
                          f.net = QStringLiteral("1.060,80");
                      },
                      std::nullopt},
        AgreementCase{"TheInpsSurchargeLeftOutOfTheWithholding",
                      [](InvoiceAmounts& f) { f.surchargeWithheld = true; }, Kind::RateMismatch,
                      "Ritenuta Acconto"},
        AgreementCase{"AStampDutyLineInTheTotal",
                      [](InvoiceAmounts& f) {
                          f.stampDutyCharged = true;
                          f.total = QStringLiteral("1.270,80");
                          f.net = QStringLiteral("1.070,80");
                      },
                      std::nullopt},
        AgreementCase{"AStampDutyLineLeftOutOfTheTotal",
                      [](InvoiceAmounts& f) { f.stampDutyCharged = true; }, Kind::Disagree,
                      "imposta di bollo"},
        AgreementCase{"ARateTypedAsText", set(&InvoiceAmounts::vatRate, "ventidue"),
                      Kind::Unreadable, "IVA %"},
        // "Ritenuta" shown as 15 % while the amounts were computed at 20 %.
        AgreementCase{"ARateTypedAfterTheAmounts", set(&InvoiceAmounts::withholdingRate, "15"),
                      Kind::RateMismatch, "Ritenuta Acconto"},
        // The INPS rate chosen again after the VAT: VAT 0 under "IVA % 22".
        AgreementCase{"NoVatUnderAVatRate", set(&InvoiceAmounts::vat, "0"), Kind::RateMismatch,
                      "IVA %"},
        AgreementCase{"TheVatWaitsForItsRate",
                      [](InvoiceAmounts& f) {
                          f.vat.clear();
                          f.vatToRecompute = true;
                      },
                      Kind::ToRecompute, "IVA %"},
        // The taxable changed with no rate shown: totals reset to the taxable
        // beside the old VAT.
        AgreementCase{"TotalsOfAnotherTaxable",
                      [](InvoiceAmounts& f) {
                          f.surchargeRate = f.vatRate = f.withholdingRate = QStringLiteral("*");
                          f.taxable = f.totalTaxable = f.total = QStringLiteral("2.000,00");
                          f.net = QStringLiteral("1.800,00");
                      },
                      Kind::Disagree, "Totale Imponibile"},
        AgreementCase{"AnExemptAmountLeftOutOfTheTotal", set(&InvoiceAmounts::exempt, "50"),
                      Kind::Disagree, "Totale Fattura"},
        AgreementCase{"TheNetIgnoresTheWithholding", set(&InvoiceAmounts::net, "1.268,80"),
                      Kind::WithholdingNotApplied, "ritenuta"},
        AgreementCase{"ANetOfAnotherWithholding", set(&InvoiceAmounts::net, "1.100,00"),
                      Kind::Disagree, "Netto"}),
    [](const testing::TestParamInfo<AgreementCase>& info) { return info.param.name; });

}  // namespace
