// A year's figures on the full register of 32,766 invoices, eleven years of them:
// every row is read for its dates, the year's ones for their amounts.
#include <benchmark/benchmark.h>

#include "registers/year_figures.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"
#include "xls/bench_store.h"

namespace {

store::Worksheet fullRegister(store::Engine& engine) {
    store::Workbook& book =
        engine.adopt(benchstore::makeStore(benchstore::kFullInvoices, benchstore::kFullClients),
                     QStringLiteral("Gestione.xls"), QString());
    return book.ensureSheet(store::kInvoicesSheet);
}

void BM_YearFigures(benchmark::State& state) {
    store::Engine engine;
    const store::Worksheet invoices = fullRegister(engine);
    registers::YearFigures figures;
    for (auto _ : state) {
        figures = registers::yearFigures(invoices, 2012);
        benchmark::DoNotOptimize(figures);
    }
    state.counters["invoices"] = figures.invoices;
    state.counters["collected"] = figures.collectedInvoices;
}
BENCHMARK(BM_YearFigures)->Unit(benchmark::kMillisecond);

void BM_RegisterYears(benchmark::State& state) {
    store::Engine engine;
    const store::Worksheet invoices = fullRegister(engine);
    std::vector<int> years;
    for (auto _ : state) {
        years = registers::registerYears(invoices, 2026);
        benchmark::DoNotOptimize(years);
    }
    state.counters["years"] = double(years.size());
}
BENCHMARK(BM_RegisterYears)->Unit(benchmark::kMillisecond);

}  // namespace
