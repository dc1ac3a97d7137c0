#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "printers/printer_window_opener.h"
#include "printers/stampa_p.h"
#include "registers/client_sheet.h"
#include "store/address.h"
#include "store/workbook_store.h"
#include "support/fake_printers.h"
#include "support/pdf_words.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"
#include "support/shots.h"

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;

constexpr int kAU = store::columnOf("AU");
constexpr int kAV = store::columnOf("AV");

const app::InputRequest kZoomBox{
    QStringLiteral(
        "Digita la percentuale di Zoom della Stampa 50-60-70-80-90-100.................."),
    QStringLiteral("Gestione "), QStringLiteral("70")};
const app::Message kOrientation{
    QStringLiteral(
        " Vuoi la Stampa Verticale ?........................................................."),
    QStringLiteral("Brisvel"), Icon::None, Buttons::YesNo};

app::Message pageQuestion(int page, int pages) {
    return {QStringLiteral("Vuoi Procedere alla stampa   ?  Pagine     %1    di    %2")
                .arg(page)
                .arg(pages),
            QStringLiteral("Stampa Risultato "), Icon::None, Buttons::YesNo};
}

class ClientPrintout : public testing::Test {
  protected:
    void SetUp() override {
        navigator.setMainMenu(&caller);
        navigator.go(nullptr, &caller);
    }

    store::Worksheet clients() { return data.sheet(QStringLiteral("Anagrafe")); }

    void addClients(int count) {
        registers::ClientSheet sheet(clients());
        for (int i = 1; i <= count; ++i) {
            registers::ClientRecord client;
            client[registers::client::Name] = QStringLiteral("CLIENTE %1").arg(i);
            client[registers::client::Town] = QStringLiteral("ROMA");
            ASSERT_TRUE(sheet.add(client).ok());
        }
    }

    // Opens the printer window for `printout`, picks `printer` and presses "Stampa".
    printers::StampaP* openAndPrint(app::Printout printout, const QString& printer) {
        opener.open(&caller, printout);
        printers::StampaP* window = opener.window();
        if (!printer.isEmpty()) {
            window->Combo1->setCurrentText(printer);
        }
        window->XPButton2->click();
        return window;
    }

    QTemporaryDir out;
    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{
        {QStringLiteral("Ufficio"), QStringLiteral("Laser"), QStringLiteral("Colori")},
        QStringLiteral("Laser"),
        out.path()};
    app::Services services{data.store(), boxes, clock, navigator, printers};
    app::AreaWindow caller;
    printers::PrinterWindowOpener opener{services};
};

// With no default printer, or none at all, the window says so instead of naming nothing.
TEST_F(ClientPrintout, TheDefaultPrinterLineSaysWhenThereIsNone) {
    const struct {
        QStringList names;
        const char* defaultName;
        const char* shown;
    } cases[] = {
        {{"Laser"}, "Laser", "Laser"},
        {{"Laser", "Colori"}, "", "nessuna. Scegliere una stampante dall'elenco."},
        {{}, "", "nessuna. Non è installata alcuna stampante: si può salvare in un file PDF."},
    };
    for (const auto& c : cases) {
        test_support::FakePrinters catalogue{c.names, c.defaultName, out.path()};
        printers::PrinterWindowOpener own{
            app::Services{data.store(), boxes, clock, navigator, catalogue}};
        own.open(&caller, app::Printout::ClientList);
        ASSERT_NE(own.window(), nullptr);
        EXPECT_EQ(own.window()->Label1->text(),
                  QStringLiteral("La stampante predefinita è: \n") + QString::fromUtf8(c.shown));
        EXPECT_EQ(own.window()->Label1->accessibleName(), own.window()->Label1->text());
        own.window()->close();
    }
}

TEST_F(ClientPrintout, PrinterWindowListsThePrintersTheDefaultAndThePdfFile) {
    opener.open(&caller, app::Printout::ClientList);
    printers::StampaP* window = opener.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Seleziona Stampante"));
    ASSERT_EQ(window->Combo1->count(), 4);
    EXPECT_EQ(window->Combo1->itemText(0), QStringLiteral("Ufficio"));
    EXPECT_EQ(window->Combo1->itemText(2), QStringLiteral("Colori"));
    EXPECT_EQ(window->Combo1->itemText(3), QStringLiteral("File PDF…"));
    EXPECT_EQ(window->Combo1->currentText(), QStringLiteral("Seleziona la stampante"));
    EXPECT_EQ(window->Label1->text(), QStringLiteral("La stampante predefinita è: \nLaser"));
    EXPECT_TRUE(window->isVisible());
    if (!test_support::shotsFolder().isEmpty()) {
        test_support::settle(*window);
        test_support::saveWindowShot(*window, QStringLiteral("printer-window"));
    }
}

