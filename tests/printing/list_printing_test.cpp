#include "printing/list_printing.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "support/pdf_words.h"

namespace {

using printing::ListPage;
using printing::PageText;

// One page unit per character and two per line: positions are plain arithmetic.
printing::ListMetrics plainMetrics() {
    return {[](const QString& text, bool) { return static_cast<double>(text.size()); }, 2.0, {}};
}

const QDateTime kPrintedAt(QDate(2026, 3, 9), QTime(10, 30));

printing::PrintedList invoiceList(int rows) {
    printing::PrintedList list;
    list.title = QStringLiteral("  Elenco Fatture ");
    list.heading = QStringLiteral("Brisvel");
    list.fontName = QStringLiteral("Arial");
    list.fontSize = 10;
    list.columnHeadings = {QStringLiteral("ID"), QStringLiteral("Cliente"),
                           QStringLiteral("Totale")};
    list.columnWidths = {50, 200, 150};
    for (int r = 1; r <= rows; ++r) {
        list.rows.push_back(
            {QString::number(r), QStringLiteral("Rossi"), QStringLiteral("100,00")});
    }
    return list;
}

std::vector<ListPage> layOut(const printing::PrintedList& list) {
    std::vector<ListPage> pages;
    printing::layOutList(list, plainMetrics(), kPrintedAt, [&](const ListPage& page) {
        pages.push_back(page);
        return true;
    });
    return pages;
}

// The texts of a page drawn at row height (y from 14 to 90), in order.
std::vector<PageText> rowTexts(const ListPage& page) {
    std::vector<PageText> rows;
    for (const PageText& text : page.texts) {
        if (text.y >= 14 && text.y < 90) {
            rows.push_back(text);
        }
    }
    return rows;
}

bool hasText(const ListPage& page, const PageText& wanted) {
    for (const PageText& text : page.texts) {
        if (text.text == wanted.text && qFuzzyCompare(text.x + 1, wanted.x + 1) &&
            qFuzzyCompare(text.y + 1, wanted.y + 1) && text.bold == wanted.bold) {
            return true;
        }
    }
    return false;
}

// Lines of 2 units: 38 fit between the line under the headings (14) and the bottom
// line (90).
TEST(ListLayout, RowsFillThePageDownToItsBottomLineEachPageWithHeadingsAndFooter) {
    const auto pages = layOut(invoiceList(39));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(rowTexts(pages[0]).size(), 38u * 3);
    EXPECT_EQ(rowTexts(pages[1]).size(), 3u);
    EXPECT_EQ(pages[0].rowsDone, 38);
    EXPECT_EQ(pages[1].rowsDone, 39);
    for (const ListPage& page : pages) {
        SCOPED_TRACE(page.number);
        // The title trimmed and upper-cased, centred by its width (14 characters).
        EXPECT_TRUE(hasText(page, {43, 3, QStringLiteral("ELENCO FATTURE"), true}));
        EXPECT_TRUE(hasText(page, {90, 3, QStringLiteral("Pagina %1").arg(page.number), false}));
        EXPECT_TRUE(hasText(page, {46.5, 5, QStringLiteral("Brisvel"), false}));
        // Columns at their share of the total width: 50, 200, 150 of 400.
        EXPECT_TRUE(hasText(page, {0, 10, QStringLiteral("ID"), true}));
        EXPECT_TRUE(hasText(page, {12.5, 10, QStringLiteral("Cliente"), true}));
        EXPECT_TRUE(hasText(page, {62.5, 10, QStringLiteral("Totale"), true}));
        EXPECT_TRUE(hasText(page, {5, 93, QStringLiteral("Brisvel v1.1.25"), true}));
        EXPECT_TRUE(hasText(page, {85, 93, QStringLiteral("09/03/2026"), false}));
        EXPECT_EQ(page.lines,
                  (std::vector<printing::PageLine>{{0, 13, 100, 13}, {0, 90, 100, 90}}));
    }
    EXPECT_TRUE(hasText(pages[0], {0, 14, QStringLiteral("1"), false}));
    EXPECT_TRUE(hasText(pages[0], {0, 14 + 37 * 2, QStringLiteral("38"), false}));
    EXPECT_TRUE(hasText(pages[1], {0, 14, QStringLiteral("39"), false}));
    EXPECT_TRUE(hasText(pages[1], {62.5, 14, QStringLiteral("100,00"), false}));
}

TEST(ListLayout, ExactlyFullPageLeavesNoEmptyPageBehind) {
    EXPECT_EQ(layOut(invoiceList(38)).size(), 1u);
    EXPECT_EQ(layOut(invoiceList(0)).size(), 1u);
}

TEST(ListLayout, ZeroWidthColumnIsNeitherHeadedNorPrintedAndTakesNoRoom) {
    auto list = invoiceList(1);
    list.columnWidths = {50, 0, 150};
    const auto pages = layOut(list);
    ASSERT_EQ(pages.size(), 1u);
    for (const PageText& text : pages[0].texts) {
        EXPECT_NE(text.text, QStringLiteral("Cliente"));
        EXPECT_NE(text.text, QStringLiteral("Rossi"));
    }
    EXPECT_TRUE(hasText(pages[0], {25, 10, QStringLiteral("Totale"), true}));
    EXPECT_TRUE(hasText(pages[0], {25, 14, QStringLiteral("100,00"), false}));
}

TEST(ListLayout, LongTextWrapsAtTheLastBlankAndTakesTheRoomTheShortTextsLeave) {
    printing::PrintedList list = invoiceList(0);
    // Shares 10, 10, 80, but the text of the second column cannot go on one line
    // (122 units): the others keep the width of their texts and headings (3 and
    // 7), the second takes the rest (90, 89 for its text).
    list.columnWidths = {100, 100, 800};
    list.rows = {{QStringLiteral("7"),
                  QStringLiteral("consulenza tecnica annuale supercalifragilistico fine e ancora "
                                 "una lunga descrizione del lavoro svolto nel corso dell'anno"),
                  QStringLiteral("x")},
                 {QStringLiteral("8"), QStringLiteral("breve"), QStringLiteral("y")}};
    const auto rows = rowTexts(layOut(list).at(0));
    std::vector<std::tuple<double, double, QString>> seen;
    for (const PageText& text : rows) {
        seen.push_back({std::round(text.x * 100) / 100, text.y, text.text});
    }
    const std::vector<std::tuple<double, double, QString>> expected{
        {0, 14, QStringLiteral("7")},
        {3, 14,
         QStringLiteral(
             "consulenza tecnica annuale supercalifragilistico fine e ancora una lunga descrizione "
             "del")},
        {93, 14, QStringLiteral("x")},
        {3, 16, QStringLiteral("lavoro svolto nel corso dell'anno")},
        {0, 18, QStringLiteral("8")},
        {3, 18, QStringLiteral("breve")},
        {93, 18, QStringLiteral("y")}};
    EXPECT_EQ(seen, expected);
}

TEST(ListLayout, TypedLineBreaksStartNewLines) {
    printing::PrintedList list = invoiceList(0);
    list.rows = {{QStringLiteral("1"), QStringLiteral("riga uno\r\nriga due"), QString()}};
    const auto rows = rowTexts(layOut(list).at(0));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].text, QStringLiteral("riga uno"));
    EXPECT_EQ(rows[2].text, QStringLiteral("riga due"));
    EXPECT_EQ(rows[2].y, 16);
}

