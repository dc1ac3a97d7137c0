// Ranges on a sheet: addresses, end-down, clearing, deleting rows, formats, panes.
#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/range.h"

namespace {

using store::Value;

class Ranges : public ::testing::Test {
  protected:
    store::Engine engine;
    store::Worksheet sheet = engine.create().activeSheet();

    store::Range at(const char16_t* address) { return *sheet.range(address); }
    void fill(int column, std::initializer_list<int> rows) {
        for (int r : rows)
            EXPECT_TRUE(sheet.setValue(r, column, QStringLiteral("v%1").arg(r)).ok());
    }
};

TEST_F(Ranges, AddressesOffsetsAndBadInput) {
    EXPECT_EQ(at(u"$P$1:$A$25").address(), "$A$1:$P$25");
    EXPECT_EQ(sheet.range(*sheet.cell(7, 2), *sheet.cell(3, 5)).address(), "$B$3:$E$7");
    EXPECT_EQ(at(u"B7").offset(1, 2)->address(), "$D$8");
    EXPECT_FALSE(at(u"A1").offset(-1, 0).ok());
    EXPECT_FALSE(at(u"IV1").offset(0, 1).ok());
    EXPECT_EQ(at(u"C5").entireRow().address(), "$A$5:$IV$5");
    EXPECT_EQ(at(u"C5").entireColumn().address(), "$C$1:$C$65536");
    const auto bad = sheet.range(u"ZZ1");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().kind, store::Error::Kind::BadAddress);
    EXPECT_FALSE(sheet.cell(0, 1).ok());
}

TEST_F(Ranges, EndDownJumpsAsTheSpreadsheetDoes) {
    fill(1, {1, 2, 3, 6, 7, 10});
    EXPECT_EQ(at(u"A1").endDown().row(), 3);  // last of the filled block
    EXPECT_EQ(at(u"A3").endDown().row(), 6);  // next cell empty: next filled below
    EXPECT_EQ(at(u"A6").endDown().row(), 7);
    EXPECT_EQ(at(u"A7").endDown().row(), 10);
    EXPECT_EQ(at(u"A10").endDown().row(), 65536);  // nothing below
    EXPECT_EQ(at(u"A4").endDown().row(), 6);       // from an empty cell
    EXPECT_EQ(at(u"B1").endDown().row(), 65536);
    EXPECT_EQ(at(u"A65536").endDown().row(), 65536);
    EXPECT_TRUE(sheet.setValue(65536, 1, QStringLiteral("last")).ok());
    EXPECT_EQ(at(u"A10").endDown().row(), 65536);
    EXPECT_EQ(at(u"A10").endDown().value(), QStringView(u"last"));
}

TEST_F(Ranges, ClearContentsKeepsFormats) {
    EXPECT_TRUE(sheet.setValue(2, 1, QStringLiteral("1.234,50")).ok());
    EXPECT_TRUE(sheet.setValue(2, 2, QStringLiteral("testo")).ok());
    at(u"A1:Q65536").clearContents();
    EXPECT_TRUE(sheet.value(2, 1).isEmpty());
    EXPECT_TRUE(sheet.value(2, 2).isEmpty());
    EXPECT_EQ(at(u"A2").numberFormat(), "#,##0.00");
    EXPECT_TRUE(sheet.setNumber(2, 1, 5).ok());
    EXPECT_EQ(sheet.text(2, 1), "5,00");
}

TEST_F(Ranges, DeleteEntireRowMovesTheRowsBelowUp) {
    fill(1, {1, 2, 3, 4});
    EXPECT_TRUE(sheet.setValue(4, 3, QStringLiteral("1.000,00")).ok());
    sheet.range(u"A4:B5")->setMergeCells(true);
    at(u"B2").deleteEntireRow();
    EXPECT_EQ(sheet.value(2, 1), QStringView(u"v3"));
    EXPECT_EQ(sheet.value(3, 1), QStringView(u"v4"));
    EXPECT_EQ(sheet.text(3, 3), "1.000,00");
    EXPECT_TRUE(sheet.value(4, 1).isEmpty());
    EXPECT_TRUE(at(u"A3:B4").mergeCells());
    // Deleting rows past the last held row changes nothing.
    at(u"A100").deleteEntireRow();
    EXPECT_EQ(sheet.value(3, 1), QStringView(u"v4"));
}

