// The reminder letter stays on one page: a long table shrinks its text, and what
// still does not fit is summed up in one line, the total staying the whole one.
#include "printing/letter_printing.h"

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/pdf_words.h"

namespace {

registers::ReminderLetter letterWith(int rows) {
    registers::ReminderLetter letter;
    letter.letterhead = {"STUDIO BIANCHI LUIGI", "VIA ROMA 1"};
    letter.recipient = {"Spett.le", "ROSSI SRL"};
    letter.placeAndDate = "MILANO, 15/04/2024";
    letter.subject = "Sollecito di pagamento";
    letter.greeting = "Gentile Cliente,";
    letter.opening = "dalle nostre registrazioni le fatture seguenti risultano scadute:";
    letter.columns = {"Documento", "Data", "Scadenza", "Giorni di ritardo", "Importo"};
    for (int i = 1; i <= rows; ++i)
        letter.rows.push_back({QStringLiteral("Fattura n. %1").arg(i), "05/01/2024", "05/01/2024",
                               "101", "1.000,00"});
    letter.total = "Totale da pagare: TOTALEINTERO €";
    letter.closing = {"Distinti saluti."};
    letter.signature = "STUDIO BIANCHI LUIGI";
    return letter;
}

TEST(ReminderLetterPage, ALongTableStaysOnOnePageWithItsWholeTotal) {
    struct Row {
        int rows;
        bool everyRowDrawn;
    };
    for (const Row row : {Row{1, true}, Row{20, true}, Row{150, false}}) {
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString path = folder.filePath("lettera.pdf");
        printer.setOutputFileName(path);
        const auto drawn = printing::printReminderLetter(letterWith(row.rows), printer);
        ASSERT_TRUE(drawn.ok()) << row.rows;
        EXPECT_EQ(*drawn == row.rows, row.everyRowDrawn) << row.rows;
        EXPECT_GT(*drawn, 0) << row.rows;
        const auto pages = test_support::readPdfWords(path);
        ASSERT_EQ(pages.size(), 1u) << row.rows;
        EXPECT_TRUE(pages[0].has("TOTALEINTERO")) << row.rows;
        EXPECT_TRUE(pages[0].has("saluti.")) << row.rows;
        EXPECT_EQ(pages[0].has("compresi"), !row.everyRowDrawn) << row.rows;
        EXPECT_EQ(pages[0].has(QStringLiteral("%1").arg(row.rows)), row.everyRowDrawn)
            << "the last row, when drawn";
    }
}

TEST(ReminderLetterPage, ALongDocumentNameIsPrintedWhole) {
    registers::ReminderLetter letter = letterWith(1);
    letter.rows.push_back(
        {"Nota di credito n. 303 (storno fattura n. 3123)", "10/03/2024", "", "", "-204,00"});
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(folder.filePath("lettera.pdf"));
    ASSERT_TRUE(printing::printReminderLetter(letter, printer).ok());
    const auto pages = test_support::readPdfWords(folder.filePath("lettera.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].has("3123)")) << "the corrected invoice's number, whole";
    EXPECT_TRUE(pages[0].has("-204,00"));
}

TEST(ReminderLetterPage, AFileThatCannotBeWrittenIsSaid) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nessuna-cartella/lettera.pdf");
    const auto drawn = printing::printReminderLetter(letterWith(1), printer);
    ASSERT_FALSE(drawn.ok());
    EXPECT_TRUE(drawn.error().message.startsWith("Impossibile scrivere il file PDF"));
}

}  // namespace
