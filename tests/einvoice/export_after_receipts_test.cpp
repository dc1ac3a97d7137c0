// Exporting again after the exchange system answered: a rejected invoice goes again
// without a question, under a new file, and its history keeps both files; one the
// client has, or can have, is asked about first, naming what the system said.
#include "einvoice/export_run.h"
#include "einvoice_store.h"
#include "receipt_xml.h"

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "fatturapa/receipt_batch.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace einvoice_test;
using app::Icon;

const Amounts kAmounts{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};

const QString kDeliveredQuestion = QStringLiteral(
    "Già consegnate al cliente dal Sistema di Interscambio:\n%1\n\nUna fattura consegnata non si "
    "invia di nuovo: per correggerla si emette una nota di credito. Esportarle comunque, con un "
    "nuovo file?\n(No: si esportano solo le altre fatture scelte)");
const QString kExportedQuestion = QStringLiteral(
    "Già esportate:\n%1\n\nEsportarle di nuovo, con un nuovo file? Chi le riceve le avrebbe due "
    "volte.\n(No: si esportano solo le altre fatture scelte)");

// Invoices 1, 2 and 3 exported to files _00001 to _00003; the system then answered
// `answers` (one per invoice, none for no receipt), and the user exports `chosen`.
struct AfterReceipts {
    const char* what;
    std::optional<Kind> answers[3];
    std::vector<int> chosen;
    // The questions asked, in order, each with its answer.
    std::vector<std::pair<QString, app::Answer>> questions;
    QStringList newFiles;  // written by the second export
    // Invoice 1 exported again (file _00004) before the user's export, with this
    // answer to that copy.
    std::optional<Kind> copyOfFirst = {};
};

class ExportAfterReceipts : public testing::TestWithParam<AfterReceipts> {
  protected:
    EinvoiceStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 2, 10), QTime(10, 0))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};
    QTemporaryDir receipts;
};

TEST_P(ExportAfterReceipts, AsksOnlyAboutWhatReachedTheClient) {
    const AfterReceipts& a = GetParam();
    const QString id = data.addClient(ClientKind::Company);
    int rows[3];
    for (int& row : rows)
        row = data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts);
    ASSERT_TRUE(data.exportRows({rows[0], rows[1], rows[2]}).ok());
    QStringList paths;
    const auto answer = [&](Kind kind, int file) {
        ReceiptContent content;
        content.kind = kind;
        content.invoiceFile = QStringLiteral("ITBNCLGU70A01H501Y_0000%1.xml").arg(file);
        content.messageId = QString::number(500 + file);
        paths << QDir(receipts.path()).filePath(receiptName(content.invoiceFile, content.kind));
        QFile out(paths.last());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(receiptXml(content));
    };
    for (int i = 0; i < 3; ++i) {
        if (a.answers[i])
            answer(*a.answers[i], i + 1);
    }
    if (a.copyOfFirst) {
        ASSERT_TRUE(data.exportRows({rows[0]}).ok());
        answer(*a.copyOfFirst, 4);
    }
    ASSERT_TRUE(
        fatturapa::recordReceipts(data.data.store().workbook(), fatturapa::readReceiptFiles(paths))
            .ok());

    for (const auto& [question, answer] : a.questions)
        boxes.expect({question, "Gestione", Icon::Warning, app::Buttons::YesNo}, answer);
    if (!a.newFiles.isEmpty()) {
        boxes.expectChooseFolder({"Cartella delle fatture elettroniche",
                                  QDir(data.data.folder()).filePath("FatturePA"),
                                  {}},
                                 data.folder());
        boxes.expect({a.newFiles.size() == 1
                          ? QStringLiteral("È stato creato il file %1 nella cartella %2.")
                                .arg(a.newFiles.first(), QDir::toNativeSeparators(data.folder()))
                          : QStringLiteral("Sono stati creati %1 file nella cartella %2.")
                                .arg(a.newFiles.size())
                                .arg(QDir::toNativeSeparators(data.folder())),
                      "Gestione", Icon::Information});
    }
    std::vector<int> chosen;
    for (int which : a.chosen)
        chosen.push_back(rows[which - 1]);
    einvoice::exportElectronicInvoices(services, {chosen.begin(), chosen.end()}, nullptr);

    QStringList expectedFiles = {"ITBNCLGU70A01H501Y_00001.xml", "ITBNCLGU70A01H501Y_00002.xml",
                                 "ITBNCLGU70A01H501Y_00003.xml"};
    if (a.copyOfFirst)
        expectedFiles << "ITBNCLGU70A01H501Y_00004.xml";
    expectedFiles += a.newFiles;
    EXPECT_EQ(data.files(), expectedFiles) << a.what;
}

