#include "app/list_print.h"

#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QProgressDialog>

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "printing/printer_catalogue.h"

namespace app {

namespace {

// With no printer installed the pages go to a PDF file the user names.
std::unique_ptr<QPrinter> pdfInstead(MessageBoxes& boxes) {
    if (!boxes.askYesNo(QStringLiteral("Nel sistema non è installata alcuna stampante.\n"
                                       "Vuoi salvare la stampa in un file PDF?"),
                        app::title::kProgram, Icon::Question)) {
        return nullptr;
    }
    const auto path = boxes.saveFile({QStringLiteral("Salva la stampa in PDF"), QDir::homePath(),
                                      QStringLiteral("PDF (*.pdf)")});
    if (!path) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setOutputFileName(path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                                   ? *path
                                   : *path + QStringLiteral(".pdf"));
    return printer;
}

}  // namespace

std::optional<int> printListOnDefaultPrinter(const Services& services,
                                             const printing::PrintedList& list, QWidget* parent) {
    const printing::PrinterCatalogue& printers = services.printers;
    QString name = printers.defaultName();
    if (name.isEmpty() && !printers.names().isEmpty()) {
        name = printers.names().first();
    }
    std::unique_ptr<QPrinter> printer =
        name.isEmpty() ? pdfInstead(services.boxes) : printers.printer(name);
    if (!printer) {
        if (!name.isEmpty()) {
            services.boxes.tell(QStringLiteral("La stampante \"%1\" non è disponibile.").arg(name),
                                app::title::kProgram, Icon::Critical);
        }
        return std::nullopt;
    }

    QProgressDialog progress(QStringLiteral("Stampa in corso..."), QStringLiteral("Annulla"), 0,
                             static_cast<int>(list.rows.size()), parent);
    progress.setWindowTitle(app::title::kProgram);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    bool cancelled = false;
    const auto printed =
        printing::printList(list, *printer, services.clock.now(), [&](int, int rowsDone) {
            progress.setValue(rowsDone);
            cancelled = progress.wasCanceled();
            return !cancelled;
        });
    progress.reset();
    if (!printed.ok()) {
        if (!cancelled) {
            services.boxes.tell(printed.error().message, app::title::kProgram, Icon::Critical);
        }
        return std::nullopt;
    }
    return *printed;
}

}  // namespace app
