// The receivables window on a full register of 32,766 invoices, one client with
// 3,000 of them and 16,000 still to be collected: each list built in the scratch
// area and shown, from the click to the painted window.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "app/clock.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "printing/printer_catalogue.h"
#include "receivables/incassi.h"
#include "registers/core_sheets.h"
#include "registers/invoice_layout.h"
#include "registers/receivables_lists.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"
#include "support/silent_boxes.h"

namespace {

constexpr int kInvoices = 32766;
constexpr int kClientInvoices = 3000;
constexpr int kToCollect = 16000;
const QString kClient = QStringLiteral("4");

// The receivables window on a store whose register is full. Each benchmark makes
// its own, so that no widget outlives the application.
class ReceivablesWindow {
  public:
    ReceivablesWindow() {
        {
            store::Engine maker;
            expectOk(maker.create().saveAs(folder_.filePath(QStringLiteral("Gestione.xls")),
                                           QString::fromLatin1(store::kStorePassword)));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        registers::prepareCoreSheets(*store_);
        fill();
        window_ = std::make_unique<receivables::Incassi>(
            app::Services{*store_, boxes_, clock_, navigator_, printers_});
        window_->show();
        QApplication::processEvents();
    }

    // Every 10th invoice is the client's until it has 3,000; every other one of the
    // first 32,000 is still to be collected. Cells typed as the entry window does.
    void fill() {
        namespace col = registers::invoice;
        const store::Worksheet sheet = store_->ensureSheet(store::kInvoicesSheet);
        int clientInvoices = 0;
        for (int i = 1; i <= kInvoices; ++i) {
            const int row = i + 1;
            const bool client = i % 10 == 3 && clientInvoices < kClientInvoices;
            clientInvoices += client ? 1 : 0;
            const bool toCollect = i <= 2 * kToCollect && i % 2 == 0;
            const auto put = [&](int column, const QString& text) {
                expectOk(sheet.setValue(row, column, text));
            };
            put(col::Id, QString::number(i));
            put(col::Client, QStringLiteral("CLIENTE %1 SRL").arg(i % 500));
            put(col::ClientId, client ? kClient : QString::number(100 + i % 500));
            put(col::Number, QString::number(i));
            put(col::Date, QStringLiteral("%1/03/2024").arg(1 + i % 28, 2, 10, QChar(u'0')));
            put(col::Description, QStringLiteral("Consulenza professionale"));
            for (int c : {col::Taxable, col::TotalTaxable})
                put(c, QStringLiteral("1.000,00"));
            for (int c : {col::Surcharge, col::ExemptAmount})
                put(c, QStringLiteral("0"));
            put(col::Vat, QStringLiteral("220,00"));
            put(col::Exemption, QStringLiteral("*"));
            put(col::Total, QStringLiteral("1.220,%1").arg(i % 100, 2, 10, QChar(u'0')));
            put(col::Withholding, QStringLiteral("200,00"));
            put(col::Net, QStringLiteral("1.020,%1").arg(i % 100, 2, 10, QChar(u'0')));
            put(col::Collection, toCollect ? QStringLiteral("*") : QStringLiteral("10/04/2024"));
            put(col::PaidBy, QStringLiteral("BONIFICO"));
        }
    }

    receivables::Incassi& window() { return *window_; }
    store::Worksheet sheet() { return store_->ensureSheet(store::kInvoicesSheet); }
    int lines() const { return window_->ListView3->model()->rowCount(); }
    // The window drawn as the user sees it.
    void paint() { window_->repaint(); }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
    bench_support::SilentBoxes boxes_;
    app::SystemClock clock_;
    app::Navigator navigator_;
    printing::SystemPrinters printers_;
    std::unique_ptr<receivables::Incassi> window_;
};

void BM_ClientPosition(benchmark::State& state) {
    ReceivablesWindow fixture;
    receivables::Incassi& window = fixture.window();
    window.enterClientPosition();
    for (auto _ : state) {
        state.PauseTiming();
        window.activate();
        window.Text1->setText(kClient);
        state.ResumeTiming();
        window.XPButton3->click();
        fixture.paint();
    }
    state.counters["lines"] = fixture.lines();
}
BENCHMARK(BM_ClientPosition)->Unit(benchmark::kMillisecond);

void BM_ToCollect(benchmark::State& state) {
    ReceivablesWindow fixture;
    receivables::Incassi& window = fixture.window();
    window.enterCollections();
    for (auto _ : state) {
        state.PauseTiming();
        window.activate();
        state.ResumeTiming();
        window.Check1->click();
        fixture.paint();
    }
    state.counters["lines"] = fixture.lines();
}
BENCHMARK(BM_ToCollect)->Unit(benchmark::kMillisecond);

void BM_Collected(benchmark::State& state) {
    ReceivablesWindow fixture;
    receivables::Incassi& window = fixture.window();
    window.enterCollections();
    for (auto _ : state) {
        state.PauseTiming();
        window.activate();
        state.ResumeTiming();
        window.Check2->click();
        fixture.paint();
    }
    state.counters["lines"] = fixture.lines();
}
BENCHMARK(BM_Collected)->Unit(benchmark::kMillisecond);

// The parts: the list built in the scratch area, and its totals.
void BM_BuildToCollectList(benchmark::State& state) {
    ReceivablesWindow fixture;
    const store::Worksheet sheet = fixture.sheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(registers::receivables::buildToCollect(sheet));
}
BENCHMARK(BM_BuildToCollectList)->Unit(benchmark::kMillisecond);

void BM_ToCollectTotals(benchmark::State& state) {
    ReceivablesWindow fixture;
    const store::Worksheet sheet = fixture.sheet();
    if (registers::receivables::buildToCollect(sheet) != registers::receivables::Built::Listed)
        std::abort();
    for (auto _ : state)
        benchmark::DoNotOptimize(registers::receivables::listTotals(sheet));
}
BENCHMARK(BM_ToCollectTotals)->Unit(benchmark::kMillisecond);

}  // namespace
