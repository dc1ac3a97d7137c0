// The windows of the electronic invoice: the codes window shows each item with its
// code (the default until one is set) and the code's official description, and
// writes what the user chose; the export asks for the folder, writes the files and
// tells the outcome.
#include "einvoice/codici_fattura_pa.h"
#include "einvoice/export_run.h"
#include "einvoice_store.h"
#include "support/shots.h"

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/qt_message_boxes.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace einvoice_test;
using app::Icon;

class EinvoiceWindows : public testing::Test {
  protected:
    EinvoiceStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 2, 3), QTime(10, 0))};
    app::Navigator navigator;
    app::AreaWindow menu;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};

    QString comboIn(QTableWidget* grid, int row, int column) {
        auto* combo = qobject_cast<QComboBox*>(grid->cellWidget(row, column));
        return combo ? combo->currentText() : QStringLiteral("<none>");
    }
    void choose(QTableWidget* grid, int row, int column, const QString& code) {
        auto* combo = qobject_cast<QComboBox*>(grid->cellWidget(row, column));
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(combo->findText(code));
    }
};

TEST_F(EinvoiceWindows, TheCodesWindowShowsDefaultsWithTheirDescriptionsAndSavesChoices) {
    const QString id = data.addClient(ClientKind::Company);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);

    // INPS/Cassa: "4" is INPS by default, "2" has no code yet.
    ASSERT_EQ(window.Grid1->rowCount(), 2);
    EXPECT_EQ(window.Grid1->item(0, 0)->text(), "4");
    EXPECT_EQ(comboIn(window.Grid1, 0, 1), "TC22");
    EXPECT_EQ(window.Grid1->item(0, 2)->text(), "INPS");
    EXPECT_EQ(comboIn(window.Grid1, 1, 1), "");
    EXPECT_EQ(comboIn(window.Grid3, 0, 1), "RT01");
    EXPECT_EQ(window.Grid3->item(0, 2)->text(), "Ritenuta di acconto persone fisiche");
    EXPECT_EQ(comboIn(window.Grid3, 0, 3), "A");
    EXPECT_EQ(window.Grid5->item(0, 2)->text(), "ABC1234");

    choose(window.Grid1, 1, 1, "TC04");
    EXPECT_EQ(window.Grid1->item(1, 2)->text(),
              "Cassa nazionale previdenza e assistenza ingegneri e architetti liberi "
              "professionisti");
    window.Combo1->setCurrentIndex(window.Combo1->findData("RF19"));
    window.Grid5->item(0, 3)->setText("rossi@pec.it");
    boxes.expect({"Operazione eseguita !", "Gestione", Icon::Information});
    window.XPButton1->click();

    const registers::EinvoiceCodes codes = data.codes();
    EXPECT_EQ(codes.codes(registers::CodedList::Cassa, "2").code, "TC04");
    EXPECT_EQ(codes.taxRegime(), "RF19");
    EXPECT_EQ(codes.addressing(id).pec, "rossi@pec.it");
    EXPECT_EQ(data.data.reopened(registers::kEinvoiceCodesSheet).text(2, 14), "RF19")
        << "the store was saved";
}

TEST_F(EinvoiceWindows, AWrongRecipientCodeIsRefusedAndNothingIsWritten) {
    data.addClient(ClientKind::Person);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Grid5->item(0, 2)->setText("abc");
    boxes.expect(
        {"I codici non sono stati salvati:\n- il codice destinatario del cliente "
         "ROSSI MARIO non è di sette lettere maiuscole o cifre (\"ABC\")",
         "Gestione", Icon::Warning});
    window.XPButton1->click();
    EXPECT_EQ(data.data.sheet(registers::kEinvoiceCodesSheet).text(2, 2), "");

    // Leaving with changes asks; No leaves them unwritten.
    boxes.expect(
        {"Salvare le modifiche ai codici ?", "Gestione", Icon::Question, app::Buttons::YesNo},
        app::Answer::No);
    window.XPButton2->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EinvoiceWindows, APecLongerThanAnInvoiceNamesIsRefusedAndNothingIsWritten) {
    data.addClient(ClientKind::Person);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Grid5->item(0, 2)->setText("0000000");
    window.Grid5->item(0, 3)->setText(QString(40000, u'a') + "@pec.it");
    boxes.expect(
        {"I codici non sono stati salvati:\n- la PEC del cliente ROSSI MARIO è più "
         "lunga di 256 caratteri",
         "Gestione", Icon::Warning});
    window.XPButton1->click();
    EXPECT_EQ(data.data.sheet(registers::kEinvoiceCodesSheet).text(2, 2), "");
    boxes.expect(
        {"Salvare le modifiche ai codici ?", "Gestione", Icon::Question, app::Buttons::YesNo},
        app::Answer::No);
    window.XPButton2->click();
}

