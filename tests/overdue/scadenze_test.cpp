// "Scadenze": the list with its due dates, days late and totals as the user reads
// them; chosen invoices marked collected, with what refuses the step; the reminder
// printed, saved as PDF and handed to the mail program.
#include "scadenze_window.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QUrlQuery>

#include "registers/entered_values.h"
#include "registers/invoice_register.h"
#include "store/range.h"
#include "support/pdf_words.h"
#include "support/shots.h"

namespace {

using namespace overdue_test;
namespace col = registers::invoice;

app::Message message(const QString& text, const QString& title, app::Icon icon,
                     app::Buttons buttons = app::Buttons::Ok) {
    return {text, title, icon, buttons};
}

class Scadenze : public ScadenzeTest {
  protected:
    Scadenze() {
        clients();
        invoices();
        open();
    }

    // The collection column of register rows 2 to 8 as the sheet in memory shows it.
    QStringList collections() {
        const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
        QStringList out;
        for (int row = 2; row <= 8; ++row)
            out << sheet.text(row, col::Collection);
        return out;
    }
    const QStringList kUntouched = {"*", "20/02/2024", "*", "*", "*", "*", "*"};
};

TEST_F(Scadenze, TheListShowsEachInvoiceDueAndLateWithItsCreditNoteUnderIt) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(menu.isVisible());
    ASSERT_EQ(lines(), 5);
    const QStringList expected[] = {
        {"5", "VERDI COSTRUZIONI SRL", "5", "05/04/2024", "05/05/2024", "", "610,00", "510,00"},
        {"6", "STUDIO NERI", "6", "10/04/2024", "10/04/2024", "5", "300,00", "300,00"},
        {"3", "ROSSI & FIGLI SRL", "3", "31/03/2024", "31/03/2024", "15", "2.440,00", "2.040,00"},
        {"4", "    Nota di credito (storno fatt. n. 3)", "4", "05/04/2024", "", "", "-244,00",
         "-204,00"},
        {"1", "ROSSI & FIGLI SRL", "1", "05/01/2024", "05/01/2024", "101", "1.220,00", "1.020,00"},
    };
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(line(row), expected[row]) << row;
    EXPECT_EQ(totals(), "Scaduto: 3.156,00 (3 fatture)     Non ancora scaduto: 510,00 (1 fattura)");
    const QLabel* leftOut = find<QLabel>("Escluse");
    EXPECT_TRUE(leftOut->isVisible());
    EXPECT_EQ(leftOut->text(),
              "Escluse dall'elenco e dai totali: 1 fattura con la data non "
              "leggibile. Correggerle nel registro delle fatture.");
    EXPECT_EQ(dateField()->text(), "15/04/2024") << "today is proposed";
}

TEST_F(Scadenze, ChosenInvoicesAreCollectedWithTheirCreditNotesAndSaved) {
    choose({"4"});
    EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 2) << "the note chooses its invoice";
    EXPECT_TRUE(list()->selectionModel()->isRowSelected(rowOf("3"), {}));
    boxes.expect(message("Registrare l'incasso del 15/04/2024 per:\n\n"
                         "fattura n. 3 del 31/03/2024, ROSSI & FIGLI SRL: 2.040,00\n"
                         "nota di credito n. 4 del 05/04/2024, ROSSI & FIGLI SRL: -204,00?",
                         "Gestione", app::Icon::Question, app::Buttons::YesNo),
                 app::Answer::Yes);
    boxes.expect(message("Incasso del 15/04/2024 registrato: 2 documenti.", "Gestione",
                         app::Icon::Information));
    click("SegnaIncassate");
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(rowOf("3"), -1);
    EXPECT_EQ(totals(), "Scaduto: 1.320,00 (2 fatture)     Non ancora scaduto: 510,00 (1 fattura)");

    const store::Worksheet file = saved();
    const QStringList expected = {"*", "20/02/2024", "15/04/2024", "15/04/2024", "*", "*", "*"};
    for (int row = 2; row <= 8; ++row)
        EXPECT_EQ(file.text(row, col::Collection), expected[row - 2]) << row;
    EXPECT_TRUE(file.value(4, col::Collection).isNumber()) << "a date, as a modification writes";
}

