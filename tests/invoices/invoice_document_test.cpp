#include "invoices/invoice_document.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "printing/font_measure.h"
#include "registers/user_data.h"
#include "store/address.h"
#include "store/engine.h"
#include "store/held_files.h"
#include "store/pagination.h"
#include "store/range.h"
#include "store/sheet_cells.h"
#include "store/store_lock.h"
#include "store/workbook.h"
#include "store/workbook_store.h"
#include "support/fake_printers.h"
#include "support/pdf_words.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"
#include "support/shots.h"
#include "xls/reader.h"
#include "xls/writer.h"

namespace {

registers::InvoiceFields filledInvoice() {
    registers::InvoiceFields f;
    f.clientName = QStringLiteral("STUDIO ROSSI SRL");
    f.address = QStringLiteral("VIA ROMA 1");
    f.postalCode = QStringLiteral("00185");
    f.town = QStringLiteral("ROMA");
    f.province = QStringLiteral("RM");
    f.taxCode = QStringLiteral("RSSMRA80A01H501U");
    f.vatNumber = QStringLiteral("01234567890");
    f.clientId = QStringLiteral("7");
    f.date = QStringLiteral("05/03/2024");
    f.number = QStringLiteral("12");
    f.description = QStringLiteral("Consulenza tecnica\nmarzo 2024");
    f.taxable = QStringLiteral("1.234,50");
    f.surchargeRate = QStringLiteral("4");
    f.surcharge = QStringLiteral("49,38");
    f.totalTaxable = QStringLiteral("1.283,88");
    f.vatRate = QStringLiteral("22");
    f.vat = QStringLiteral("282,45");
    f.exemption = QStringLiteral("*");
    f.exempt = QStringLiteral("0");
    f.total = QStringLiteral("1.566,33");
    f.withholdingRate = QStringLiteral("20");
    f.withholding = QStringLiteral("246,90");
    f.net = QStringLiteral("1.319,43");
    f.paidBy = QStringLiteral("Bonifico");
    f.due = QStringLiteral("04/04/2024");
    return f;
}

QByteArray digest(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class InvoiceDocumentTest : public testing::Test {
  protected:
    void SetUp() override {
        QFile out(formPath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(xls::writeWorkbook(registers::makeInvoiceTemplate(), out, QString()).ok());
    }

    QString formPath() const { return folder.filePath(QStringLiteral("Fattura.xls")); }

    QTemporaryDir folder;
    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::Services services{data.store(), boxes, clock, navigator, printers};
};

TEST_F(InvoiceDocumentTest, FillsTheFormsCellsAndTheLetterheadAndProtectsItAgain) {
    registers::UserData user;
    user[registers::UserName] = QStringLiteral("ING. MARIO BIANCHI");
    user[registers::UserIban] = QStringLiteral("IT60X0542811101000000123456");
    auto document = invoices::InvoiceDocument::fill(formPath(), filledInvoice(), user);
    ASSERT_TRUE(document.ok());
    const store::Worksheet form = (*document)->form();
    const std::pair<const char*, const char*> expected[] = {{"C11", "STUDIO ROSSI SRL"},
                                                            {"C13", "00185"},
                                                            {"E13", "ROMA"},
                                                            {"C14", "RSSMRA80A01H501U"},
                                                            {"F14", "01234567890"},
                                                            {"I12", "7"},
                                                            {"I13", "05/03/2024"},
                                                            {"I14", "12"},
                                                            {"I32", "1.234,50"},
                                                            {"H33", "4"},
                                                            {"I37", "1.566,33"},
                                                            {"H36", "*"},
                                                            {"I39", "1.319,43"},
                                                            {"B2", "ING. MARIO BIANCHI"},
                                                            {"C43", "IT60X0542811101000000123456"}};
    for (const auto& [cell, text] : expected)
        EXPECT_EQ(form.range(QString::fromLatin1(cell))->text(), QString::fromUtf8(text)) << cell;
    // The description keeps its line break.
    EXPECT_EQ(form.range(u"B20")->text(), QStringLiteral("Consulenza tecnica\nmarzo 2024"));
    EXPECT_TRUE(form.isProtected());
    EXPECT_EQ(form.scrollArea(), (xls::CellRect{0, 49, 0, 15}));
}

// The stamp duty on paper: its line when charged, the note where it is declared,
// and nothing written below the amounts otherwise.
TEST_F(InvoiceDocumentTest, TheStampDutyLineAndNoteAppearWhereTheyAreDue) {
    struct Row {
        const char* what;
        const char* totalTaxable;
        const char* vat;
        const char* exempt;
        bool charged;
        const char* label;
        const char* line;
        const char* note;
    };
    const char* note = "Imposta di bollo assolta in modo virtuale";
    const Row rows[] = {
        {"with VAT", "1.283,88", "282,45", "0", false, "", "", ""},
        {"flat rate, charged", "1.040,00", "0", "0", true, "Rimborso imposta di bollo", "2,00",
         note},
        {"flat rate, borne by the professional", "1.040,00", "0", "0", false, "", "", note},
        {"exempt amount above the threshold", "100,00", "22,00", "80,00", false, "", "", note},
        {"at the threshold", "77,47", "0", "0", false, "", "", ""},
    };
    for (const Row& row : rows) {
        registers::InvoiceFields f = filledInvoice();
        f.totalTaxable = row.totalTaxable;
        f.vat = row.vat;
        f.exempt = row.exempt;
        f.stampDutyCharged = row.charged;
        auto document = invoices::InvoiceDocument::fill(formPath(), f, {});
        ASSERT_TRUE(document.ok());
        const store::Worksheet form = (*document)->form();
        EXPECT_EQ(form.range(u"F40")->text(), row.label) << row.what;
        EXPECT_EQ(form.range(u"I40")->text(), row.line) << row.what;
        EXPECT_EQ(form.range(u"B41")->text(), row.note) << row.what;
    }
}

// A credit note is registered with its amounts negative; on paper it is titled as
// such, names the invoice it corrects and shows its amounts positive; its window
// says which of the two it shows.
TEST_F(InvoiceDocumentTest, ACreditNoteIsTitledAsSuchWithItsAmountsPositive) {
    struct Row {
        const char* what;
        bool creditNote;
        const char* sign;
        std::vector<std::pair<const char*, const char*>> cells;
        const char* windowTitle;
    };
    const Row rows[] = {
        {"an invoice",
         false,
         "",
         {{"H2", "FATTURA"},
          {"F2", ""},
          {"H14", "Fattura N."},
          {"B16", ""},
          {"I32", "1.234,50"},
          {"I37", "1.566,33"},
          {"F39", "Netto a pagare"},
          {"B44", "Pagamento"},
          {"C44", "Bonifico"},
          {"H44", "Scadenza"},
          {"I44", "04/04/2024"}},
         "Fattura - Brisvel"},
        {"a credit note",
         true,
         "-",
         {{"F2", "NOTA DI CREDITO"},
          {"H2", ""},
          {"H14", "Nota N."},
          {"B16", "a storno della fattura n. 7 del 15/02/2024"},
          {"I14", "12"},
          {"I32", "1.234,50"},
          {"I33", "49,38"},
          {"I35", "282,45"},
          {"I37", "1.566,33"},
          {"I38", "246,90"},
          {"F39", "Netto a vostro credito"},
          {"I39", "1.319,43"},
          {"C44", ""},
          {"I44", ""}},
         "Nota di credito - Brisvel"},
    };
    for (const Row& row : rows) {
        registers::InvoiceFields f = filledInvoice();
        for (QString* amount :
             {&f.taxable, &f.surcharge, &f.totalTaxable, &f.vat, &f.total, &f.withholding, &f.net})
            amount->prepend(QString::fromLatin1(row.sign));
        if (row.creditNote)
            f.corrects = registers::CorrectedInvoice{"3", "7", QDate(2024, 2, 15)};
        auto document = invoices::InvoiceDocument::fill(formPath(), f, {});
        ASSERT_TRUE(document.ok());
        const store::Worksheet form = (*document)->form();
        for (const auto& [cell, text] : row.cells)
            EXPECT_EQ(form.range(QString::fromLatin1(cell))->text(), QString::fromUtf8(text))
                << row.what << " " << cell;
        invoices::DocumentWindow window(std::move(*document), boxes, clock.today(),
                                        store::HeldFiles(data.store(), formPath()));
        EXPECT_EQ(window.windowTitle().toStdString(), row.windowTitle) << row.what;
    }

    registers::InvoiceFields note = filledInvoice();
    note.total = QStringLiteral("-1.566,33");
    note.corrects = registers::CorrectedInvoice{"3", "7", QDate(2024, 2, 15)};
    auto* window = invoices::showInvoiceDocument(services, folder.path(), note);
    ASSERT_NE(window, nullptr);
    const QString pdf = folder.filePath(QStringLiteral("nota.pdf"));
    ASSERT_TRUE(window->saveAsPdf(pdf).ok());
    const auto pages = test_support::readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    for (const char* word : {"NOTA", "CREDITO", "storno", "15/02/2024", "1.566,33"})
        EXPECT_TRUE(pages[0].has(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(pages[0].has(QStringLiteral("-1.566,33")));
    if (!test_support::shotsFolder().isEmpty()) {
        window->resize(900, 1000);
        test_support::settle(*window);
        test_support::saveWindowShot(*window, QStringLiteral("credit-note-document-window"));
    }
    window->close();
}

TEST(InvoiceTemplate, EveryLabelBesideAFieldFitsItsColumn) {
    // A label whose right neighbour receives a field cannot spill over it, on paper
    // nor on screen, where hinting widens small text by up to a tenth.
    const xls::Workbook form = registers::makeInvoiceTemplate();
    const xls::Sheet& sheet = form.sheets.front();
    const double zero = printing::zeroWidthPoints(form);
    for (const char* address :
         {"B11", "B12", "B13", "D13", "F13", "B14", "E14", "H12", "H13", "H14",
          "F32", "F33", "F34", "F35", "F36", "F37", "F38", "F39", "B44", "H44"}) {
        const auto cell = store::parseAddress(QString::fromLatin1(address));
        ASSERT_TRUE(cell) << address;
        const xls::Cell* label = store::findCell(sheet, cell->firstRow, cell->firstCol);
        ASSERT_TRUE(label && !label->text().isEmpty()) << address;
        const double room = store::columnWidthPoints(sheet, cell->firstCol, zero) - 2 * 2;
        EXPECT_LE(printing::textWidthPoints(label->text(), form.fontOf(form.xfs[label->xf])) * 1.1,
                  room)
            << address << " " << label->text().toStdString();
    }
}

TEST_F(InvoiceDocumentTest, AnEmptyWindowFillsEmptyTextsAndStillShowsTheForm) {
    const QByteArray before = digest(formPath());
    auto document = invoices::InvoiceDocument::fill(formPath(), {}, {});
    ASSERT_TRUE(document.ok());
    const store::Worksheet form = (*document)->form();
    for (const char* cell : {"C11", "B20", "I32", "H38", "I39"})
        EXPECT_TRUE(form.range(QString::fromLatin1(cell))->text().isEmpty()) << cell;
    EXPECT_EQ(form.range(u"F32")->text(), QStringLiteral("Imponibile"));
    invoices::DocumentWindow window(std::move(*document), boxes, clock.today(),
                                    store::HeldFiles(data.store(), formPath()));
    EXPECT_EQ(window.pageCount(), 1);
    EXPECT_EQ(digest(formPath()), before);
}

TEST_F(InvoiceDocumentTest, MissingFormIsMadeAgainSaidOnceAndTheDocumentShows) {
    QFile::remove(formPath());
    boxes.expect({QStringLiteral("Il modello della fattura %1 non si trovava: è stato creato di "
                                 "nuovo con il modello del programma.")
                      .arg(formPath()),
                  QStringLiteral("Brisvel"), app::Icon::Information, app::Buttons::Ok});
    auto* first = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    auto made = xls::readWorkbookFile(formPath(), QString());
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made->sheets.size(), registers::makeInvoiceTemplate().sheets.size());
    // The form made is the one used from now on: nothing more is said.
    auto* second = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(boxes.prompts().size(), 1u);
    first->close();
    second->close();
}

TEST_F(InvoiceDocumentTest, MissingFormThatCannotBeMadeIsSaidAndNothingShows) {
    // A "folder" that is a file: nothing can be written inside it, even by root.
    const QString notAFolder = folder.filePath(QStringLiteral("non-una-cartella"));
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = QDir(notAFolder).filePath(QStringLiteral("Fattura.xls"));
    const auto refused = registers::writeInvoiceTemplate(path);
    ASSERT_FALSE(refused.ok());
    boxes.expect({QStringLiteral("Il modello della fattura %1 non si trova e non si può creare "
                                 "(%2): la fattura non può essere visualizzata.")
                      .arg(path, refused.error().message),
                  QStringLiteral("Brisvel"), app::Icon::Critical, app::Buttons::Ok});
    EXPECT_EQ(invoices::showInvoiceDocument(services, notAFolder, filledInvoice()), nullptr);
}

TEST_F(InvoiceDocumentTest, UnreadableFormIsSaid) {
    QFile bad(formPath());
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("non è una cartella di lavoro");
    bad.close();
    auto document = invoices::InvoiceDocument::fill(formPath(), filledInvoice(), {});
    ASSERT_FALSE(document.ok());
    EXPECT_TRUE(document.error().message.contains(QStringLiteral("non si può leggere")));
}

// A letterhead cell of the form, the user's data for it, and what the document shows.
struct LetterheadRow {
    const char* cell;
    const char* formText;  // the form's own text in the cell
    const char* userText;
    const char* shown;
};

class Letterhead : public InvoiceDocumentTest, public testing::WithParamInterface<LetterheadRow> {};

TEST_P(Letterhead, TheUsersDataGoOnlyIntoEmptyLetterheadCells) {
    const LetterheadRow row = GetParam();
    xls::Workbook form = registers::makeInvoiceTemplate();
    {
        store::Engine engine;
        store::Workbook& book = engine.adopt(std::move(form), formPath(), QString());
        auto cell = book.activeSheet().range(QString::fromLatin1(row.cell));
        ASSERT_TRUE(cell.ok());
        cell->setValue(QString::fromUtf8(row.formText));
        ASSERT_TRUE(book.save().ok());
    }
    registers::UserData user;
    user[registers::UserName] = QString::fromUtf8(row.userText);
    user[registers::UserIban] = QString::fromUtf8(row.userText);
    auto document = invoices::InvoiceDocument::fill(formPath(), filledInvoice(), user);
    ASSERT_TRUE(document.ok());
    EXPECT_EQ((*document)->form().range(QString::fromLatin1(row.cell))->text(),
              QString::fromUtf8(row.shown));
}

INSTANTIATE_TEST_SUITE_P(
    InvoiceDocument, Letterhead,
    testing::Values(LetterheadRow{"B2", "", "ING. MARIO BIANCHI", "ING. MARIO BIANCHI"},
                    LetterheadRow{"B2", "STUDIO VERDI", "ING. MARIO BIANCHI", "STUDIO VERDI"},
                    LetterheadRow{"B2", "STUDIO VERDI", "", "STUDIO VERDI"},
                    LetterheadRow{"B2", "", "", ""},
                    LetterheadRow{"C43", "IT02L1234512345123456789012", "IT60X054281110100000012",
                                  "IT02L1234512345123456789012"}));

TEST_F(InvoiceDocumentTest, SavedPdfShowsTheInvoiceAndTheXlsCopyHasNoPassword) {
    const QByteArray before = digest(formPath());
    auto* window = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    ASSERT_NE(window, nullptr);
    const QString pdf = folder.filePath(QStringLiteral("fattura.pdf"));
    ASSERT_TRUE(window->saveAsPdf(pdf).ok());
    if (const QString keep = qEnvironmentVariable("BRISVEL_KEEP_PDF"); !keep.isEmpty())
        QFile::copy(pdf, QDir(keep).filePath(QStringLiteral("fattura.pdf")));
    const auto pages = test_support::readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    for (const char* word : {"STUDIO", "1.234,50", "1.319,43", "Consulenza", "marzo", "FATTURA",
                             "Pagamento", "Bonifico", "Scadenza", "04/04/2024"})
        EXPECT_TRUE(pages[0].has(QString::fromUtf8(word))) << word;

    if (!test_support::shotsFolder().isEmpty()) {
        window->resize(900, 1000);
        test_support::settle(*window);
        test_support::saveWindowShot(*window, QStringLiteral("invoice-document-window"));
    }
    const QString copy = folder.filePath(QStringLiteral("copia.xls"));
    ASSERT_TRUE(window->saveAsXls(copy).ok());
    auto read = xls::readWorkbookFile(copy, QString());
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(digest(formPath()), before);
    window->close();
}

TEST_F(InvoiceDocumentTest, SeveralDocumentsAtOnce) {
    auto* first = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    auto* second = invoices::showInvoiceDocument(services, folder.path(), {});
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    first->close();
    second->close();
}

QString heldRefusal(const QString& path, const char* what) {
    return QStringLiteral(
               "Il file %1 è %2: la fattura non vi può essere salvata, e nulla è "
               "stato scritto.\nScegliere un altro nome o un'altra cartella.")
        .arg(QDir::toNativeSeparators(path), QString::fromUtf8(what));
}

// A file the program holds, however its path is spelt, is never written over by
// "Salva come .xls"; the store (in its own folder) and the form stay as they were.
struct HeldTarget {
    const char* what;
    // The path chosen, from the store's folder and the form's folder.
    std::function<QString(const QString& storeFolder, const QString& formFolder)> chosen;
    const char* heldAs;
};

class SavingOverAHeldFile : public InvoiceDocumentTest,
                            public testing::WithParamInterface<HeldTarget> {};

TEST_P(SavingOverAHeldFile, IsRefusedAndWritesNothing) {
    const HeldTarget& t = GetParam();
    ASSERT_TRUE(data.store().backUp().ok());
    const QString target = t.chosen(data.folder(), folder.path());
    const QByteArray storeBefore = digest(data.path());
    const QByteArray formBefore = digest(formPath());
    const QByteArray backupBefore = digest(data.store().backupPath());
    auto* window = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    ASSERT_NE(window, nullptr);

    const auto saved = window->saveAsXls(target);
    ASSERT_FALSE(saved.ok()) << t.what;
    EXPECT_EQ(saved.error().kind, store::Error::Kind::Refused) << t.what;
    EXPECT_EQ(saved.error().message, heldRefusal(target, t.heldAs)) << t.what;
    EXPECT_EQ(digest(data.path()), storeBefore) << t.what;
    EXPECT_EQ(digest(formPath()), formBefore) << t.what;
    EXPECT_EQ(digest(data.store().backupPath()), backupBefore) << t.what;
    window->close();
}

INSTANTIATE_TEST_SUITE_P(
    InvoiceDocument, SavingOverAHeldFile,
    testing::Values(HeldTarget{"the store",
                               [](const QString& store, const QString&) {
                                   return QDir(store).filePath(QStringLiteral("Gestione.xls"));
                               },
                               "l'archivio Gestione.xls"},
                    HeldTarget{"the store through a detour",
                               [](const QString& store, const QString&) {
                                   QDir(store).mkdir(QStringLiteral("altro"));
                                   return store + QStringLiteral("/altro/../Gestione.xls");
                               },
                               "l'archivio Gestione.xls"},
                    HeldTarget{"the store through a link",
                               [](const QString& store, const QString& form) {
                                   const QString link =
                                       QDir(form).filePath(QStringLiteral("collegamento.xls"));
                                   QFile::link(QDir(store).filePath(QStringLiteral("Gestione.xls")),
                                               link);
                                   return link;
                               },
                               "l'archivio Gestione.xls"},
                    HeldTarget{"the store's lock file",
                               [](const QString& store, const QString&) {
                                   return store::StoreLock::lockPathFor(
                                       QDir(store).filePath(QStringLiteral("Gestione.xls")));
                               },
                               "il file di blocco dell'archivio"},
                    HeldTarget{"the backup copy",
                               [](const QString& store, const QString&) {
                                   return store + QStringLiteral("/Salvataggio/Gestione.xls");
                               },
                               "la copia di salvataggio dell'archivio"},
                    HeldTarget{"the form",
                               [](const QString&, const QString& form) {
                                   return QDir(form).filePath(QStringLiteral("Fattura.xls"));
                               },
                               "il modello della fattura"}),
    [](const testing::TestParamInfo<HeldTarget>& info) { return std::to_string(info.index); });

TEST_F(InvoiceDocumentTest, SalvaComeXlsNamingTheStoreWithoutItsEndingSaysWhyAndWritesNothing) {
    const QByteArray storeBefore = digest(data.path());
    auto* window = invoices::showInvoiceDocument(services, folder.path(), filledInvoice());
    ASSERT_NE(window, nullptr);
    const QString chosen = QDir(data.folder()).filePath(QStringLiteral("Gestione"));
    boxes
        .expectSaveFile({QStringLiteral("Salva la fattura come .xls"), QDir::homePath(),
                         QStringLiteral("Excel (*.xls)")},
                        chosen)
        // The file is there: replacing it is asked first, and refused after.
        .expect(
            {QStringLiteral("Il file %1.xls esiste già.\nVuoi sostituirlo?")
                 .arg(QDir::toNativeSeparators(chosen)),
             QStringLiteral("Salva la fattura come .xls"), app::Icon::Warning, app::Buttons::YesNo},
            app::Answer::Yes)
        .expect({heldRefusal(chosen + QStringLiteral(".xls"), "l'archivio Gestione.xls"),
                 QStringLiteral("Brisvel"), app::Icon::Warning, app::Buttons::Ok});
    window->xlsButton->click();
    EXPECT_EQ(digest(data.path()), storeBefore);
    window->close();
}

}  // namespace