TEST_F(ClientPrintout, CloseBoxUnloadsTheWindow) {
    opener.open(&caller, app::Printout::ClientList);
    QPointer<printers::StampaP> first = opener.window();
    first->Combo1->setCurrentText(QStringLiteral("Colori"));
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    opener.open(&caller, app::Printout::ClientList);
    EXPECT_EQ(opener.window()->Combo1->currentText(), QStringLiteral("Seleziona la stampante"));
}

TEST_F(ClientPrintout, SettingsListsWithOnlyTheirPlaceholdersPrintNothing) {
    boxes.expect({QStringLiteral("Non ci sono impostazioni da stampare."),
                  QStringLiteral("Gestione "), Icon::Information, Buttons::Ok});
    printers::StampaP* window = openAndPrint(app::Printout::SettingsLists, QStringLiteral("Laser"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ClientPrintout, EmptyClientSheetOnlyTellsAndHidesTheWindow) {
    boxes.expect({QStringLiteral(" La stampa non può essere eseguita in assenza di Clienti   "
                                 "inseriti .................."),
                  QStringLiteral("Gestione "), Icon::Information, Buttons::Ok});
    printers::StampaP* window = openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(printers.jobFiles().isEmpty());
}

TEST_F(ClientPrintout, NoPrinterChosenIsToldBeforeAnyQuestion) {
    addClients(3);
    boxes.expect({QStringLiteral("Nessuna stampante scelta: seleziona una stampante dall'elenco."),
                  QStringLiteral("Gestione "), Icon::Information, Buttons::Ok});
    printers::StampaP* window = openAndPrint(app::Printout::ClientList, QString());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(printers.jobFiles().isEmpty());
}

TEST_F(ClientPrintout, EightyAndYesPrintsPortraitAtEightyWithTheHeaderAndKeepsTheSetUp) {
    addClients(5);
    // A value further down another column does not stretch the printed area.
    ASSERT_TRUE(clients().setValue(40, 3, QStringLiteral("nota")).ok());
    boxes.expectInput(kZoomBox, QStringLiteral("80"))
        .expect(kOrientation, Answer::Yes)
        // At 80 % the sixteen columns take two pages across.
        .expect(pageQuestion(1, 2), Answer::Yes)
        .expect(pageQuestion(2, 2), Answer::Yes);
    printers::StampaP* window = openAndPrint(app::Printout::ClientList, QStringLiteral("Ufficio"));
    EXPECT_FALSE(window->isVisible());

    const xls::PageSetup& setup = clients().pageSetup();
    EXPECT_EQ(setup.printArea, (xls::CellRect{0, 5, 0, 15}));
    EXPECT_EQ(clients().centerHeader(),
              QStringLiteral("Stampa  Elenco Clienti   ------ del     05/03/2024"));
    EXPECT_FALSE(setup.landscape);
    EXPECT_EQ(setup.scale, 80);
    EXPECT_FALSE(setup.fitToPage);
    EXPECT_TRUE(setup.printGridlines);
    EXPECT_EQ(setup.paperSize, 9);
    EXPECT_DOUBLE_EQ(setup.topMargin, 0.5);
    for (double margin : {setup.leftMargin, setup.rightMargin, setup.bottomMargin,
                          setup.headerMargin, setup.footerMargin})
        EXPECT_DOUBLE_EQ(margin, 0.21);
    EXPECT_EQ(clients().text(1, kAU), QStringLiteral("2"));
    EXPECT_EQ(clients().text(1, kAV), QStringLiteral("2"));

    ASSERT_EQ(printers.jobFiles().size(), 2);
    EXPECT_TRUE(printers.jobFiles().first().contains(QStringLiteral("Ufficio-")));
    const auto pages = test_support::readPdfWords(printers.jobFiles().first());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].has(QStringLiteral("Elenco")));
    EXPECT_TRUE(pages[0].has(QStringLiteral("05/03/2024")));
    EXPECT_TRUE(pages[0].has(QStringLiteral("CLIENTE")));
    EXPECT_FALSE(pages[0].has(QStringLiteral("nota")));
    EXPECT_LT(pages[0].width, pages[0].height);

    // The set-up is saved with the store.
    ASSERT_TRUE(data.store().saveStore().ok());
    const store::Worksheet saved = data.reopened(QStringLiteral("Anagrafe"));
    EXPECT_EQ(saved.pageSetup().printArea, (xls::CellRect{0, 5, 0, 15}));
    EXPECT_EQ(saved.pageSetup().scale, 80);
    EXPECT_FALSE(saved.pageSetup().fitToPage);
    EXPECT_TRUE(saved.pageSetup().printGridlines);
    EXPECT_EQ(saved.centerHeader(), clients().centerHeader());
    EXPECT_EQ(saved.text(1, kAV), QStringLiteral("2"));
}