TEST_F(Scadenze, SeveralInvoicesOnADateTypedOrPicked) {
    choose({"1", "6"});
    dateField()->setText("12/4/2024");
    boxes.expect(message("Registrare l'incasso del 12/04/2024 per:\n\n"
                         "fattura n. 6 del 10/04/2024, STUDIO NERI: 300,00\n"
                         "fattura n. 1 del 05/01/2024, ROSSI & FIGLI SRL: 1.020,00?",
                         "Gestione", app::Icon::Question, app::Buttons::YesNo),
                 app::Answer::Yes);
    boxes.expect(message("Incasso del 12/04/2024 registrato: 2 documenti.", "Gestione",
                         app::Icon::Information));
    click("SegnaIncassate");
    EXPECT_EQ(collections(),
              QStringList({"12/04/2024", "20/02/2024", "*", "*", "*", "12/04/2024", "*"}));

    // The calendar writes the day picked into the field.
    QTest::mouseClick(find<QCheckBox>("CalendarioIncasso"), Qt::LeftButton);
    auto* calendar = find<QCalendarWidget>("Calendario");
    EXPECT_TRUE(calendar->isVisible());
    emit calendar->clicked(QDate(2024, 4, 13));
    EXPECT_EQ(dateField()->text(), "13/04/2024");
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(Scadenze, WhatRefusesTheCollectionWritesNothing) {
    struct Row {
        const char* what;
        std::vector<const char*> chosen;
        QString date;
        QString refusal;
    };
    const Row rows[] = {
        {"nothing chosen", {}, "15/04/2024", "Scegliere nell'elenco le fatture incassate."},
        {"no date", {"1"}, "", "Scrivere la data dell'incasso."},
        {"not a calendar day",
         {"1"},
         "31/04/2024",
         *registers::dateRefusal("Data incasso", "31/04/2024")},
        {"before the credit note's date",
         {"3"},
         "01/04/2024",
         "La data dell'incasso 01/04/2024 precede la data della nota di credito n. 4 del "
         "05/04/2024: scrivere la data in cui è stata incassata."},
    };
    for (const Row& row : rows) {
        list()->clearSelection();
        for (const char* id : row.chosen)
            choose({id});
        dateField()->setText(row.date);
        boxes.expect(message(row.refusal, "Gestione", app::Icon::Warning));
        click("SegnaIncassate");
        EXPECT_EQ(boxes.failures(), 0) << row.what;
        EXPECT_EQ(collections(), kUntouched) << row.what;
        EXPECT_EQ(lines(), 5) << row.what;
    }
}

TEST_F(Scadenze, ACollectionAfterTodayIsAskedFirst) {
    choose({"6"});
    dateField()->setText("16/4/2024");
    const app::Message asked = message(*registers::futureCollectionQuestion("16/4/2024", kToday),
                                       "Gestione", app::Icon::Question, app::Buttons::YesNo);
    boxes.expect(asked, app::Answer::No);
    click("SegnaIncassate");
    EXPECT_EQ(collections(), kUntouched);
    boxes.expect(asked, app::Answer::Yes)
        .expect(message("Registrare l'incasso del 16/04/2024 per:\n\n"
                        "fattura n. 6 del 10/04/2024, STUDIO NERI: 300,00?",
                        "Gestione", app::Icon::Question, app::Buttons::YesNo),
                app::Answer::Yes)
        .expect(message("Incasso del 16/04/2024 registrato: 1 documento.", "Gestione",
                        app::Icon::Information));
    click("SegnaIncassate");
    EXPECT_EQ(collections(), QStringList({"*", "20/02/2024", "*", "*", "*", "16/04/2024", "*"}));
}

TEST_F(Scadenze, AnsweringNoWritesNothing) {
    choose({"6"});
    boxes.expect(message("Registrare l'incasso del 15/04/2024 per:\n\n"
                         "fattura n. 6 del 10/04/2024, STUDIO NERI: 300,00?",
                         "Gestione", app::Icon::Question, app::Buttons::YesNo),
                 app::Answer::No);
    click("SegnaIncassate");
    EXPECT_EQ(collections(), kUntouched);
    EXPECT_EQ(lines(), 5);
}

TEST_F(Scadenze, TheReminderMailCarriesTheClientsLateInvoicesOnly) {
    choose({"1"});
    click("SollecitoEmail");
    ASSERT_EQ(opened.size(), 1);
    const QUrl url = opened.first();
    EXPECT_TRUE(url.toEncoded().startsWith(
        "mailto:amministrazione@rossi.it?subject=Sollecito%20di%20pagamento&body="));
    const QString body = QUrlQuery(url).queryItemValue("body", QUrl::FullyDecoded);
    const QStringList lines = body.split("\r\n");
    for (const char* expected :
         {"Fattura n. 3 del 31/03/2024, scaduta il 31/03/2024 (15 giorni di ritardo): 2.040,00 €",
          "Nota di credito n. 4 (storno fattura n. 3) del 05/04/2024: -204,00 €",
          "Fattura n. 1 del 05/01/2024, scaduta il 05/01/2024 (101 giorni di ritardo): 1.020,00 €",
          "Totale da pagare: 2.856,00 €", "STUDIO BIANCHI LUIGI"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(body.contains("Fattura n. 5")) << "another client's";
    EXPECT_FALSE(body.contains("Fattura n. 6")) << "another client's";
}

TEST_F(Scadenze, AReminderThatCannotGoSaysWhy) {
    struct Row {
        const char* what;
        const char* chosen;
        bool mailProgram;
        app::Message said;
    };
    const Row rows[] = {
        {"nothing chosen", nullptr, true,
         message("Scegliere nell'elenco una fattura del cliente da sollecitare.", "Gestione",
                 app::Icon::Warning)},
        {"nothing late", "5", true,
         message("VERDI COSTRUZIONI SRL non ha fatture scadute da sollecitare.", "Gestione",
                 app::Icon::Information)},
        {"no address", "6", true,
         message("STUDIO NERI non ha un indirizzo e-mail in anagrafe: il sollecito non può "
                 "essere inviato per e-mail.\nScriverlo in Gestione Clienti, oppure stampare il "
                 "sollecito.",
                 "Gestione", app::Icon::Warning)},
        {"no mail program", "1", false,
         message("Nessun programma di posta ha aperto il sollecito: controllare il programma di "
                 "posta predefinito del sistema.",
                 "Brisvel", app::Icon::Critical)},
    };
    for (const Row& row : rows) {
        list()->setCurrentIndex({});
        if (row.chosen)
            choose({row.chosen});
        mailProgram = row.mailProgram;
        boxes.expect(row.said);
        click("SollecitoEmail");
        EXPECT_EQ(boxes.failures(), 0) << row.what;
    }
    EXPECT_EQ(opened.size(), 1) << "only the one with an address and late invoices";
}

TEST_F(Scadenze, NoReminderWhenCreditNotesLeaveNothingOwed) {
    // A credit note of invoice 2, which was collected: the client is owed 50,00.
    test_support::writeInvoice(
        data.sheet(store::kInvoicesSheet), 9,
        {8, "VERDI COSTRUZIONI SRL", "9", "8", "01/03/2024", "-50,00", "-50,00", "*"});
    registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
        .setCorrects("8", {"2", "2", QDate(2024, 1, 10)});
    window.activate();
    choose({"8"});
    boxes.expect(message("VERDI COSTRUZIONI SRL non ha fatture scadute da sollecitare.", "Gestione",
                         app::Icon::Information));
    click("SollecitoEmail");
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(totals(), "Scaduto: 3.106,00 (4 fatture)     Non ancora scaduto: 510,00 (1 fattura)");
}

TEST_F(Scadenze, TheReminderLetterIsOnePageOnTheLetterhead) {
    QTemporaryDir folder;
    const QString path = folder.filePath("sollecito rossi");
    choose({"3"});
    boxes.expectSaveFile({"Salva il sollecito in PDF", QDir::homePath(), "PDF (*.pdf)"}, path);
    boxes.expect(message("Il sollecito è stato salvato in " + path + ".pdf.", "Brisvel",
                         app::Icon::Information));
    click("SollecitoPdf");
    EXPECT_EQ(boxes.failures(), 0);
    if (const QString shots = test_support::shotsFolder(); !shots.isEmpty()) {
        const QString copy = QDir(shots).filePath("overdue-reminder.pdf");
        QFile::remove(copy);
        QFile::copy(path + ".pdf", copy);
    }
    const auto pages = test_support::readPdfWords(path + ".pdf");
    ASSERT_EQ(pages.size(), 1u);
    for (const char* word : {"STUDIO", "BIANCHI", "Sollecito", "ROSSI", "Spett.le", "2.040,00",
                             "-204,00", "1.020,00", "2.856,00", "IT60X0542811101000000123456."})
        EXPECT_TRUE(pages[0].has(QString::fromUtf8(word))) << word;
    for (const char* word : {"510,00", "300,00", "NERI"})
        EXPECT_FALSE(pages[0].has(QString::fromUtf8(word))) << word;

    // Printed, it goes to the default printer.
    click("StampaSollecito");
    ASSERT_EQ(printers.jobFiles().size(), 1);
    const auto printed = test_support::readPdfWords(printers.jobFiles().first());
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].has("2.856,00"));
}

TEST_F(Scadenze, EscGoesBackToTheMenuAndAComingBackReadsTheRegisterAgain) {
    click("Esci");
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(registers::InvoiceRegister(data.sheet(store::kInvoicesSheet))
                    .setCollection("5", "14/04/2024")
                    .ok());
    // Edited in a spreadsheet program: invoice 6's cell emptied, invoice 1's a word.
    const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
    ASSERT_TRUE(sheet.setValue(7, col::Collection, QString()).ok());
    ASSERT_TRUE(sheet.setValue(2, col::Collection, QStringLiteral("ieri")).ok());
    clock.set(QDateTime(QDate(2024, 4, 20), QTime(8, 0)));
    open();
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(line(0)[5], "10") << "client 11's invoice, ten days late now";
    EXPECT_EQ(find<QLabel>("Escluse")->text(),
              "Escluse dall'elenco e dai totali: 1 fattura con la data non leggibile, 1 data di "
              "incasso illeggibile (fattura n. 1 del 05/01/2024). Correggerle nel registro delle "
              "fatture.");
    EXPECT_EQ(dateField()->text(), "20/04/2024");
}

}  // namespace
