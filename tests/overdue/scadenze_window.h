#pragma once

// The overdue invoices window on a store in a temporary folder, entered from the real
// main menu, with scripted message boxes, a fixed clock, printers that write PDF
// files and a mail opener that records the addresses it is handed.

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/gestione.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "overdue/scadenze.h"
#include "registers/client_sheet.h"
#include "registers/invoice_extras.h"
#include "registers/user_data.h"
#include "support/fake_printers.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace overdue_test {

// Today in these tests.
inline const QDate kToday(2024, 4, 15);

class ScadenzeTest : public testing::Test {
  protected:
    ScadenzeTest() {
        registers::prepareInvoiceExtrasSheet(data.store());
        navigator.setMainMenu(&menu);
        menu.setAreaWindow(app::MenuArea::Overdue, &window);
        window.setUrlOpener([this](const QUrl& url) {
            opened << url;
            return mailProgram;
        });
        navigator.go(nullptr, &menu);
    }

    // Three clients; client 11 has no e-mail address.
    void clients() {
        registers::ClientSheet sheet(data.sheet(store::kClientsSheet));
        const char* const rows[][4] = {
            {"7", "ROSSI & FIGLI SRL", "VIA VERDI 3", "amministrazione@rossi.it"},
            {"9", "VERDI COSTRUZIONI SRL", "VIA NAZIONALE 10", "verdi@costruzioni.it"},
            {"11", "STUDIO NERI", "CORSO ITALIA 2", ""},
        };
        int row = registers::client::kFirstRow;
        for (const auto& c : rows) {
            registers::ClientRecord r;
            r[registers::client::Id] = c[0];
            r[registers::client::Name] = c[1];
            r[registers::client::Address] = c[2];
            r[registers::client::PostalCode] = "00185";
            r[registers::client::Town] = "ROMA";
            r[registers::client::Province] = "RM";
            r[registers::client::Email] = c[3];
            sheet.update(row++, r);
        }
        registers::writeUserData(
            *registers::userSheet(data.store().workbook()),
            {"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "MILANO", "MI", "20121", "BNCLGU70A01H501Y",
             "12345678903", "", "", "IT60X0542811101000000123456"});
    }

    // Client 7: invoice 1 late 101 days, invoice 3 late 15 days with credit note 4;
    // client 9: invoice 2 collected, invoice 5 not yet due; client 11: invoice 6
    // late 5 days; row 7 a date that does not read.
    void invoices() {
        const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
        const test_support::InvoiceRow rows[] = {
            {1, "ROSSI & FIGLI SRL", "7", "1", "05/01/2024", "1.220,00", "1.020,00", "*"},
            {2, "VERDI COSTRUZIONI SRL", "9", "2", "10/01/2024", "610,00", "510,00", "20/02/2024"},
            {3, "ROSSI & FIGLI SRL", "7", "3", "31/03/2024", "2.440,00", "2.040,00", "*"},
            {4, "ROSSI & FIGLI SRL", "7", "4", "05/04/2024", "-244,00", "-204,00", "*"},
            {5, "VERDI COSTRUZIONI SRL", "9", "5", "05/04/2024", "610,00", "510,00", "*"},
            {6, "STUDIO NERI", "11", "6", "10/04/2024", "300,00", "300,00", "*"},
            {7, "STUDIO NERI", "11", "7", "31/02/2024", "300,00", "300,00", "*"},
        };
        int row = 2;
        for (const auto& r : rows)
            test_support::writeInvoice(sheet, row++, r);
        registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
        extras.setCorrects("4", {"3", "3", QDate(2024, 3, 31)});
        extras.setDueDate("5", QDate(2024, 5, 5));
    }

    void open() { QTest::mouseClick(menu.XPButton12, Qt::LeftButton); }

    template <class T>
    T* find(const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeView* list() { return find<QTreeView>("ListaScadenze"); }
    QLineEdit* dateField() { return find<QLineEdit>("DataIncasso"); }
    QString totals() { return find<QLabel>("Totali")->text(); }
    void click(const char* button) {
        QTest::mouseClick(find<controls::XPButton>(button), Qt::LeftButton);
    }

    int lines() { return list()->model()->rowCount(); }
    QStringList line(int row) {
        QStringList out;
        const QAbstractItemModel* model = list()->model();
        for (int column = 0; column < model->columnCount(); ++column)
            out << model->index(row, column).data().toString();
        return out;
    }
    // The row whose ID column reads `id`; -1 when none.
    int rowOf(const char* id) {
        for (int row = 0; row < lines(); ++row)
            if (line(row)[0] == QString::fromLatin1(id))
                return row;
        return -1;
    }
    // Chooses the lines with these IDs as a user does with Ctrl held, the first
    // becoming the current line.
    void choose(std::initializer_list<const char*> ids) {
        list()->clearSelection();
        bool first = true;
        for (const char* id : ids) {
            const int row = rowOf(id);
            EXPECT_GE(row, 0) << id;
            const QModelIndex index = list()->model()->index(row, 0);
            list()->selectionModel()->setCurrentIndex(
                index, (first ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select) |
                           QItemSelectionModel::Rows);
            first = false;
        }
    }

    store::Worksheet saved(const QString& sheet = store::kInvoicesSheet) {
        return data.reopened(sheet);
    }

    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(kToday, QTime(9, 30))};
    app::Navigator navigator;
    QTemporaryDir printouts;
    test_support::FakePrinters printers{
        {QStringLiteral("Ufficio")}, QStringLiteral("Ufficio"), printouts.path()};
    app::Services services{data.store(), boxes, clock, navigator, printers};
    app::Gestione menu{services, [] { return true; }};
    overdue::Scadenze window{services};
    QList<QUrl> opened;
    bool mailProgram = true;
};

}  // namespace overdue_test
