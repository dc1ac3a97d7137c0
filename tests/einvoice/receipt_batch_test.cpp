// Receipts read in a batch and kept in the store's history: each matched to the
// invoice whose exported file it names, a receipt read before changing nothing, an
// unknown file and a damaged one told and passed, the states read back after the
// store is saved and opened again.
#include "fatturapa/receipt_batch.h"

#include "einvoice_store.h"
#include "receipt_xml.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace einvoice_test;
using fatturapa::ReceiptStatus;

const Amounts kAmounts{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};

const QString kFirst = QStringLiteral("ITBNCLGU70A01H501Y_00001.xml");
const QString kSecond = QStringLiteral("ITBNCLGU70A01H501Y_00002.xml");
// Invoice 3 went to this file before the store kept a history: only its name is kept.
const QString kOlder = QStringLiteral("ITBNCLGU70A01H501Y_00000.xml");

ReceiptContent receipt(Kind kind, const QString& file, const char* messageId) {
    ReceiptContent content;
    content.kind = kind;
    content.invoiceFile = file;
    content.messageId = QString::fromLatin1(messageId);
    return content;
}

// Three invoices of one client: 1 and 2 exported now, 3 before the history.
class ReceiptBatch : public testing::Test {
  protected:
    void SetUp() override {
        const QString id = data.addClient(ClientKind::Company);
        for (int i = 0; i < 3; ++i)
            rows.push_back(data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts));
        ASSERT_TRUE(data.exportRows({rows[0], rows[1]}).ok());
        data.extras().setExportedAs("3", kOlder);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString write(const ReceiptContent& content, int counter = 1) {
        return write(receiptName(content.invoiceFile, content.kind, counter), receiptXml(content));
    }

    std::vector<fatturapa::ReceiptOutcome> record(const QStringList& paths) {
        const auto outcomes = fatturapa::recordReceipts(data.data.store().workbook(),
                                                        fatturapa::readReceiptFiles(paths));
        EXPECT_TRUE(outcomes.ok());
        return outcomes.ok() ? *outcomes : std::vector<fatturapa::ReceiptOutcome>{};
    }

    registers::SdiHistory history() {
        return registers::SdiHistory(data.data.sheet(registers::kSdiHistorySheet));
    }

    EinvoiceStore data;
    std::vector<int> rows;
    QTemporaryDir out;
    QDir folder{out.path()};
};

struct Expected {
    ReceiptStatus status;
    const char* invoice;
    const char* said;
};

TEST_F(ReceiptBatch, MatchesEachReceiptAndTellsTheOthers) {
    const QStringList paths = {
        write(receipt(Kind::RC, kFirst, "1001")),
        write(receipt(Kind::NS, kSecond, "1002")),
        // The same delivery receipt downloaded twice.
        write(QStringLiteral("copia della ricevuta.xml"),
              receiptXml(receipt(Kind::RC, kFirst, "1001"))),
        write(receipt(Kind::RC, QStringLiteral("IT99999999999_00001.xml"), "1003")),
        // Cut short in the download.
        write(QStringLiteral("ITBNCLGU70A01H501Y_00001_MC_001.xml"),
              receiptXml(receipt(Kind::MC, kFirst, "1006")).left(250)),
        write(receipt(Kind::MC, kOlder, "1004")),
        // Named as the user's signed copy was sent: matched to the file exported.
        write(receipt(Kind::DT, QStringLiteral("itbnclgu70a01h501y_00001.xml.p7m"), "1005")),
    };
    const std::vector<fatturapa::ReceiptOutcome> outcomes = record(paths);

    const Expected expected[] = {
        {ReceiptStatus::Recorded, "n. 1 del 03/02/2025", "Consegnata il 05/02/2025"},
        {ReceiptStatus::Recorded, "n. 2 del 03/02/2025",
         "Scartata il 04/02/2025: 00404 Fattura duplicata"},
        {ReceiptStatus::AlreadyRead, "n. 1 del 03/02/2025", "Consegnata il 05/02/2025"},
        {ReceiptStatus::UnknownFile, "",
         "il file IT99999999999_00001.xml non risulta esportato da questo programma."},
        {ReceiptStatus::Unreadable, "", "il file è danneggiato"},
        {ReceiptStatus::Recorded, "n. 3 del 03/02/2025",
         "Non consegnata il 04/02/2025: è nell'area riservata del cliente, che va avvisato"},
        {ReceiptStatus::Recorded, "n. 1 del 03/02/2025",
         "Decorsi i termini senza esito del cliente"},
    };
    ASSERT_EQ(outcomes.size(), std::size(expected));
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        EXPECT_EQ(outcomes[i].receiptFile, QFileInfo(paths[qsizetype(i)]).fileName()) << i;
        EXPECT_EQ(outcomes[i].status, expected[i].status) << i;
        EXPECT_EQ(outcomes[i].invoice, expected[i].invoice) << i;
        EXPECT_TRUE(outcomes[i].said.startsWith(QString::fromUtf8(expected[i].said)))
            << i << ": " << outcomes[i].said.toStdString();
    }
    // Two exports and four receipts kept; the second delivery receipt is not.
    EXPECT_EQ(history().records().size(), 6u);

    const registers::SdiStates states(data.data.store().workbook());
    EXPECT_EQ(states.of("1")->event, registers::SdiEvent::Deadline);
    EXPECT_EQ(states.of("2")->stateText(), "Scartata il 04/02/2025: 00404 Fattura duplicata");
    EXPECT_EQ(states.of("3")->event, registers::SdiEvent::NotDelivered);

    const QString summary = fatturapa::receiptsSummary(outcomes);
    EXPECT_TRUE(
        summary.startsWith("Ricevute lette: 7.\nRegistrate: 4\nGià lette prima: 1\n"
                           "Di file non esportati da questo programma: 1\nNon leggibili: 1"))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains("- ITBNCLGU70A01H501Y_00001_MC_001.xml: il file è danneggiato"));
}

