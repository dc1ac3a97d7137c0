// A1 cell names: the column letters at the edges of the alphabet and of the
// sheet, and the texts that name no cell.

#include <gtest/gtest.h>

#include "xls/cell_address.h"

namespace {

using xls::CellPosition;
using xls::parseCellName;

TEST(CellAddress, ColumnLettersAndNames) {
    EXPECT_EQ(xls::columnLetters(0), "A");
    EXPECT_EQ(xls::columnLetters(25), "Z");
    EXPECT_EQ(xls::columnLetters(26), "AA");
    EXPECT_EQ(xls::columnLetters(51), "AZ");
    EXPECT_EQ(xls::columnLetters(52), "BA");
    EXPECT_EQ(xls::columnLetters(255), "IV");
    EXPECT_TRUE(xls::columnLetters(256).isEmpty());
    EXPECT_TRUE(xls::columnLetters(-1).isEmpty());
    EXPECT_EQ(xls::cellName(6, 1), "B7");
    EXPECT_EQ(xls::cellName(65535, 255), "IV65536");
    // Every column's letters read back as the same column.
    for (int col = 0; col < 256; ++col)
        EXPECT_EQ(parseCellName(xls::cellName(0, col)), (CellPosition{0, col})) << col;
}

TEST(CellAddress, NamesWithAndWithoutDollars) {
    EXPECT_EQ(parseCellName(u"B7"), (CellPosition{6, 1}));
    EXPECT_EQ(parseCellName(u"$b$7"), (CellPosition{6, 1}));
    EXPECT_EQ(parseCellName(u"B007"), (CellPosition{6, 1}));
    EXPECT_EQ(parseCellName(u"IV65536"), (CellPosition{65535, 255}));
    for (const char16_t* bad : {u"", u"B", u"7", u"$7", u"IW1", u"A0", u"A65537", u"B7x", u"$$7",
                                u"B$", u"\u00C01", u"B 7", u"-B7"}) {
        EXPECT_FALSE(parseCellName(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(CellAddress, ReferencesMayLackOnePart) {
    const auto column = xls::parseCellReference(u"$H");
    ASSERT_TRUE(column.has_value());
    EXPECT_EQ(column->col, 8);
    EXPECT_EQ(column->row, 0);
    const auto row = xls::parseCellReference(u"$3");
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->col, 0);
    EXPECT_EQ(row->row, 3);
    EXPECT_FALSE(xls::parseCellReference(u"$").has_value());
}

}  // namespace
