// What a user adds to the store in LibreOffice (a summary sheet with a total of the
// register, formulas beside the register, a note on a client's name, a validation
// list on the payment column, a conditional format on the net column, a hyperlink)
// is still there, as LibreOffice reads it, after the program has started on the
// store and ended, saving it.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include "app/session.h"
#include "app/store_folder.h"
#include "store/workbook_store.h"
#include "support/scripted_message_boxes.h"

namespace {

// office_user_additions.py COMMAND on the store: the facts LibreOffice reads.
QJsonObject office(const QString& command, const QString& store) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(BRISVEL_SOURCE_DIR "/tests/app/office_user_additions.py"), command,
                  store, test_support::kStorePassword});
    EXPECT_TRUE(python.waitForFinished(240000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

void fillRegister(store::Workbook& book) {
    const store::Worksheet clients = *book.sheet(store::kClientsSheet);
    const store::Worksheet invoices = *book.sheet(store::kInvoicesSheet);
    const QStringList names = {QStringLiteral("ROSSI MARIO"), QStringLiteral("BIANCHI SRL"),
                               QStringLiteral("VERDI ANNA")};
    for (int i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(clients.setValue(i + 2, 1, QString::number(i + 1)).ok());
        ASSERT_TRUE(clients.setValue(i + 2, 2, names[i]).ok());
    }
    for (int row = 2; row <= 7; ++row) {
        const int client = (row - 2) % 3;
        ASSERT_TRUE(invoices.setValue(row, 1, QString::number(row - 1)).ok());
        ASSERT_TRUE(invoices.setValue(row, 2, names[client]).ok());
        ASSERT_TRUE(
            invoices.setValue(row, 5, QStringLiteral("1%1/03/202%2").arg(row).arg(row % 4)).ok());
        ASSERT_TRUE(invoices.setValue(row, 13, QStringLiteral("%1.220,00").arg(row)).ok());
        ASSERT_TRUE(invoices.setValue(row, 15, QStringLiteral("%1.000,00").arg(row)).ok());
        ASSERT_TRUE(invoices.setValue(row, 17, QStringLiteral("Bonifico")).ok());
    }
}

TEST(UserAdditionsOffice, WhatAUserAddedInLibreOfficeSurvivesTheProgramsStartAndEnd) {
    test_support::StoreFolder folder;
    folder.writeStore(
        {store::kClientsSheet, store::kInvoicesSheet, store::kSettingsSheet, store::kUserSheet},
        fillRegister);
    const QJsonObject added = office(QStringLiteral("add"), folder.storePath());
    ASSERT_FALSE(added.isEmpty());
    // What LibreOffice saved, before the program sees it.
    const QJsonObject formulas = added[u"formulas"].toObject();
    EXPECT_EQ(formulas[u"Riepilogo.A1"].toString(), "=SUM($Fatture.M2:M301)");
    EXPECT_EQ(formulas[u"Fatture.S2"].toString(), "=YEAR(E2)");
    EXPECT_EQ(added[u"array"].toString(), "{=SUM(M2:M5*2)}");
    EXPECT_EQ(added[u"notes"].toArray().size(), 1);
    EXPECT_EQ(added[u"validation"].toObject()[u"Q2"].toObject()[u"type"].toString(), "LIST");
    EXPECT_EQ(added[u"conditions"].toObject()[u"O2"].toArray().size(), 1);
    EXPECT_EQ(added[u"links"].toArray().size(), 1);

    {
        test_support::ScriptedMessageBoxes boxes;
        app::Session session(folder.path());
        ASSERT_EQ(session.start(boxes), app::StartOutcome::Ready);
        ASSERT_TRUE(session.shutDown(boxes));
    }

    const QJsonObject after = office(QStringLiteral("facts"), folder.storePath());
    EXPECT_EQ(after[u"formulas"], added[u"formulas"]);
    EXPECT_EQ(after[u"array"], added[u"array"]);
    EXPECT_EQ(after[u"total"], added[u"total"]);
    EXPECT_EQ(after[u"notes"], added[u"notes"]);
    EXPECT_EQ(after[u"links"], added[u"links"]);
    EXPECT_EQ(after[u"validation"], added[u"validation"]);
    EXPECT_EQ(after[u"conditions"], added[u"conditions"]);
    // The start adds the electronic invoice's codes, the invoices' further data and
    // the receipts' history after the user's sheets.
    QJsonArray sheets = added[u"sheets"].toArray();
    sheets.append(QStringLiteral("FatturaPA"));
    sheets.append(QStringLiteral("DatiFatture"));
    sheets.append(QStringLiteral("RicevuteSDI"));
    EXPECT_EQ(after[u"sheets"].toArray(), sheets);
}

}  // namespace
