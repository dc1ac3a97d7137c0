#include "registers/amount.h"

#include "store/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using registers::Amount;
using registers::Rate;

std::optional<std::int64_t> centsOf(const char* text) {
    const auto amount = Amount::parse(QString::fromUtf8(text));
    return amount ? std::optional(amount->cents()) : std::nullopt;
}

struct ParseCase {
    const char* text;
    std::int64_t cents;
};

class AmountParse : public testing::TestWithParam<ParseCase> {};

TEST_P(AmountParse, ReadsTheDecimalExactlyAndRoundsHalfAwayFromZero) {
    EXPECT_EQ(centsOf(GetParam().text), GetParam().cents) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    ItalianTexts, AmountParse,
    testing::Values(
        ParseCase{"1.234,50", 123450}, ParseCase{"1234,5", 123450}, ParseCase{"1,5", 150},
        ParseCase{"12,", 1200}, ParseCase{"-7", -700}, ParseCase{" 12 ", 1200},
        ParseCase{"+3", 300}, ParseCase{",5", 50}, ParseCase{"0", 0}, ParseCase{"-0", 0},
        ParseCase{"000012,30", 1230}, ParseCase{"1.234.567", 123456700}, ParseCase{"1,5E3", 150000},
        ParseCase{"125e-3", 13}, ParseCase{"1e-999999999999", 0}, ParseCase{"0e999999999999", 0},
        // Doubles get these wrong: 1,005 is 1.00499999... as a double.
        ParseCase{"1,005", 101}, ParseCase{"-1,005", -101}, ParseCase{"2,675", 268},
        ParseCase{"1.234.567,895", 123456790}, ParseCase{"1234,567", 123457},
        ParseCase{"0,004999999999999999999", 0}, ParseCase{"0,005", 1}, ParseCase{"-0,005", -1},
        ParseCase{"-0,0049", 0}, ParseCase{"999999,995", 100000000},
        ParseCase{"9.999.999.999.999,99", Amount::kMaxCents},
        ParseCase{"-9999999999999,994", -Amount::kMaxCents}));

TEST(AmountParse, RefusesWhatIsNotAnAmount) {
    for (const char* text : {"",
                             " ",
                             "abc",
                             "12a",
                             "1.2.3",
                             "12.5",
                             "1.23",
                             "1234.567",
                             ".5",
                             "-",
                             ",",
                             "1,2,3",
                             "1e",
                             "0x10",
                             "€ 5",
                             "5 €",
                             "1 000",
                             "1.234,5.0",
                             "--1",
                             "+-1",
                             "١٢",
                             "１２",
                             "12é",
                             "9999999999999,995",
                             "10000000000000",
                             "-1e13",
                             "1e400",
                             "nan",
                             "inf"}) {
        EXPECT_FALSE(Amount::parse(QString::fromUtf8(text)).has_value()) << text;
    }
}

// Amounts and the cells' numbers read the same texts: one syntax, two results.
TEST(AmountParse, AcceptsTheTextsTheRegionalNumberReaderAccepts) {
    for (const char* text : {"1.234,50", "12,", ",5", "-7", " 3 ", "1,5E3", "2e-1", "1.2.3", "12.5",
                             "1 000", "abc", "", "1e", "+", "1.000.000,001"}) {
        const QString t = QString::fromUtf8(text);
        EXPECT_EQ(Amount::parse(t).has_value(), store::readRegionalNumber(t).has_value()) << text;
    }
}

struct TextCase {
    std::int64_t cents;
    const char* text;
    const char* plain;
};

class AmountText : public testing::TestWithParam<TextCase> {};

TEST_P(AmountText, GroupedWithTwoDecimalsAndPlainWithSignificantDigits) {
    const Amount amount = Amount::fromCents(GetParam().cents);
    EXPECT_EQ(amount.text(), QString::fromUtf8(GetParam().text));
    EXPECT_EQ(amount.plainText(), QString::fromUtf8(GetParam().plain));
    EXPECT_EQ(Amount::parse(amount.text()), amount);
    EXPECT_EQ(Amount::parse(amount.plainText()), amount);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, AmountText,
    testing::Values(TextCase{0, "0,00", "0"}, TextCase{123450, "1.234,50", "1234,5"},
                    TextCase{4000, "40,00", "40"}, TextCase{-30, "-0,30", "-0,3"},
                    TextCase{-1230, "-12,30", "-12,3"}, TextCase{5, "0,05", "0,05"},
                    TextCase{99999, "999,99", "999,99"}, TextCase{100000, "1.000,00", "1000"},
                    TextCase{123456789, "1.234.567,89", "1234567,89"},
                    TextCase{Amount::kMaxCents, "9.999.999.999.999,99", "9999999999999,99"},
                    TextCase{-Amount::kMaxCents, "-9.999.999.999.999,99", "-9999999999999,99"}));