// Rows of `lines` lines each in the second column, one typed line per word.
printing::PrintedList tallRows(std::vector<int> lines) {
    printing::PrintedList list = invoiceList(0);
    list.columnWidths = {100, 100, 800};
    int id = 0;
    for (const int count : lines) {
        QStringList words;
        for (int w = 0; w < count; ++w) {
            words << QStringLiteral("parola%1").arg(w);
        }
        list.rows.push_back({QString::number(++id), words.join(QLatin1Char('\n')), QString()});
    }
    return list;
}

TEST(ListLayout, ItemThatWouldCrossTheBottomLineMovesWholeToTheNextPage) {
    std::vector<int> lines(36, 1);
    lines.push_back(4);
    const auto pages = layOut(tallRows(lines));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rowsDone, 36);
    EXPECT_TRUE(hasText(pages[1], {0, 14, QStringLiteral("37"), false}));
    EXPECT_TRUE(hasText(pages[1], {10, 20, QStringLiteral("parola3"), false}));
}

TEST(ListLayout, AHeadingGoesToTheNextPageRatherThanEndAPageWithoutItsRows) {
    for (const std::size_t heading : {std::size_t(36), std::size_t(37)}) {
        SCOPED_TRACE(heading);
        printing::PrintedList list = invoiceList(int(heading));
        list.rows.push_back({QString(), QStringLiteral("CLIENTI PRINCIPALI"), QString()});
        list.rows.push_back({QString(), QStringLiteral("Bianchi"), QStringLiteral("10,00")});
        list.headingRows.insert(heading);
        const auto pages = layOut(list);
        // With room for both it stays: 36 rows, the heading and its row fill page 1.
        const bool stays = heading == 36;
        ASSERT_EQ(pages.size(), stays ? 1u : 2u);
        EXPECT_TRUE(hasText(pages.back(), {12.5, stays ? 14.0 + 36 * 2 : 14.0,
                                           QStringLiteral("CLIENTI PRINCIPALI"), false}));
    }
}

