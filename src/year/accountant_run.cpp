#include "year/accountant_run.h"

#include <QDir>
#include <QFileInfo>

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/job_progress.h"
#include "app/message_boxes.h"
#include "app/save_dialog.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "fatturapa/einvoice_export.h"
#include "registers/invoice_layout.h"
#include "registers/register_csv.h"
#include "store/workbook_store.h"
#include "year/accountant_package.h"

namespace year {

void packForAccountant(const app::Services& services, const Period& period, QWidget* parent) {
    store::Workbook& book = services.store.workbook();
    const auto sheet = registers::invoiceSheet(book);
    if (!sheet) {
        services.boxes.tell(sheet.error().message, app::title::kProgram, app::Icon::Critical);
        return;
    }
    const int invoices = int(registers::rowsDatedBetween(*sheet, period.first, period.last).size());
    if (invoices == 0) {
        services.boxes.tell(
            QStringLiteral("Nessuna fattura con data nel periodo %1.").arg(period.name),
            app::title::kProgram, app::Icon::Information);
        return;
    }
    const auto chosen = app::chooseSavePath(
        services.boxes,
        {QStringLiteral("Fatture per il commercialista"),
         QDir::home().filePath(proposedZipName(period)), QStringLiteral("ZIP (*.zip)")},
        QStringLiteral(".zip"));
    if (!chosen)
        return;
    const QString& path = *chosen;

    app::JobProgress progress(
        QStringLiteral("Preparazione delle fatture di %1...").arg(period.name),
        app::title::kProgram, 1, parent, QStringLiteral("ProgressoCommercialista"));
    const PackageRequest request{period, path, QFileInfo(services.store.path()).absolutePath(),
                                 services.clock.today()};
    const auto outcome = packInvoices(
        book, request, [&progress](int done, int total) { return progress.step(done, total); });
    progress.close();

    // The electronic invoices made on the way keep their progressives, whatever happened.
    if (!app::saveStoreTelling(services.store, services.boxes))
        return;
    if (!outcome) {
        services.boxes.tell(outcome.error().message, app::title::kProgram, app::Icon::Critical);
        return;
    }
    if (outcome->cancelled) {
        QString text = QStringLiteral("Preparazione annullata: il file %1 non è stato scritto.")
                           .arg(QDir::toNativeSeparators(path));
        // Made and numbered, they stay where every export goes.
        if (outcome->exportedNow > 0)
            text +=
                QStringLiteral("\nLe fatture elettroniche create (%1) restano nella cartella %2.")
                    .arg(outcome->exportedNow)
                    .arg(QDir::toNativeSeparators(
                        fatturapa::defaultExportFolder(request.programFolder)));
        services.boxes.tell(text, app::title::kProgram, app::Icon::Information);
        return;
    }
    const bool whole = outcome->leftOut.isEmpty() && outcome->refusals.empty();
    services.boxes.message(app::fittingNotice(outcomeMessage(*outcome), app::title::kProgram,
                                              whole ? app::Icon::Information : app::Icon::Warning));
}

}  // namespace year