TEST(AmountArithmetic, SumsAreExact) {
    const Amount tenth = *Amount::parse(QStringLiteral("0,1"));
    const Amount fifth = *Amount::parse(QStringLiteral("0,2"));
    EXPECT_EQ((tenth + fifth).text(), "0,30");
    EXPECT_EQ(tenth + fifth, *Amount::parse(QStringLiteral("0,3")));
    EXPECT_EQ((tenth - fifth).text(), "-0,10");
    Amount total;
    for (int i = 0; i < 1000; ++i)
        total = total + tenth;
    EXPECT_EQ(total.text(), "100,00");
    EXPECT_TRUE((total - total).isZero());
}

struct PercentCase {
    const char* amount;
    const char* rate;
    const char* result;
};

class AmountPercent : public testing::TestWithParam<PercentCase> {};

TEST_P(AmountPercent, ExactProductRoundedHalfAwayFromZero) {
    const auto amount = Amount::parse(QString::fromUtf8(GetParam().amount));
    const auto rate = Rate::parse(QString::fromUtf8(GetParam().rate));
    ASSERT_TRUE(amount && rate);
    EXPECT_EQ(amount->percent(*rate).text(), QString::fromUtf8(GetParam().result))
        << GetParam().amount << " × " << GetParam().rate << " %";
}

INSTANTIATE_TEST_SUITE_P(
    Rates, AmountPercent,
    testing::Values(
        // An invoice: taxable 1000, surcharge 4, VAT 22 on 1040, withholding 20.
        PercentCase{"1000", "4", "40,00"}, PercentCase{"1.040,00", "22", "228,80"},
        PercentCase{"1000", "20", "200,00"},
        // Awkward amounts; in doubles 1 × 1,5 / 100 and 2,25 × 22 / 100 fall below the half.
        PercentCase{"1000,01", "1,5", "15,00"}, PercentCase{"33,33", "22", "7,33"},
        PercentCase{"0,05", "22", "0,01"}, PercentCase{"1,00", "1,5", "0,02"},
        PercentCase{"2,25", "22", "0,50"}, PercentCase{"-2,25", "22", "-0,50"},
        PercentCase{"-1,00", "1,5", "-0,02"}, PercentCase{"0,03", "1,5", "0,00"},
        PercentCase{"10,50", "1,5", "0,16"}, PercentCase{"0,10", "5", "0,01"},
        PercentCase{"-0,10", "5", "-0,01"}, PercentCase{"1.234.567,89", "22", "271.604,94"},
        PercentCase{"9.999.999.999.999,99", "22", "2.200.000.000.000,00"},
        PercentCase{"123,45", "0", "0,00"}, PercentCase{"100", "-1,5", "-1,50"},
        PercentCase{"100", "0,000000001", "0,00"}, PercentCase{"0,01", "10.000", "1,00"}));

struct RateCase {
    const char* text;
    std::int64_t billionths;
    const char* shown;
};

class RateParse : public testing::TestWithParam<RateCase> {};

