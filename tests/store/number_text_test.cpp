#include "store/number_text.h"

#include <gtest/gtest.h>

namespace {

using store::formatAmount;
using store::formatGeneral;
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

TEST(AmountText, TwoDecimalsGroupedRoundedHalfAwayFromZero) {
    EXPECT_EQ(formatAmount(1234.5), "1.234,50");
    EXPECT_EQ(formatAmount(0), "0,00");
    EXPECT_EQ(formatAmount(0.005), "0,01");
    EXPECT_EQ(formatAmount(2.675), "2,68");  // 2.67499999... as a double
    EXPECT_EQ(formatAmount(1.005), "1,01");
    EXPECT_EQ(formatAmount(-1.005), "-1,01");
    EXPECT_EQ(formatAmount(-0.001), "0,00");
    EXPECT_EQ(formatAmount(999.995), "1.000,00");
    EXPECT_EQ(formatAmount(1234567.891), "1.234.567,89");
    EXPECT_EQ(formatAmount(0.1 + 0.2), "0,30");
    EXPECT_EQ(formatAmount(1e15), "1.000.000.000.000.000,00");
}

TEST(AmountText, ReadsBackWhatItWrites) {
    for (double v : {0.0, 1.5, 12.34, 1234.5, 98765.43, -42.1}) {
        EXPECT_EQ(readRegionalNumber(formatAmount(v)), v) << v;
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
