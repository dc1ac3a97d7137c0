#include "einvoice/export_run.h"

#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "fatturapa/einvoice_export.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace einvoice {

namespace {}

void exportElectronicInvoices(const app::Services& services, const QList<int>& registerRows,
                              QWidget* parent) {
    if (registerRows.isEmpty()) {
        services.boxes.tell(QStringLiteral("Scegliere nel registro una o più fatture da "
                                           "esportare."),
                            app::title::kGestione, app::Icon::Information);
        return;
    }
    const QString proposed =
        fatturapa::defaultExportFolder(QFileInfo(services.store.path()).absolutePath());
    // The dialog opens in the proposed folder only when it exists.
    QDir().mkpath(proposed);
    const std::optional<QString> folder = services.boxes.chooseFolder(
        {QStringLiteral("Cartella delle fatture elettroniche"), proposed, {}});
    if (!folder)
        return;

    QProgressDialog progress(QStringLiteral("Esportazione delle fatture elettroniche..."),
                             QStringLiteral("Annulla"), 0, int(registerRows.size()), parent);
    progress.setObjectName(QStringLiteral("ProgressoFatturaElettronica"));
    progress.setWindowTitle(app::title::kGestione);
    progress.setWindowModality(Qt::WindowModal);
    const auto outcome = fatturapa::exportInvoices(services.store.workbook(),
                                                   {registerRows.begin(), registerRows.end()},
                                                   *folder, [&progress](int done, int) {
                                                       progress.setValue(done);
                                                       return !progress.wasCanceled();
                                                   });
    progress.reset();

    // Whatever happened, the progressives of the files written are kept.
    if (!app::saveStoreTelling(services.store, services.boxes))
        return;
    if (!outcome) {
        services.boxes.tell(outcome.error().message, app::title::kGestione, app::Icon::Critical);
        return;
    }
    const bool whole =
        outcome->refusals.empty() && outcome->notices.isEmpty() && outcome->stoppedBy.isEmpty();
    services.boxes.tell(fatturapa::outcomeMessage(*outcome), app::title::kGestione,
                        whole ? app::Icon::Information : app::Icon::Warning);
}

}  // namespace einvoice
