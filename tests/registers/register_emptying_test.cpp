// Emptying a whole register: every list of its columns goes, whatever its length
// and however many holes it has; its counters go; nothing to its right is touched.
#include "registers/register_emptying.h"
#include "registers/client_sheet.h"
#include "registers/invoice_layout.h"
#include "registers/settings_lists.h"
#include "support/prepared_store.h"

#include "store/range.h"
#include "store/sheet_idioms.h"

#include <gtest/gtest.h>

namespace {

struct Emptying {
    const char* what;
    const registers::SheetLayout& (*layout)();
    // The last row filled in each of the layout's columns, from A; 0 leaves it empty.
    std::vector<int> lastRows;
    int holeRow;  // left empty in column A, as a deleted row would leave it
};

class RegisterEmptying : public testing::TestWithParam<Emptying> {
  protected:
    test_support::PreparedStore temp;
};

TEST_P(RegisterEmptying, ClearsEveryColumnDownToItsLastUsedRowAndTheCounters) {
    const Emptying& row = GetParam();
    const registers::SheetLayout& layout = row.layout();
    const store::Worksheet sheet = temp.sheet(layout.sheet);
    const int lastColumn = layout.lastHeaderColumn();
    ASSERT_EQ(int(row.lastRows.size()), lastColumn);
    for (int column = 1; column <= lastColumn; ++column) {
        for (int r = 2; r <= row.lastRows[column - 1]; ++r) {
            if (!(column == 1 && r == row.holeRow)) {
                ASSERT_TRUE(sheet.setIdentifier(r, column, QStringLiteral("v%1").arg(r)).ok());
            }
        }
    }
    for (int column : layout.counterColumns)
        ASSERT_TRUE(store::setCounter(sheet, column, 42).ok());
    // Beside the register: the invoices' scratch area, or any note of the user.
    ASSERT_TRUE(sheet.setValue(2, lastColumn + 1, QStringLiteral("accanto")).ok());
    ASSERT_TRUE(sheet.setValue(3, 27, QStringLiteral("appunto")).ok());

    registers::emptyRegister(temp.store(), layout);

    const int deepest = *std::max_element(row.lastRows.begin(), row.lastRows.end());
    for (int r = 1; r <= deepest + 1; ++r) {
        for (int column = 1; column <= lastColumn; ++column)
            EXPECT_TRUE(sheet.value(r, column).isEmpty())
                << row.what << " row " << r << " col " << column;
    }
    for (int column : layout.counterColumns)
        EXPECT_FALSE(store::counter(sheet, column).has_value()) << row.what;
    EXPECT_EQ(sheet.text(2, lastColumn + 1), "accanto");
    EXPECT_EQ(sheet.text(3, 27), "appunto");
    // Contents go, formats stay: the client identifiers are still written as text.
    for (int column : layout.textColumns)
        EXPECT_EQ(sheet.cell(40, column)->numberFormat(), "@") << row.what << " col " << column;
    // The other core sheets keep their headers.
    for (const registers::SheetLayout* other :
         {&registers::clientLayout(), &registers::invoiceLayout(), &registers::settingsLayout()}) {
        if (other != &layout) {
            EXPECT_EQ(temp.sheet(other->sheet).text(1, 1), other->headers.first());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Registers, RegisterEmptying,
    testing::Values(
        // Five invoices, the last one's collection left blank.
        Emptying{"invoices",
                 &registers::invoiceLayout,
                 {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 0, 6},
                 0},
        Emptying{"clients with a hole",
                 &registers::clientLayout,
                 {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 12},
                 4},
        // Column A stops at row 3 while the payment types go on to row 6 and the
        // exemptions to row 8: every list goes.
        Emptying{
            "settings lists of unequal length", &registers::settingsLayout, {3, 2, 4, 6, 8}, 0}),
    [](const testing::TestParamInfo<Emptying>& info) { return std::to_string(info.index); });

}  // namespace
