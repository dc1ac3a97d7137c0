// LibreOffice opens the store that the client window saved, with its password,
// and reads the clients as they were entered.
#include "client_window.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

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

    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("svp"));
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    python.setProcessEnvironment(environment);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(BRISVEL_SOURCE_DIR "/tests/clients/office_client_cells.py"),
                  data.path(), test_support::kPassword});
    ASSERT_TRUE(python.waitForFinished(180000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QJsonObject cells = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
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
