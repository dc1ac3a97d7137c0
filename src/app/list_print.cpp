#include "app/list_print.h"

#include <QDir>
#include <QPageSize>
#include <QPrinter>

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/job_progress.h"
#include "app/message_boxes.h"
#include "app/save_dialog.h"
#include "app/services.h"
#include "printing/printer_catalogue.h"

namespace app {

std::unique_ptr<QPrinter> pdfFileChosen(const Services& services, const QString& title) {
    const auto path = chooseSavePath(
        services.boxes, {title, QDir::homePath(), QStringLiteral("PDF (*.pdf)")}, kPdfSuffix);
    if (!path) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setOutputFileName(*path);
    return printer;
}

std::unique_ptr<QPrinter> defaultPrinterOrPdf(const Services& services) {
    const printing::PrinterCatalogue& printers = services.printers;
    QString name = printers.defaultName();
    if (name.isEmpty() && !printers.names().isEmpty()) {
        name = printers.names().first();
    }
    if (name.isEmpty()) {
        // With no printer installed the pages go to a PDF file the user names.
        if (!services.boxes.askYesNo(QStringLiteral("Nel sistema non è installata alcuna "
                                                    "stampante.\n"
                                                    "Vuoi salvare la stampa in un file PDF?"),
                                     app::title::kProgram, Icon::Question)) {
            return nullptr;
        }
        return pdfFileChosen(services, QStringLiteral("Salva la stampa in PDF"));
    }
    std::unique_ptr<QPrinter> printer = printers.printer(name);
    if (!printer) {
        services.boxes.tell(QStringLiteral("La stampante \"%1\" non è disponibile.").arg(name),
                            app::title::kProgram, Icon::Critical);
    }
    return printer;
}

std::optional<int> printListOnDefaultPrinter(const Services& services,
                                             const printing::PrintedList& list, QWidget* parent) {
    std::unique_ptr<QPrinter> printer = defaultPrinterOrPdf(services);
    if (!printer) {
        return std::nullopt;
    }

    const int rows = static_cast<int>(list.rows.size());
    JobProgress progress(QStringLiteral("Stampa in corso..."), app::title::kProgram, rows, parent);
    const auto printed =
        printing::printList(list, *printer, services.clock.now(),
                            [&](int, int rowsDone) { return progress.step(rowsDone, rows); });
    const bool cancelled = progress.cancelled();
    progress.close();
    if (!printed.ok()) {
        if (!cancelled) {
            services.boxes.tell(printed.error().message, app::title::kProgram, Icon::Critical);
        }
        return std::nullopt;
    }
    return *printed;
}

}  // namespace app
