// The store's walks on a full-size register, and the client sort.
#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"

namespace {

constexpr int kInvoices = 32766;
constexpr int kClients = 5000;

// A register of 32,766 invoices (rows 2..32767, columns A..Q), written to disk
// encrypted and opened again through the store, as the program finds it.
class InvoiceStore {
  public:
    InvoiceStore() {
        {
            store::Engine maker;
            store::Workbook& book = maker.create();
            const store::Worksheet sheet = book.activeSheet();
            expectOk(sheet.setName(QStringLiteral("Fatture")));
            const char* headers[] = {"ID",           "Cliente",    "ID Cliente",
                                     "N.Fatt.",      "Data",       "Descrizione",
                                     "Importo",      "INPS/Cassa", "Totale Imp.",
                                     "IVA",          "Esenzione",  "Importo Esenzione",
                                     "Totale Fatt.", "Ritenuta",   "Netto",
                                     "Incasso",      "Tramite"};
            for (int c = 0; c < 17; ++c)
                expectOk(sheet.setValue(1, c + 1, QString::fromUtf8(headers[c])));
            for (int i = 1; i <= kInvoices; ++i) {
                const int r = i + 1;
                expectOk(sheet.setNumber(r, 1, i));
                expectOk(sheet.setValue(r, 2, QStringLiteral("CLIENTE %1 SRL").arg(i % 700)));
                expectOk(sheet.setNumber(r, 3, i % 700));
                expectOk(sheet.setNumber(r, 4, i));
                expectOk(sheet.setValue(
                    r, 5,
                    QDate(2009, 1, 1).addDays(i % 3000).toString(QStringLiteral("dd/MM/yyyy"))));
                expectOk(sheet.setValue(r, 6, QStringLiteral("Consulenza professionale")));
                for (int c = 7; c <= 15; ++c)
                    expectOk(sheet.setValue(r, c, QStringLiteral("1.234,50")));
                expectOk(sheet.setValue(
                    r, 16, i % 3 ? QStringLiteral("*") : QStringLiteral("07/03/2010")));
                expectOk(sheet.setValue(r, 17, QStringLiteral("Bonifico")));
            }
            expectOk(store::setCounter(sheet, store::columnOf("IU"), kInvoices + 1));
            expectOk(store::setCounter(sheet, store::columnOf("IV"), kInvoices + 1));
            expectOk(book.saveAs(folder.filePath(QStringLiteral("Gestione.xls")),
                                 QString::fromLatin1(store::kStorePassword)));
        }
        gestione.emplace(engine, folder.path());
        if (!gestione->open().ok())
            std::abort();
        sheet.emplace(gestione->ensureSheet(QStringLiteral("Fatture")));
    }

    QTemporaryDir folder;
    store::Engine engine;
    std::optional<store::WorkbookStore> gestione;
    std::optional<store::Worksheet> sheet;
};

InvoiceStore& invoices() {
    static InvoiceStore s;
    return s;
}

void BM_FirstFreeRow(benchmark::State& state) {
    const store::Worksheet sheet = *invoices().sheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(store::firstFreeRow(sheet, 1));
    if (store::firstFreeRow(sheet, 1) != kInvoices + 2)
        state.SkipWithError("wrong free row");
}
BENCHMARK(BM_FirstFreeRow)->Unit(benchmark::kMicrosecond);

void BM_ListWalkValues(benchmark::State& state) {
    const store::Worksheet sheet = *invoices().sheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(store::listValues(sheet, 16, 2));
}
BENCHMARK(BM_ListWalkValues)->Unit(benchmark::kMicrosecond);

void BM_ListWalkTexts(benchmark::State& state) {
    const store::Worksheet sheet = *invoices().sheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(store::listTexts(sheet, 2, 2));
}
BENCHMARK(BM_ListWalkTexts)->Unit(benchmark::kMicrosecond);

void BM_RecordMatchLastRow(benchmark::State& state) {
    const store::Worksheet sheet = *invoices().sheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(store::findRowByNumber(sheet, 1, kInvoices));
    if (store::findRowByNumber(sheet, 1, kInvoices) != kInvoices + 1)
        state.SkipWithError("wrong match");
}
BENCHMARK(BM_RecordMatchLastRow)->Unit(benchmark::kMicrosecond);

void BM_RecordMatchTextLastRow(benchmark::State& state) {
    const store::Worksheet sheet = *invoices().sheet;
    const QString key = QStringLiteral("%1").arg(kInvoices);
    for (auto _ : state)
        benchmark::DoNotOptimize(store::findRow(sheet, 4, key));
}
BENCHMARK(BM_RecordMatchTextLastRow)->Unit(benchmark::kMicrosecond);

// 5,000 clients of 16 columns in random name order, sorted by name.
void BM_SortClients(benchmark::State& state) {
    store::Engine engine;
    const store::Worksheet sheet = engine.create().activeSheet();
    std::mt19937 random(7);
    const QStringList surnames = {"Rossi",    "bianchi", "ALFA",    "Èrcole", "Verdi",
                                  "esposito", "Ricci",   "Marino",  "Greco",  "Bruno",
                                  "Gallo",    "Conti",   "De Luca", "Mancini"};
    for (int r = 2; r <= kClients + 1; ++r) {
        expectOk(sheet.setNumber(r, 1, r - 1));
        expectOk(sheet.setValue(r, 2,
                                surnames[int(random() % surnames.size())] +
                                    QStringLiteral(" %1").arg(random() % 100000)));
        for (int c = 3; c <= 16; ++c)
            expectOk(sheet.setIdentifier(r, c, QStringLiteral("campo %1/%2").arg(r).arg(c)));
    }
    const xls::Sheet unsorted = sheet.model();
    const store::Range clients = *sheet.range(u"A2:P65536");
    for (auto _ : state) {
        state.PauseTiming();
        sheet.model() = unsorted;
        state.ResumeTiming();
        clients.sort(2);
    }
}
BENCHMARK(BM_SortClients)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
