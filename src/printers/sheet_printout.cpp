#include "printers/sheet_printout.h"

#include <QDir>
#include <QPrinter>

#include <memory>
#include <optional>

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/save_dialog.h"
#include "app/services.h"
#include "printers/stampa_p.h"
#include "printing/printer_catalogue.h"
#include "printing/sheet_painter.h"
#include "registers/cell_writes.h"
#include "store/address.h"
#include "store/range.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace printers {

namespace {

using app::Icon;

// The page counters of row 1: the page asked for and the number of pages.
constexpr int kPageColumn = store::columnOf("AU");
constexpr int kPagesColumn = store::columnOf("AV");

// Where the confirmed pages go: a new job on the chosen printer for each page,
// or one PDF file for all of them.
class PageSink {
  public:
    PageSink(const app::Services& services, const QString& chosen, const xls::Workbook& book,
             const xls::Sheet& sheet, const store::PagePlan& plan)
        : services_(services), chosen_(chosen), book_(book), sheet_(sheet), plan_(plan) {}

    // False when the printout cannot go on (no PDF file named).
    bool print(int index) {
        if (chosen_ == StampaP::pdfItem()) {
            return printToPdf(index);
        }
        std::unique_ptr<QPrinter> printer = services_.printers.printer(chosen_);
        if (!printer) {
            tellFailure(QStringLiteral("La stampante \"%1\" non è disponibile.").arg(chosen_));
            return true;
        }
        printing::SheetPrintJob job(book_, sheet_, plan_, *printer, services_.clock.today());
        const auto printed = job.printPage(index);
        if (!printed.ok()) {
            tellFailure(printed.error().message);
            return true;
        }
        const auto sent = job.finish();
        if (!sent.ok()) {
            tellFailure(sent.error().message);
        }
        return true;
    }

    void finish() {
        if (pdfJob_) {
            const auto sent = pdfJob_->finish();
            if (!sent.ok()) {
                tellFailure(sent.error().message);
            }
            pdfJob_.reset();
        }
    }

  private:
    bool printToPdf(int index) {
        if (!pdfJob_) {
            const auto path = app::chooseSavePath(services_.boxes,
                                                  {QStringLiteral("Salva la stampa in PDF"),
                                                   QDir::homePath(), QStringLiteral("PDF (*.pdf)")},
                                                  app::kPdfSuffix);
            if (!path) {
                return false;
            }
            pdfPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            pdfPrinter_->setOutputFormat(QPrinter::PdfFormat);
            pdfPrinter_->setOutputFileName(*path);
            pdfJob_ = std::make_unique<printing::SheetPrintJob>(book_, sheet_, plan_, *pdfPrinter_,
                                                                services_.clock.today());
        }
        const auto printed = pdfJob_->printPage(index);
        if (!printed.ok()) {
            tellFailure(printed.error().message);
        }
        return true;
    }

    // A page that did not print is said, and the printout goes on.
    void tellFailure(const QString& message) {
        services_.boxes.tell(message, app::title::kProgram, Icon::Critical);
    }

    const app::Services& services_;
    QString chosen_;
    const xls::Workbook& book_;
    const xls::Sheet& sheet_;
    const store::PagePlan& plan_;
    std::unique_ptr<QPrinter> pdfPrinter_;
    std::unique_ptr<printing::SheetPrintJob> pdfJob_;
};

// The zoom typed into the box: a whole percent, with or without its sign ("80",
// "80 %"); none for a text that is no number.
std::optional<int> typedZoom(const QString& answer) {
    QString text = answer.trimmed();
    if (text.endsWith(u'%')) {
        text.chop(1);
    }
    bool isNumber = false;
    const int zoom = text.trimmed().toInt(&isNumber);
    return isNumber ? std::optional<int>(zoom) : std::nullopt;
}

void setPageCounters(const store::Worksheet& sheet, int page, int pages) {
    registers::expectWritten(sheet.setNumber(1, kPageColumn, page));
    registers::expectWritten(sheet.setNumber(1, kPagesColumn, pages));
}

}  // namespace