TEST_F(EinvoiceWindows, TheExportAsksForTheFolderWritesTheFilesAndTellsTheOutcome) {
    const QString id = data.addClient(ClientKind::Company);
    const int row = data.addInvoice(id, "ROSSI & FIGLI SRL",
                                    {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0",
                                     "1.268,80", "200,00", "1.068,80", "Bonifico"});
    const QString proposed = QDir(data.data.folder()).filePath("FatturePA");
    boxes.expectChooseFolder({"Cartella delle fatture elettroniche", proposed, {}}, data.folder());
    boxes.expect({QString("È stato creato il file ITBNCLGU70A01H501Y_00001.xml nella cartella "
                          "%1.")
                      .arg(QDir::toNativeSeparators(data.folder())),
                  "Gestione", Icon::Information});
    einvoice::exportElectronicInvoices(services, {row}, nullptr);
    EXPECT_EQ(data.files(), QStringList{"ITBNCLGU70A01H501Y_00001.xml"});
    EXPECT_EQ(registers::EinvoiceCodes(data.data.reopened(registers::kEinvoiceCodesSheet))
                  .lastProgressive(),
              1)
        << "the progressive reached the file";
}

TEST_F(EinvoiceWindows, NoChosenInvoiceGetsAHintAndCancellingTheFolderWritesNothing) {
    boxes.expect(
        {"Scegliere nel registro una o più fatture da esportare.", "Gestione", Icon::Information});
    einvoice::exportElectronicInvoices(services, {}, nullptr);

    const QString proposed = QDir(data.data.folder()).filePath("FatturePA");
    boxes.expectChooseFolder({"Cartella delle fatture elettroniche", proposed, {}}, std::nullopt);
    einvoice::exportElectronicInvoices(services, {2}, nullptr);
    EXPECT_TRUE(data.files().isEmpty());
}

// With BRISVEL_SHOTS set (under Xvfb), the codes window and the outcome message of an
// export with one refused invoice are saved as pictures, the message shown by the
// program's real message box.
TEST_F(EinvoiceWindows, AnExportWithARefusalTellsBothAndTheWindowsCanBePictured) {
    const QString good = data.addClient(ClientKind::Company);
    registers::ClientRecord bad = EinvoiceStore::clientOf(ClientKind::Person);
    bad[client::Province] = "PISA";
    const QString badId = data.addClient(ClientKind::Person, bad);
    const int written = data.addInvoice(good, "ROSSI & FIGLI SRL",
                                        {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0",
                                         "1.268,80", "200,00", "1.068,80", "Bonifico"});
    const int refused = data.addInvoice(
        badId, "ROSSI MARIO",
        {"500,00", "0", "500,00", "0", kSpeseVarie, "0", "500,00", "0", "500,00", "Bonifico"});
    const auto outcome = data.exportRows({written, refused});
    ASSERT_TRUE(outcome.ok());
    const QString message = einvoice::outcomeMessage(*outcome);
    EXPECT_TRUE(message.startsWith("È stato creato il file ITBNCLGU70A01H501Y_00001.xml"));
    EXPECT_TRUE(message.contains(
        "Fattura n. 2 del 03/02/2025 non esportata:\n- la provincia del cliente ROSSI MARIO "
        "non è di due lettere maiuscole (\"PISA\")\n- la voce di esenzione \"Spese varie\" non "
        "ha la Natura: impostarla nei Codici FatturaPA"))
        << message.toStdString();

    if (test_support::shotsFolder().isEmpty())
        return;
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Tab1->setCurrentIndex(2);
    window.move(20, 20);
    QTest::qWait(400);
    test_support::saveScreenShot("einvoice-codes-window");
    window.Tab1->setCurrentIndex(4);
    QTest::qWait(300);
    test_support::saveScreenShot("einvoice-codes-window-clients");

    QTimer::singleShot(600, [&] {
        test_support::saveScreenShot("einvoice-export-result");
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    app::QtMessageBoxes real;
    real.tell(message, "Gestione", Icon::Warning);
}

}  // namespace
