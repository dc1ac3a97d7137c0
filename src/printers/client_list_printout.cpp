#include "printers/client_list_printout.h"

#include <algorithm>

#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "app/services.h"
#include "printers/sheet_printout.h"
#include "printers/stampa_p.h"
#include "registers/client_sheet.h"
#include "registers/settings_lists.h"
#include "registers/sheet_layout.h"
#include "store/sheet_idioms.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace printers {

namespace {

// Nothing to print: the message, and the printer window goes away.
void tellNothing(const app::Services& services, StampaP& window, const QString& text) {
    services.boxes.tell(text, app::title::kGestioneBlankAfter, app::Icon::Information);
    window.hide();
}

}  // namespace

void printClientList(const app::Services& services, StampaP& window) {
    const QString name = registers::clientLayout().sheet;
    auto sheet = registers::clientSheet(services.store.workbook());
    if (!sheet.ok() || sheet->text(2, registers::client::Id).isEmpty()) {
        tellNothing(services, window,
                    QStringLiteral(" La stampa non può essere eseguita in assenza di Clienti   "
                                   "inseriti .................."));
        return;
    }
    // The last row of the filled block of column A that starts at A1, whatever
    // other columns hold further down.
    const int lastRow = int(store::listValues(*sheet, registers::client::Id, 1).size());
    runSheetPrintout(
        services, window,
        {name, registers::client::kColumns, lastRow, QStringLiteral("Stampa  Elenco Clienti   ")});
}

void printSettingsLists(const app::Services& services, StampaP& window) {
    auto sheet = registers::settingsSheet(services.store.workbook());
    int lastRow = 1;
    if (sheet.ok()) {
        for (int column = registers::kInpsColumn; column <= registers::kExemptionColumn; ++column) {
            lastRow = std::max(
                lastRow,
                registers::kFirstItemRow - 1 +
                    int(store::listValues(*sheet, column, registers::kFirstItemRow).size()));
        }
    }
    // Row 2 holds only the placeholder "*" of each list.
    if (lastRow <= registers::kFirstItemRow) {
        tellNothing(services, window, QStringLiteral("Non ci sono impostazioni da stampare."));
        return;
    }
    runSheetPrintout(services, window,
                     {sheet->name(), registers::kExemptionColumn, lastRow,
                      QStringLiteral("Stampa  Elenco Impostazioni   ")});
}

}  // namespace printers
