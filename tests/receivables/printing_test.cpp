// "Stampa": the list on screen printed on the default printer with its title,
// heading and totals, read back from the PDF by a program we did not write.
#include "incassi_window.h"

#include <QDir>

#include "registers/invoice_extras.h"
#include "store/workbook_store.h"
#include "support/pdf_words.h"

namespace {

using namespace receivables_test;

class Printing : public IncassiTest {
  protected:
    Printing() {
        clients({{7, "ROSSI"}});
        invoices({{1, "ROSSI SRL", "7", "11", "05/03/2024", "1.268,80", "1.015,04", "*"},
                  {2, "ROSSI SRL", "7", "12", "06/03/2024", "2.000,10", "1.600,08", "*"}});
    }
    // Every word of every printed page.
    QStringList printedWords() {
        QStringList words;
        if (printers.jobFiles().size() != 1) {
            ADD_FAILURE() << "jobs printed: " << printers.jobFiles().size();
            return words;
        }
        for (const auto& page : test_support::readPdfWords(printers.jobFiles().first()))
            for (const auto& word : page.words)
                words << word.text;
        return words;
    }
};

TEST_F(Printing, TheListPrintsWithItsTitleTimeAndTotals) {
    openCollections();
    QTest::mouseClick(window.Check1, Qt::LeftButton);
    ASSERT_TRUE(window.XPButton2->isEnabled());
    QTest::mouseClick(window.XPButton2, Qt::LeftButton);
    const QStringList words = printedWords();
    for (const char* word :
         {"GESTIONE", "INCASSI", "05/03/2024", "09:07:30", "Brisvel", "CLIENTE", "1.268,80",
          "2.000,10", "TOTALE:", "2", "fatture", "3.268,90", "2.615,12"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(word))) << word;
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(Printing, TheClientPositionPrintsItsCollectionMark) {
    openClientPosition();
    choose(1);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    QTest::mouseClick(window.XPButton2, Qt::LeftButton);
    const QStringList words = printedWords();
    EXPECT_TRUE(words.contains(QStringLiteral("INCASSATO")));
    EXPECT_TRUE(words.contains(QStringLiteral("*")));
    EXPECT_TRUE(words.contains(QStringLiteral("3.268,90")));
}

// A credit note of invoice 11, kept beside the register: on screen and on paper its
// number reads "13 NC" and its negative total counts against the others.
TEST_F(Printing, ACreditNoteIsMarkedAndCountedAgainstTheTotals) {
    invoices({{1, "ROSSI SRL", "7", "11", "05/03/2024", "1.268,80", "1.015,04", "*"},
              {2, "ROSSI SRL", "7", "12", "06/03/2024", "2.000,10", "1.600,08", "*"},
              {3, "ROSSI SRL", "7", "13", "07/03/2024", "-268,81", "-215,04", "*"}});
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
        .setCorrects("3", {"1", "11", QDate(2024, 3, 5)});
    openCollections();
    QTest::mouseClick(window.Check1, Qt::LeftButton);
    ASSERT_EQ(lines(), 3);
    const std::pair<int, const char*> numbers[] = {{0, "11"}, {1, "12"}, {2, "13 NC"}};
    for (const auto& [row, number] : numbers)
        EXPECT_EQ(line(row)[2], QString::fromLatin1(number)) << row;
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("3 fatture     TOTALE FT: 3.000,09     NETTO FT: 2.400,08"));
    QTest::mouseClick(window.XPButton2, Qt::LeftButton);
    const QStringList words = printedWords();
    for (const char* word : {"13", "NC", "-268,81", "3.000,09", "2.400,08"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(word))) << word;
}

TEST_F(Printing, WithNoPrinterAtAllTheListMayGoToAPdfFile) {
    test_support::FakePrinters none{{}, QString(), printouts.path()};
    receivables::Incassi alone{app::Services{data.store(), boxes, clock, navigator, none}};
    navigator.go(nullptr, &alone);
    alone.enterCollections();
    QTest::mouseClick(alone.Check1, Qt::LeftButton);
    const QString pdf = printouts.filePath(QStringLiteral("incassi.pdf"));
    boxes
        .expect({QStringLiteral("Nel sistema non è installata alcuna stampante.\n"
                                "Vuoi salvare la stampa in un file PDF?"),
                 QStringLiteral("Brisvel"), app::Icon::Question, app::Buttons::YesNo},
                app::Answer::Yes)
        .expectSaveFile({QStringLiteral("Salva la stampa in PDF"), QDir::homePath(),
                         QStringLiteral("PDF (*.pdf)")},
                        pdf);
    QTest::mouseClick(alone.XPButton2, Qt::LeftButton);
    EXPECT_EQ(boxes.failures(), 0);
    const auto pages = test_support::readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].has(QStringLiteral("3.268,90")));
}

}  // namespace