TEST(ListLayout, AmountsPrintWithTwoDecimalsAndOtherTextsAsTheyAre) {
    const struct {
        const char* cell;
        const char* printed;
    } rows[] = {{"18,2", "18,20"}, {"360", "360,00"},        {"1234,5", "1.234,50"},
                {"-7", "-7,00"},   {"1.268,80", "1.268,80"}, {"*", "*"},
                {"", ""},          {"N2.2", "N2.2"}};
    printing::PrintedList list = invoiceList(0);
    list.amountColumns = {2};
    for (const auto& row : rows)
        list.rows.push_back(
            {QStringLiteral("18,2"), QStringLiteral("Rossi"), QString::fromLatin1(row.cell)});
    const auto pages = layOut(list);
    ASSERT_EQ(pages.size(), 1u);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].cell);
        const double y = 14 + double(i) * 2;
        EXPECT_TRUE(hasText(pages[0], {0, y, QStringLiteral("18,2"), false})) << "not an amount";
        if (*rows[i].printed) {
            EXPECT_TRUE(hasText(pages[0], {62.5, y, QString::fromLatin1(rows[i].printed), false}));
        }
    }
}

TEST(ListLayout, ItemLongerThanAPageGoesOnOverTheNextPagesAndNeverBelowTheLine) {
    const auto pages = layOut(tallRows({2, 80}));
    ASSERT_EQ(pages.size(), 3u);
    int printed = 0;
    for (const ListPage& page : pages) {
        std::set<double> lines;
        for (const PageText& text : rowTexts(page)) {
            lines.insert(text.y);
            EXPECT_LE(text.y + 2, 90);
            printed += text.text.startsWith(QStringLiteral("parola")) ? 1 : 0;
        }
        EXPECT_LE(lines.size(), 38u);
    }
    EXPECT_EQ(printed, 82);
}

TEST(ListLayout, TallLinesEndThePageBeforeTheBottomLine) {
    // Lines of 5 units: only 15 fit between 14 and 90.
    std::vector<ListPage> pages;
    printing::layOutList(invoiceList(16), {plainMetrics().textWidth, 5.0, {}}, kPrintedAt,
                         [&](const ListPage& page) {
                             pages.push_back(page);
                             return true;
                         });
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rowsDone, 15);
}

TEST(ListLayout, PageHandlerStopsTheLayout) {
    int handed = 0;
    const int pages = printing::layOutList(invoiceList(100), plainMetrics(), kPrintedAt,
                                           [&](const ListPage&) { return ++handed < 2; });
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(handed, 2);
}

// Lists of `columns` equal columns, each holding `word` in every row.
printing::PrintedList wideList(int columns, const QString& word) {
    printing::PrintedList list = invoiceList(0);
    list.columnHeadings.clear();
    list.columnWidths.assign(std::size_t(columns), 100);
    QStringList row;
    for (int c = 0; c < columns; ++c) {
        list.columnHeadings << QStringLiteral("C%1").arg(c);
        row << word;
    }
    list.rows = {row, row};
    return list;
}

