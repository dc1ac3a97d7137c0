#include "xls/workbook.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberFormats, DatesAreKnownByTheirCodes) {
    EXPECT_TRUE(xls::isDateFormat("dd/mm/yyyy"));
    EXPECT_TRUE(xls::isDateFormat("[$-410]d mmmm yyyy"));
    EXPECT_TRUE(xls::isDateFormat("[h]:mm:ss"));
    EXPECT_FALSE(xls::isDateFormat("General"));
    EXPECT_FALSE(xls::isDateFormat("#,##0.00"));
    EXPECT_FALSE(xls::isDateFormat("#,##0.00;[Red]-#,##0.00"));
    EXPECT_FALSE(xls::isDateFormat("\"dd\" 0"));
    EXPECT_FALSE(xls::isDateFormat("@"));
}

TEST(Workbook, FormatsAndXfsAreSharedNotDuplicated) {
    auto wb = xls::Workbook::withDefaults();
    EXPECT_EQ(wb.addFormat("@"), 49);
    const auto custom = wb.addFormat("#,##0.000");
    EXPECT_GE(custom, 164);
    EXPECT_EQ(wb.addFormat("#,##0.000"), custom);
    EXPECT_EQ(wb.formatCode(custom), "#,##0.000");

    xls::Xf xf = wb.xfs[xls::kDefaultXf];
    EXPECT_EQ(wb.addXf(xf), xls::kDefaultXf);
    xf.format = custom;
    const auto added = wb.addXf(xf);
    EXPECT_EQ(added, wb.xfs.size() - 1);
    EXPECT_EQ(wb.addXf(xf), added);
}

TEST(Workbook, FontIndexFourIsSkipped) {
    auto wb = xls::Workbook::withDefaults();
    xls::Font big;
    big.height = 400;
    wb.fonts.push_back(big);  // BIFF index 5
    xls::Xf xf;
    xf.font = 5;
    EXPECT_EQ(wb.fontOf(xf).height, 400);
}

}  // namespace
