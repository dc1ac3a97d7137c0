// The workbook codec on stores of 1,000, 10,000 and 32,766 invoices: opening
// (read, decrypt, parse), writing (serialise, encrypt) and a whole copy through
// files, as a save of the store does.

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

#include "bench_store.h"
#include "store/workbook_store.h"
#include "xls/reader.h"
#include "xls/writer.h"

namespace {

const QString kPassword = QString::fromLatin1(store::kStorePassword);

// Clients grow with the register, up to the full store's 5,000.
int clientsFor(int invoices) {
    return std::min(benchstore::kFullClients, invoices / 6 + 1);
}

// The encrypted store of `invoices` invoices, on disk, made once per size.
const QString& storeFile(int invoices) {
    static QTemporaryDir folder;
    static std::map<int, QString> files;
    auto it = files.find(invoices);
    if (it != files.end())
        return it->second;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("store-%1.xls").arg(invoices));
    const auto bytes =
        xls::writeWorkbook(benchstore::makeStore(invoices, clientsFor(invoices)), kPassword);
    QFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()) {
        std::fprintf(stderr, "cannot make the benchmark store\n");
        std::abort();
    }
    return files.emplace(invoices, path).first->second;
}

void BM_Open(benchmark::State& state) {
    const QString& path = storeFile(int(state.range(0)));
    for (auto _ : state) {
        auto wb = xls::readWorkbookFile(path, kPassword);
        if (!wb)
            state.SkipWithError(qPrintable(wb.error().message));
        benchmark::DoNotOptimize(wb);
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}

void BM_Write(benchmark::State& state) {
    const auto wb = xls::readWorkbookFile(storeFile(int(state.range(0))), kPassword);
    if (!wb) {
        state.SkipWithError(qPrintable(wb.error().message));
        return;
    }
    const QString password = state.range(1) ? kPassword : QString();
    for (auto _ : state) {
        auto bytes = xls::writeWorkbook(*wb, password);
        benchmark::DoNotOptimize(bytes);
    }
}

// What `brisvel-xls copy` and a save of the store do: file in, file out.
void BM_Copy(benchmark::State& state) {
    const QString& path = storeFile(int(state.range(0)));
    QTemporaryDir out;
    const QString target = QDir(out.path()).filePath(QStringLiteral("copy.xls"));
    for (auto _ : state) {
        auto wb = xls::readWorkbookFile(path, kPassword);
        QSaveFile file(target);
        if (!wb || !file.open(QIODevice::WriteOnly) || !xls::writeWorkbook(*wb, file, kPassword) ||
            !file.commit()) {
            state.SkipWithError("copy failed");
        }
    }
}

}  // namespace

BENCHMARK(BM_Open)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(benchstore::kFullInvoices)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({benchstore::kFullInvoices, 0})
    ->Args({benchstore::kFullInvoices, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(benchstore::kFullInvoices)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