struct PlanCase {
    const char* what;
    printing::PrintedList list;
    bool canTurn;
    bool landscape;
    double fontScale;
    bool wordsWhole;
};

TEST(ListColumns, ColumnsTurnThePageThenShrinkTheFontBeforeAWordBreaks) {
    const QString amount = QStringLiteral("4.744,54");  // 8 units, 9 with its gap
    const std::vector<PlanCase> cases{
        {"three columns with room to spare", invoiceList(3), true, false, 1, true},
        {"eleven amounts fit upright (99)", wideList(11, amount), true, false, 1, true},
        {"twelve amounts need landscape (108 * 0.7)", wideList(12, amount), true, true, 1, true},
        {"sixteen amounts shrink to 9.5 points in landscape", wideList(16, amount), true, true,
         0.95, true},
        {"thirty amounts stop at 7 points and break", wideList(30, amount), true, true, 0.7, false},
        {"a page that cannot turn shrinks upright", wideList(12, amount), false, false, 0.9, true},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.what);
        printing::ListMetrics metrics = plainMetrics();
        if (c.canTurn) {
            metrics.landscape = printing::TurnedPage{0.7, 1.4};
        }
        const printing::ColumnPlan plan = printing::planColumns(c.list, metrics);
        EXPECT_EQ(plan.landscape, c.landscape);
        EXPECT_DOUBLE_EQ(plan.fontScale, c.fontScale);
        const double across = plan.across(metrics);
        double right = 0;
        bool whole = true;
        for (const printing::PlacedColumn& column : plan.columns) {
            EXPECT_NEAR(column.x, right, 1e-9);
            right = column.x + column.width;
            for (const QStringList& row : c.list.rows) {
                whole = whole && row.value(column.index).size() * across <= column.textRoom + 1e-9;
            }
        }
        EXPECT_LE(right, 100 + 1e-9);
        EXPECT_EQ(whole, c.wordsWhole);
    }
}

TEST(ListColumns, NarrowColumnWidensToItsDateAndHeadingTheOthersGiveTheRoom) {
    printing::PrintedList list = invoiceList(0);
    list.columnHeadings = {QStringLiteral("Data"), QStringLiteral("Descrizione")};
    list.columnWidths = {20, 380};
    list.rows = {{QStringLiteral("05/01/2009"), QStringLiteral("Consulenza annuale")}};
    const printing::ColumnPlan plan = printing::planColumns(list, plainMetrics());
    ASSERT_EQ(plan.columns.size(), 2u);
    EXPECT_DOUBLE_EQ(plan.columns[0].width, 11);
    EXPECT_DOUBLE_EQ(plan.columns[0].textRoom, 10);
    EXPECT_DOUBLE_EQ(plan.columns[1].x, 11);
    EXPECT_DOUBLE_EQ(plan.columns[1].width, 89);
}

struct WrapCase {
    const char* what;
    QString text;
    double room;
    QStringList lines;
};

TEST(ListColumns, TextsWrapAtBlanksWithinTheirRoom) {
    const std::vector<WrapCase> cases{
        {"fits whole", "Rossi", 5, {"Rossi"}},
        {"breaks at the last blank that fits",
         "consulenza tecnica annuale",
         18,
         {"consulenza tecnica", "annuale"}},
        {"a blank right after a full line ends it", "abcde fgh", 5, {"abcde", "fgh"}},
        {"a word longer than the room is cut",
         "supercalifragilistico",
         10,
         {"supercalif", "ragilistic", "o"}},
        {"typed line breaks start new lines", "riga uno\r\nriga due", 20, {"riga uno", "riga due"}},
        {"an empty typed line stays", "a\n\nb", 5, {"a", "", "b"}},
        {"a trailing blank leaves no empty line", "abcde ", 5, {"abcde"}},
        {"an empty text is one empty line", "", 5, {""}},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(printing::wrapToWidth(c.text, c.room,
                                        [](const QString& text) { return double(text.size()); }),
                  c.lines);
    }
}

