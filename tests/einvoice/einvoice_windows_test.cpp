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

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
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

    // A chooser found as a screen reader finds it: by its accessible name.
    static QComboBox* chooser(QWidget* window, const QString& name) {
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            if (combo->accessibleName() == name)
                return combo;
        return nullptr;
    }
    static QString chosen(QWidget* window, const QString& name) {
        QComboBox* combo = chooser(window, name);
        return combo ? combo->currentText() : QStringLiteral("<none>");
    }
    static QString described(QWidget* window, const QString& name) {
        auto* label = window->findChild<QLabel*>(name + " - descrizione");
        QComboBox* combo = chooser(window, name);
        EXPECT_TRUE(label && combo) << name.toStdString();
        if (!label || !combo)
            return QStringLiteral("<none>");
        EXPECT_EQ(label->text(), combo->accessibleDescription()) << name.toStdString();
        return label->text();
    }
    static int choosersIn(QWidget* page) {
        int count = 0;
        for (QComboBox* combo : page->findChildren<QComboBox*>())
            count += combo->accessibleName().startsWith("Codice della voce ");
        return count;
    }
};

TEST_F(EinvoiceWindows, TheCodesWindowShowsDefaultsWithTheirDescriptionsAndSavesChoices) {
    const QString id = data.addClient(ClientKind::Company);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);

    // INPS/Cassa: "4" was coded as INPS, "2" has no code yet.
    EXPECT_EQ(choosersIn(window.Grid1), 2);
    EXPECT_EQ(chosen(&window, "Codice della voce 4"), "TC22");
    EXPECT_EQ(described(&window, "Codice della voce 4"), "INPS");
    EXPECT_EQ(chosen(&window, "Codice della voce 2"), "");
    EXPECT_EQ(chosen(&window, "Codice della voce 20"), "RT01");
    EXPECT_EQ(described(&window, "Codice della voce 20"), "Ritenuta di acconto persone fisiche");
    EXPECT_EQ(chosen(&window, "Causale della voce 20"), "A");
    EXPECT_EQ(window.Grid5->item(0, 2)->text(), "ABC1234");

    QComboBox* fund = chooser(&window, "Codice della voce 2");
    ASSERT_NE(fund, nullptr);
    fund->setCurrentIndex(fund->findText("TC04"));
    EXPECT_EQ(described(&window, "Codice della voce 2"),
              "Cassa nazionale previdenza e assistenza ingegneri e architetti liberi "
              "professionisti");
    window.Combo1->setCurrentIndex(window.Combo1->findData("RF19"));
    // Delivered by PEC from now on: the recipient code goes back to 0000000.
    window.Grid5->item(0, 2)->setText("0000000");
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

// The payment page shows each payment type's days to payment, proposed from its text
// until the user sets them, and "Salva" keeps what the user set.
TEST_F(EinvoiceWindows, ThePaymentPageProposesTheDaysToPaymentAndSavesThem) {
    const store::Worksheet settings = data.data.sheet(store::kSettingsSheet);
    for (const char* item : {"RIBA 30 GG", "RIBA 60 GG"})
        ASSERT_TRUE(registers::insertItem(settings, registers::kPaymentColumn, item).ok());
    data.codes().setPaymentDays("RIBA 60 GG", 75);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);

    struct Row {
        const char* item;
        int shown;  // proposed, set before, or kept by an earlier row
        int typed;
        int kept;
    };
    const Row rows[] = {
        {"RIBA 30 GG", 30, 45, 45},
        {"RIBA 60 GG", 75, 75, 75},
        {"Bonifico", 0, 10, 10},
        {"Contanti", 0, 0, 0},
        {"RIBA 30 GG", 45, 999, registers::kMostPaymentDays},
    };
    for (const Row& row : rows) {
        window.activate();
        QSpinBox* days = nullptr;
        for (QSpinBox* box : window.Grid4->findChildren<QSpinBox*>())
            if (box->accessibleName() ==
                QStringLiteral("Giorni alla scadenza della voce %1").arg(row.item))
                days = box;
        ASSERT_NE(days, nullptr) << row.item;
        EXPECT_EQ(days->value(), row.shown) << row.item;
        days->setValue(row.typed);
        boxes.expect({"Operazione eseguita !", "Gestione", Icon::Information});
        window.XPButton1->click();
        EXPECT_EQ(registers::EinvoiceCodes(data.data.reopened(registers::kEinvoiceCodesSheet))
                      .paymentDays(row.item),
                  row.kept)
            << row.item;
    }
    EXPECT_EQ(data.codes().codes(registers::CodedList::Payment, "RIBA 30 GG").code, "MP12");
}

// The choosers a screen reader reaches, walking the window's accessibility tree
// down; each by its own name (on Linux a combo box speaks its value as its name).
QStringList accessibleChoosers(QAccessibleInterface* node) {
    QStringList names;
    if (!node)
        return names;
    if (node->role() == QAccessible::ComboBox)
        if (auto* combo = qobject_cast<QComboBox*>(node->object()))
            names << combo->accessibleName();
    for (int i = 0; i < node->childCount(); ++i)
        names << accessibleChoosers(node->child(i));
    return names;
}

