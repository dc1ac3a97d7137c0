// The register list of the entry window printed with "Stampa" on a PDF printer
// and read back by poppler: what a person holding the pages can read.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <map>

#include "entry_window.h"
#include "registers/invoice_extras.h"
#include "store/workbook_store.h"
#include "support/invoice_rows.h"
#include "support/pdf_words.h"

namespace {

using namespace invoices_test;

class RegisterPrintout : public EntryWindowTest {
  protected:
    // `count` invoices of amounts with thousands, dates of every length of day
    // and month, and a description of two lines; every tenth with a VAT and a
    // surcharge typed without their cents ("18,2", "360").
    void writeRegister(int count) {
        for (int i = 1; i <= count; ++i) {
            const QDate date = QDate(2009, 1, 5).addDays(i * 11);
            test_support::writeInvoice(
                invoices(), i + 1,
                {i, QStringLiteral("CLIENTE %1 SRL").arg(i % 40), QString::number(i % 40),
                 QString::number(i), date.toString(QStringLiteral("dd/MM/yyyy")),
                 QStringLiteral("%1.%2,%3")
                     .arg(1 + i * 37 / 1000)
                     .arg(i * 37 % 1000, 3, 10, QLatin1Char('0'))
                     .arg(i % 100, 2, 10, QLatin1Char('0')),
                 QStringLiteral("%1,54").arg(100 + i),
                 i % 3 ? QStringLiteral("*") : QStringLiteral("07/03/2010")});
            EXPECT_TRUE(invoices()
                            .setValue(i + 1, Description,
                                      QStringLiteral("Consulenza fiscale\nmese %1").arg(i))
                            .ok());
            if (i % 10 == 0) {
                EXPECT_TRUE(invoices().setValue(i + 1, Vat, QStringLiteral("18,2")).ok());
                EXPECT_TRUE(invoices().setValue(i + 1, Surcharge, QStringLiteral("360")).ok());
            }
        }
    }

    // Prints the list on screen through a window whose default printer writes PDF.
    QString printShownList() {
        test_support::FakePrinters pdf({QStringLiteral("Ufficio")}, QStringLiteral("Ufficio"),
                                       out.path());
        invoices::Entrata printing(app::Services{data.store(), boxes, clock, navigator, pdf});
        navigator.go(window.get(), &printing);
        const EntryControlsByName shown(&printing);
        shown.XPButton3->click();
        shown.XPButton8->click();
        navigator.go(&printing, &menu);
        return pdf.jobFiles().value(0);
    }

    QTemporaryDir out;
};

bool overlap(const test_support::PdfWord& a, const test_support::PdfWord& b) {
    // A hair of slack: poppler's boxes of neighbouring words may touch.
    constexpr double kSlack = 0.2;
    return a.xMin + kSlack < b.xMax && b.xMin + kSlack < a.xMax && a.yMin + kSlack < b.yMax &&
           b.yMin + kSlack < a.yMax;
}

TEST_F(RegisterPrintout, ThreeHundredInvoicesFitTwentyPagesWithEveryDateAndAmountWhole) {
    writeRegister(300);
    const QString file = printShownList();
    ASSERT_FALSE(file.isEmpty());
    if (const QString keep = qEnvironmentVariable("BRISVEL_KEEP_PDF"); !keep.isEmpty())
        QFile::copy(file, QDir(keep).filePath(QStringLiteral("registro.pdf")));
    const auto pages = test_support::readPdfWords(file);
    ASSERT_FALSE(pages.empty());
    EXPECT_LE(pages.size(), 20u);

    // Every date and amount of the register, as often as the list holds it.
    static const QRegularExpression dateOrAmount(
        QStringLiteral(R"(^(\d\d/\d\d/\d{4}|\d{1,3}(\.\d{3})*,\d\d)$)"));
    std::map<QString, int> wanted;
    std::map<QString, int> printed;
    for (const auto& page : pages) {
        for (const auto& word : page.words)
            ++printed[word.text];
    }
    const store::Worksheet sheet = invoices();
    for (int row = 2; row <= 301; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            const QString text = sheet.text(row, column);
            if (dateOrAmount.match(text).hasMatch())
                ++wanted[text];
        }
    }
    ASSERT_GT(wanted.size(), 300u);
    for (const auto& [text, count] : wanted)
        EXPECT_EQ(printed[text], count) << text.toStdString();
    // Printed with their cents, the cells left as they are.
    ASSERT_EQ(sheet.text(11, Vat), QStringLiteral("18,2"));
    ASSERT_EQ(sheet.text(11, Surcharge), QStringLiteral("360"));
    EXPECT_EQ(printed[QStringLiteral("18,20")], 30);
    EXPECT_EQ(printed[QStringLiteral("360,00")], 30);
    EXPECT_EQ(printed[QStringLiteral("18,2")], 0);

    // No word on a page is printed over another, headings included.
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto& words = pages[p].words;
        EXPECT_TRUE(pages[p].has(QStringLiteral("Cliente")));
        EXPECT_TRUE(pages[p].has(QStringLiteral("N.Fatt.")));
        for (std::size_t a = 0; a < words.size(); ++a) {
            for (std::size_t b = a + 1; b < words.size(); ++b) {
                EXPECT_FALSE(overlap(words[a], words[b]))
                    << "page " << p + 1 << ": " << words[a].text.toStdString() << " over "
                    << words[b].text.toStdString();
            }
        }
    }
}

}  // namespace

namespace {

// The printed register tells a credit note from an invoice: "NC" beside its number,
// and nowhere else.
TEST_F(RegisterPrintout, ACreditNotesNumberIsPrintedWithNC) {
    registers::prepareInvoiceExtrasSheet(data.store());
    test_support::writeInvoice(
        invoices(), 2,
        {1, QStringLiteral("ROSSI SRL"), QStringLiteral("1"), QStringLiteral("41"),
         QStringLiteral("05/03/2024"), QStringLiteral("1.268,80"), QStringLiteral("1.015,04"),
         QStringLiteral("*")});
    test_support::writeInvoice(
        invoices(), 3,
        {2, QStringLiteral("ROSSI SRL"), QStringLiteral("1"), QStringLiteral("42"),
         QStringLiteral("06/03/2024"), QStringLiteral("-1.268,80"), QStringLiteral("-1.015,04"),
         QStringLiteral("06/03/2024")});
    registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
        .setCorrects("2", {"1", "41", QDate(2024, 3, 5)});
    const auto pages = test_support::readPdfWords(printShownList());
    ASSERT_EQ(pages.size(), 1u);
    QStringList words;
    for (const auto& word : pages[0].words)
        words << word.text;
    const int note = int(words.indexOf(QStringLiteral("42")));
    ASSERT_GE(note, 0);
    EXPECT_EQ(words.value(note + 1), "NC");
    EXPECT_EQ(words.count(QStringLiteral("NC")), 1);
}

}  // namespace