void runSheetPrintout(const app::Services& services, StampaP& window,
                      const SheetPrintout& printout) {
    // Told before any question, so no page is asked for that could never print.
    const QString chosen = window.chosenPrinter();
    if (chosen != StampaP::pdfItem() && !services.printers.names().contains(chosen)) {
        services.boxes.tell(
            QStringLiteral("Nessuna stampante scelta: seleziona una stampante dall'elenco."),
            app::title::kGestioneBlankAfter, Icon::Information);
        return;
    }
    auto found = services.store.workbook().sheet(printout.sheet);
    if (!found.ok()) {
        services.boxes.tell(found.error().message, app::title::kProgram, Icon::Critical);
        return;
    }
    // "Annulla" on the zoom ends the printout before anything of the sheet changes.
    const std::optional<QString> zoomAnswer =
        services.boxes.input({QStringLiteral("Digita la percentuale di Zoom della Stampa "
                                             "50-60-70-80-90-100.................."),
                              app::title::kGestioneBlankAfter, QStringLiteral("70")});
    if (!zoomAnswer)
        return;
    const std::optional<int> zoom = typedZoom(*zoomAnswer);
    const store::Worksheet sheet = *found;
    sheet.select();
    if (auto counters = sheet.range(QStringLiteral("AU1:AV1")); counters.ok()) {
        counters->clearContents();
    }

    const bool portrait = services.boxes.askYesNo(
        QStringLiteral(" Vuoi la Stampa Verticale "
                       "?........................................................."),
        app::title::kProgram);

    // The page set-up, in the order a spreadsheet is given it.
    // The area is written from its top-right corner to the last cell of column A.
    const auto cellAddress = [](int row, int column) {
        return store::addressText({row - 1, row - 1, column - 1, column - 1});
    };
    registers::expectWritten(sheet.setPrintArea(cellAddress(1, printout.lastColumn) + u':' +
                                                cellAddress(printout.lastRow, 1)));
    sheet.setCenterHeader(printout.headerTitle + QStringLiteral("------") +
                          QStringLiteral(" del     ") +
                          services.clock.today().toString(QStringLiteral("dd/MM/yyyy")));
    xls::PageSetup& setup = sheet.pageSetup();
    setup.leftMargin = 0.21;
    setup.rightMargin = 0.21;
    setup.topMargin = 0.5;
    setup.bottomMargin = 0.21;
    setup.headerMargin = 0.21;
    setup.footerMargin = 0.21;
    setup.printGridlines = true;
    setup.landscape = !portrait;
    setup.paperSize = 9;
    // The list prints at a zoom, never shrunk onto one page: the zoom typed or,
    // when none is usable (a text, a zoom out of range), the
    // zoom the sheet had.
    setup.fitToPage = false;
    if (zoom) {
        (void)sheet.setPrintZoom(*zoom).ok();
    }

    const xls::Workbook& book = services.store.workbook().model();
    const printing::SheetPainter painter(book, sheet.model());
    const store::PagePlan plan = painter.plan();
    const int pages = plan.pageCount();
    PageSink sink(services, chosen, book, sheet.model(), plan);
    for (int page = 1; page <= pages; ++page) {
        setPageCounters(sheet, page, pages);
        const bool wanted = services.boxes.askYesNo(
            QStringLiteral("Vuoi Procedere alla stampa   ? ") + QStringLiteral(" Pagine     ") +
                sheet.text(1, kPageColumn) + QStringLiteral("    di    ") +
                sheet.text(1, kPagesColumn),
            app::title::kPrintResult);
        if (!wanted || !sink.print(page - 1)) {
            sink.finish();
            return;
        }
    }
    sink.finish();
    window.hide();
}

}  // namespace printers