const char* kFirstDelivered =
    "- Fattura n. 1 del 03/02/2025: file ITBNCLGU70A01H501Y_00001.xml, consegnata il 05/02/2025";
const char* kThirdExported = "- Fattura n. 3 del 03/02/2025: file ITBNCLGU70A01H501Y_00003.xml";

INSTANTIATE_TEST_SUITE_P(
    Einvoice, ExportAfterReceipts,
    testing::Values(
        AfterReceipts{"rejected: sent again without a question",
                      {std::nullopt, Kind::NS, std::nullopt},
                      {2},
                      {},
                      {"ITBNCLGU70A01H501Y_00004.xml"}},
        AfterReceipts{"delivered: asked, left out",
                      {Kind::RC, std::nullopt, std::nullopt},
                      {1},
                      {{kDeliveredQuestion.arg(kFirstDelivered), app::Answer::No}},
                      {}},
        AfterReceipts{"delivered: asked, sent again on purpose",
                      {Kind::RC, std::nullopt, std::nullopt},
                      {1},
                      {{kDeliveredQuestion.arg(kFirstDelivered), app::Answer::Yes}},
                      {"ITBNCLGU70A01H501Y_00004.xml"}},
        AfterReceipts{"in the client's reserved area: asked as delivered",
                      {Kind::MC, std::nullopt, std::nullopt},
                      {1},
                      {{kDeliveredQuestion.arg(
                            "- Fattura n. 1 del 03/02/2025: file ITBNCLGU70A01H501Y_00001.xml, "
                            "non consegnata il 04/02/2025: è nell'area riservata del cliente, che "
                            "va avvisato"),
                        app::Answer::No}},
                      {}},
        AfterReceipts{"delivered, rejected and without receipt together",
                      {Kind::RC, Kind::NS, std::nullopt},
                      {1, 2, 3},
                      {{kDeliveredQuestion.arg(kFirstDelivered), app::Answer::No},
                       {kExportedQuestion.arg(kThirdExported), app::Answer::Yes}},
                      {"ITBNCLGU70A01H501Y_00004.xml", "ITBNCLGU70A01H501Y_00005.xml"}},
        AfterReceipts{"delivered, then a copy rejected as a duplicate: still asked as delivered",
                      {Kind::RC, std::nullopt, std::nullopt},
                      {1},
                      {{kDeliveredQuestion.arg(kFirstDelivered), app::Answer::No}},
                      {},
                      Kind::NS}),
    [](const testing::TestParamInfo<AfterReceipts>& info) { return std::to_string(info.index); });

TEST(ExportAfterRejection, TheHistoryKeepsBothFiles) {
    EinvoiceStore data;
    const QString id = data.addClient(ClientKind::Company);
    const int row = data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts);
    ASSERT_TRUE(data.exportRows({row}).ok());
    QTemporaryDir receipts;
    ReceiptContent rejection;
    rejection.kind = Kind::NS;
    const QString path = QDir(receipts.path()).filePath("scarto.xml");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(receiptXml(rejection));
    file.close();
    ASSERT_TRUE(
        fatturapa::recordReceipts(data.data.store().workbook(), fatturapa::readReceiptFiles({path}))
            .ok());
    ASSERT_TRUE(data.exportRows({row}).ok());

    const registers::SdiHistory history(data.data.sheet(registers::kSdiHistorySheet));
    QStringList kept;
    for (const registers::SdiRecord& r : history.records())
        kept << r.file + u' ' + registers::eventCode(r.event);
    EXPECT_EQ(kept,
              QStringList({"ITBNCLGU70A01H501Y_00001.xml EXP", "ITBNCLGU70A01H501Y_00001.xml NS",
                           "ITBNCLGU70A01H501Y_00002.xml EXP"}));
    const auto state = registers::SdiStates(data.data.store().workbook()).of("1");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->file, "ITBNCLGU70A01H501Y_00002.xml");
    EXPECT_EQ(state->stateText(), "Esportata il 10/02/2025");
}

}  // namespace
