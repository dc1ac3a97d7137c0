// The client window on a registry of 5,000 clients: loading the selection list
// (the window's activation) and "Visualizza" (sort, then fill the list view).
#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <random>

#include "app/clock.h"
#include "app/controls_factory.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "clients/anagrafe.h"
#include "clients/client_list_view.h"
#include "controls/xpbutton.h"
#include "printing/printer_catalogue.h"
#include "registers/client_sheet.h"
#include "registers/core_sheets.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"
#include "support/silent_boxes.h"

namespace {

constexpr int kClients = 5000;

// A client window on a store of 5,000 clients. Each benchmark makes its own, so
// that no widget outlives the application.
class ClientWindow {
  public:
    ClientWindow() {
        {
            store::Engine maker;
            store::Workbook& book = maker.create();
            expectOk(book.activeSheet().setName(store::kClientsSheet));
            expectOk(book.saveAs(folder_.filePath(QStringLiteral("Gestione.xls")),
                                 QString::fromLatin1(store::kStorePassword)));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        fill();
        window_ = std::make_unique<clients::Anagrafe>(
            app::Services{*store_, boxes_, clock_, navigator_, printers_});
        window_->show();
    }

    // Client rows 2..5001 in random name order, every column filled.
    void fill() {
        const store::Worksheet sheet = *store_->workbook().sheet(store::kClientsSheet);
        std::mt19937 random(7);
        for (int i = 1; i <= kClients; ++i) {
            const int r = i + 1;
            expectOk(sheet.setNumber(r, registers::client::Id, i));
            expectOk(sheet.setIdentifier(r, registers::client::Name,
                                         QStringLiteral("CLIENTE %1 SRL").arg(random() % 100000)));
            expectOk(sheet.setValue(r, registers::client::Date, QStringLiteral("07/03/2009")));
            expectOk(sheet.setIdentifier(r, registers::client::Address,
                                         QStringLiteral("VIA ROMA %1").arg(i)));
            expectOk(
                sheet.setIdentifier(r, registers::client::PostalCode, QStringLiteral("00185")));
            expectOk(sheet.setIdentifier(r, registers::client::Town, QStringLiteral("ROMA")));
            expectOk(sheet.setIdentifier(r, registers::client::Province, QStringLiteral("RM")));
            for (int c = registers::client::Phone; c <= registers::client::Notes; ++c)
                expectOk(sheet.setIdentifier(r, c, QStringLiteral("0612345%1").arg(i)));
        }
    }

    clients::Anagrafe& window() { return *window_; }
    registers::ClientSheet sheet() {
        return registers::ClientSheet(*store_->workbook().sheet(store::kClientsSheet));
    }
    controls::XPButton* button(const char* name) {
        return window_->findChild<controls::XPButton*>(QString::fromLatin1(name));
    }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
    bench_support::SilentBoxes boxes_;
    app::SystemClock clock_;
    app::Navigator navigator_;
    printing::SystemPrinters printers_;
    std::unique_ptr<clients::Anagrafe> window_;
};

void BM_LoadSelectionList(benchmark::State& state) {
    ClientWindow window;
    for (auto _ : state)
        window.window().activate();
}
BENCHMARK(BM_LoadSelectionList)->Unit(benchmark::kMillisecond);

void BM_ShowSortedClientList(benchmark::State& state) {
    ClientWindow window;
    controls::XPButton* show = window.button("XPButton7");
    for (auto _ : state) {
        state.PauseTiming();
        window.fill();  // unsorted again
        state.ResumeTiming();
        show->click();
    }
    state.counters["items"] =
        window.window().findChild<QTreeWidget*>(QStringLiteral("ListView3"))->topLevelItemCount();
}
BENCHMARK(BM_ShowSortedClientList)->Unit(benchmark::kMillisecond);

// The parts of "Visualizza", one by one.
void BM_SortClients(benchmark::State& state) {
    ClientWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.fill();
        state.ResumeTiming();
        window.sheet().sortByName();
    }
}
BENCHMARK(BM_SortClients)->Unit(benchmark::kMillisecond);

void BM_ReadClientRows(benchmark::State& state) {
    ClientWindow window;
    for (auto _ : state)
        benchmark::DoNotOptimize(window.sheet().rows());
}
BENCHMARK(BM_ReadClientRows)->Unit(benchmark::kMillisecond);

void BM_FillListView(benchmark::State& state) {
    ClientWindow window;
    const std::vector<registers::ClientRecord> rows = window.sheet().rows();
    const QStringList headers = window.sheet().headers();
    QTreeWidget view;
    app::prepareReportList(&view);
    view.show();
    for (auto _ : state) {
        clients::setClientListHeaders(&view, headers);
        clients::addClientItems(&view, rows);
    }
}
BENCHMARK(BM_FillListView)->Unit(benchmark::kMillisecond);

}  // namespace