TEST_F(Ranges, NumberFormatOfColumnsRowsAndRectangles) {
    EXPECT_TRUE(sheet.setNumber(3, 2, 1234.5).ok());
    at(u"B:B").setNumberFormat(QStringLiteral("#,##0.00"));
    EXPECT_EQ(sheet.text(3, 2), "1.234,50");
    EXPECT_EQ(at(u"B60000").numberFormat(), "#,##0.00");  // kept for later cells
    at(u"4:4").setNumberFormat(QStringLiteral("0%"));
    EXPECT_TRUE(sheet.setNumber(4, 7, 0.25).ok());
    EXPECT_EQ(sheet.text(4, 7), "25%");
    // A rectangle down to the last row formats only down to the used range.
    at(u"C2:C65536").setNumberFormat(QStringLiteral("@"));
    EXPECT_EQ(at(u"C4").numberFormat(), "@");
    EXPECT_LE(sheet.model().rows.size(), 5u);
}

TEST_F(Ranges, PasteTakesTheValueAndTheNumberFormatAndKeepsTheRest) {
    ASSERT_TRUE(sheet.setValue(1, 1, QStringLiteral("1.268,80")).ok());
    ASSERT_TRUE(sheet.setValue(2, 1, QStringLiteral("05/03/2024")).ok());
    ASSERT_TRUE(sheet.setIdentifier(3, 1, QStringLiteral("ROSSI")).ok());
    // The target shows a date and is aligned right before the paste.
    const store::Range target = at(u"C1");
    target.setValue(QStringLiteral("01/01/2020"));
    target.setHorizontalAlignment(xls::HAlign::Right);

    target.pasteValueAndNumberFormat(at(u"A1"));
    EXPECT_EQ(target.text(), QStringLiteral("1.268,80"));
    EXPECT_EQ(target.value(), Value::number(1268.8));
    EXPECT_EQ(target.horizontalAlignment(), xls::HAlign::Right);
    target.pasteValueAndNumberFormat(at(u"A2"));
    EXPECT_EQ(target.text(), QStringLiteral("05/03/2024"));
    target.pasteValueAndNumberFormat(at(u"A3"));
    EXPECT_EQ(target.text(), QStringLiteral("ROSSI"));
    EXPECT_EQ(target.numberFormat(), QStringLiteral("General"));
    // An empty source empties the cell; a whole rectangle takes the value.
    at(u"D1:D3").pasteValueAndNumberFormat(at(u"A1"));
    EXPECT_EQ(at(u"D3").text(), QStringLiteral("1.268,80"));
    target.pasteValueAndNumberFormat(at(u"A9"));
    EXPECT_TRUE(target.value().isEmpty());
    // Onto its own row, which grows under the paste.
    at(u"IV1").pasteValueAndNumberFormat(at(u"A1"));
    EXPECT_EQ(at(u"IV1").text(), QStringLiteral("1.268,80"));
}

TEST_F(Ranges, AlignmentAndMerge) {
    const store::Range r = at(u"A1:C2");
    r.setHorizontalAlignment(xls::HAlign::Center);
    r.setVerticalAlignment(xls::VAlign::Top);
    r.setWrapText(true);
    r.setOrientation(-45);
    r.setIndentLevel(2);
    r.setShrinkToFit(true);
    r.setReadingOrder(2);
    const auto& book = sheet.workbook().model();
    const xls::Xf& xf = book.xfs[sheet.model().rows[1].cells[2].xf];
    EXPECT_EQ(xf.hAlign(), xls::HAlign::Center);
    EXPECT_EQ(xf.vAlign(), xls::VAlign::Top);
    EXPECT_TRUE(xf.wrap());
    EXPECT_EQ(xf.rotation, 135);
    EXPECT_EQ(xf.indentLevel(), 2);
    EXPECT_TRUE(xf.shrinkToFit());
    EXPECT_EQ(xf.readingOrder(), 2);
    EXPECT_EQ(at(u"B2").horizontalAlignment(), xls::HAlign::Center);
    EXPECT_EQ(at(u"D2").horizontalAlignment(), xls::HAlign::General);

    r.setMergeCells(true);
    EXPECT_TRUE(at(u"B2").mergeCells());
    at(u"B1:D1").setMergeCells(true);  // replaces the merge it overlaps
    EXPECT_FALSE(at(u"A2").mergeCells());
    EXPECT_EQ(sheet.model().merged.size(), 1u);
    at(u"B1").setMergeCells(false);
    EXPECT_TRUE(sheet.model().merged.empty());
}

