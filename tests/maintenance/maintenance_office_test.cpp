// LibreOffice opens the backup copy without a password and finds in it the changes
// that were never saved into the store.
#include "maintenance_window.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

using namespace maintenance_test;

using MaintenanceOffice = MaintenanceWindow;

TEST_F(MaintenanceOffice, LibreOfficeOpensTheBackupWithoutAPassword) {
    const store::Worksheet clients = sheet(store::kClientsSheet);
    ASSERT_TRUE(clients.setValue(2, 2, "ROSSI MARIO").ok());
    ASSERT_TRUE(clients.setIdentifier(2, 5, "00185").ok());
    ASSERT_TRUE(sheet(store::kInvoicesSheet).setValue(2, 7, "1.234,50").ok());
    boxes.expect(kBackupQuestion, Answer::Yes).expect(kBackupDone);
    window->Check4->click();

    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("svp"));
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    python.setProcessEnvironment(environment);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(BRISVEL_SOURCE_DIR "/tests/maintenance/office_backup_cells.py"),
                  backupPath()});
    ASSERT_TRUE(python.waitForFinished(180000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QJsonObject sheets = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    const QJsonObject clientCells = sheets[u"Anagrafe"].toObject();
    const QJsonObject invoiceCells = sheets[u"Fatture"].toObject();

    EXPECT_EQ(clientCells[u"A1"].toString(), "ID");
    EXPECT_EQ(clientCells[u"B2"].toString(), "ROSSI MARIO");
    EXPECT_EQ(clientCells[u"E2"].toString(), "00185");
    EXPECT_EQ(invoiceCells[u"G2"].toDouble(), 1234.5);
    // The store itself still has its last saved state.
    EXPECT_EQ(test_support::SavedStore(folder.storePath()).text(store::kClientsSheet, 2, 2), "");
}

}  // namespace
