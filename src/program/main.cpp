// The program: the start, then the start window; the main menu and every area
// window, wired to one navigator; the end through the shutdown sequence. The one
// place that knows every area.
#include "app/avvio.h"
#include "app/clock.h"
#include "app/dialog_titles.h"
#include "app/gestione.h"
#include "app/italian.h"
#include "app/navigator.h"
#include "app/program_folder.h"
#include "app/qt_message_boxes.h"
#include "app/services.h"
#include "app/session.h"
#include "app/termination_requests.h"
#include "clients/anagrafe.h"
#include "einvoice/codici_fattura_pa.h"
#include "einvoice/export_run.h"
#include "invoices/entrata.h"
#include "invoices/invoice_document.h"
#include "maintenance/manutenzione.h"
#include "overdue/scadenze.h"
#include "printers/printer_window_opener.h"
#include "printing/printer_catalogue.h"
#include "receivables/incassi.h"
#include "settings/first_steps_panel.h"
#include "settings/intestazione.h"
#include "settings/settings_frame.h"
#include "year/andamento.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisvel"));
    // Links the windows to the menu entry, and so to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("brisvel"));
    // The program ends only through its shutdown sequence, never because the last
    // window went out of sight while the user moves between windows.
    QApplication::setQuitOnLastWindowClosed(false);
    app::installItalian(application);

    app::QtMessageBoxes boxes;
    const auto folder = app::settleProgramFolder(app::currentProgramStart());
    if (!folder) {
        boxes.tell(folder.error().message, app::title::kProgram, app::Icon::Critical);
        return 1;
    }
    // Never destroyed: the process's end hands the store's memory back to the system
    // at once, where freeing a full register cell by cell took longer than saving it.
    static app::Session& session = *new app::Session(*folder);
    if (session.start(boxes) != app::StartOutcome::Ready)
        return 1;

    const auto endProgram = [&boxes] {
        if (!session.shutDown(boxes))
            return false;
        QCoreApplication::exit(0);
        return true;
    };
    app::TerminationRequests terminationRequests([&endProgram] { endProgram(); });

    app::SystemClock clock;
    app::Navigator navigator;
    printing::SystemPrinters printers;
    const app::Services services{session.store(), boxes, clock, navigator, printers};
    app::Gestione menu(services, endProgram);
    navigator.setMainMenu(&menu);

    // The area windows; each lives until the program ends.
    auto* settingsFrame = new settings::SettingsFrame(services);
    menu.setSettingsFrame(settingsFrame, [settingsFrame] { settingsFrame->load(); });
    auto* firstSteps = new settings::FirstStepsPanel(services);
    menu.setWelcomePanel(firstSteps, [firstSteps] { firstSteps->refresh(); });
    settings::Intestazione userData(services);
    menu.setAreaWindow(app::MenuArea::UserData, &userData);
    clients::Anagrafe clientWindow(services);
    menu.setAreaWindow(app::MenuArea::Clients, &clientWindow);
    receivables::Incassi receivablesWindow(services);
    menu.setAreaWindow(app::MenuArea::ClientPosition, &receivablesWindow,
                       [&receivablesWindow] { receivablesWindow.enterClientPosition(); });
    menu.setAreaWindow(app::MenuArea::Collections, &receivablesWindow,
                       [&receivablesWindow] { receivablesWindow.enterCollections(); });
    overdue::Scadenze overdueWindow(services);
    menu.setAreaWindow(app::MenuArea::Overdue, &overdueWindow);
    maintenance::Manutenzione maintenanceWindow(services, endProgram);
    menu.setAreaWindow(app::MenuArea::Maintenance, &maintenanceWindow);
    invoices::Entrata entrata(services);
    menu.setAreaWindow(app::MenuArea::Invoices, &entrata);
    einvoice::CodiciFatturaPA einvoiceCodes(services);
    menu.setAreaWindow(app::MenuArea::ElectronicInvoice, &einvoiceCodes);
    year::Andamento yearWindow(services);
    menu.setAreaWindow(app::MenuArea::YearOverview, &yearWindow);
    QObject::connect(&entrata, &invoices::Entrata::electronicInvoiceRequested, &entrata,
                     [&services, &entrata](const QList<int>& rows) {
                         einvoice::exportElectronicInvoices(services, rows, &entrata);
                     });

    printers::PrinterWindowOpener printerWindow(services);
    const auto openPrinterWindow = [&printerWindow](app::AreaWindow* caller,
                                                    app::Printout printout) {
        printerWindow.open(caller, printout);
    };
    clientWindow.setPrinterWindow(openPrinterWindow);
    settingsFrame->setPrinterWindow(openPrinterWindow);
    entrata.setInvoiceDocument(
        [&services, folder = *folder](const registers::InvoiceFields& invoice) {
            invoices::showInvoiceDocument(services, folder, invoice);
        });

    app::Avvio start(navigator, endProgram);
    start.show();
    return QApplication::exec();
}