TEST_F(EinvoiceWindows, EveryChooserIsReachedByAccessibilityAndTabAndSetFromTheKeyboard) {
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    QApplication::setActiveWindow(&window);

    window.Tab1->setCurrentIndex(2);
    const QStringList found = accessibleChoosers(QAccessible::queryAccessibleInterface(&window));
    for (const QString& name :
         QStringList{"Codice della voce 4", "Codice della voce 2", "Codice della voce 20",
                     "Causale della voce 20", "Codice della voce Bonifico",
                     "Codice della voce " + kEsenteArt10})
        EXPECT_TRUE(found.contains(name)) << name.toStdString();

    // Tab runs from a code to its reason, and the arrow keys set them.
    QComboBox* code = chooser(&window, "Codice della voce 20");
    ASSERT_NE(code, nullptr);
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClick(code, Qt::Key_Down);  // RT01 -> RT02
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chooser(&window, "Causale della voce 20"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // A -> B
    boxes.expect({"Operazione eseguita !", "Gestione", Icon::Information});
    window.XPButton1->click();
    EXPECT_EQ(data.codes().codes(registers::CodedList::Withholding, "20"),
              (registers::ItemCodes{"RT02", "B"}));
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
    EXPECT_EQ(data.data.sheet(registers::kEinvoiceCodesSheet).text(2, 12), "0000000")
        << "the recipient code stored before";

    // Leaving with changes asks; No leaves them unwritten.
    boxes.expect(
        {"Salvare le modifiche ai codici ?", "Gestione", Icon::Question, app::Buttons::YesNo},
        app::Answer::No);
    window.XPButton2->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EinvoiceWindows, APecLongerThanAnInvoiceNamesIsRefusedAndNothingIsWritten) {
    const QString id = data.addClient(ClientKind::Person);
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Grid5->item(0, 2)->setText("0000000");
    window.Grid5->item(0, 3)->setText(QString(40000, u'a') + "@pec.it");
    const registers::ClientAddressing kept = data.codes().addressing(id);
    boxes.expect(
        {"I codici non sono stati salvati:\n- la PEC del cliente ROSSI MARIO è più "
         "lunga di 256 caratteri",
         "Gestione", Icon::Warning});
    window.XPButton1->click();
    EXPECT_EQ(data.codes().addressing(id), kept);
    boxes.expect(
        {"Salvare le modifiche ai codici ?", "Gestione", Icon::Question, app::Buttons::YesNo},
        app::Answer::No);
    window.XPButton2->click();
}

TEST_F(EinvoiceWindows, TheExportAsksForTheFolderWritesTheFilesAndTellsTheOutcome) {
    const QString id = data.addClient(ClientKind::Company);
    const int row = data.addInvoice(id, "ROSSI & FIGLI SRL",
                                    {"1.000,00", "40,00", "1.040,00", "228,80", "*", "0",
                                     "1.268,80", "208,00", "1.060,80", "Bonifico"});
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
    const auto state =
        registers::SdiStates(data.data.reopened(registers::kSdiHistorySheet).workbook()).of("1");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->stateText(), "Esportata il 03/02/2025") << "the export's day, from the clock";
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
                                         "1.268,80", "208,00", "1.060,80", "Bonifico"});
    const int refused = data.addInvoice(
        badId, "ROSSI MARIO",
        {"500,00", "0", "500,00", "0", kSpeseVarie, "0", "500,00", "0", "500,00", "Bonifico"});
    const auto outcome = data.exportRows({written, refused});
    ASSERT_TRUE(outcome.ok());
    const QString message = fatturapa::outcomeMessage(*outcome);
    EXPECT_TRUE(message.startsWith("È stato creato il file ITBNCLGU70A01H501Y_00001.xml"));
    EXPECT_TRUE(message.contains(
        "Fattura n. 2 del 03/02/2025 non esportata:\n- la provincia del cliente ROSSI MARIO "
        "non è di due lettere maiuscole (\"PISA\")\n- la voce di esenzione \"Spese varie\" non "
        "ha la Natura: impostarla nei Codici Fattura Elettronica"))
        << message.toStdString();

    if (test_support::shotsFolder().isEmpty())
        return;
    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA window(services);
    navigator.go(&menu, &window);
    window.Tab1->setCurrentIndex(2);
    window.move(20, 20);
    test_support::settle(window);
    test_support::saveScreenShot("einvoice-codes-window");
    test_support::saveWindowShot(window, "einvoice-codes-window-withholding");
    window.Tab1->setCurrentIndex(3);
    test_support::settle(window);
    test_support::saveWindowShot(window, "einvoice-codes-window-payments");
    window.Tab1->setCurrentIndex(4);
    test_support::settle(window);
    test_support::saveScreenShot("einvoice-codes-window-clients");

    // Once the box's own loop runs, it is pictured and closed.
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            test_support::settle(*box);
            test_support::saveScreenShot("einvoice-export-result");
            box->close();
        }
    });
    app::QtMessageBoxes real;
    real.tell(message, "Gestione", Icon::Warning);
}

}  // namespace
