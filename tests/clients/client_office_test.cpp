// LibreOffice opens the store that the client window saved, with its password,
// and reads the clients as they were entered.
#include "client_window.h"

#include "support/office_sheet_cells.h"

namespace {

using namespace clients_test;

class ClientOffice : public ClientWindowTest {};

TEST_F(ClientOffice, LibreOfficeReadsTheSavedClients) {
    type("Text26", "rossi mario");
    type("Text24", "00185");
    type("Text21", "0612345678");
    type("Text23", "roma");
    control("Text18")->setText(QStringLiteral("07/03/2009"));
    boxes.expect(kInsertQuestion, app::Answer::Yes).expect(kAdded);
    click("XPButton4");
    insert(QStringLiteral("d'amico & figli"));
    esci();

    const QJsonObject cells = test_support::officeSheetCells(data.path(), store::kClientsSheet);
    ASSERT_FALSE(cells.isEmpty());

    EXPECT_EQ(cells[u"A1"].toString(), "ID");
    EXPECT_EQ(cells[u"E1"].toString(), "CAP");
    EXPECT_EQ(cells[u"A2"].toDouble(), 1);
    EXPECT_EQ(cells[u"A3"].toDouble(), 2);
    EXPECT_EQ(cells[u"B2"].toString(), "ROSSI MARIO");
    EXPECT_EQ(cells[u"B3"].toString(), "D'AMICO & FIGLI");
    // The postal code and the telephone are texts with their leading zeros.
    ASSERT_TRUE(cells[u"E2"].isString());
    EXPECT_EQ(cells[u"E2"].toString(), "00185");
    ASSERT_TRUE(cells[u"H2"].isString());
    EXPECT_EQ(cells[u"H2"].toString(), "0612345678");
    EXPECT_EQ(cells[u"F2"].toString(), "ROMA");
    EXPECT_EQ(cells[u"C2"].toDouble(), 39879);  // 07/03/2009 as a date serial
    EXPECT_EQ(cells[u"IV1"].toDouble(), 3);
    EXPECT_FALSE(cells.contains(u"A4"));
}

}  // namespace
