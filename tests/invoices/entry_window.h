#pragma once

// The invoice entry window on a store in a temporary folder with two clients and
// the settings lists filled, shown through the navigator from a stand-in main
// menu, with scripted message boxes and a fixed clock.

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "invoices/entrata.h"
#include "registers/client_sheet.h"
#include "registers/invoice_register.h"
#include "registers/settings_lists.h"
#include "support/fake_printers.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace invoices_test {

using namespace registers::invoice;

inline app::Message notice(const char* text, const char* title, app::Icon icon = app::Icon::None) {
    return {QString::fromUtf8(text), QString::fromUtf8(title), icon, app::Buttons::Ok};
}
inline const app::Message kRequired = notice(
    " ERRORE- I Campi CLIENTE -DATA-DESCRIZIONE-IMPONIBILE -devono essere compilato", "Gestione");
inline const app::Message kQuestion{
    QStringLiteral(" Vuoi Inserire questa Fattura...................?"),
    QStringLiteral(" Gestione"), app::Icon::None, app::Buttons::YesNo};
inline const app::Message kWithholding = notice(
    " Errore - In presenza di un valore  nel campo ritenuta , occorre rilsezionare il "
    "conteggio della ritenuta !",
    "Gestione");
inline const app::Message kRegistered =
    notice("Fattura Registrata.......................... !", "Gestione", app::Icon::Information);
inline const app::Message kModified = notice(" Registrazione  modificata", "  Gestione");

// The window's controls, found by their object names as a user's tools find them.
struct EntryControlsByName {
    explicit EntryControlsByName(QWidget* window) : window_(window) {}

    template <class T>
    T* find(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    QWidget* window_;
    QComboBox* Combo1 = find<QComboBox>("Combo1");
    QComboBox* Combo2 = find<QComboBox>("Combo2");
    QComboBox* Combo3 = find<QComboBox>("Combo3");
    QComboBox* Combo5 = find<QComboBox>("Combo5");
    QComboBox* Combo6 = find<QComboBox>("Combo6");
    QComboBox* Combo7 = find<QComboBox>("Combo7");
    QLineEdit* Text1 = find<QLineEdit>("Text1");
    QLineEdit* Text2 = find<QLineEdit>("Text2");
    QLineEdit* Text3 = find<QLineEdit>("Text3");
    QLineEdit* Text4 = find<QLineEdit>("Text4");
    QLineEdit* Text5 = find<QLineEdit>("Text5");
    QLineEdit* Text6 = find<QLineEdit>("Text6");
    QLineEdit* Text7 = find<QLineEdit>("Text7");
    QLineEdit* Text8 = find<QLineEdit>("Text8");
    QLineEdit* Text9 = find<QLineEdit>("Text9");
    QLineEdit* Text10 = find<QLineEdit>("Text10");
    QLineEdit* Text12 = find<QLineEdit>("Text12");
    QLineEdit* Text13 = find<QLineEdit>("Text13");
    QLineEdit* Text14 = find<QLineEdit>("Text14");
    QPlainTextEdit* Text15 = find<QPlainTextEdit>("Text15");
    QLineEdit* Text16 = find<QLineEdit>("Text16");
    QCheckBox* Check1 = find<QCheckBox>("Check1");
    QCheckBox* Check2 = find<QCheckBox>("Check2");
    QCheckBox* Check3 = find<QCheckBox>("Check3");
    QCheckBox* Check4 = find<QCheckBox>("Check4");
    QLabel* Label13 = find<QLabel>("Label13");
    QLabel* Label15 = find<QLabel>("Label15");
    QLabel* Label22 = find<QLabel>("Label22");
    QLabel* Label23 = find<QLabel>("Label23");
    QLabel* Label24 = find<QLabel>("Label24");
    QLabel* Label26 = find<QLabel>("Label26");
    QLabel* Label28 = find<QLabel>("Label28");
    QCalendarWidget* MonthView1 = find<QCalendarWidget>("MonthView1");
    controls::XPButton* XPButton1 = find<controls::XPButton>("XPButton1");
    controls::XPButton* XPButton2 = find<controls::XPButton>("XPButton2");
    controls::XPButton* XPButton3 = find<controls::XPButton>("XPButton3");
    controls::XPButton* XPButton4 = find<controls::XPButton>("XPButton4");
    controls::XPButton* XPButton5 = find<controls::XPButton>("XPButton5");
    controls::XPButton* XPButton6 = find<controls::XPButton>("XPButton6");
    controls::XPButton* XPButton8 = find<controls::XPButton>("XPButton8");
    controls::XPButton* XPButton9 = find<controls::XPButton>("XPButton9");
    QGroupBox* Frame1 = find<QGroupBox>("Frame1");
    QTreeView* ListView3 = find<QTreeView>("ListView3");
};

class EntryWindowTest : public testing::Test {
  public:
    void SetUp() override {
        registers::ClientSheet clients(data.sheet(store::kClientsSheet));
        addClient(clients, "ROSSI MARIO", "VIA ROMA 1", "00185", "ROMA", "RM", "RSSMRA80A01H501U",
                  "01234567890");
        addClient(clients, "BIANCHI SRL", "CORSO ITALIA 5", "20121", "MILANO", "MI", "",
                  "09876543210");
        const store::Worksheet settings = data.sheet(store::kSettingsSheet);
        for (const auto& [column, item] : {std::pair{registers::kInpsColumn, "4"},
                                           {registers::kInpsColumn, "2"},
                                           {registers::kVatColumn, "22"},
                                           {registers::kVatColumn, "10"},
                                           {registers::kWithholdingColumn, "20"},
                                           {registers::kPaymentColumn, "Bonifico"},
                                           {registers::kExemptionColumn, "Art. 15 DPR 633/72"}})
            EXPECT_TRUE(registers::insertItem(settings, column, QString::fromUtf8(item)).ok());

        navigator.setMainMenu(&menu);
        navigator.go(nullptr, &menu);
        window = std::make_unique<invoices::Entrata>(
            app::Services{data.store(), boxes, clock, navigator, printers});
        navigator.go(&menu, window.get());
        QApplication::setActiveWindow(window.get());
        ui = std::make_unique<EntryControlsByName>(window.get());
    }

