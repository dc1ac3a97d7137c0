// Write a workbook, read it back: everything the model holds survives.

#include <cmath>
#include <cstring>

#include "writer_test_support.h"

namespace {

using writertest::cellAt;
using writertest::roundTrip;

// A store as a user would leave it: formats, fonts, layout, print set-up.
xls::Workbook richWorkbook() {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Font bold;
    bold.weight = 700;
    bold.height = 240;
    bold.name = QStringLiteral("Liberation Sans");
    wb.fonts.push_back(bold);  // BIFF index 5
    xls::Xf boldXf = wb.xfs[xls::kDefaultXf];
    boldXf.font = 5;
    boldXf.setHAlign(xls::HAlign::Center);
    boldXf.setWrap(true);
    boldXf.borderFill = {0x11, 0x11, 0x08, 0x08, 0x40, 0x40, 0x00, 0x00, 0xC0, 0x20};
    const auto headerXf = wb.addXf(boldXf);
    xls::Xf dateXf = wb.xfs[xls::kDefaultXf];
    dateXf.format = 14;
    const auto date = wb.addXf(dateXf);
    xls::Xf amountXf = wb.xfs[xls::kDefaultXf];
    amountXf.format = wb.addFormat(QStringLiteral("#,##0.00;[Red]-#,##0.00"));
    const auto amount = wb.addXf(amountXf);

    xls::Sheet fatture;
    fatture.name = QStringLiteral("Fatture");
    fatture.put(0, 0, xls::textCell(QStringLiteral("ID"), headerXf));
    fatture.put(0, 1, xls::textCell(QStringLiteral("Cliente"), headerXf));
    fatture.put(0, 4, xls::textCell(QStringLiteral("Data"), headerXf));
    fatture.put(0, 6, xls::textCell(QStringLiteral("Importo"), headerXf));
    fatture.put(0, 255, xls::numberCell(13));  // IV1: the next invoice number
    fatture.put(1, 0, xls::numberCell(1));
    fatture.put(1, 1, xls::textCell(QStringLiteral("ÉLITE COSTRUZIONI SPA")));
    fatture.put(1, 4, xls::numberCell(39818, date));
    fatture.put(1, 6, xls::numberCell(2889.1, amount));
    fatture.put(1, 7, xls::numberCell(1.0 / 3.0, amount));
    fatture.put(1, 8, xls::numberCell(-1234567.891));
    fatture.put(2, 0, xls::numberCell(2));
    fatture.put(2, 1, xls::textCell(QStringLiteral("Consulenza\nseconda riga")));
    xls::Cell yes;
    yes.setBoolean(true);
    fatture.put(2, 2, yes);
    xls::Cell div0;
    div0.setError(std::uint8_t(xls::ErrorCode::Div0));
    fatture.put(2, 3, div0);
    xls::Cell formattedBlank;
    formattedBlank.xf = amount;
    fatture.put(2, 6, formattedBlank);
    fatture.put(2, 7, formattedBlank);
    fatture.put(2, 9, formattedBlank);
    fatture.put(40, 3, xls::textCell(QString()));  // past the first block of 32 rows

    fatture.rows[1].height = 600;
    fatture.rows[1].customHeight = true;
    fatture.rows[5].hidden = true;
    fatture.rows[5].customHeight = true;
    fatture.defaultColWidth = 10;
    fatture.columns = {{0, 0, 1200, xls::kDefaultXf, 0},
                       {1, 3, 8000, amount, 0},
                       {10, 12, 3000, xls::kDefaultXf, 0x0001}};
    fatture.merged = {{0, 0, 1, 3}, {10, 12, 0, 5}};
    fatture.frozenRows = 1;
    fatture.topRow = 7;
    fatture.activeRow = 9;
    fatture.activeCol = 2;
    fatture.zoom = 85;
    fatture.showGridlines = false;
    fatture.selected = true;
    xls::PageSetup& page = fatture.page;
    page.header = QStringLiteral("&CElenco fatture");
    page.footer = QStringLiteral("&RPagina &P di &N");
    page.leftMargin = 0.5;
    page.rightMargin = 0.4;
    page.topMargin = 0.9;
    page.bottomMargin = 0.8;
    page.headerMargin = 0.3;
    page.footerMargin = 0.2;
    page.paperSize = 8;
    page.scale = 70;
    page.fitWidth = 1;
    page.fitHeight = 0;
    page.copies = 2;
    page.landscape = true;
    page.fitToPage = true;
    page.printGridlines = true;
    page.printHeadings = true;
    page.hCenter = true;
    page.printArea = xls::CellRect{0, 40, 0, 16};
    page.rowBreaks = {20, 40};
    fatture.protection = {true, 0xCC3D};
    fatture.extraRecords.push_back(xls::KeptRecord<xls::SheetSlot>{
        {0x0862, QByteArray("\x62\x08\0\0\0\0\0\0\0\0\0\0\x14\0\0\0\0\0\0\0", 20)},
        xls::SheetSlot::BeforeEof});

    xls::Sheet hidden;
    hidden.name = QStringLiteral("Utilità");
    hidden.hidden = true;
    hidden.put(1, 0, xls::textCell(QStringLiteral("*")));
    hidden.page.printArea = xls::CellRect{0, 9, 0, 4};

    wb.sheets.push_back(std::move(fatture));
    wb.sheets.push_back(std::move(hidden));
    wb.extraGlobals.push_back(xls::KeptRecord<xls::GlobalsSlot>{
        {0x000E, QByteArray("\x01\x00", 2)}, xls::GlobalsSlot::AfterDateMode});  // PRECISION
    return wb;
}

TEST(WriterRoundTrip, CellsFormatsAndFontsSurvive) {
    const xls::Workbook wb = richWorkbook();
    const xls::Workbook back = roundTrip(wb);
    ASSERT_EQ(back.sheets.size(), 2u);
    EXPECT_EQ(back.sheets[0].name, "Fatture");
    EXPECT_EQ(back.sheets[1].name, "Utilità");
    EXPECT_TRUE(back.sheets[1].hidden);
    writertest::expectSameCells(wb.sheets[0], back.sheets[0]);
    writertest::expectSameCells(wb.sheets[1], back.sheets[1]);

    EXPECT_EQ(back.fonts, wb.fonts);
    EXPECT_EQ(back.xfs, wb.xfs);
    EXPECT_EQ(back.formats, wb.formats);
    const xls::Cell date = cellAt(back.sheets[0], 1, 4);
    EXPECT_TRUE(xls::isDateFormat(back.formatCode(back.xfs[date.xf].format)));
    EXPECT_EQ(back.fontOf(back.xfs[cellAt(back.sheets[0], 0, 0).xf]).weight, 700);
}

TEST(WriterRoundTrip, SheetLayoutAndViewSurvive) {
    const xls::Workbook wb = richWorkbook();
    const xls::Workbook back = roundTrip(wb);
    ASSERT_EQ(back.sheets.size(), 2u);
    const xls::Sheet& a = wb.sheets[0];
    const xls::Sheet& b = back.sheets[0];
    EXPECT_EQ(b.rows[1].height, 600);
    EXPECT_TRUE(b.rows[1].customHeight);
    EXPECT_TRUE(b.rows[5].hidden);
    EXPECT_EQ(b.defaultColWidth, 10);
    ASSERT_EQ(b.columns.size(), a.columns.size());
    for (std::size_t i = 0; i < a.columns.size(); ++i) {
        EXPECT_EQ(b.columns[i].firstCol, a.columns[i].firstCol);
        EXPECT_EQ(b.columns[i].lastCol, a.columns[i].lastCol);
        EXPECT_EQ(b.columns[i].width, a.columns[i].width);
        EXPECT_EQ(b.columns[i].xf, a.columns[i].xf);
        EXPECT_EQ(b.columns[i].options, a.columns[i].options);
    }
    EXPECT_EQ(b.merged, a.merged);
    EXPECT_EQ(b.frozenRows, 1);
    EXPECT_EQ(b.frozenCols, 0);
    EXPECT_EQ(b.topRow, 7);
    EXPECT_EQ(b.activeRow, 9);
    EXPECT_EQ(b.activeCol, 2);
    EXPECT_EQ(b.zoom, 85);
    EXPECT_FALSE(b.showGridlines);
    EXPECT_TRUE(b.selected);
    EXPECT_FALSE(back.sheets[1].selected);
    EXPECT_EQ(back.activeSheet, 0);
}

TEST(WriterRoundTrip, PageSetupPrintAreaAndProtectionSurvive) {
    const xls::Workbook wb = richWorkbook();
    const xls::Workbook back = roundTrip(wb);
    ASSERT_EQ(back.sheets.size(), 2u);
    const xls::PageSetup& a = wb.sheets[0].page;
    const xls::PageSetup& b = back.sheets[0].page;
    EXPECT_EQ(b.header, a.header);
    EXPECT_EQ(b.footer, a.footer);
    EXPECT_DOUBLE_EQ(b.leftMargin, a.leftMargin);
    EXPECT_DOUBLE_EQ(b.rightMargin, a.rightMargin);
    EXPECT_DOUBLE_EQ(b.topMargin, a.topMargin);
    EXPECT_DOUBLE_EQ(b.bottomMargin, a.bottomMargin);
    EXPECT_DOUBLE_EQ(b.headerMargin, a.headerMargin);
    EXPECT_DOUBLE_EQ(b.footerMargin, a.footerMargin);
    EXPECT_EQ(b.paperSize, a.paperSize);
    EXPECT_EQ(b.scale, a.scale);
    EXPECT_EQ(b.fitWidth, a.fitWidth);
    EXPECT_EQ(b.fitHeight, a.fitHeight);
    EXPECT_EQ(b.copies, a.copies);
    EXPECT_TRUE(b.landscape);
    EXPECT_TRUE(b.fitToPage);
    EXPECT_TRUE(b.printGridlines);
    EXPECT_TRUE(b.printHeadings);
    EXPECT_TRUE(b.hCenter);
    EXPECT_FALSE(b.vCenter);
    EXPECT_EQ(b.rowBreaks, a.rowBreaks);
    ASSERT_TRUE(b.printArea.has_value());
    EXPECT_EQ(*b.printArea, *a.printArea);
    ASSERT_TRUE(back.sheets[1].page.printArea.has_value());
    EXPECT_EQ(*back.sheets[1].page.printArea, *wb.sheets[1].page.printArea);
    EXPECT_TRUE(back.sheets[0].protection.locked);
    EXPECT_EQ(back.sheets[0].protection.passwordHash, 0xCC3D);
    EXPECT_FALSE(back.sheets[1].protection.locked);
}

TEST(WriterRoundTrip, KeptRecordsAreWrittenBackOnce) {
    const xls::Workbook wb = richWorkbook();
    const xls::Workbook once = roundTrip(wb);
    const xls::Workbook twice = roundTrip(once);
    for (const xls::Workbook* back : {&once, &twice}) {
        ASSERT_EQ(back->sheets.size(), 2u);
        ASSERT_EQ(back->sheets[0].extraRecords.size(), 1u);
        EXPECT_EQ(back->sheets[0].extraRecords[0].type, 0x0862);
        EXPECT_EQ(back->sheets[0].extraRecords[0].data, wb.sheets[0].extraRecords[0].data);
        ASSERT_EQ(back->extraGlobals.size(), 1u);
        EXPECT_EQ(back->extraGlobals[0].type, 0x000E);
    }
}

TEST(WriterRoundTrip, EncryptedFileNeedsItsPassword) {
    const xls::Workbook wb = richWorkbook();
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb, QStringLiteral("Pesk1987"));
    ASSERT_TRUE(bytes.ok());
    // No plain text of the cells shows through.
    EXPECT_FALSE(bytes->contains("COSTRUZIONI"));
    EXPECT_FALSE(bytes->contains("Cliente"));

