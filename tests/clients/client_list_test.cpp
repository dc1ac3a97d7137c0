// "Visualizza": the sorted list of all clients over the fields, and "Chiudi".
#include "client_window.h"

#include <QHeaderView>

namespace {

using namespace clients_test;
namespace col = registers::client;

class ClientList : public ClientWindowTest {
  protected:
    QTreeWidget* list() { return control<QTreeWidget>("ListView3"); }
    QStringList listColumn(int column) {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << list()->topLevelItem(i)->text(column);
        return out;
    }
};

TEST_F(ClientList, AnEmptyRegistryShowsHeadersAndTheMessage) {
    boxes.expect(kNoClients);
    click("XPButton7");
    EXPECT_TRUE(list()->isVisible());
    EXPECT_TRUE(control<controls::XPButton>("XPButton8")->isVisible());
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    ASSERT_EQ(list()->columnCount(), 16);
    // The headers are the sheet's row 1 as the start wrote it.
    EXPECT_EQ(list()->headerItem()->text(0), QStringLiteral("ID"));
    EXPECT_EQ(list()->headerItem()->text(1), QStringLiteral("Ragione Sociale/Cognome Nome"));
    EXPECT_EQ(list()->headerItem()->text(14), QStringLiteral("Referente/Rappresentante"));
    // Widths in pixels from twips (15 to the pixel).
    EXPECT_EQ(list()->columnWidth(0), 53);
    EXPECT_EQ(list()->columnWidth(1), 267);
    EXPECT_EQ(list()->columnWidth(2), 100);
    EXPECT_EQ(list()->columnWidth(4), 67);
    EXPECT_EQ(list()->columnWidth(15), 133);

    click("XPButton8");
    EXPECT_TRUE(list()->isHidden());
    EXPECT_TRUE(control<controls::XPButton>("XPButton8")->isHidden());
    EXPECT_TRUE(control<controls::XPButton>("XPButton4")->isVisible());
}

TEST_F(ClientList, ClientsAreSortedByNameIgnoringCaseWithTheirRows) {
    const char* names[] = {"Rossi", "bianchi", "ALFA"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(sheet().setNumber(i + 2, col::Id, i + 1).ok());
        EXPECT_TRUE(sheet().setValue(i + 2, col::Name, QString::fromLatin1(names[i])).ok());
        EXPECT_TRUE(
            sheet().setIdentifier(i + 2, col::PostalCode, QStringLiteral("0010%1").arg(i)).ok());
    }
    window->activate();
    click("XPButton7");
    EXPECT_EQ(listColumn(1), (QStringList{"ALFA", "bianchi", "Rossi"}));
    EXPECT_EQ(listColumn(0), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(listColumn(4), (QStringList{"00102", "00101", "00100"}));
    EXPECT_EQ(sheet().text(2, col::Name), "ALFA");
    EXPECT_EQ(sheet().text(4, col::Name), "Rossi");

    // The selection list follows the sheet's new order, so positions name the right rows.
    EXPECT_EQ(comboItems(), (QStringList{"ALFA", "bianchi", "Rossi"}));
    click("XPButton8");
    choose(2);
    EXPECT_EQ(text("Text26"), "ROSSI");  // the field shows names upper case
    EXPECT_EQ(text("Text10"), "1");
    EXPECT_EQ(text("Text24"), "00100");
}

TEST_F(ClientList, TheChosenClientStaysChosenAcrossTheSort) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(0);  // ROSSI, row 2 until the sort
    click("XPButton7");
    EXPECT_EQ(control<QComboBox>("Combo4")->currentText(), "ROSSI");
    click("XPButton8");
    type("Text23", "roma");
    boxes.expect(kModified);
    click("XPButton1");
    EXPECT_EQ(sheet().text(3, col::Name), "ROSSI");
    EXPECT_EQ(sheet().text(3, col::Town), "ROMA");
    EXPECT_TRUE(sheet().value(2, col::Town).isEmpty());
}

TEST_F(ClientList, ShowsDatesAndEveryColumnAsTheSheetShowsThem) {
    type("Text26", "rossi");
    control("Text18")->setText(QStringLiteral("05/03/2024"));
    control<QPlainTextEdit>("Text12")->setPlainText(QStringLiteral("nota"));
    type("Text19", "rssmra80a01h501u");
    boxes.expect(kInsertQuestion, app::Answer::Yes).expect(kAdded);
    click("XPButton4");
    click("XPButton7");
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), "05/03/2024");
    EXPECT_EQ(list()->topLevelItem(0)->text(11), "RSSMRA80A01H501U");
    EXPECT_EQ(list()->topLevelItem(0)->text(15), "NOTA");

    // Showing it again does not repeat the items; a new activation hides it.
    click("XPButton7");
    EXPECT_EQ(list()->topLevelItemCount(), 1);
    window->activate();
    EXPECT_TRUE(list()->isHidden());
}

}  // namespace
