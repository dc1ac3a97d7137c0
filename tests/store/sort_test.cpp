// Sorting a register's rows by one key column.
#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/range.h"
#include "store/sheet_idioms.h"

namespace {

class Sorting : public ::testing::Test {
  protected:
    store::Engine engine;
    store::Worksheet sheet = engine.create().activeSheet();

    // Rows from row 2: column A an id, column B the key, column C a companion.
    void rows(std::initializer_list<const char16_t*> keys) {
        int r = 2;
        for (const char16_t* key : keys) {
            EXPECT_TRUE(sheet.setNumber(r, 1, r).ok());
            if (*key) {
                EXPECT_TRUE(sheet.setValue(r, 2, QString::fromUtf16(key)).ok());
            }
            EXPECT_TRUE(sheet.setValue(r, 3, QStringLiteral("c") + QString::fromUtf16(key)).ok());
            ++r;
        }
    }
    QStringList column(int c, int count) {
        QStringList out;
        for (int r = 2; r < 2 + count; ++r)
            out << sheet.text(r, c);
        return out;
    }
    void sortByB() { sheet.range(u"A2:P65536")->sort(2); }
};

TEST_F(Sorting, IgnoresCaseAndMovesWholeRows) {
    EXPECT_TRUE(sheet.setValue(1, 2, QStringLiteral("Ragione Sociale/Cognome Nome")).ok());
    rows({u"Rossi", u"bianchi", u"ALFA"});
    sortByB();
    EXPECT_EQ(column(2, 3), (QStringList{"ALFA", "bianchi", "Rossi"}));
    EXPECT_EQ(column(1, 3), (QStringList{"4", "3", "2"}));
    EXPECT_EQ(column(3, 3), (QStringList{"cALFA", "cbianchi", "cRossi"}));
    EXPECT_EQ(sheet.text(1, 2), "Ragione Sociale/Cognome Nome");  // the header stays
}

TEST_F(Sorting, AccentsBesideTheirLetters) {
    rows({u"Zeta", u"Èrcole", u"Eva", u"ètna", u"Fabbri", u"Àlba", u"Bruno"});
    sortByB();
    const QStringList sorted = column(2, 7);
    EXPECT_EQ(sorted.indexOf("Àlba"), 0);
    EXPECT_EQ(sorted.indexOf("Bruno"), 1);
    // The three E names come before F, whatever their accents.
    EXPECT_LT(sorted.indexOf("Èrcole"), sorted.indexOf("Fabbri"));
    EXPECT_LT(sorted.indexOf("ètna"), sorted.indexOf("Fabbri"));
    EXPECT_LT(sorted.indexOf("Eva"), sorted.indexOf("Fabbri"));
    EXPECT_LT(sorted.indexOf("Èrcole"), sorted.indexOf("ètna"));
    EXPECT_EQ(sorted.last(), "Zeta");
}

TEST_F(Sorting, NumbersBeforeTextsEmptyKeysLastStable) {
    rows({u"beta", u"", u"10", u"Alfa", u"2", u"BETA", u"", u"alfa"});
    sortByB();
    EXPECT_EQ(column(2, 8), (QStringList{"2", "10", "Alfa", "alfa", "beta", "BETA", "", ""}));
    // Equal keys and the empty ones keep their earlier order.
    EXPECT_EQ(column(1, 8), (QStringList{"6", "4", "5", "9", "2", "7", "3", "8"}));
}

TEST_F(Sorting, OnlyTheRangeColumnsMove) {
    rows({u"b", u"a"});
    EXPECT_TRUE(sheet.setValue(2, 20, QStringLiteral("fuori")).ok());
    sortByB();
    EXPECT_EQ(sheet.text(2, 2), "a");
    EXPECT_EQ(sheet.text(2, 20), "fuori");
    EXPECT_EQ(sheet.text(3, 20), "");
}

TEST_F(Sorting, FormatsTravelWithTheirCells) {
    rows({u"b", u"a"});
    EXPECT_TRUE(sheet.setValue(2, 4, QStringLiteral("1.234,50")).ok());
    EXPECT_TRUE(sheet.setValue(3, 4, QStringLiteral("7")).ok());
    sortByB();
    EXPECT_EQ(sheet.text(2, 4), "7");
    EXPECT_EQ(sheet.text(3, 4), "1.234,50");
}

}  // namespace
