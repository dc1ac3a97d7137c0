// The walks every window repeats on a register.
#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/range.h"
#include "store/sheet_idioms.h"

namespace {

using store::columnOf;

class Idioms : public ::testing::Test {
  protected:
    store::Engine engine;
    store::Worksheet sheet = engine.create().activeSheet();
};

TEST_F(Idioms, FirstFreeRowBelowTheHeader) {
    EXPECT_TRUE(sheet.setValue(1, 1, QStringLiteral("ID")).ok());
    EXPECT_EQ(store::firstFreeRow(sheet, 1), 2);
    for (int r = 2; r <= 40000; ++r)
        EXPECT_TRUE(sheet.setNumber(r, 1, r - 1).ok());
    // Past the 16-bit limit of old.
    EXPECT_EQ(store::firstFreeRow(sheet, 1), 40001);
    EXPECT_EQ(store::firstFreeRow(sheet, 2), 1);
}

TEST_F(Idioms, AFullRegisterHasNoFreeRow) {
    for (int r = 1; r <= 65536; ++r)
        EXPECT_TRUE(sheet.setNumber(r, 1, r).ok());
    EXPECT_FALSE(store::firstFreeRow(sheet, 1).has_value());
    sheet.range(u"A65536")->clearContents();
    EXPECT_EQ(store::firstFreeRow(sheet, 1), 65536);
}

TEST_F(Idioms, ListWalkStopsAtTheFirstEmptyCell) {
    EXPECT_TRUE(sheet.setValue(1, 1, QStringLiteral("INPS/CASSA")).ok());
    EXPECT_TRUE(store::listTexts(sheet, 1, 2).isEmpty());
    EXPECT_TRUE(sheet.setValue(2, 1, QStringLiteral("*")).ok());
    EXPECT_TRUE(sheet.setValue(4, 1, QStringLiteral("4")).ok());
    EXPECT_EQ(store::listTexts(sheet, 1, 2), QStringList{"*"});
    EXPECT_TRUE(sheet.setValue(3, 1, QStringLiteral("1.234,50")).ok());
    EXPECT_EQ(store::listTexts(sheet, 1, 2), (QStringList{"*", "1.234,50", "4"}));
    const auto values = store::listValues(sheet, 1, 1);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[2], store::Value::number(1234.5));
}

TEST_F(Idioms, RecordMatchFirstWinsTextOrNumber) {
    EXPECT_TRUE(sheet.setValue(1, 1, QStringLiteral("ID")).ok());
    for (int r : {2, 3, 4, 5, 6})
        EXPECT_TRUE(sheet.setNumber(r, 1, r == 6 ? 5 : r + 10).ok());
    EXPECT_TRUE(sheet.setNumber(3, 1, 5).ok());
    EXPECT_EQ(store::findRowByNumber(sheet, 1, 5), 3);
    EXPECT_EQ(store::findRow(sheet, 1, QStringLiteral("5")), 3);
    EXPECT_FALSE(store::findRowByNumber(sheet, 1, 99).has_value());
    EXPECT_TRUE(sheet.setValue(2, 2, QStringLiteral("ROSSI")).ok());
    EXPECT_EQ(store::findRow(sheet, 2, QStringLiteral("ROSSI")), 2);
    EXPECT_FALSE(store::findRow(sheet, 2, QStringLiteral("rossi")).has_value());
    // The walk ends at the first empty key cell.
    EXPECT_TRUE(sheet.setNumber(9, 1, 77).ok());
    EXPECT_FALSE(store::findRowByNumber(sheet, 1, 77).has_value());
}

TEST_F(Idioms, CountersInRowOne) {
    EXPECT_FALSE(store::counter(sheet, columnOf("IV")).has_value());
    ASSERT_TRUE(store::setCounter(sheet, columnOf("IV"), 7).ok());
    EXPECT_EQ(store::counter(sheet, columnOf("IV")), 7.0);
    EXPECT_EQ(sheet.text(1, 256), "7");
    EXPECT_TRUE(sheet.setValue(1, columnOf("IU"), QStringLiteral("12")).ok());
    EXPECT_EQ(store::counter(sheet, columnOf("IU")), 12.0);
    EXPECT_TRUE(sheet.setValue(1, columnOf("IU"), QStringLiteral("dodici")).ok());
    EXPECT_FALSE(store::counter(sheet, columnOf("IU")).has_value());
    EXPECT_FALSE(store::setCounter(sheet, 0, 1).ok());
}

TEST_F(Idioms, RemoveRowShiftsTheRecordsUp) {
    for (int r = 2; r <= 5; ++r)
        EXPECT_TRUE(sheet.setNumber(r, 1, r).ok());
    ASSERT_TRUE(store::removeRow(sheet, 3).ok());
    EXPECT_EQ(store::listTexts(sheet, 1, 2), (QStringList{"2", "4", "5"}));
    EXPECT_FALSE(store::removeRow(sheet, 0).ok());
}

}  // namespace
