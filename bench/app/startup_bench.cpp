// The start, from an unopened store to the start window shown: lock, open and
// decrypt, core sheets, column fitting, window; the empty store against the full
// one of 32,766 invoices and 5,000 clients, in the same run. And the end: the full
// store saved and closed.
#include "app/avvio.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/session.h"
#include "bench_store.h"
#include "store/engine.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <optional>

namespace {

// A full store never prompts; any prompt means the start did not go through.
class NoPrompts final : public app::MessageBoxes {
  public:
    app::Answer message(const app::Message&) override {
        ++prompts;
        return app::Answer::Ok;
    }
    std::optional<QString> input(const app::InputRequest&) override { return countNone(); }
    std::optional<QString> openFile(const app::FileRequest&) override { return countNone(); }
    std::optional<QString> saveFile(const app::FileRequest&) override { return countNone(); }
    int prompts = 0;

  private:
    std::optional<QString> countNone() {
        ++prompts;
        return std::nullopt;
    }
};

// A folder with a store of `invoices` invoices (and clients to match), made once.
QString storeFolder(int invoices) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& folder = folders[invoices];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        store::Engine maker;
        const QString path = folder->filePath(QStringLiteral("Gestione.xls"));
        const QString password = QString::fromLatin1(store::kStorePassword);
        const int clients = invoices == 0 ? 0 : benchstore::kFullClients;
        store::Workbook& book =
            maker.adopt(benchstore::makeStore(invoices, clients), path, password);
        if (!book.saveAs(path, password).ok())
            std::abort();
    }
    return folder->path();
}

void StartUpToTheStartWindow(benchmark::State& state) {
    const QString folder = storeFolder(int(state.range(0)));
    NoPrompts boxes;
    app::Navigator navigator;
    for (auto _ : state) {
        std::optional<app::Session> session;
        session.emplace(folder);
        if (session->start(boxes) != app::StartOutcome::Ready || boxes.prompts != 0) {
            state.SkipWithError("the start did not reach the start window");
            break;
        }
        app::Avvio window(navigator, [] { return true; });
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.hide();
        session.reset();  // closes the store unsaved and releases its lock
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToTheStartWindow)
    ->Arg(0)
    ->Arg(benchstore::kFullInvoices)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// "Chiudi" on the full store: saved (written, enciphered, flushed to disk,
// renamed over the old file), closed, its lock released.
void CloseAndSaveTheFullStore(benchmark::State& state) {
    const QString folder = storeFolder(benchstore::kFullInvoices);
    NoPrompts boxes;
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<app::Session> session;
        session.emplace(folder);
        if (session->start(boxes) != app::StartOutcome::Ready) {
            state.SkipWithError("the start did not reach the start window");
            break;
        }
        state.ResumeTiming();
        if (!session->shutDown(boxes) || boxes.prompts != 0) {
            state.SkipWithError("the store was not saved");
            break;
        }
    }
}
BENCHMARK(CloseAndSaveTheFullStore)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
