// Hand-made workbooks: each record the reader understands lands in the model, and
// records that lie about their content are refused.

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "xls/reader.h"

namespace {

using namespace biff;

xls::Result<xls::Workbook> readSheet(const QByteArray& records, const QByteArray& globals = {}) {
    return xls::readWorkbook(workbookFile({{"Foglio", records}}, globals));
}

const xls::Cell& at(const xls::Workbook& book, int row, int col) {
    static const xls::Cell none;
    const auto& rows = book.sheets.at(0).rows;
    if (std::size_t(row) >= rows.size() || std::size_t(col) >= rows[row].cells.size())
        return none;
    return rows[row].cells[col];
}

TEST(ReaderRecords, EveryKindOfCellRecordGivesItsValue) {
    const QByteArray sharedStrings =
        record(0x00FC, le32(1) + le32(1) + le16(4) + QByteArray(1, 0) + "nota");
    const QByteArray cells =
        record(0x0203, cell(0, 0) + f64(2889.1)) +              // NUMBER
        record(0x027E, cell(0, 1) + le32((7u << 2) | 2)) +      // RK integer
        record(0x027E, cell(0, 2) + le32((12345u << 2) | 3)) +  // RK hundredths
        record(0x027E, cell(0, 3) + le32(0x3FF80000u)) +        // RK double 1.5
        record(0x00BD, le16(1) + le16(2) + le16(15) + le32((1u << 2) | 2) + le16(15) +
                           le32((2u << 2) | 2) + le16(3)) +                    // MULRK C2:D2
        record(0x0204, cell(2, 0) + string16("testo")) +                       // LABEL
        record(0x00FD, cell(2, 1) + le32(0)) +                                 // LABELSST
        record(0x0205, cell(2, 2) + QByteArray(1, 1) + QByteArray(1, 0)) +     // TRUE
        record(0x0205, cell(2, 3) + QByteArray(1, 0x07) + QByteArray(1, 1)) +  // #DIV/0!
        // FORMULA with a text result, given by the STRING record after it
        record(0x0006, cell(3, 0) + QByteArray::fromHex("000000000000ffff") + QByteArray(2 + 4, 0) +
                           le16(0)) +
        record(0x0207, string16("calcolato")) +
        // FORMULA with a cached number, and one with an error
        record(0x0006, cell(3, 1) + f64(42.5) + QByteArray(2 + 4, 0) + le16(0)) +
        record(0x0006, cell(3, 2) + QByteArray::fromHex("02002a000000ffff") + QByteArray(2 + 4, 0) +
                           le16(0)) +
        record(0x00BE, le16(4) + le16(0) + le16(16) + le16(17) + le16(1));  // MULBLANK
    auto book = readSheet(cells, sharedStrings);
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    EXPECT_EQ(at(*book, 0, 0).number(), 2889.1);
    EXPECT_EQ(at(*book, 0, 1).number(), 7);
    EXPECT_EQ(at(*book, 0, 2).number(), 123.45);
    EXPECT_EQ(at(*book, 0, 3).number(), 1.5);
    EXPECT_EQ(at(*book, 1, 2).number(), 1);
    EXPECT_EQ(at(*book, 1, 3).number(), 2);
    EXPECT_EQ(at(*book, 2, 0).text(), "testo");
    EXPECT_EQ(at(*book, 2, 1).text(), "nota");
    EXPECT_EQ(at(*book, 2, 2).kind(), xls::CellKind::Boolean);
    EXPECT_EQ(at(*book, 2, 2).code(), 1);
    EXPECT_EQ(at(*book, 2, 3).kind(), xls::CellKind::Error);
    EXPECT_EQ(at(*book, 2, 3).code(), 0x07);
    EXPECT_EQ(at(*book, 3, 0).text(), "calcolato");
    EXPECT_EQ(at(*book, 3, 1).number(), 42.5);
    EXPECT_EQ(at(*book, 3, 2).code(), 0x2A);
    EXPECT_EQ(at(*book, 4, 0).kind(), xls::CellKind::Empty);
    EXPECT_EQ(at(*book, 4, 1).xf, 15);  // XF 17 does not exist: the default format
    EXPECT_EQ(at(*book, 4, 0).xf, 15);  // XF 16 does not exist either
}

TEST(ReaderRecords, ViewAndPageSetupAreRead) {
    const QByteArray records =
        record(0x023E, le16(0x0008 | 0x0002 | 0x0200) + le16(0) + QByteArray(14, 0)) +
        record(0x0041, le16(0) + le16(1) + le16(5) + le16(0) + QByteArray(1, 2) +
                           QByteArray(1, 0)) +  // frozen below row 1, lower pane from row 6
        record(0x001D, QByteArray(1, 3) + le16(9) + le16(9) + le16(0) + le16(0)) +
        record(0x001D, QByteArray(1, 2) + le16(7) + le16(3) + le16(0) + le16(0)) +
        record(0x00A0, le16(3) + le16(4)) +  // 75 %
        record(0x0014, string16("&CFatture")) + record(0x0026, f64(0.5)) +
        // SETUP: A4, 80 %, fit 1 x 2, landscape
        record(0x00A1, le16(9) + le16(80) + le16(1) + le16(1) + le16(2) + le16(0) + le16(600) +
                           le16(600) + f64(0.3) + f64(0.4) + le16(2)) +
        record(0x0081, le16(0x0100 | 0x04C1)) + record(0x002B, le16(1)) + record(0x0083, le16(1)) +
        record(0x001B, le16(2) + le16(10) + le16(0) + le16(255) + le16(20) + le16(0) + le16(255)) +
        record(0x0012, le16(1)) + record(0x0013, le16(0xCE4B)) +
        record(0x00E5, le16(1) + le16(0) + le16(1) + le16(0) + le16(3)) +
        record(0x007D, le16(2) + le16(256) + le16(4000) + le16(15) + le16(0) + le16(0)) +
        record(0x0080, QByteArray(8, 0));  // GUTS: kept as it is
    auto book = readSheet(records);
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    const xls::Sheet& s = book->sheets[0];
    EXPECT_EQ(s.frozenRows, 1);
    EXPECT_EQ(s.frozenCols, 0);
    EXPECT_EQ(s.topRow, 5);
    EXPECT_EQ(s.activeRow, 7);  // the selection of the active (lower) pane
    EXPECT_EQ(s.activeCol, 3);
    EXPECT_TRUE(s.selected);
    EXPECT_EQ(s.zoom, 75);
    EXPECT_EQ(s.page.header, "&CFatture");
    EXPECT_EQ(s.page.leftMargin, 0.5);
    EXPECT_EQ(s.page.scale, 80);
    EXPECT_TRUE(s.page.fitToPage);
    EXPECT_EQ(s.page.fitHeight, 2);
    EXPECT_TRUE(s.page.landscape);
    EXPECT_EQ(s.page.headerMargin, 0.3);
    EXPECT_EQ(s.page.copies, 2);
    EXPECT_TRUE(s.page.printGridlines);
    EXPECT_TRUE(s.page.hCenter);
    EXPECT_EQ(s.page.rowBreaks, (std::vector<std::uint16_t>{10, 20}));
    EXPECT_TRUE(s.protection.locked);
    EXPECT_EQ(s.protection.passwordHash, 0xCE4B);
    ASSERT_EQ(s.merged.size(), 1u);
    EXPECT_EQ(s.merged[0], (xls::CellRect{0, 1, 0, 3}));
    ASSERT_EQ(s.columns.size(), 1u);
    EXPECT_EQ(s.columns[0].lastCol, 255);  // a range one past the last column is clipped
    ASSERT_EQ(s.extraRecords.size(), 1u);
    EXPECT_EQ(s.extraRecords[0].type, 0x0080);
}

TEST(ReaderRecords, SetupOrientationIsUndefinedWithoutPrinterDataOrOrientation) {
    auto setupWith = [](std::uint16_t flags) {
        return record(0x00A1, le16(8) + le16(50) + le16(1) + le16(1) + le16(1) + le16(flags) +
                                  QByteArray(4, 0) + f64(0.5) + f64(0.5) + le16(1));
    };
    auto noPrinterData = readSheet(setupWith(0x0004));  // fNoPls: paper, scale undefined
    ASSERT_TRUE(noPrinterData.ok());
    EXPECT_EQ(noPrinterData->sheets[0].page.paperSize, 9);
    EXPECT_EQ(noPrinterData->sheets[0].page.scale, 100);
    EXPECT_FALSE(noPrinterData->sheets[0].page.landscape);
    auto noOrientation = readSheet(setupWith(0x0040));  // fNoOrient: portrait by default
    ASSERT_TRUE(noOrientation.ok());
    EXPECT_EQ(noOrientation->sheets[0].page.paperSize, 8);
    EXPECT_FALSE(noOrientation->sheets[0].page.landscape);
}

TEST(ReaderRecords, ThePrintAreaNameIsAttachedToItsSheet) {
    // Two sheets; the built-in name Print_Area of the second, by itab and by a
    // 3-D reference through EXTERNSHEET.
    auto printArea = [](std::uint16_t itab, const QByteArray& formula) {
        return record(0x0018, le16(0x0020) + QByteArray(1, 0) + QByteArray(1, 1) +
                                  le16(std::uint16_t(formula.size())) + le16(0) + le16(itab) +
                                  QByteArray(4, 0) + QByteArray(1, 0) + QByteArray(1, 0x06) +
                                  formula);
    };
    const QByteArray externSheet =
        record(0x0017, le16(2) + le16(0) + le16(0) + le16(0) + le16(0) + le16(1) + le16(1));
    const QByteArray area3d =
        QByteArray(1, 0x3B) + le16(1) + le16(0) + le16(99) + le16(0xC000) + le16(0xC000 | 16);
    auto byItab =
        xls::readWorkbook(workbookFile({{"A", {}}, {"B", {}}}, externSheet + printArea(2, area3d)));
    ASSERT_TRUE(byItab.ok());
    EXPECT_FALSE(byItab->sheets[0].page.printArea.has_value());
    ASSERT_TRUE(byItab->sheets[1].page.printArea.has_value());
    EXPECT_EQ(*byItab->sheets[1].page.printArea, (xls::CellRect{0, 99, 0, 16}));

    auto byReference =
        xls::readWorkbook(workbookFile({{"A", {}}, {"B", {}}}, externSheet + printArea(0, area3d)));
    ASSERT_TRUE(byReference.ok());
    EXPECT_TRUE(byReference->sheets[1].page.printArea.has_value());

    const QByteArray area = QByteArray(1, 0x25) + le16(2) + le16(3) + le16(1) + le16(2);
    auto plainArea = xls::readWorkbook(workbookFile({{"A", {}}}, printArea(1, area)));
    ASSERT_TRUE(plainArea.ok());
    EXPECT_EQ(*plainArea->sheets[0].page.printArea, (xls::CellRect{2, 3, 1, 2}));
}

TEST(ReaderRecords, SheetNamesWithAccentsAndTheWorkbookGlobals) {
    const QByteArray globals = record(0x0022, le16(1)) +  // 1904 date system
                               record(0x041E, le16(164) + string16("dd/mm/yyyy")) +
                               record(0x003D, QByteArray(10, 0) + le16(1) + QByteArray(6, 0)) +
                               record(0x0040, le16(1));  // BACKUP: kept
    auto book = xls::readWorkbook(workbookFile({{"Fatture", {}}, {"Utilità", {}}}, globals));
    ASSERT_TRUE(book.ok());
    EXPECT_EQ(book->sheets[1].name, QStringLiteral("Utilità"));
    EXPECT_TRUE(book->date1904);
    EXPECT_EQ(book->activeSheet, 1);
    EXPECT_TRUE(xls::isDateFormat(book->formatCode(164)));
    ASSERT_EQ(book->extraGlobals.size(), 1u);
    EXPECT_EQ(book->extraGlobals[0].type, 0x0040);
}

TEST(ReaderRecords, CellRecordsCarriedOverContinueAreReadWhole) {
    // The number's last four bytes and MULRK's second cell lie in CONTINUE bodies.
    const QByteArray number = cell(0, 0) + f64(-2889.1);
    const QByteArray mulRk = le16(1) + le16(0) + le16(15) + le32((5u << 2) | 2) + le16(15) +
                             le32((6u << 2) | 2) + le16(1);
    const QByteArray cells = record(0x0203, number.left(10)) + record(0x003C, number.mid(10)) +
                             record(0x00BD, mulRk.left(8)) + record(0x003C, mulRk.mid(8));
    auto book = readSheet(cells);
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    EXPECT_EQ(at(*book, 0, 0).number(), -2889.1);
    EXPECT_EQ(at(*book, 1, 0).number(), 5);
    EXPECT_EQ(at(*book, 1, 1).number(), 6);
}

TEST(ReaderRecords, RecordsThatLieAreRefused) {
    const std::vector<std::pair<const char*, QByteArray>> lies = {
        {"column beyond IV", record(0x0203, cell(0, 256) + f64(1))},
        {"MULRK beyond IV",
         record(0x00BD, le16(0) + le16(255) + le16(15) + le32(2) + le16(15) + le32(2) + le16(256))},
        {"MULRK with a wrong last column",
         record(0x00BD, le16(0) + le16(0) + le16(15) + le32(2) + le16(15) + le32(2) + le16(5))},
        {"shared string that does not exist", record(0x00FD, cell(0, 0) + le32(3))},
        {"text longer than its record",
         record(0x0204, cell(0, 0) + le16(200) + QByteArray(1, 0) + "ab")},
        {"short NUMBER", record(0x0203, cell(0, 0) + QByteArray(4, 0))},
        {"short RK", record(0x027E, cell(0, 0) + le16(2))},
        {"short LABELSST", record(0x00FD, cell(0, 0))},
        {"short BLANK", record(0x0201, le16(0) + le16(0))},
        {"short BOOLERR", record(0x0205, cell(0, 0) + QByteArray(1, 1))},
        {"MULBLANK with a wrong last column",
         record(0x00BE, le16(0) + le16(0) + le16(15) + le16(15) + le16(7))},
        {"MULRK with an odd length",
         record(0x00BD, le16(0) + le16(0) + le16(15) + le32(2) + le16(1) + QByteArray(1, 0))},
        {"merged range upside down",
         record(0x00E5, le16(1) + le16(5) + le16(1) + le16(0) + le16(0))},
        {"more merged ranges than bytes", record(0x00E5, le16(1000) + QByteArray(8, 0))},
    };
    for (const auto& [what, records] : lies) {
        auto book = readSheet(records);
        ASSERT_FALSE(book.ok()) << what;
        EXPECT_EQ(book.error().kind, xls::Error::Kind::Damaged) << what;
        EXPECT_FALSE(book.error().message.isEmpty());
    }
}

TEST(ReaderRecords, ContainerAndVersionProblemsHaveTheirOwnKinds) {
    using Kind = xls::Error::Kind;
    EXPECT_EQ(xls::readWorkbook("not a workbook at all").error().kind, Kind::NotWorkbook);
    EXPECT_EQ(xls::readWorkbook(compoundFile("x", "Other")).error().kind, Kind::NotWorkbook);
    EXPECT_EQ(xls::readWorkbook(compoundFile(bof(0x0005, 0x0500) + eof(), "Book")).error().kind,
              Kind::OldFormat);
    EXPECT_EQ(xls::readWorkbook(compoundFile(bof(0x0005, 0x0500) + eof())).error().kind,
              Kind::OldFormat);
    EXPECT_EQ(xls::readWorkbook(compoundFile(QByteArray(64, 'x'))).error().kind, Kind::Damaged);
    // A record whose length runs past the end of the stream.
    EXPECT_EQ(xls::readWorkbook(compoundFile(bof(0x0005) + le16(0x0031) + le16(300) + "abc"))
                  .error()
                  .kind,
              Kind::Damaged);
    EXPECT_EQ(xls::readWorkbookFile("/nonexistent/Gestione.xls").error().kind, Kind::Io);
}

TEST(ReaderRecords, ASmallFileCannotClaimAHugeSheet) {
    // Cells at IV in every row: each takes a few bytes in the file but a full row
    // of cells in memory. The reader stops before memory runs away.
    QByteArray records;
    for (int r = 0; r < 65536; ++r)
        records += record(0x0201, cell(std::uint16_t(r), 255));
    auto book = xls::readWorkbookStreamBytes(workbookStream({{"A", records}}));
    ASSERT_FALSE(book.ok());
    EXPECT_EQ(book.error().kind, xls::Error::Kind::Unsupported);
}

}  // namespace
