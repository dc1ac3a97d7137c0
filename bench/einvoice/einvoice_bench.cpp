// Exporting 1,000 registered invoices at once as FatturaPA files: reading the
// register and the sources, the checks, the XML and the files, into a fresh folder.
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

#include "fatturapa/einvoice_export.h"
#include "registers/client_sheet.h"
#include "registers/core_sheets.h"
#include "registers/einvoice_codes.h"
#include "registers/settings_lists.h"
#include "registers/user_data.h"
#include "store/engine.h"
#include "store/workbook_store.h"
#include "support/expect_ok.h"

namespace {

constexpr int kInvoices = 1000;

class ExportStore {
  public:
    ExportStore() {
        {
            store::Engine maker;
            expectOk(maker.create().saveAs(folder_.filePath(QStringLiteral("Gestione.xls")),
                                           QString::fromLatin1(store::kStorePassword)));
        }
        store_.emplace(engine_, folder_.path());
        expectOk(store_->open());
        registers::prepareCoreSheets(*store_);
        registers::prepareEinvoiceCodesSheet(*store_);
        fill();
    }

    store::Workbook& book() { return store_->workbook(); }
    std::vector<int> rows() const {
        std::vector<int> out;
        for (int row = 2; row < 2 + kInvoices; ++row)
            out.push_back(row);
        return out;
    }
    QString folder() const { return folder_.path(); }

  private:
    void fill() {
        store::Workbook& b = book();
        registers::writeUserData(
            *registers::userSheet(b),
            {"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "MILANO", "MI", "20121", "BNCLGU70A01H501Y",
             "12345678903", "", "", "IT60X0542811101000000123456"});
        const store::Worksheet settings = *registers::settingsSheet(b);
        expectOk(registers::insertItem(settings, registers::kInpsColumn, "4"));
        expectOk(registers::insertItem(settings, registers::kVatColumn, "22"));
        expectOk(registers::insertItem(settings, registers::kWithholdingColumn, "20"));
        expectOk(registers::insertItem(settings, registers::kPaymentColumn, "Bonifico"));
        // The surcharge item's fund is one the user sets: no item has one by default.
        registers::EinvoiceCodes(*registers::einvoiceCodesSheet(b))
            .setCodes(registers::CodedList::Cassa, "4", {registers::kInpsSeparateScheme, {}});
        registers::ClientSheet clients(*b.sheet(store::kClientsSheet));
        for (int i = 0; i < 50; ++i) {
            registers::ClientRecord c;
            c[registers::client::Name] = QStringLiteral("CLIENTE %1 SRL").arg(i);
            c[registers::client::Address] = QStringLiteral("VIA VERDI %1").arg(i);
            c[registers::client::PostalCode] = QStringLiteral("00185");
            c[registers::client::Town] = QStringLiteral("ROMA");
            c[registers::client::Province] = QStringLiteral("RM");
            c[registers::client::VatNumber] = QStringLiteral("01234567897");
            (void)clients.add(c);
        }
        const store::Worksheet invoices = *b.sheet(store::kInvoicesSheet);
        for (int i = 0; i < kInvoices; ++i) {
            const int row = i + 2;
            const QStringList cells = {QString::number(i + 1),
                                       QStringLiteral("CLIENTE %1 SRL").arg(i % 50),
                                       QString::number(i % 50 + 1),
                                       QString::number(i + 1),
                                       "03/02/2025",
                                       "Consulenza tecnica",
                                       "1.000,00",
                                       "40,00",
                                       "1.040,00",
                                       "228,80",
                                       "*",
                                       "0",
                                       "1.268,80",
                                       "200,00",
                                       "1.068,80",
                                       "*",
                                       "Bonifico"};
            for (int c = 0; c < cells.size(); ++c)
                expectOk(invoices.setValue(row, c + 1, cells[c]));
        }
    }

    QTemporaryDir folder_;
    store::Engine engine_;
    std::optional<store::WorkbookStore> store_;
};

void BM_ExportThousandInvoices(benchmark::State& state) {
    ExportStore data;
    const std::vector<int> rows = data.rows();
    int run = 0;
    for (auto _ : state) {
        const QString out = QDir(data.folder()).filePath(QStringLiteral("out%1").arg(run++));
        const auto outcome = fatturapa::exportInvoices(data.book(), rows, out, QDate(2025, 2, 3));
        expectOk(outcome);
        if (outcome->written.size() != kInvoices || !outcome->refusals.empty()) {
            state.SkipWithError("not every invoice was written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kInvoices);
}
BENCHMARK(BM_ExportThousandInvoices)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
