#pragma once

// The client window on a store in a temporary folder, shown through the
// navigator from a stand-in main menu, with scripted message boxes and a fixed clock.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "clients/anagrafe.h"
#include "controls/xpbutton.h"
#include "registers/client_sheet.h"
#include "store/address.h"
#include "support/fake_printers.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace clients_test {

inline constexpr int kCounterColumn = store::columnOf("IV");

// Texts and titles of the window's messages.
inline app::Message notice(const char* text, const char* title, app::Icon icon = app::Icon::None) {
    return {QString::fromUtf8(text), QString::fromUtf8(title), icon, app::Buttons::Ok};
}
inline app::Message question(const char* text, const char* title) {
    return {QString::fromUtf8(text), QString::fromUtf8(title), app::Icon::None,
            app::Buttons::YesNo};
}
inline const app::Message kInsertQuestion =
    question(" Vuoi Inserire questo Cliente ?", " Gestione");
inline const app::Message kAdded = notice(" Ciente Aggiunto", "Gestione", app::Icon::Information);
inline const app::Message kModified = notice("Cliente Modificato", "  Gestione");
inline const app::Message kDeleteQuestion =
    question("Si vuole Eliminare il Soggetto  Selezionato ?", "Gestione ");
inline const app::Message kDeleted =
    notice("Cliente Eliminato", " Gestione ", app::Icon::Information);
inline const app::Message kNothingDeleted =
    notice("Il cliente dei campi non è nell'archivio: nessun cliente è stato eliminato.",
           " Gestione ", app::Icon::Warning);
inline const app::Message kNoClients = notice("Non ci sono Clienti registrati", " Gestione");

class ClientWindowTest : public testing::Test {
  protected:
    void SetUp() override { open(); }

    // Builds the window and brings it up from the main menu.
    void open() {
        navigator.setMainMenu(&menu);
        navigator.go(nullptr, &menu);
        window = std::make_unique<clients::Anagrafe>(
            app::Services{data.store(), boxes, clock, navigator, printers});
        navigator.go(&menu, window.get());
        // Focus moves, and leaving a field, happen only in the active window.
        QApplication::setActiveWindow(window.get());
    }

    template <class T = QLineEdit>
    T* control(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void click(const char* button) { control<controls::XPButton>(button)->click(); }
    void type(const char* field, const QString& text) {
        control(field)->setFocus();
        QTest::keyClicks(control(field), text);
    }
    QString text(const char* field) { return control(field)->text(); }
    void tick(const char* box) { control<QCheckBox>(box)->click(); }
    // Picks entry `position` of the selection list as a user does.
    void choose(int position) {
        QComboBox* list = control<QComboBox>("Combo4");
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
    void esci() { control<QAction>("Mesci")->trigger(); }

    // Types a name and inserts it, answering Yes.
    void insert(const QString& name) {
        type("Text26", name);
        boxes.expect(kInsertQuestion, app::Answer::Yes).expect(kAdded);
        click("XPButton4");
    }

    store::Worksheet sheet() { return data.sheet(store::kClientsSheet); }
    QStringList comboItems() {
        QStringList out;
        QComboBox* list = control<QComboBox>("Combo4");
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::AreaWindow menu;
    std::unique_ptr<clients::Anagrafe> window;
};

}  // namespace clients_test
