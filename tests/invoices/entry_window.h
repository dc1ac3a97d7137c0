#pragma once

// The invoice entry window on a store in a temporary folder with two clients and
// the settings lists filled, shown through the navigator from a stand-in main
// menu, with scripted message boxes and a fixed clock.

#include <QApplication>
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
#include "invoices/invoice_list_model.h"
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

class EntryWindowTest : public testing::Test {
  protected:
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
        window->Text15->setFocus(Qt::TabFocusReason);
    }

    // The invoice of the worked example for ROSSI MARIO.
    void fillWorkedExample() {
        choose(window->Combo1, QStringLiteral("ROSSI MARIO"));
        window->Text2->setText(QStringLiteral("07/03/2024"));
        window->Text15->setPlainText(QStringLiteral("Consulenza\nmarzo"));
        type(window->Text9, QStringLiteral("1000"));
        choose(window->Combo5, QStringLiteral("4"));
        choose(window->Combo6, QStringLiteral("22"));
        choose(window->Combo7, QStringLiteral("20"));
        choose(window->Combo2, QStringLiteral("Bonifico"));
    }

    void registerAnsweringYes() {
        boxes.expect(kQuestion, app::Answer::Yes).expect(kRegistered);
        window->XPButton4->click();
    }

    // Opens the register list and leaves it: the store is saved.
    void saveThroughTheList() {
        window->XPButton3->click();
        window->XPButton1->click();
    }

    void chooseLine(int line) {
        const QModelIndex index = window->ListView3->model()->index(line, 0);
        window->ListView3->setCurrentIndex(index);
        emit window->ListView3->clicked(index);
    }

    store::Worksheet invoices() { return data.sheet(store::kInvoicesSheet); }

    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::AreaWindow menu;
    std::unique_ptr<invoices::Entrata> window;
};

}  // namespace invoices_test
