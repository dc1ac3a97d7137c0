// "Ricevute SDI": reached from the codes window; a folder of receipts read, the
// outcome of each file listed, the store saved once and the batch told.
#include "einvoice/codici_fattura_pa.h"
#include "einvoice/ricevute_sdi.h"
#include "einvoice_store.h"
#include "receipt_xml.h"
#include "support/shots.h"

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include <QFile>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace einvoice_test;
using app::Icon;

const Amounts kAmounts{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};

class ReceiptsWindow : public testing::Test {
  protected:
    void SetUp() override {
        const QString id = data.addClient(ClientKind::Company);
        const int first = data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts);
        const int second = data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts);
        ASSERT_TRUE(data.exportRows({first, second}).ok());
        ASSERT_TRUE(data.data.store().saveStore().ok());
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(receipts.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void write(Kind kind, const QString& invoiceFile, const char* messageId) {
        ReceiptContent content;
        content.kind = kind;
        content.invoiceFile = invoiceFile;
        content.messageId = QString::fromLatin1(messageId);
        content.errors = {{"00404", "Fattura duplicata"},
                          {"00311", "Codice destinatario non valido"}};
        write(receiptName(invoiceFile, kind), receiptXml(content));
    }
    QString proposed() const { return QDir(data.data.folder()).filePath("FatturePA"); }

    EinvoiceStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 2, 10), QTime(10, 0))};
    app::Navigator navigator;
    app::AreaWindow menu;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};
    QTemporaryDir receipts;
};

TEST_F(ReceiptsWindow, AFolderIsReadListedSavedAndTold) {
    write(Kind::RC, "ITBNCLGU70A01H501Y_00001.xml", "71");
    write(Kind::NS, "ITBNCLGU70A01H501Y_00002.xml", "72");
    write(Kind::RC, "IT01234567890_00009.xml", "73");
    write("ITBNCLGU70A01H501Y_00002_MC_001.xml", "");

    navigator.setMainMenu(&menu);
    einvoice::CodiciFatturaPA codes(services);
    navigator.go(&menu, &codes);
    codes.XPButton3->click();
    auto* window = codes.findChild<einvoice::RicevuteSdi*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

    boxes.expectChooseFolder({"Cartella delle ricevute SDI", proposed(), {}}, receipts.path());
    boxes.expect(
        {"Ricevute lette: 4.\nRegistrate: 2\nGià lette prima: 0\nDi file non esportati "
         "da questo programma: 1\nNon leggibili: 1\n\n- ITBNCLGU70A01H501Y_00002_MC_001.xml: "
         "il file è vuoto.",
         "Gestione", Icon::Warning});
    window->XPButton2->click();

    const QStringList lines[] = {
        {"IT01234567890_00009_RC_001.xml", "", "IT01234567890_00009.xml",
         "Sconosciuta: il file IT01234567890_00009.xml non risulta esportato da questo "
         "programma."},
        {"ITBNCLGU70A01H501Y_00001_RC_001.xml", "n. 1 del 03/02/2025",
         "ITBNCLGU70A01H501Y_00001.xml", "Consegnata il 05/02/2025"},
        {"ITBNCLGU70A01H501Y_00002_MC_001.xml", "", "", "Non letta: il file è vuoto."},
        {"ITBNCLGU70A01H501Y_00002_NS_001.xml", "n. 2 del 03/02/2025",
         "ITBNCLGU70A01H501Y_00002.xml",
         "Scartata il 04/02/2025: 00404 Fattura duplicata; 00311 Codice destinatario non valido"},
    };
    ASSERT_EQ(window->Grid1->topLevelItemCount(), int(std::size(lines)));
    for (int i = 0; i < window->Grid1->topLevelItemCount(); ++i) {
        QStringList shown;
        for (int c = 0; c < 4; ++c)
            shown << window->Grid1->topLevelItem(i)->text(c);
        EXPECT_EQ(shown, lines[i]) << i;
    }
    // Saved before the message: the saved store knows both receipts.
    const registers::SdiHistory saved(data.data.reopened(registers::kSdiHistorySheet));
    EXPECT_EQ(saved.records().size(), 4u);

    // The same folder again: nothing new, nothing to save, told as such.
    boxes.expectChooseFolder({"Cartella delle ricevute SDI", proposed(), {}}, receipts.path());
    boxes.expect(
        {"Ricevute lette: 4.\nRegistrate: 0\nGià lette prima: 2\nDi file non esportati "
         "da questo programma: 1\nNon leggibili: 1\n\n- ITBNCLGU70A01H501Y_00002_MC_001.xml: "
         "il file è vuoto.",
         "Gestione", Icon::Warning});
    window->XPButton2->click();
    EXPECT_EQ(window->Grid1->topLevelItem(1)->text(3), "Già letta: Consegnata il 05/02/2025");

    if (test_support::shotsFolder().isEmpty())
        return;
    window->move(30, 30);
    window->raise();
    test_support::settle(*window);
    test_support::saveWindowShot(*window, "einvoice-receipts-window");
}

TEST_F(ReceiptsWindow, ManyUnreadableFilesAreCountedAndTheirReasonsGivenOnRequest) {
    QStringList reasons;
    for (int i = 1; i <= 150; ++i) {
        const QString name =
            QStringLiteral("IT01234567890_%1_RC_001.xml").arg(i, 5, 10, QLatin1Char('0'));
        write(name, "");
        reasons << QStringLiteral("- %1: il file è vuoto.").arg(name);
    }
    einvoice::RicevuteSdi window(data.data.store(), boxes);
    boxes.expectChooseFolder({"Cartella delle ricevute SDI", proposed(), {}}, receipts.path());
    boxes.expect(
        {"Ricevute lette: 150.\nRegistrate: 0\nGià lette prima: 0\nDi file non "
         "esportati da questo programma: 0\nNon leggibili: 150\n\nL'elenco completo si "
         "legge con «Mostra dettagli...».",
         "Gestione", Icon::Warning, app::Buttons::Ok, reasons.join(u'\n')});
    window.XPButton2->click();
    EXPECT_EQ(window.Grid1->topLevelItemCount(), 150);
}

TEST_F(ReceiptsWindow, ChosenFilesAreReadAndCancellingReadsNothing) {
    write(Kind::RC, "ITBNCLGU70A01H501Y_00001.xml", "81");
    einvoice::RicevuteSdi window(data.data.store(), boxes);
    const app::FileRequest request{"Ricevute SDI", proposed(), "Ricevute SDI (*.xml *.p7m)"};
    boxes.expectOpenFiles(request, std::nullopt);
    window.XPButton1->click();
    EXPECT_EQ(window.Grid1->topLevelItemCount(), 0);

    boxes.expectOpenFiles(
        request,
        QStringList{QDir(receipts.path()).filePath("ITBNCLGU70A01H501Y_00001_RC_001.xml")});
    boxes.expect(
        {"Ricevute lette: 1.\nRegistrate: 1\nGià lette prima: 0\nDi file non esportati da "
         "questo programma: 0\nNon leggibili: 0",
         "Gestione", Icon::Information});
    window.XPButton1->click();
    ASSERT_EQ(window.Grid1->topLevelItemCount(), 1);
    EXPECT_EQ(window.Grid1->topLevelItem(0)->text(3), "Consegnata il 05/02/2025");
    EXPECT_FALSE(window.Grid1->accessibleName().isEmpty());
}

}  // namespace