TEST_F(ReceiptBatch, ReadTwiceChangesNothing) {
    const QStringList paths = {write(receipt(Kind::NS, kSecond, "2001")),
                               write(receipt(Kind::RC, kFirst, "2002"))};
    record(paths);
    const std::vector<registers::SdiRecord> before = history().records();
    const std::vector<fatturapa::ReceiptOutcome> again = record(paths);
    for (const fatturapa::ReceiptOutcome& o : again)
        EXPECT_EQ(o.status, ReceiptStatus::AlreadyRead) << o.receiptFile.toStdString();
    EXPECT_EQ(history().records(), before);
}

TEST_F(ReceiptBatch, AFolderGivesItsReceiptsOnlyAndTheStatesOutliveARestart) {
    write(receipt(Kind::NS, kSecond, "3001"));
    write(receipt(Kind::RC, kFirst, "3002"));
    // An invoice file and a note beside the receipts are not read.
    write(kFirst, "<p:FatturaElettronica/>");
    write(QStringLiteral("leggimi.txt"), "note");
    const std::vector<fatturapa::ReceiptOutcome> outcomes = record({folder.path()});
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].receiptFile, "ITBNCLGU70A01H501Y_00001_RC_001.xml");
    EXPECT_EQ(outcomes[1].receiptFile, "ITBNCLGU70A01H501Y_00002_NS_001.xml");
    ASSERT_TRUE(data.data.store().saveStore().ok());

    store::Workbook& saved = data.data.reopened(registers::kSdiHistorySheet).workbook();
    const registers::SdiStates states(saved);
    EXPECT_EQ(states.of("1")->stateText(), "Consegnata il 05/02/2025");
    EXPECT_EQ(states.of("2")->stateText(), "Scartata il 04/02/2025: 00404 Fattura duplicata");
    EXPECT_EQ(states.of("2")->sdiId, "111222333");
    EXPECT_EQ(states.of("3")->stateText(), "Esportata");
}

TEST_F(ReceiptBatch, AStoreFromBeforeTheHistoryIsToldSo) {
    test_support::PreparedStore older;  // the core sheets only
    const auto outcomes = fatturapa::recordReceipts(
        older.store().workbook(),
        fatturapa::readReceiptFiles({write(receipt(Kind::RC, kFirst, "4001"))}));
    ASSERT_FALSE(outcomes.ok());
    EXPECT_TRUE(
        outcomes.error().message.startsWith("Lo storico delle ricevute SDI non è disponibile"));
}

}  // namespace
