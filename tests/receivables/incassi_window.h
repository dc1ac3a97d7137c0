#pragma once

// The receivables window on a store in a temporary folder, entered from the real
// main menu through the navigator, with scripted message boxes and a fixed clock.

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/gestione.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "receivables/incassi.h"
#include "registers/client_sheet.h"
#include "registers/receivables_lists.h"
#include "store/range.h"
#include "support/fake_printers.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace receivables_test {

inline app::Message notice(const char* text, const char* title) {
    return {QString::fromUtf8(text), QString::fromUtf8(title), app::Icon::None, app::Buttons::Ok};
}
inline const app::Message kNoClients = notice("Non ci sono Clienti inseriti !", "Gestione");
inline const app::Message kChooseClient = notice("Devi Selezionare un Cliente  !", "Gestione");
inline const app::Message kNoInvoice =
    notice("Nessuna Fattura  è   presente ..............! ", "Gestione ");
inline const app::Message kNoInvoiceForClient = notice(
    "Nessuna Fattura  è   presente per il Cliente Selezionato...............! ", "Gestione ");
inline const app::Message kToCollectRegisterEmpty =
    notice("Nessuna Fattura da incassare è presente...............! ", "Gestione ");
inline const app::Message kNothingToCollect =
    notice("Nessuna Fattura da Incassare è presente...............! ", "Gestione ");
inline const app::Message kCollectedRegisterEmpty =
    notice("Nessuna Fattura Incassata è presente...............! ", "Gestione ");
inline const app::Message kNothingCollected =
    notice("Nessuna Fattura  è   presente...............! ", "Gestione ");

class IncassiTest : public testing::Test {
  protected:
    IncassiTest() {
        navigator.setMainMenu(&menu);
        menu.setAreaWindow(app::MenuArea::ClientPosition, &window,
                           [this] { window.enterClientPosition(); });
        menu.setAreaWindow(app::MenuArea::Collections, &window,
                           [this] { window.enterCollections(); });
        navigator.go(nullptr, &menu);
    }

    // The main menu's "Posizione Cliente" and "Gestione Incassi".
    void openClientPosition() { QTest::mouseClick(menu.XPButton6, Qt::LeftButton); }
    void openCollections() { QTest::mouseClick(menu.XPButton8, Qt::LeftButton); }

    // Clients from row 2 of Anagrafe: identifier and name.
    void clients(std::initializer_list<std::pair<int, const char*>> rows) {
        const store::Worksheet sheet = data.sheet(store::kClientsSheet);
        int row = 2;
        for (const auto& [id, name] : rows) {
            EXPECT_TRUE(sheet.setNumber(row, registers::client::Id, id).ok());
            EXPECT_TRUE(sheet.setIdentifier(row, registers::client::Name, name).ok());
            ++row;
        }
    }
    void invoices(std::initializer_list<test_support::InvoiceRow> rows) {
        int row = 2;
        for (const auto& invoice : rows)
            test_support::writeInvoice(register_(), row++, invoice);
    }
    store::Worksheet register_() { return data.sheet(store::kInvoicesSheet); }

    // Picks choice `position` of the client list as a user does.
    void choose(int position) {
        window.Combo1->setCurrentIndex(position);
        emit window.Combo1->activated(position);
    }
    QStringList choices() {
        QStringList out;
        for (int i = 0; i < window.Combo1->count(); ++i)
            out << window.Combo1->itemText(i);
        return out;
    }

    QAbstractItemModel* list() { return window.ListView3->model(); }
    int lines() { return list()->rowCount(); }
    QStringList line(int row) {
        QStringList out;
        for (int column = 0; column < list()->columnCount(); ++column)
            out << list()->index(row, column).data().toString();
        return out;
    }
    QStringList headers() {
        QStringList out;
        for (int column = 0; column < list()->columnCount(); ++column)
            out << list()->headerData(column, Qt::Horizontal).toString();
        return out;
    }
    bool showsList() { return window.ListView3->isVisible() && !window.Frame1->isVisible(); }
    bool showsChoice() { return !window.ListView3->isVisible() && window.Frame1->isVisible(); }

    // The saved store's scratch cell, read back with the codec.
    store::Worksheet saved() {
        EXPECT_TRUE(data.store().saveStore().ok());
        return data.reopened(store::kInvoicesSheet);
    }

    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    QTemporaryDir printouts;
    test_support::FakePrinters printers{
        {QStringLiteral("Ufficio")}, QStringLiteral("Ufficio"), printouts.path()};
    app::Services services{data.store(), boxes, clock, navigator, printers};
    app::Gestione menu{services, [] { return true; }};
    receivables::Incassi window{services};
};

}  // namespace receivables_test
