// Typing into cells with Italian settings, and what the cells then show.
#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/number_format.h"
#include "store/range.h"

namespace {

using store::Value;

class Typing : public ::testing::Test {
  protected:
    store::Engine engine;
    store::Worksheet sheet = engine.create().activeSheet();

    store::Range cell(const char16_t* address) { return *sheet.range(address); }
};

TEST_F(Typing, NumbersTakeAMatchingFormat) {
    struct Row {
        const char16_t* typed;
        double number;
        const char* format;
        const char* shown;
    };
    for (const Row& row :
         {Row{u"7", 7, "General", "7"}, Row{u"1,5", 1.5, "General", "1,5"},
          Row{u"1.234,50", 1234.5, "#,##0.00", "1.234,50"}, Row{u"1.234", 1234, "#,##0", "1.234"},
          Row{u"-0,25", -0.25, "General", "-0,25"}, Row{u" 12 ", 12, "General", "12"}}) {
        const store::Range a1 = cell(u"A1");
        a1.setNumberFormat(QStringLiteral("General"));
        a1.setValue(QString::fromUtf16(row.typed));
        EXPECT_EQ(a1.value(), Value::number(row.number)) << row.shown;
        EXPECT_EQ(a1.numberFormat(), row.format) << row.shown;
        EXPECT_EQ(a1.text(), row.shown);
    }
}

TEST_F(Typing, DatesAreSerialsShownDayMonthYear) {
    const store::Range c2 = cell(u"C2");
    c2.setValue(QStringLiteral("07/03/2009"));
    EXPECT_EQ(c2.value(), Value::number(39879));
    EXPECT_EQ(c2.text(), "07/03/2009");
    // A format of its own, not the built-in short date other programs show in their locale.
    const auto& book = sheet.workbook().model();
    EXPECT_GE(book.xfs[sheet.model().rows[1].cells[2].xf].format, 164);
    c2.setValue(QStringLiteral("1/2/2010"));
    EXPECT_EQ(c2.text(), "01/02/2010");
    // Not a real day: kept as typed.
    c2.setValue(QStringLiteral("31/02/2009"));
    EXPECT_EQ(c2.value(), Value::text(QStringLiteral("31/02/2009")));
}

TEST_F(Typing, TextFormatKeepsTheCharacters) {
    const store::Range h = *sheet.range(u"H:H");
    h.setNumberFormat(QStringLiteral("@"));
    // Cells written later in the column take its text format.
    EXPECT_TRUE(sheet.setValue(5, 8, QStringLiteral("0612345678")).ok());
    EXPECT_TRUE(sheet.setValue(6, 8, QStringLiteral("07/03/2009")).ok());
    EXPECT_EQ(sheet.value(5, 8), Value::text(QStringLiteral("0612345678")));
    EXPECT_EQ(sheet.text(6, 8), "07/03/2009");
    EXPECT_TRUE(sheet.value(6, 8).isText());
    // Outside the column the same text is a number.
    EXPECT_TRUE(sheet.setValue(5, 9, QStringLiteral("0612345678")).ok());
    EXPECT_EQ(sheet.value(5, 9), Value::number(612345678));
}

TEST_F(Typing, IdentifiersKeepLeadingZerosInAnyFormat) {
    for (const char* id : {"00123", "02345678901", "IT60X0542811101000000123456", "0039 06 1234"}) {
        EXPECT_TRUE(sheet.setIdentifier(3, 5, QString::fromLatin1(id)).ok());
        EXPECT_EQ(sheet.value(3, 5), Value::text(QString::fromLatin1(id)));
        EXPECT_EQ(sheet.text(3, 5), id);
    }
}

TEST_F(Typing, AWrittenValueReadsBackUntilOverwritten) {
    const store::Range b7 = cell(u"B7");
    b7.setValue(QStringLiteral("Rossi & C."));
    EXPECT_EQ(b7.value(), QStringView(u"Rossi & C."));
    EXPECT_EQ(sheet.value(7, 2), QStringView(u"Rossi & C."));
    b7.setValue(QString());
    EXPECT_TRUE(b7.value().isEmpty());
    EXPECT_EQ(b7.value(), QStringView(u""));
    // A cell never written is empty too, and so is anything outside the sheet.
    EXPECT_EQ(sheet.value(100, 100), QStringView(u""));
    EXPECT_TRUE(sheet.value(70000, 1).isEmpty());
    EXPECT_FALSE(sheet.setValue(65537, 1, QStringLiteral("x")).ok());
    EXPECT_FALSE(sheet.setValue(1, 257, QStringLiteral("x")).ok());
}

TEST_F(Typing, NumbersCompareWithFieldTexts) {
    EXPECT_TRUE(sheet.setNumber(2, 1, 7).ok());
    EXPECT_TRUE(sheet.value(2, 1) == QStringView(u"7"));
    EXPECT_TRUE(sheet.value(2, 1) == QStringView(u"7,0"));
    EXPECT_FALSE(sheet.value(2, 1) == QStringView(u"07x"));
    EXPECT_FALSE(sheet.value(2, 1) == QStringView(u""));
    EXPECT_EQ(sheet.value(2, 1).toNumber(), 7.0);
    EXPECT_TRUE(sheet.setValue(3, 1, QStringLiteral("abc")).ok());
    EXPECT_FALSE(sheet.value(3, 1).toNumber().has_value());
}

TEST(NumberFormat, ShowsNumbersAsASpreadsheetDoes) {
    using store::formatNumber;
    EXPECT_EQ(formatNumber(1234.5, QStringLiteral("#,##0.00")), "1.234,50");
    EXPECT_EQ(formatNumber(-1234.567, QStringLiteral("#,##0.00")), "-1.234,57");
    EXPECT_EQ(formatNumber(1234.5, QStringLiteral("#,0.00")), "1.234,50");
    EXPECT_EQ(formatNumber(0.5, QStringLiteral("0%")), "50%");
    EXPECT_EQ(formatNumber(3, QStringLiteral("000")), "003");
    EXPECT_EQ(formatNumber(2.5, QStringLiteral("#.##")), "2,5");
    EXPECT_EQ(formatNumber(12.5, QStringLiteral("General")), "12,5");
    EXPECT_EQ(formatNumber(1234567, QStringLiteral("#,##0,")), "1.235");
    EXPECT_EQ(formatNumber(-5, QStringLiteral("#,##0.00_);(#,##0.00)")), "(5,00)");
    EXPECT_EQ(formatNumber(5, QStringLiteral("\"€\" #,##0.00")), "€ 5,00");
    EXPECT_EQ(formatNumber(5, QStringLiteral("[$€-410] #,##0.00;[Red]-[$€-410] #,##0.00")),
              "€ 5,00");
    EXPECT_EQ(formatNumber(-5, QStringLiteral("[$€-410] #,##0.00;[Red]-[$€-410] #,##0.00")),
              "-€ 5,00");
    EXPECT_EQ(formatNumber(39879, QStringLiteral("dd/mm/yyyy")), "07/03/2009");
    EXPECT_EQ(formatNumber(39879, QStringLiteral("d-mmm-yy")), "7-mar-09");
    EXPECT_EQ(formatNumber(39879, QStringLiteral("dddd d mmmm yyyy")), "sabato 7 marzo 2009");
    EXPECT_EQ(formatNumber(39879.75, QStringLiteral("dd/mm/yyyy hh:mm")), "07/03/2009 18:00");
    EXPECT_EQ(formatNumber(0.5 + 1.0 / 1440, QStringLiteral("h:mm AM/PM")), "12:01 PM");
    EXPECT_EQ(formatNumber(1.25, QStringLiteral("[h]:mm")), "30:00");
}

TEST(NumberFormat, DateSerialsBothWays) {
    EXPECT_EQ(store::dateOfSerial(1), QDate(1900, 1, 1));
    EXPECT_EQ(store::dateOfSerial(61), QDate(1900, 3, 1));
    EXPECT_EQ(store::serialOfDate(QDate(2009, 3, 7)), 39879);
    EXPECT_EQ(store::serialOfDate(QDate(1900, 1, 1)), 1);
    EXPECT_EQ(store::dateOfSerial(0, true), QDate(1904, 1, 1));
    EXPECT_FALSE(store::dateOfSerial(0).has_value());
    for (const QDate d :
         {QDate(1900, 2, 28), QDate(1900, 3, 1), QDate(2024, 2, 29), QDate(9999, 12, 31)}) {
        EXPECT_EQ(store::dateOfSerial(store::serialOfDate(d)), d);
        if (d.year() >= 1904) {
            EXPECT_EQ(store::dateOfSerial(store::serialOfDate(d, true), true), d);
        }
    }
}

}  // namespace
