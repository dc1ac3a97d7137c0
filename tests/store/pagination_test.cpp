#include "store/pagination.h"

#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/workbook.h"

namespace {

// A sheet with `rows` x `columns` filled cells, every column 10 "0" wide (52.5
// points) and every row 12.75 points high, on A4 portrait with 0.75-inch side
// and 1-inch top and bottom margins: 487.28 x 697.89 points of room, so 9 columns
// and 54 rows to a page at 100 %.
class Pagination : public testing::Test {
  protected:
    void SetUp() override {
        for (int r = 1; r <= 100; ++r)
            for (int c = 1; c <= 10; ++c)
                ASSERT_TRUE(sheet.setNumber(r, c, r * c).ok());
        for (int c = 1; c <= 10; ++c)
            sheet.setColumnWidth(c, 2560);
    }

    store::Engine engine;
    store::Worksheet sheet = engine.create().activeSheet();
};

TEST_F(Pagination, BandsOfRowsAndColumnsRunDownThenAcross) {
    const store::PagePlan plan = store::paginate(sheet.model());
    EXPECT_EQ(plan.rowBands, (std::vector<store::Band>{{0, 53}, {54, 99}}));
    EXPECT_EQ(plan.columnBands, (std::vector<store::Band>{{0, 8}, {9, 9}}));
    EXPECT_EQ(plan.pageCount(), 4);
    EXPECT_EQ(plan.page(0), (xls::CellRect{0, 53, 0, 8}));
    EXPECT_EQ(plan.page(1), (xls::CellRect{54, 99, 0, 8}));
    EXPECT_EQ(plan.page(2), (xls::CellRect{0, 53, 9, 9}));
}

TEST_F(Pagination, PrintAreaMarginsAndZoomDecideThePages) {
    ASSERT_TRUE(sheet.setPrintArea(u"$E$1:$A$60").ok());
    EXPECT_EQ(store::paginate(sheet.model()).pageCount(), 2);  // 60 rows: 54 + 6
    sheet.pageSetup().topMargin = 0.5;
    sheet.pageSetup().bottomMargin = 0.21;
    EXPECT_EQ(store::paginate(sheet.model()).pageCount(), 1);  // 790 points: 62 rows
    ASSERT_TRUE(sheet.setPrintZoom(200).ok());
    const store::PagePlan plan = store::paginate(sheet.model());
    EXPECT_EQ(plan.rowBands.size(), 2u);     // 31 rows a page
    EXPECT_EQ(plan.columnBands.size(), 2u);  // 4 columns of 105 points a page
    EXPECT_DOUBLE_EQ(plan.scale, 2.0);
}

TEST_F(Pagination, LandscapeTurnsThePaper) {
    sheet.pageSetup().landscape = true;
    const store::PagePlan plan = store::paginate(sheet.model());
    EXPECT_EQ(plan.columnBands.size(), 1u);  // 733.89 points wide
    EXPECT_EQ(plan.rowBands.size(), 3u);     // 451.28 points tall: 35 rows
}

TEST_F(Pagination, FitToOneByOneGivesOnePageAndZoomTurnsFittingOff) {
    sheet.setFitToPages(1, 1);
    const store::PagePlan fitted = store::paginate(sheet.model());
    EXPECT_EQ(fitted.pageCount(), 1);
    EXPECT_LT(fitted.scale, 1.0);
    ASSERT_TRUE(sheet.setPrintZoom(100).ok());
    EXPECT_FALSE(sheet.pageSetup().fitToPage);
    EXPECT_EQ(store::paginate(sheet.model()).pageCount(), 4);
}

TEST_F(Pagination, ZoomOutsideTheRangeIsRefusedAndChangesNothing) {
    sheet.setFitToPages(1, 1);
    EXPECT_FALSE(sheet.setPrintZoom(5).ok());
    EXPECT_FALSE(sheet.setPrintZoom(401).ok());
    EXPECT_TRUE(sheet.pageSetup().fitToPage);
}

TEST_F(Pagination, ManualRowBreaksStartPages) {
    sheet.pageSetup().rowBreaks = {10};
    EXPECT_EQ(store::paginate(sheet.model()).rowBands.front(), (store::Band{0, 9}));
}

TEST(PaginationEmpty, AnEmptySheetPrintsOnePage) {
    store::Engine engine;
    EXPECT_EQ(store::paginate(engine.create().activeSheet().model()).pageCount(), 1);
}

TEST(ScrollArea, IsKeptWithTheSheet) {
    store::Engine engine;
    const store::Worksheet sheet = engine.create().activeSheet();
    EXPECT_FALSE(sheet.scrollArea());
    ASSERT_TRUE(sheet.setScrollArea(u"A1:P50").ok());
    EXPECT_EQ(sheet.scrollArea(), (xls::CellRect{0, 49, 0, 15}));
    EXPECT_FALSE(sheet.setScrollArea(u"zz").ok());
}

}  // namespace
