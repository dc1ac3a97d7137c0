// Printing on large data: the whole register list of 32,766 invoices printed to
// PDF through the windows' list printing (with its progress box), the pagination
// of a client list of 5,000 clients, and the invoice document window opening.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

#include "app/clock.h"
#include "app/list_print.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "invoices/invoice_document.h"
#include "printing/font_measure.h"
#include "printing/printer_catalogue.h"
#include "printing/sheet_painter.h"
#include "registers/invoice_form.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"
#include "support/silent_boxes.h"
#include "xls/writer.h"

namespace {

// One printer whose jobs go to a PDF file.
class PdfPrinter final : public printing::PrinterCatalogue {
  public:
    explicit PdfPrinter(QString path) : path_(std::move(path)) {}
    QStringList names() const override { return {QStringLiteral("PDF")}; }
    QString defaultName() const override { return QStringLiteral("PDF"); }
    std::unique_ptr<QPrinter> printer(const QString&) const override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path_);
        return printer;
    }

  private:
    QString path_;
};

// The register list as the entry window hands it: 17 columns, widths in pixels.
printing::PrintedList registerList(int invoices) {
    printing::PrintedList list{QStringLiteral("Elenco Fatture "),
                               QStringLiteral("Brisvel"),
                               QStringLiteral("Arial"),
                               10,
                               {},
                               {},
                               {}};
    const int twips[] = {800,  3000, 800,  900,  1500, 4000, 2000, 2000, 2000,
                         2000, 3000, 2000, 2000, 2000, 2000, 1500, 2000};
    for (int c = 0; c < 17; ++c) {
        list.columnHeadings << QStringLiteral("Colonna %1").arg(c + 1);
        list.columnWidths.push_back(twips[c] / 15);
    }
    list.rows.reserve(std::size_t(invoices));
    for (int i = 1; i <= invoices; ++i) {
        list.rows.push_back(
            {QString::number(i), QStringLiteral("STUDIO ASSOCIATO ROSSI %1").arg(i % 97),
             QString::number(i % 500), QString::number(i), QStringLiteral("05/03/2024"),
             QStringLiteral("Consulenza tecnica per la pratica numero %1").arg(i),
             QStringLiteral("1.234,50"), QStringLiteral("49,38"), QStringLiteral("1.283,88"),
             QStringLiteral("282,45"), QStringLiteral("*"), QStringLiteral("0,00"),
             QStringLiteral("1.566,33"), QStringLiteral("246,90"), QStringLiteral("1.319,43"),
             QStringLiteral("*"), QStringLiteral("Bonifico")});
    }
    return list;
}

struct Environment {
    QTemporaryDir folder;
    store::Engine engine;
    std::unique_ptr<store::WorkbookStore> store;
    bench_support::SilentBoxes boxes;
    app::SystemClock clock;
    app::Navigator navigator;
};

void registerListToPdf(benchmark::State& state) {
    Environment env;
    env.store = std::make_unique<store::WorkbookStore>(env.engine, env.folder.path());
    const QString pdf = env.folder.filePath(QStringLiteral("registro.pdf"));
    PdfPrinter printers(pdf);
    const app::Services services{*env.store, env.boxes, env.clock, env.navigator, printers};
    const printing::PrintedList list = registerList(32766);
    int pages = 0;
    for (auto _ : state)
        pages = app::printListOnDefaultPrinter(services, list).value_or(0);
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFile(pdf).size()) / 1e6;
}
BENCHMARK(registerListToPdf)->Unit(benchmark::kSecond)->Iterations(1);

void paginateClients(benchmark::State& state) {
    store::Engine engine;
    store::Workbook& book = engine.create();
    const store::Worksheet sheet = book.activeSheet();
    for (int r = 1; r <= 5001; ++r)
        for (int c = 1; c <= 16; ++c)
            expectOk(sheet.setValue(r, c, QStringLiteral("Cliente %1 campo %2").arg(r).arg(c)));
    sheet.autoFitColumns(printing::FontTextMeasure{});
    expectOk(sheet.setPrintArea(u"$P$1:$A$5001"));
    expectOk(sheet.setPrintZoom(70));
    int pages = 0;
    for (auto _ : state)
        pages = printing::SheetPainter(book.model(), sheet.model()).plan().pageCount();
    state.counters["pages"] = pages;
}
BENCHMARK(paginateClients)->Unit(benchmark::kMillisecond);

void documentWindowOpens(benchmark::State& state) {
    Environment env;
    {
        QFile form(env.folder.filePath(QStringLiteral("Fattura.xls")));
        form.open(QIODevice::WriteOnly);
        expectOk(xls::writeWorkbook(registers::makeInvoiceTemplate(), form, QString()));
    }
    {
        store::Engine maker;
        expectOk(maker.create().saveAs(env.folder.filePath(QStringLiteral("Gestione.xls")),
                                       QString::fromLatin1(store::kStorePassword)));
    }
    env.store = std::make_unique<store::WorkbookStore>(env.engine, env.folder.path());
    expectOk(env.store->open());
    PdfPrinter printers(env.folder.filePath(QStringLiteral("x.pdf")));
    const app::Services services{*env.store, env.boxes, env.clock, env.navigator, printers};
    registers::InvoiceFields invoice;
    invoice.clientName = QStringLiteral("STUDIO ROSSI");
    invoice.description = QStringLiteral("Consulenza tecnica");
    invoice.taxable = QStringLiteral("1.234,50");
    for (auto _ : state) {
        auto* window = invoices::showInvoiceDocument(services, env.folder.path(), invoice);
        window->repaint();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(documentWindowOpens)->Unit(benchmark::kMillisecond);

}  // namespace
