// The program: the start, then the start window; the main menu and the area
// windows that exist, wired to one navigator; the end through the shutdown sequence.
#include "app/avvio.h"
#include "app/clock.h"
#include "app/gestione.h"
#include "app/italian.h"
#include "app/navigator.h"
#include "app/qt_message_boxes.h"
#include "app/session.h"

#ifdef BRISVEL_HAVE_SETTINGS
#include "settings/intestazione.h"
#include "settings/settings_frame.h"
#endif
#ifdef BRISVEL_HAVE_CLIENTS
#include "clients/anagrafe.h"
#endif

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
    app::Gestione menu(clock, navigator, endProgram);
    navigator.setMainMenu(&menu);

    // The area windows; each lives until the program ends.
#ifdef BRISVEL_HAVE_SETTINGS
    auto* settingsFrame = new settings::SettingsFrame(session.store(), boxes);
    menu.setSettingsFrame(settingsFrame, [settingsFrame] { settingsFrame->load(); });
    settings::Intestazione userData(session.store(), boxes, navigator, clock);
    menu.setAreaWindow(app::MenuArea::UserData, &userData);
#endif
#ifdef BRISVEL_HAVE_CLIENTS
    clients::Anagrafe clientWindow(session.store(), boxes, clock, navigator);
    menu.setAreaWindow(app::MenuArea::Clients, &clientWindow);
#endif

    app::Avvio start(navigator, endProgram);
    start.show();
    return QApplication::exec();
}
