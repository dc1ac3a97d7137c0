// The entry window on a full register of 32,766 invoices: the register list filled
// and shown ("Seleziona"); one registration, with the save of the store that puts it
// on disk before "Fattura Registrata" shows; and a save point that finds nothing new.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "app/clock.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "invoices/entrata.h"
#include "printing/printer_catalogue.h"
#include "registers/client_sheet.h"
#include "registers/core_sheets.h"
#include "registers/invoice_register.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"

namespace {

constexpr int kInvoices = 32766;

// Answers Yes to the question and OK to every notice.
class YesBoxes final : public app::MessageBoxes {
  public:
    app::Answer message(const app::Message& m) override {
        return m.buttons == app::Buttons::YesNo ? app::Answer::Yes : app::Answer::Ok;
    }
    std::optional<QString> input(const app::InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const app::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const app::FileRequest&) override { return std::nullopt; }
};

class FullRegister {
  public:
    FullRegister() {
        {
            store::Engine maker;
            expectOk(maker.create().saveAs(folder_.filePath(QStringLiteral("Gestione.xls")),
                                           QString::fromLatin1(store::kStorePassword)));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        registers::prepareCoreSheets(*store_);
        registers::ClientSheet clients(*store_->workbook().sheet(store::kClientsSheet));
        registers::ClientRecord client;
        client[registers::client::Name] = QStringLiteral("ROSSI MARIO");
        expectOk(clients.add(client));
        registers::InvoiceRegister book(*store_->workbook().sheet(store::kInvoicesSheet));
        using namespace registers::invoice;
        for (int i = 1; i <= kInvoices; ++i) {
            registers::InvoiceRecord r;
            r[Id] = QString::number(i);
            r[Client] = QStringLiteral("CLIENTE %1 SRL").arg(i % 500);
            r[ClientId] = QString::number(i % 500 + 1);
            r[Number] = QString::number(i);
            r[Date] = QStringLiteral("07/03/2024");
            r[Description] = QStringLiteral("Consulenza professionale del mese");
            r[Taxable] = QStringLiteral("1.000,00");
            r[Surcharge] = QStringLiteral("40,00");
            r[TotalTaxable] = QStringLiteral("1.040,00");
            r[Vat] = QStringLiteral("228,80");
            r[Exemption] = QStringLiteral("*");
            r[ExemptAmount] = QStringLiteral("0");
            r[Total] = QStringLiteral("1.268,80");
            r[Withholding] = QStringLiteral("200,00");
            r[Net] = QStringLiteral("1.068,80");
            r[PaidBy] = QStringLiteral("Bonifico");
            expectOk(book.append(r));
        }
        window_ = std::make_unique<invoices::Entrata>(
            app::Services{*store_, boxes_, clock_, navigator_, printers_});
        window_->show();
        window_->activate();
    }

    invoices::Entrata& window() { return *window_; }
    store::Worksheet sheet() { return *store_->workbook().sheet(store::kInvoicesSheet); }
    store::WorkbookStore& store() { return *store_; }

  private:
    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
    YesBoxes boxes_;
    app::SystemClock clock_;
    app::Navigator navigator_;
    printing::SystemPrinters printers_;
    std::unique_ptr<invoices::Entrata> window_;
};

// A control of the window by its object name.
template <class T>
T* control(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

void BM_ShowRegisterList(benchmark::State& state) {
    FullRegister data;
    invoices::Entrata& w = data.window();
    auto* select = control<controls::XPButton>(w, "XPButton3");
    auto* list = control<QTreeView>(w, "ListView3");
    for (auto _ : state) {
        select->click();
        // Laid out and painted, as the user sees it.
        list->viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["lines"] = list->model()->rowCount();
}
BENCHMARK(BM_ShowRegisterList)->Unit(benchmark::kMillisecond);

void BM_RegisterAnInvoice(benchmark::State& state) {
    FullRegister data;
    invoices::Entrata& w = data.window();
    auto* client = control<QComboBox>(w, "Combo1");
    for (auto _ : state) {
        state.PauseTiming();
        client->setCurrentIndex(0);
        emit client->activated(0);
        control<QLineEdit>(w, "Text2")->setText(QStringLiteral("07/03/2024"));
        control<QPlainTextEdit>(w, "Text15")->setPlainText(QStringLiteral("Consulenza"));
        // The taxable amount and the totals it gives with no rate chosen.
        for (const char* amount : {"Text9", "Text5", "Text8", "Text4"})
            control<QLineEdit>(w, amount)->setText(QStringLiteral("1.000,00"));
        state.ResumeTiming();
        control<controls::XPButton>(w, "XPButton4")->click();
    }
    state.counters["rows"] = registers::InvoiceRegister(data.sheet()).rowCount();
}
// The save may work on more than one thread: CPU time counts them all.
BENCHMARK(BM_RegisterAnInvoice)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30)
    ->MeasureProcessCPUTime();

void BM_SavePointWithNothingNew(benchmark::State& state) {
    FullRegister data;
    expectOk(data.store().saveStore());
    for (auto _ : state)
        expectOk(data.store().saveStore());
}
BENCHMARK(BM_SavePointWithNothingNew)->Unit(benchmark::kMicrosecond);

}  // namespace