    for (const QString& wrong : {QString(), QStringLiteral("pesk1987")}) {
        xls::Result<xls::Workbook> refused = xls::readWorkbook(*bytes, wrong);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error().kind, xls::Error::Kind::PasswordNeeded);
    }
    xls::Result<xls::Workbook> back = xls::readWorkbook(*bytes, QStringLiteral("Pesk1987"));
    ASSERT_TRUE(back.ok()) << qPrintable(back.error().message);
    ASSERT_EQ(back->sheets.size(), 2u);
    writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
    EXPECT_EQ(back->sheets[1].name, "Utilità");
    ASSERT_TRUE(back->sheets[0].page.printArea.has_value());
}

TEST(WriterRoundTrip, EmptySheetsMakeAFileOfAtLeastOneRegularSector) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    for (const char* name : {"Anagrafe", "Fatture", "Utilità", "Utente"}) {
        xls::Sheet s;
        s.name = QString::fromUtf8(name);
        wb.sheets.push_back(s);
    }
    for (const QString& password : {QString(), QStringLiteral("Pesk1987")}) {
        const xls::Workbook back = roundTrip(wb, password);
        ASSERT_EQ(back.sheets.size(), 4u);
        EXPECT_EQ(back.sheets[2].name, "Utilità");
        for (const xls::Sheet& s : back.sheets)
            EXPECT_TRUE(s.rows.empty() || s.rows[0].cells.empty());
    }
}

TEST(WriterRoundTrip, NonFiniteNumbersBecomeNumErrors) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Sheet s;
    s.name = QStringLiteral("Foglio1");
    s.put(0, 0, xls::numberCell(std::nan("")));
    s.put(0, 1, xls::numberCell(INFINITY));
    s.put(0, 2, xls::numberCell(-0.0));
    wb.sheets.push_back(s);
    const xls::Workbook back = roundTrip(wb);
    ASSERT_EQ(back.sheets.size(), 1u);
    for (int col : {0, 1}) {
        const xls::Cell c = cellAt(back.sheets[0], 0, col);
        EXPECT_EQ(c.kind(), xls::CellKind::Error);
        EXPECT_EQ(c.code(), std::uint8_t(xls::ErrorCode::Num));
    }
    const xls::Cell zero = cellAt(back.sheets[0], 0, 2);
    ASSERT_EQ(zero.kind(), xls::CellKind::Number);
    EXPECT_TRUE(std::signbit(zero.number()));
}

}  // namespace