TEST_P(RateParse, ReadsAnExactDecimal) {
    const auto rate = Rate::parse(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(rate.has_value()) << GetParam().text;
    EXPECT_EQ(rate->billionths(), GetParam().billionths);
    EXPECT_EQ(rate->text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    SettingsItems, RateParse,
    testing::Values(RateCase{"22", 22'000'000'000, "22"}, RateCase{"1,5", 1'500'000'000, "1,5"},
                    RateCase{"4", 4'000'000'000, "4"}, RateCase{" 20 ", 20'000'000'000, "20"},
                    RateCase{"0,1", 100'000'000, "0,1"}, RateCase{"-1,5", -1'500'000'000, "-1,5"},
                    RateCase{"0,000000001", 1, "0,000000001"},
                    RateCase{"0,0000000005", 1, "0,000000001"}, RateCase{"0,00000000049", 0, "0"},
                    RateCase{"10.000", Rate::kMaxBillionths, "10000"}));

TEST(RateParse, RefusesWhatIsNotARate) {
    for (const char* text : {"", "*", "abc", "22%", "1.5", "10.000,01", "1e5", "-20000"})
        EXPECT_FALSE(Rate::parse(QString::fromUtf8(text)).has_value()) << text;
}

struct NumberCase {
    double value;
    std::int64_t cents;
};

class AmountFromNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(AmountFromNumber, TakesTheDecimalTheCellShows) {
    const auto amount = Amount::fromNumber(GetParam().value);
    ASSERT_TRUE(amount.has_value()) << GetParam().value;
    EXPECT_EQ(amount->cents(), GetParam().cents) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    NearHalfCents, AmountFromNumber,
    testing::Values(NumberCase{1.005, 101}, NumberCase{-1.005, -101}, NumberCase{2.675, 268},
                    NumberCase{1.015, 102}, NumberCase{0.125, 13}, NumberCase{-0.125, -13},
                    NumberCase{0.1 + 0.2, 30}, NumberCase{1234567.895, 123456790},
                    NumberCase{999.995, 100000}, NumberCase{1.0049999999, 100},
                    NumberCase{0.0049999999, 0}, NumberCase{-0.001, 0}, NumberCase{-0.0, 0},
                    NumberCase{0, 0}, NumberCase{1e-300, 0}, NumberCase{1234.5, 123450},
                    NumberCase{9999999999999.99, Amount::kMaxCents}));

TEST(AmountFromNumber, RefusesWhatIsNoAmount) {
    for (double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), 1e13, -1e13, 1e300}) {
        EXPECT_FALSE(Amount::fromNumber(value).has_value()) << value;
    }
}

// A cell stores the number a typed amount text would give it, and gives back the amount.
TEST(AmountCell, EveryAmountSurvivesACell) {
    for (std::int64_t cents :
         {std::int64_t(0), std::int64_t(1), std::int64_t(-1), std::int64_t(101), std::int64_t(29),
          std::int64_t(123456789), std::int64_t(-268), Amount::kMaxCents, -Amount::kMaxCents,
          Amount::kMaxCents - 1, std::int64_t(9007199254740), std::int64_t(333333333333333)}) {
        const Amount amount = Amount::fromCents(cents);
        EXPECT_EQ(Amount::fromNumber(amount.toNumber()), amount) << cents;
        EXPECT_EQ(store::readRegionalNumber(amount.text()), amount.toNumber()) << cents;
    }
}

TEST(CtrNumD, FormatsWhatReadsAsAnAmountAndEmptiesTheRest) {
    struct Case {
        const char* text;
        const char* shown;
    };
    for (const Case& c :
         {Case{"", ""}, Case{"   ", ""}, Case{"1234,5", "1.234,50"}, Case{"1.234,50", "1.234,50"},
          Case{"0", "0,00"}, Case{",5", "0,50"}, Case{"-7", "-7,00"}, Case{"-12,3", "-12,30"},
          Case{"abc", ""}, Case{"12a", ""}, Case{"1,2,3", ""}, Case{"2,675", "2,68"},
          Case{"999999,995", "1.000.000,00"}, Case{"123456789012", "123.456.789.012,00"},
          Case{"1e20", ""}}) {
        EXPECT_EQ(registers::CtrNumD(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown))
            << c.text;
    }
    EXPECT_EQ(registers::CtrNumD(Amount::fromCents(-1230)), "-12,30");
}

TEST(AmountTyping, OnlyDigitsTheDecimalCommaAndTheThousandsDotEnter) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    for (const Case& c : {Case{"1.234,56", "1.234,56"}, Case{"12.a5", "12.5"},
                          Case{"-3.000,10 EUR", "3.000,10"}, Case{"é", ""}, Case{"+-e", ""},
                          Case{"١٢", ""}, Case{"１２", ""}, Case{"0123456789,", "0123456789,"}}) {
        const QString kept = Amount::typedCharacters(QString::fromUtf8(c.typed));
        EXPECT_EQ(kept, QString::fromUtf8(c.kept)) << c.typed;
        EXPECT_EQ(Amount::typedCharacters(kept), kept);
    }
}

}  // namespace
