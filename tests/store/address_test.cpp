#include "store/address.h"

#include <gtest/gtest.h>

namespace {

using store::addressText;
using store::columnLetters;
using store::columnOf;
using store::parseAddress;
using xls::CellRect;

TEST(Address, ColumnLettersBothWays) {
    static_assert(columnOf("A") == 1 && columnOf("IV") == 256 && columnOf("iu") == 255);
    static_assert(columnOf("IW") == 0 && columnOf("A1") == 0);
    for (int c = 1; c <= 256; ++c)
        EXPECT_EQ(columnOf(columnLetters(c).toStdString()), c);
    EXPECT_EQ(columnLetters(27), "AA");
    EXPECT_TRUE(columnLetters(0).isEmpty());
    EXPECT_TRUE(columnLetters(257).isEmpty());
}

TEST(Address, ReadsCellsRectanglesRowsAndColumns) {
    EXPECT_EQ(parseAddress(u"B7"), (CellRect{6, 6, 1, 1}));
    EXPECT_EQ(parseAddress(u"$b$7"), (CellRect{6, 6, 1, 1}));
    EXPECT_EQ(parseAddress(u"A2:P65536"), (CellRect{1, 65535, 0, 15}));
    // Corners in any order name the same rectangle.
    EXPECT_EQ(parseAddress(u"$P$1:$A$25"), (CellRect{0, 24, 0, 15}));
    EXPECT_EQ(parseAddress(u"2:2"), (CellRect{1, 1, 0, 255}));
    EXPECT_EQ(parseAddress(u"$3:$5"), (CellRect{2, 4, 0, 255}));
    EXPECT_EQ(parseAddress(u"H:H"), (CellRect{0, 65535, 7, 7}));
    EXPECT_EQ(parseAddress(u"IV65536"), (CellRect{65535, 65535, 255, 255}));
}

TEST(Address, RefusesWhatIsNotAnAddress) {
    for (const char16_t* bad : {u"", u"A0", u"IW1", u"A65537", u"7", u"H", u"2:B", u"A1:", u"$$A1",
                                u"A1B", u"A-1", u"Ä1", u"A1:B2:C3", u"1:1:1"}) {
        EXPECT_FALSE(parseAddress(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(Address, WritesAbsoluteAndRelativeText) {
    EXPECT_EQ(addressText({0, 24, 0, 15}), "$A$1:$P$25");
    EXPECT_EQ(addressText({6, 6, 1, 1}), "$B$7");
    EXPECT_EQ(addressText({6, 6, 1, 1}, false), "B7");
    EXPECT_EQ(parseAddress(addressText({3, 9, 2, 40})), (CellRect{3, 9, 2, 40}));
}

}  // namespace