TEST_F(Ranges, SheetsByNameAddedRenamedSelected) {
    store::Workbook& book = sheet.workbook();
    EXPECT_EQ(book.sheetCount(), 1);
    auto missing = book.sheet(QStringLiteral("Fatture"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, store::Error::Kind::NoSuchSheet);

    const store::Worksheet fatture = *book.addSheetAfter(sheet, QStringLiteral("Fatture"));
    const store::Worksheet middle = *book.addSheetAfter(sheet, QStringLiteral("Anagrafe"));
    EXPECT_EQ(middle.index(), 2);
    EXPECT_EQ(fatture.index(), 3);  // the handle follows its sheet
    EXPECT_EQ(book.sheet(QStringLiteral("fatture"))->index(), 3);
    EXPECT_FALSE(book.addSheetAfter(sheet, QStringLiteral("FATTURE")).ok());
    EXPECT_FALSE(book.addSheetAfter(sheet, QStringLiteral("a/b")).ok());
    EXPECT_EQ(book.sheetCount(), 3);

    ASSERT_TRUE(middle.setName(QStringLiteral("Utilità")).ok());
    EXPECT_EQ(book.sheet(QStringLiteral("Utilità"))->index(), 2);
    EXPECT_TRUE(fatture.setValue(1, 1, QStringLiteral("ID")).ok());
    fatture.select();
    EXPECT_TRUE(book.activeSheet() == fatture);
    EXPECT_EQ(engine.activeWorkbook()->activeSheet().value(1, 1), QStringView(u"ID"));
}

TEST_F(Ranges, UsedRangeAndFrozenPanes) {
    EXPECT_EQ(sheet.usedRange().address(), "$A$1");
    EXPECT_TRUE(sheet.setValue(4, 3, QStringLiteral("x")).ok());
    EXPECT_TRUE(sheet.setValue(2, 6, QStringLiteral("y")).ok());
    EXPECT_EQ(sheet.usedRange().address(), "$A$1:$F$4");
    sheet.freezePanes(2);
    EXPECT_EQ(sheet.frozenRows(), 1);
    EXPECT_EQ(sheet.frozenColumns(), 0);
}

TEST_F(Ranges, AutoFitWidensToTheWidestText) {
    EXPECT_TRUE(sheet.setValue(1, 1, QStringLiteral("ID")).ok());
    EXPECT_TRUE(sheet.setValue(2, 1, QStringLiteral("Ragione Sociale/Cognome Nome")).ok());
    EXPECT_TRUE(sheet.setValue(1, 2, QStringLiteral("1.234.567,89")).ok());
    sheet.autoFitColumns();
    const int wide = sheet.columnWidth(1);
    const int amount = sheet.columnWidth(2);
    EXPECT_GT(wide, 25 * 256);
    EXPECT_LT(wide, 40 * 256);
    EXPECT_GT(amount, 11 * 256);
    EXPECT_LT(amount, 15 * 256);
    EXPECT_EQ(sheet.columnWidth(3), 2340);  // nothing to fit: unchanged
}

// Numbers are measured at their extremes per format; the widest text must still win
// wherever it stands in the column.
TEST_F(Ranges, AutoFitFindsTheWidestNumberOfEachFormat) {
    const auto widthAfterFit = [&](int column) {
        sheet.autoFitColumns();
        return sheet.columnWidth(column);
    };
    for (int r = 1; r <= 50; ++r)
        EXPECT_TRUE(sheet.setValue(r, 1, QStringLiteral("12,50")).ok());
    EXPECT_TRUE(sheet.setValue(30, 1, QStringLiteral("-1.234.567,00")).ok());
    const int withNegative = widthAfterFit(1);
    EXPECT_TRUE(sheet.setValue(30, 1, QStringLiteral("1,00")).ok());
    EXPECT_LT(widthAfterFit(1), withNegative);

    // General: whole numbers by their extremes, fractions each on its own.
    EXPECT_TRUE(sheet.setNumber(1, 2, 7).ok());
    EXPECT_TRUE(sheet.setNumber(2, 2, 123456).ok());
    EXPECT_TRUE(sheet.setNumber(3, 2, 0.123456789).ok());
    EXPECT_TRUE(sheet.setNumber(4, 2, 99).ok());
    const int general = widthAfterFit(2);
    EXPECT_TRUE(sheet.setNumber(3, 2, 5).ok());
    EXPECT_LT(widthAfterFit(2), general);
}

TEST_F(Ranges, PageSetupIsKeptOnTheSheet) {
    ASSERT_TRUE(sheet.setPrintArea(u"$P$1:$A$25").ok());
    EXPECT_EQ(sheet.pageSetup().printArea, (xls::CellRect{0, 24, 0, 15}));
    EXPECT_FALSE(sheet.setPrintArea(u"nowhere").ok());
    sheet.setCenterHeader(QStringLiteral("Stampa  Elenco Clienti   ------ del     07/03/2009"));
    EXPECT_EQ(sheet.centerHeader(), "Stampa  Elenco Clienti   ------ del     07/03/2009");
    sheet.setCenterHeader(QStringLiteral("A & B"));
    EXPECT_EQ(sheet.pageSetup().header, "&CA && B");
    EXPECT_EQ(sheet.centerHeader(), "A & B");
}

}  // namespace