TEST(ListLayout, HeadingsWrapOrAreCutInsideTheirOwnColumns) {
    printing::PrintedList list = invoiceList(1);
    // Short cells, and headings too long for the page to widen their columns:
    // the first wraps over five lines of which three fit, the last has a word
    // longer than its column.
    list.columnHeadings = {QStringLiteral("ID Cliente Numero"), QStringLiteral("N.Fatt."),
                           QStringLiteral("Importo ") + QString(95, QLatin1Char('E'))};
    list.columnWidths = {6, 8, 86};
    list.rows = {{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}};
    const printing::ColumnPlan plan = printing::planColumns(list, plainMetrics());
    const auto pages = layOut(list);
    ASSERT_EQ(pages.size(), 1u);
    int headingTexts = 0;
    double lowest = 0;
    for (const PageText& text : pages[0].texts) {
        if (!text.bold || text.y < 6 || text.y >= 13) {
            continue;
        }
        ++headingTexts;
        lowest = std::max(lowest, text.y + 2);
        const auto column =
            std::find_if(plan.columns.begin(), plan.columns.end(),
                         [&](const printing::PlacedColumn& c) { return c.x == text.x; });
        ASSERT_NE(column, plan.columns.end()) << text.text.toStdString();
        EXPECT_LE(text.text.size(), column->textRoom + 1e-9) << text.text.toStdString();
    }
    // Three lines fit between the heading (5 + 2) and the line at 13.
    EXPECT_EQ(headingTexts, 3 + 3 + 1);
    EXPECT_DOUBLE_EQ(lowest, 13);
}

// The real list printing on a PDF printer, read back by pdftotext.
class ListPdf : public ::testing::Test {
  protected:
    QString printToPdf(const printing::PrintedList& list, int* pages) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        const QString path = dir_.filePath(QStringLiteral("elenco.pdf"));
        printer.setOutputFileName(path);
        const auto result = printing::printList(list, printer, kPrintedAt);
        EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().message.toStdString());
        *pages = result.ok() ? *result : 0;
        // Kept for a look when asked: BRISVEL_KEEP_PDF=folder.
        if (const QString keep = qEnvironmentVariable("BRISVEL_KEEP_PDF"); !keep.isEmpty())
            QFile::copy(path, QDir(keep).filePath(QStringLiteral("elenco.pdf")));
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(ListPdf, InvoicesFillEachPageDownToItsFooterWithEverythingInPlace) {
    int pages = 0;
    const auto words = test_support::readPdfWords(printToPdf(invoiceList(60), &pages));
    EXPECT_EQ(pages, 2);
    ASSERT_EQ(words.size(), 2u);
    for (const auto& page : words) {
        EXPECT_TRUE(page.has(QStringLiteral("ELENCO")));
        EXPECT_TRUE(page.has(QStringLiteral("FATTURE")));
        EXPECT_TRUE(page.has(QStringLiteral("Cliente")));
        EXPECT_TRUE(page.has(QStringLiteral("v1.1.25")));
        EXPECT_TRUE(page.has(QStringLiteral("09/03/2026")));
        double footerTop = 0;
        double lowestRow = 0;
        int rossi = 0;
        for (const auto& word : page.words) {
            if (word.text == QStringLiteral("v1.1.25")) {
                footerTop = word.yMin;
            }
            if (word.text == QStringLiteral("Rossi")) {
                ++rossi;
                lowestRow = std::max(lowestRow, word.yMax);
            }
        }
        EXPECT_LT(lowestRow, footerTop);
        // Lines of 10 points from the line under the headings down to the bottom line.
        EXPECT_EQ(rossi, &page == &words[0] ? 55 : 5);
    }
    EXPECT_TRUE(words[0].has(QStringLiteral("55")));
    EXPECT_TRUE(words[1].has(QStringLiteral("56")));
}

TEST_F(ListPdf, ListWithoutColumnsIsRefusedWithAMessage) {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath(QStringLiteral("vuoto.pdf")));
    auto list = invoiceList(1);
    list.columnWidths = {0, 0, 0};
    const auto result = printing::printList(list, printer, kPrintedAt);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().message.isEmpty());
}

}  // namespace
