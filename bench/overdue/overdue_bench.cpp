// The overdue invoices of a full register, 32,766 invoices of 5,000 clients, one in
// five still to be collected: the list with its due dates and totals, and the
// window "Scadenze" from its activation to the painted list. Some due dates are
// kept beside the register and some invoices are credit notes of others, so the
// list reads that sheet and groups them as it does in use.
#include <QApplication>
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
#include "bench_store.h"
#include "overdue/scadenze.h"
#include "printing/printer_catalogue.h"
#include "registers/invoice_extras.h"
#include "registers/overdue.h"
#include "store/engine.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"
#include "support/silent_boxes.h"

namespace {

const QDate kToday(2016, 6, 30);

class FullStore {
  public:
    FullStore() {
        {
            store::Engine maker;
            const QString path = folder_.filePath(QStringLiteral("Gestione.xls"));
            const QString password = QString::fromLatin1(store::kStorePassword);
            store::Workbook& book = maker.adopt(
                benchstore::makeStore(benchstore::kFullInvoices, benchstore::kFullClients), path,
                password);
            expectOk(book.saveAs(path, password));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        registers::prepareInvoiceExtrasSheet(*store_);
        registers::InvoiceExtras extras(*registers::invoiceExtrasSheet(store_->workbook()));
        // Register IDs 1, 6, 11 ... are still to be collected.
        for (int id = 1; id <= benchstore::kFullInvoices; id += 5) {
            if (id % 35 == 1)
                extras.setDueDate(QString::number(id), QDate(2012, 1, 1).addDays(id / 10));
            if (id % 100 == 6)
                extras.setCorrects(QString::number(id), {QString::number(id - 5), "1", {}});
        }
    }

    store::WorkbookStore& store() { return *store_; }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
};

void checked(const registers::overdue::List& list) {
    // Every fifth invoice, the credit notes under theirs; none left out.
    if (list.lines.size() != std::size_t(benchstore::kFullInvoices + 4) / 5 ||
        list.unreadableDates != 0 || list.unreadableAmounts != 0 || list.overdueInvoices == 0 ||
        list.notYetDueInvoices == 0)
        std::abort();
}

void BM_OverdueList(benchmark::State& state) {
    FullStore full;
    store::Workbook& book = full.store().workbook();
    for (auto _ : state) {
        auto list = registers::overdue::overdueList(book, kToday);
        benchmark::DoNotOptimize(list);
        state.PauseTiming();
        checked(*list);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OverdueList)->Unit(benchmark::kMillisecond);

void BM_OverdueWindow(benchmark::State& state) {
    FullStore full;
    bench_support::SilentBoxes boxes;
    app::FixedClock clock{QDateTime(kToday, QTime(9, 0))};
    app::Navigator navigator;
    printing::SystemPrinters printers;
    overdue::Scadenze window(app::Services{full.store(), boxes, clock, navigator, printers});
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.activate();
        window.repaint();
    }
    state.counters["lines"] =
        window.findChild<QTreeView*>(QStringLiteral("ListaScadenze"))->model()->rowCount();
}
BENCHMARK(BM_OverdueWindow)->Unit(benchmark::kMillisecond);

}  // namespace
