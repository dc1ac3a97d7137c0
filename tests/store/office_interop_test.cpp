// A store written by the engine, opened by LibreOffice with its password.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/range.h"
#include "store/workbook_store.h"

namespace {

TEST(StoreOffice, StoreOpensWithPasswordPanesFormatsWidthsAndPageSetup) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Gestione.xls"));
    const QString password = QString::fromLatin1(store::kStorePassword);
    int widthB = 0;
    {
        store::Engine engine;
        store::Workbook& book = engine.create();
        const store::Worksheet sheet = book.activeSheet();
        ASSERT_TRUE(sheet.setName(QStringLiteral("Anagrafe")).ok());
        EXPECT_TRUE(sheet.setValue(1, 1, QStringLiteral("ID")).ok());
        EXPECT_TRUE(sheet.setValue(1, 2, QStringLiteral("Ragione Sociale/Cognome Nome")).ok());
        sheet.range(u"H:H")->setNumberFormat(QStringLiteral("@"));
        EXPECT_TRUE(sheet.setValue(2, 1, QStringLiteral("1")).ok());
        EXPECT_TRUE(sheet.setValue(2, 2, QStringLiteral("ROSSI MARIO")).ok());
        EXPECT_TRUE(sheet.setValue(2, 3, QStringLiteral("07/03/2009")).ok());
        EXPECT_TRUE(sheet.setValue(2, 7, QStringLiteral("1.234,50")).ok());
        EXPECT_TRUE(sheet.setValue(2, 8, QStringLiteral("0612345678")).ok());
        sheet.freezePanes(2);
        sheet.autoFitColumns();
        widthB = sheet.columnWidth(2);
        ASSERT_TRUE(sheet.setPrintArea(u"$P$1:$A$2").ok());
        sheet.setCenterHeader(QStringLiteral("Stampa  Elenco Clienti"));
        auto& page = sheet.pageSetup();
        page.landscape = true;
        page.leftMargin = 0.21;
        page.topMargin = 0.5;
        page.fitToPage = true;
        page.fitWidth = page.fitHeight = 1;
        page.printGridlines = true;
        page.hCenter = true;
        ASSERT_TRUE(book.saveAs(path, password).ok());
        ASSERT_TRUE(book.saveCopyAs(folder.filePath(QStringLiteral("copia.xls"))).ok());
    }

    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(BRISVEL_SOURCE_DIR "/tests/store/office_store_facts.py"), path, password,
         QStringLiteral("Anagrafe"), folder.filePath(QStringLiteral("copia.xls"))});
    ASSERT_TRUE(python.waitForFinished(180000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QJsonObject facts = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    ASSERT_FALSE(facts.isEmpty());

    const QJsonObject cells = facts[u"cells"].toObject();
    EXPECT_EQ(cells[u"B1"].toObject()[u"string"].toString(), "Ragione Sociale/Cognome Nome");
    EXPECT_EQ(cells[u"C2"].toObject()[u"value"].toDouble(), 39879);
    EXPECT_EQ(cells[u"C2"].toObject()[u"string"].toString(), "07/03/2009");
    EXPECT_EQ(cells[u"G2"].toObject()[u"value"].toDouble(), 1234.5);
    EXPECT_EQ(cells[u"G2"].toObject()[u"format"].toString(), "#,##0.00");
    EXPECT_EQ(cells[u"H2"].toObject()[u"string"].toString(), "0612345678");
    EXPECT_EQ(cells[u"H2"].toObject()[u"format"].toString(), "@");

    EXPECT_TRUE(facts[u"frozen"].toBool());
    EXPECT_EQ(facts[u"splitRow"].toInt(), 1);

    // Widths in 1/100 mm: column B keeps its fitted size relative to an untouched column.
    const QJsonArray widths = facts[u"widths"].toArray();
    const double ratio = widths[1].toDouble() / widths[3].toDouble();
    EXPECT_NEAR(ratio, widthB / 2340.0, 0.15 * widthB / 2340.0);

    const QJsonArray area = facts[u"printAreas"].toArray();
    ASSERT_EQ(area.size(), 1);
    EXPECT_EQ(area[0].toArray(), (QJsonArray{0, 1, 0, 15}));
    EXPECT_TRUE(facts[u"landscape"].toBool());
    EXPECT_NEAR(facts[u"leftMargin"].toDouble(), 533, 2);
    EXPECT_NEAR(facts[u"topMargin"].toDouble(), 1270, 2);
    EXPECT_EQ(facts[u"scaleToX"].toInt(), 1);
    EXPECT_EQ(facts[u"scaleToY"].toInt(), 1);
    EXPECT_TRUE(facts[u"printGrid"].toBool());
    EXPECT_TRUE(facts[u"centerH"].toBool());
    EXPECT_EQ(facts[u"header"].toString(), "Stampa  Elenco Clienti");
}

}  // namespace
