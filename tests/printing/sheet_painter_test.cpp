#include "printing/sheet_painter.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "printing/font_measure.h"
#include "store/engine.h"
#include "store/pagination.h"
#include "store/range.h"
#include "store/workbook.h"
#include "support/pdf_words.h"

namespace {

const QDate kToday(2024, 3, 5);

class SheetOnPaper : public testing::Test {
  protected:
    // The sheet's pages printed to a PDF and read back.
    std::vector<test_support::PdfPage> printed() {
        const printing::SheetPainter painter(book.model(), sheet.model());
        const store::PagePlan plan = painter.plan();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir.filePath(QStringLiteral("foglio.pdf"));
        printer.setOutputFileName(path);
        printing::SheetPrintJob job(book.model(), sheet.model(), plan, printer, kToday);
        for (int page = 0; page < plan.pageCount(); ++page)
            EXPECT_TRUE(job.printPage(page).ok());
        EXPECT_EQ(job.finish().ok() ? *job.finish() : -1, plan.pageCount());
        return test_support::readPdfWords(path);
    }

    const test_support::PdfWord* word(const test_support::PdfPage& page, const QString& text) {
        for (const auto& w : page.words)
            if (w.text == text)
                return &w;
        return nullptr;
    }

    // A bold font and a cell format with it and a thin border all round.
    std::uint16_t boldBoxed() {
        xls::Font bold;
        bold.weight = 700;
        bold.height = 280;
        book.model().fonts.push_back(bold);
        xls::Xf xf = book.model().xfs[xls::kDefaultXf];
        xf.font = std::uint16_t(book.model().fonts.size());  // index 4 is skipped
        xf.borderFill[0] = 0x11;                             // left and right thin
        xf.borderFill[1] = 0x11;                             // top and bottom thin
        return book.model().addXf(xf);
    }

