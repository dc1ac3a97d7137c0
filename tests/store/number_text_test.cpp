#include "store/number_text.h"

#include <gtest/gtest.h>

namespace {

using store::formatFixed;
using store::formatGeneral;
using store::readDecimalText;
using store::readRegionalNumber;

TEST(RegionalNumber, ReadsItalianSpelling) {
    EXPECT_EQ(readRegionalNumber("1234,5"), 1234.5);
    EXPECT_EQ(readRegionalNumber("1.234,50"), 1234.5);
    EXPECT_EQ(readRegionalNumber("1.234.567"), 1234567.0);
    EXPECT_EQ(readRegionalNumber(" -7 "), -7.0);
    EXPECT_EQ(readRegionalNumber("+3"), 3.0);
    EXPECT_EQ(readRegionalNumber(",5"), 0.5);
    EXPECT_EQ(readRegionalNumber("12,"), 12.0);
    EXPECT_EQ(readRegionalNumber("1,5E3"), 1500.0);
}

TEST(RegionalNumber, RefusesWhatIsNotANumber) {
    for (const char* text : {"", " ", "abc", "12a", "1.2.3", "12.5", "1.23", "1234.567", ".5", "-",
                             ",", "1,2,3", "1e", "0x10", "€ 5", "1 000"}) {
        EXPECT_FALSE(readRegionalNumber(QString::fromUtf8(text)).has_value()) << text;
    }
}

TEST(RegionalNumber, KeepsEveryDigitOfTheText) {
    struct Case {
        const char* text;
        bool negative;
        const char* digits;
        std::int64_t exponent;
    };
    for (const Case& c : {Case{"1.234,50", false, "123450", -2}, Case{"-0,005", true, "0005", -3},
                          Case{"12,", false, "12", 0}, Case{",5", false, "5", -1},
                          Case{"1,5E3", false, "15", 2}, Case{"+7e-2", false, "7", -2},
                          Case{"1e99999999999999999999", false, "1", 1'000'000'000}}) {
        const auto number = readDecimalText(QString::fromUtf8(c.text));
        ASSERT_TRUE(number.has_value()) << c.text;
        EXPECT_EQ(number->negative, c.negative) << c.text;
        EXPECT_EQ(number->digits, QString::fromLatin1(c.digits)) << c.text;
        EXPECT_EQ(number->exponent, c.exponent) << c.text;
    }
    EXPECT_FALSE(readRegionalNumber("1e99999999999999999999").has_value());
    EXPECT_EQ(readRegionalNumber("0e99999999999999999999"), 0.0);
}

// The cells' fixed formats ("#,##0.00", "0.000") round the decimal a cell shows.
TEST(FixedText, GroupedRoundedHalfAwayFromZero) {
    EXPECT_EQ(formatFixed(1234.5, 2, true), "1.234,50");
    EXPECT_EQ(formatFixed(0, 2, true), "0,00");
    EXPECT_EQ(formatFixed(2.675, 2, true), "2,68");  // 2.67499999... as a double
    EXPECT_EQ(formatFixed(-1.005, 2, true), "-1,01");
    EXPECT_EQ(formatFixed(-0.001, 2, true), "0,00");
    EXPECT_EQ(formatFixed(999.995, 2, true), "1.000,00");
    EXPECT_EQ(formatFixed(1234567.891, 2, false), "1234567,89");
    EXPECT_EQ(formatFixed(0.0005, 3, false), "0,001");
    EXPECT_EQ(formatFixed(1e15, 0, true), "1.000.000.000.000.000");
}

TEST(FixedText, ReadsBackWhatItWrites) {
    for (double v : {0.0, 1.5, 12.34, 1234.5, 98765.43, -42.1}) {
        EXPECT_EQ(readRegionalNumber(formatFixed(v, 2, true)), v) << v;
    }
}

TEST(GeneralText, ShortestWithDecimalComma) {
    EXPECT_EQ(formatGeneral(12.5), "12,5");
    EXPECT_EQ(formatGeneral(3), "3");
    EXPECT_EQ(formatGeneral(0.1), "0,1");
    EXPECT_EQ(formatGeneral(-0.25), "-0,25");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0,3");
}

}  // namespace
