#include "app/amount_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TextCase {
    const char* text;
    const char* shown;
};

class CtrNumDText : public testing::TestWithParam<TextCase> {};

TEST_P(CtrNumDText, FormatsWhatReadsAsANumberAndEmptiesTheRest) {
    EXPECT_EQ(app::CtrNumD(QString::fromUtf8(GetParam().text)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Amounts, CtrNumDText,
                         testing::Values(TextCase{"", ""}, TextCase{"   ", ""},
                                         TextCase{"1234,5", "1.234,50"},
                                         TextCase{"1.234,50", "1.234,50"}, TextCase{"0", "0,00"},
                                         TextCase{",5", "0,50"}, TextCase{"-7", "-7,00"},
                                         TextCase{"abc", ""}, TextCase{"12a", ""},
                                         TextCase{"1,2,3", ""}, TextCase{"2,675", "2,68"},
                                         TextCase{"999999,995", "1.000.000,00"}));

TEST(CtrNumDValue, RoundsHalfAwayFromZero) {
    EXPECT_EQ(app::CtrNumD(2.675), "2,68");
    EXPECT_EQ(app::CtrNumD(-2.675), "-2,68");
    EXPECT_EQ(app::CtrNumD(0.005), "0,01");
    EXPECT_EQ(app::CtrNumD(-0.004), "0,00");
    EXPECT_EQ(app::CtrNumD(1234.5), "1.234,50");
    EXPECT_EQ(app::CtrNumD(-1234567.891), "-1.234.567,89");
}

TEST(CtrNumDValue, HugeAmountsKeepEveryGroup) {
    EXPECT_EQ(app::CtrNumD(1e15), "1.000.000.000.000.000,00");
    EXPECT_EQ(app::CtrNumD(QStringLiteral("123456789012")), "123.456.789.012,00");
}

TEST(CtrNumDValue, NotANumberGivesEmptyText) {
    EXPECT_EQ(app::CtrNumD(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(app::CtrNumD(std::numeric_limits<double>::infinity()), "");
}

}  // namespace