    QTemporaryDir dir;
    store::Engine engine;
    store::Workbook& book = engine.create();
    store::Worksheet sheet = book.activeSheet();
};

TEST_F(SheetOnPaper, TextsNumbersMergesAndTheHeaderAreWhereTheSheetPutsThem) {
    ASSERT_TRUE(sheet.setValue(1, 1, QStringLiteral("Fattura")).ok());
    ASSERT_TRUE(sheet.setValue(2, 2, QStringLiteral("1.234,50")).ok());
    ASSERT_TRUE(sheet.setValue(3, 1, QStringLiteral("Centrato")).ok());
    sheet.range(u"A3:D3")->setMergeCells(true);
    sheet.range(u"A3")->setHorizontalAlignment(xls::HAlign::Center);
    sheet.setColumnWidth(1, 2560);
    sheet.setColumnWidth(2, 2560);
    // The page codes of a header: page and pages.
    sheet.pageSetup().header = QStringLiteral("&CIntestazione &P di &N&RDestra");
    ASSERT_TRUE(sheet.setPrintArea(u"A1:D3").ok());

    const auto pages = printed();
    ASSERT_EQ(pages.size(), 1u);
    const auto* header = word(pages[0], QStringLiteral("Intestazione"));
    const auto* title = word(pages[0], QStringLiteral("Fattura"));
    const auto* amount = word(pages[0], QStringLiteral("1.234,50"));
    const auto* centred = word(pages[0], QStringLiteral("Centrato"));
    ASSERT_TRUE(header && title && amount && centred);
    EXPECT_TRUE(pages[0].has(QStringLiteral("1")));
    EXPECT_FALSE(pages[0].has(QStringLiteral("Destra")));
    EXPECT_LT(header->yMax, title->yMin);
    // Column A starts at the 0.75-inch margin; B ends 2 x 52.5 points further
    // (with the measured "0"), and a number sits at its right edge.
    EXPECT_NEAR(title->xMin, 54 + 2, 2);
    const double zero = printing::zeroWidthPoints(book.model());
    EXPECT_NEAR(amount->xMax, 54 + 2 * 10 * zero - 2, 2);
    // The merged A3:D3 centres its text over the four columns.
    const double mergeCentre = 54 + (2 * 10 + 2 * 9.14) * zero / 2;
    EXPECT_NEAR((centred->xMin + centred->xMax) / 2, mergeCentre, 3);
}

TEST_F(SheetOnPaper, WrappedTextBreaksInsideItsCell) {
    ASSERT_TRUE(sheet.setValue(1, 1, QStringLiteral("uno due tre quattro cinque")).ok());
    sheet.range(u"A1")->setWrapText(true);
    sheet.model().rows[0].height = 1200;
    sheet.model().rows[0].customHeight = true;
    const auto pages = printed();
    ASSERT_EQ(pages.size(), 1u);
    const auto* first = word(pages[0], QStringLiteral("uno"));
    const auto* last = word(pages[0], QStringLiteral("cinque"));
    ASSERT_TRUE(first && last);
    EXPECT_GT(last->yMin, first->yMax);
}

TEST_F(SheetOnPaper, BoldFontIsPrintedLarger) {
    ASSERT_TRUE(sheet.setValue(1, 1, QStringLiteral("Grande")).ok());
    ASSERT_TRUE(sheet.setValue(2, 1, QStringLiteral("Piccolo")).ok());
    sheet.model().rows[0].cells[0].xf = boldBoxed();
    const auto pages = printed();
    ASSERT_EQ(pages.size(), 1u);
    const auto* big = word(pages[0], QStringLiteral("Grande"));
    const auto* small = word(pages[0], QStringLiteral("Piccolo"));
    ASSERT_TRUE(big && small);
    EXPECT_GT(big->yMax - big->yMin, (small->yMax - small->yMin) * 1.2);
}

TEST_F(SheetOnPaper, ColumnsFittedWithTheFontMeasureNeverCutTheirTexts) {
    const QStringList texts{QStringLiteral("WWWWWWWWWWWW"), QStringLiteral("iiiiiiiiiiiiiiiiiii"),
                            QStringLiteral("Società Immobiliare MMM"),
                            QStringLiteral("1.234.567,89"), QStringLiteral("@@@%%%")};
    for (int c = 0; c < texts.size(); ++c)
        ASSERT_TRUE(sheet.setValue(1, c + 1, texts[c]).ok());
    const printing::FontTextMeasure fonts;
    sheet.autoFitColumns(fonts);
    const double zero = printing::zeroWidthPoints(book.model());
    for (int c = 0; c < texts.size(); ++c) {
        const double room = store::columnWidthPoints(sheet.model(), c, zero) - 2 * 2;
        EXPECT_LE(printing::textWidthPoints(sheet.text(1, c + 1), book.model().fonts.front()), room)
            << texts[c].toStdString();
    }
}

TEST(FontMeasure, TheWidestLineOfManyIsTheWidestShapedLine) {
    // Many lines of one estimate (the register's codes and numbers), kerning pairs,
    // ligatures, and lines of other scripts that are always shaped.
    std::vector<QString> numbers;
    for (int i = 0; i < 3000; ++i)
        numbers.push_back(QStringLiteral("3331%1").arg(i * 7919 % 1000000, 6, 10, QChar(u'0')));
    const std::vector<std::vector<QString>> sets{
        numbers,
        {QStringLiteral("AVAVAVAVAV"), QStringLiteral("VAVAVAVAVA"), QStringLiteral("ABCDEFGHIJ"),
         QStringLiteral("To Wa Yo Te"), QStringLiteral("ffi ffl fi fl")},
        {QStringLiteral("ROSSI"), QStringLiteral("Ελληνικά και Русский текст"),
         QStringLiteral("BIANCHI")},
        {QStringLiteral("Ωμέγα"), QStringLiteral("STUDIO ASSOCIATO ROSSI E BIANCHI"),
         QStringLiteral("STUDIO ASSOCIATO BIANCHI E ROSSI")},
        {QStringLiteral("€ 1.234,50 – «citazione»"), QStringLiteral("1.234,50")},
        {QString()},
    };
    xls::Font bold;
    bold.name = QStringLiteral("DejaVu Sans");
    bold.height = 280;
    bold.weight = 700;
    const printing::FontTextMeasure fonts;
    for (const xls::Font& font : {xls::Font{}, bold}) {
        for (const auto& lines : sets) {
            double shaped = 0;
            for (const QString& line : lines)
                shaped = std::max(shaped, fonts.widthInZeros(line, font, xls::Font{}));
            const double widest = fonts.widestInZeros(lines, font, xls::Font{});
            EXPECT_GE(widest, shaped - 1e-9) << lines.front().toStdString();
            EXPECT_LE(widest, shaped * 1.01 + 1e-9) << lines.front().toStdString();
        }
    }
}

}  // namespace
