// The program: the start, then the start window; the main menu and every area
// window, wired to one navigator; the end through the shutdown sequence. The one
// place that knows every area.
#include "app/avvio.h"
#include "app/clock.h"
#include "app/gestione.h"
#include "app/italian.h"
#include "app/navigator.h"
#include "app/qt_message_boxes.h"
#include "app/services.h"
#include "app/session.h"
#include "clients/anagrafe.h"
#include "printers/printer_window_opener.h"
#include "printing/printer_catalogue.h"
#include "settings/intestazione.h"
#include "settings/settings_frame.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisvel"));
    // The program ends only through its shutdown sequence, never because the last
    // window went out of sight while the user moves between windows.
    QApplication::setQuitOnLastWindowClosed(false);
    app::installItalian(application);

    app::QtMessageBoxes boxes;
    app::Session session(QCoreApplication::applicationDirPath());
    if (session.start(boxes) != app::StartOutcome::Ready)
        return 1;

    const auto endProgram = [&session, &boxes] {
        if (!session.shutDown(boxes))
            return false;
        QCoreApplication::exit(0);
        return true;
    };

    app::SystemClock clock;
    app::Navigator navigator;
    printing::SystemPrinters printers;
    const app::Services services{session.store(), boxes, clock, navigator, printers};
    app::Gestione menu(services, endProgram);
    navigator.setMainMenu(&menu);

    // The area windows; each lives until the program ends.
    auto* settingsFrame = new settings::SettingsFrame(services);
    menu.setSettingsFrame(settingsFrame, [settingsFrame] { settingsFrame->load(); });
    settings::Intestazione userData(services);
    menu.setAreaWindow(app::MenuArea::UserData, &userData);
    clients::Anagrafe clientWindow(services);
    menu.setAreaWindow(app::MenuArea::Clients, &clientWindow);

    printers::PrinterWindowOpener printerWindow(services);
    const auto openPrinterWindow = [&printerWindow](app::AreaWindow* caller, const QString& code) {
        printerWindow.open(caller, code);
    };
    clientWindow.setPrinterWindow(openPrinterWindow);
    settingsFrame->setPrinterWindow(openPrinterWindow);

    app::Avvio start(navigator, endProgram);
    start.show();
    return QApplication::exec();
}
