#include "einvoice/export_run.h"

#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/job_progress.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "app/store_saving.h"
#include "fatturapa/einvoice_export.h"
#include "registers/sdi_history.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace einvoice {

void exportElectronicInvoices(const app::Services& services, const QList<int>& registerRows,
                              QWidget* parent) {
    if (registerRows.isEmpty()) {
        services.boxes.tell(QStringLiteral("Scegliere nel registro una o più fatture da "
                                           "esportare."),
                            app::title::kGestione, app::Icon::Information);
        return;
    }
    std::vector<int> rows(registerRows.begin(), registerRows.end());
    // Exporting again sends the invoice twice, under a new progressive: only on purpose.
    // A file the exchange system rejected never reached the client: its invoice goes
    // again without a question. One the client has, or can have, is asked about first.
    std::vector<fatturapa::EarlierExport> delivered;
    std::vector<fatturapa::EarlierExport> exported;
    for (fatturapa::EarlierExport& e : fatturapa::earlierExports(services.store.workbook(), rows)) {
        if (e.state.reachedClient())
            delivered.push_back(std::move(e));
        else if (e.state.event == registers::SdiEvent::Exported)
            exported.push_back(std::move(e));
    }
    // Asks `question` about `earlier`; No leaves them out. False when nothing is left.
    const auto askAbout = [&](const std::vector<fatturapa::EarlierExport>& earlier,
                              const QString& question, bool withState) {
        if (earlier.empty())
            return true;
        QStringList lines;
        for (const fatturapa::EarlierExport& e : earlier)
            lines << QStringLiteral("- Fattura %1: file %2").arg(e.title, e.file) +
                         (withState ? QStringLiteral(", ") + e.state.stateText().toLower()
                                    : QString());
        if (services.boxes.askYesNo(question.arg(lines.join(u'\n')), app::title::kGestione,
                                    app::Icon::Warning))
            return true;
        std::erase_if(rows, [&earlier](int row) {
            return std::ranges::any_of(
                earlier, [row](const fatturapa::EarlierExport& e) { return e.row == row; });
        });
        return !rows.empty();
    };
    if (!askAbout(delivered,
                  QStringLiteral("Già consegnate al cliente dal Sistema di Interscambio:\n%1\n\n"
                                 "Una fattura consegnata non si invia di nuovo: per correggerla "
                                 "si emette una nota di credito. Esportarle comunque, con un "
                                 "nuovo file?\n(No: si esportano solo le altre fatture scelte)"),
                  true) ||
        !askAbout(exported,
                  QStringLiteral("Già esportate:\n%1\n\nEsportarle di nuovo, con un nuovo file? "
                                 "Chi le riceve le avrebbe due volte.\n(No: si esportano solo le "
                                 "altre fatture scelte)"),
                  false))
        return;
    const QString proposed =
        fatturapa::defaultExportFolder(QFileInfo(services.store.path()).absolutePath());
    // The dialog opens in the proposed folder only when it exists.
    QDir().mkpath(proposed);
    const std::optional<QString> folder = services.boxes.chooseFolder(
        {QStringLiteral("Cartella delle fatture elettroniche"), proposed, {}});
    if (!folder)
        return;

    app::JobProgress progress(QStringLiteral("Esportazione delle fatture elettroniche..."),
                              app::title::kGestione, int(rows.size()), parent,
                              QStringLiteral("ProgressoFatturaElettronica"));
    const auto outcome = fatturapa::exportInvoices(
        services.store.workbook(), rows, *folder, services.clock.today(),
        [&progress](int done, int total) { return progress.step(done, total); });
    progress.close();

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