    static void addClient(registers::ClientSheet& clients, const char* name, const char* address,
                          const char* postalCode, const char* town, const char* province,
                          const char* taxCode, const char* vatNumber) {
        namespace c = registers::client;
        registers::ClientRecord r;
        r[c::Name] = QString::fromUtf8(name);
        r[c::Address] = QString::fromUtf8(address);
        r[c::PostalCode] = QString::fromUtf8(postalCode);
        r[c::Town] = QString::fromUtf8(town);
        r[c::Province] = QString::fromUtf8(province);
        r[c::TaxCode] = QString::fromUtf8(taxCode);
        r[c::VatNumber] = QString::fromUtf8(vatNumber);
        EXPECT_TRUE(clients.add(r));
    }

    // Picks the item showing `text` as a user does.
    void choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Types into a field and leaves it with Tab.
    void type(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
        ui->Text15->setFocus(Qt::TabFocusReason);
    }

    // The invoice of the worked example for ROSSI MARIO.
    void fillWorkedExample() {
        choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
        ui->Text2->setText(QStringLiteral("07/03/2024"));
        ui->Text15->setPlainText(QStringLiteral("Consulenza\nmarzo"));
        type(ui->Text9, QStringLiteral("1000"));
        choose(ui->Combo5, QStringLiteral("4"));
        choose(ui->Combo6, QStringLiteral("22"));
        choose(ui->Combo7, QStringLiteral("20"));
        choose(ui->Combo2, QStringLiteral("Bonifico"));
    }

    void registerAnsweringYes() {
        boxes.expect(kQuestion, app::Answer::Yes).expect(kRegistered);
        ui->XPButton4->click();
    }

    // Opens the register list and leaves it: the store is saved.
    void saveThroughTheList() {
        ui->XPButton3->click();
        ui->XPButton1->click();
    }

    void chooseLine(int line) {
        const QModelIndex index = ui->ListView3->model()->index(line, 0);
        ui->ListView3->setCurrentIndex(index);
        emit ui->ListView3->clicked(index);
    }

    store::Worksheet invoices() { return data.sheet(store::kInvoicesSheet); }

    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::AreaWindow menu;
    std::unique_ptr<invoices::Entrata> window;
    std::unique_ptr<EntryControlsByName> ui;
};

}  // namespace invoices_test
