// The start, from an unopened store of 32,766 invoices and 5,000 clients to the
// start window shown: lock, open and decrypt, core sheets, column fitting, window.
#include "app/avvio.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/session.h"
#include "bench_store.h"
#include "store/engine.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

const QTemporaryDir& fullStoreFolder() {
    static const QTemporaryDir folder;
    static const bool written = [] {
        store::Engine maker;
        const QString path = folder.filePath(QStringLiteral("Gestione.xls"));
        const QString password = QString::fromLatin1(store::kStorePassword);
        store::Workbook& book =
            maker.adopt(benchstore::makeStore(benchstore::kFullInvoices, benchstore::kFullClients),
                        path, password);
        return book.saveAs(path, password).ok();
    }();
    if (!written)
        std::abort();
    return folder;
}

void StartUpToTheStartWindow(benchmark::State& state) {
    const QString folder = fullStoreFolder().path();
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
BENCHMARK(StartUpToTheStartWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
