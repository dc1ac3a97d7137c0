// Reading 1,000 receipts of the exchange system into the store: the files read from a
// folder, each matched to the exported invoice it names and kept in the history. The
// history is emptied between runs, so that every run keeps all of them.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>

#include "fatturapa/receipt_batch.h"
#include "receipt_xml.h"
#include "registers/core_sheets.h"
#include "registers/invoice_extras.h"
#include "registers/sdi_history.h"
#include "store/engine.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"

namespace {

constexpr int kReceipts = 1000;

class ReceiptsStore {
  public:
    ReceiptsStore() {
        {
            store::Engine maker;
            expectOk(maker.create().saveAs(folder_.filePath(QStringLiteral("Gestione.xls")),
                                           QString::fromLatin1(store::kStorePassword)));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        registers::prepareCoreSheets(*store_);
        registers::prepareInvoiceExtrasSheet(*store_);
        registers::prepareSdiHistorySheet(*store_);
        fill();
    }

    store::WorkbookStore& store() { return *store_; }
    QString receipts() const { return folder_.filePath(QStringLiteral("ricevute")); }

  private:
    // One invoice per receipt, each exported to its own file; a delivery, a rejection
    // or a failed delivery about each, written as the system names them.
    void fill() {
        const store::Worksheet invoices = *store_->workbook().sheet(store::kInvoicesSheet);
        registers::InvoiceExtras extras(*registers::invoiceExtrasSheet(store_->workbook()));
        QDir().mkpath(receipts());
        const einvoice_test::Kind kinds[] = {einvoice_test::Kind::RC, einvoice_test::Kind::NS,
                                             einvoice_test::Kind::MC};
        for (int i = 1; i <= kReceipts; ++i) {
            const QString id = QString::number(i);
            for (const auto& [column, text] :
                 {std::pair{1, id}, {4, id}, {5, QStringLiteral("03/02/2025")}})
                expectOk(invoices.setValue(i + 1, column, text));
            const QString file =
                QStringLiteral("ITBNCLGU70A01H501Y_%1.xml").arg(i, 5, 10, QLatin1Char('0'));
            extras.setExportedAs(id, file);
            einvoice_test::ReceiptContent content;
            content.kind = kinds[i % 3];
            content.invoiceFile = file;
            content.messageId = QString::number(9000 + i);
            QFile out(QDir(receipts()).filePath(einvoice_test::receiptName(file, content.kind)));
            if (!out.open(QIODevice::WriteOnly) ||
                out.write(einvoice_test::receiptXml(content)) < 0)
                std::abort();
        }
    }

    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
};

void BM_ReadThousandReceipts(benchmark::State& state) {
    ReceiptsStore data;
    for (auto _ : state) {
        state.PauseTiming();
        registers::forgetSdiHistory(data.store());
        state.ResumeTiming();
        const auto files = fatturapa::readReceiptFiles({data.receipts()});
        const auto outcomes = fatturapa::recordReceipts(data.store().workbook(), files);
        expectOk(outcomes);
        const bool allKept = std::ranges::all_of(*outcomes, [](const fatturapa::ReceiptOutcome& o) {
            return o.status == fatturapa::ReceiptStatus::Recorded;
        });
        if (outcomes->size() != std::size_t(kReceipts) || !allKept) {
            state.SkipWithError("not every receipt was kept");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kReceipts);
}
BENCHMARK(BM_ReadThousandReceipts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