TEST_F(ClientPrintout, NoToTheOrientationPrintsLandscape) {
    addClients(2);
    boxes.expectInput(kZoomBox, QStringLiteral("80"))
        .expect(kOrientation, Answer::No)
        .expect(pageQuestion(1, 1), Answer::Yes);
    openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_TRUE(clients().pageSetup().landscape);
    EXPECT_EQ(clients().pageSetup().scale, 80);
    const auto pages = test_support::readPdfWords(printers.jobFiles().value(0));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width, pages[0].height);
}

// What the zoom box gets, and the zoom the list prints at, on a client sheet whose
// own print zoom is 60 % and that an earlier printout left fitted to one page.
struct ZoomRow {
    const char* answer;
    int printedZoom;
    int pages;
};

class ZoomAnswer : public ClientPrintout, public testing::WithParamInterface<ZoomRow> {};

TEST_P(ZoomAnswer, PrintsAtTheTypedZoomOrTheSheetsOwnNeverOnOnePage) {
    const ZoomRow row = GetParam();
    addClients(2);
    ASSERT_TRUE(clients().setPrintZoom(60).ok());
    clients().setFitToPages(1, 1);
    boxes.expectInput(kZoomBox, QString::fromUtf8(row.answer))
        .expect(kOrientation, Answer::Yes)
        .expect(pageQuestion(1, row.pages), Answer::No);
    openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_EQ(clients().pageSetup().scale, row.printedZoom);
    EXPECT_FALSE(clients().pageSetup().fitToPage);
}

INSTANTIATE_TEST_SUITE_P(ClientPrintout, ZoomAnswer,
                         testing::Values(ZoomRow{"80", 80, 2}, ZoomRow{" 80% ", 80, 2},
                                         ZoomRow{"80 %", 80, 2}, ZoomRow{"ottanta", 60, 1},
                                         ZoomRow{"5", 60, 1}, ZoomRow{"", 60, 1}));

TEST_F(ClientPrintout, AnnullaOnTheZoomEndsThePrintoutAndChangesNothing) {
    addClients(2);
    ASSERT_TRUE(clients().setPrintZoom(60).ok());
    boxes.expectInput(kZoomBox, std::nullopt);
    openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_EQ(clients().pageSetup().scale, 60);
    EXPECT_TRUE(printers.jobFiles().isEmpty());
}

TEST_F(ClientPrintout, ThreePagesWithNoToTheSecondPrintOnlyTheFirst) {
    addClients(300);
    boxes.expectInput(kZoomBox, QStringLiteral("50"))
        .expect(kOrientation, Answer::Yes)
        .expect(pageQuestion(1, 3), Answer::Yes)
        .expect(pageQuestion(2, 3), Answer::No);
    printers::StampaP* window = openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(clients().text(1, kAU), QStringLiteral("2"));
    EXPECT_EQ(clients().text(1, kAV), QStringLiteral("3"));
    ASSERT_EQ(printers.jobFiles().size(), 1);
    const auto pages = test_support::readPdfWords(printers.jobFiles().first());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].has(QStringLiteral("ID")));
    EXPECT_TRUE(pages[0].has(QStringLiteral("CLIENTE")));
}

TEST_F(ClientPrintout, PageCountCoversTheColumnBandsToo) {
    addClients(4);
    // At 100 % the sixteen columns are wider than a portrait page.
    boxes.expectInput(kZoomBox, QStringLiteral("100"))
        .expect(kOrientation, Answer::Yes)
        .expect(pageQuestion(1, 2), Answer::Yes)
        .expect(pageQuestion(2, 2), Answer::Yes);
    openAndPrint(app::Printout::ClientList, QStringLiteral("Laser"));
    EXPECT_EQ(printers.jobFiles().size(), 2);
}

TEST_F(ClientPrintout, PdfFileItemWritesTheConfirmedPagesIntoOneFile) {
    addClients(4);
    const QString path = out.filePath(QStringLiteral("clienti.pdf"));
    boxes.expectInput(kZoomBox, QStringLiteral("100"))
        .expect(kOrientation, Answer::Yes)
        .expect(pageQuestion(1, 2), Answer::Yes)
        .expectSaveFile({QStringLiteral("Salva la stampa in PDF"), QDir::homePath(),
                         QStringLiteral("PDF (*.pdf)")},
                        path)
        .expect(pageQuestion(2, 2), Answer::Yes);
    openAndPrint(app::Printout::ClientList, QStringLiteral("File PDF…"));
    EXPECT_EQ(test_support::readPdfWords(path).size(), 2u);
}

}  // namespace
