#pragma once

// The maintenance window on a program folder of its own: a store started as the
// program starts it, the window shown from the main menu, and an end of the
// program that runs the real shutdown sequence. Every prompt is scripted.

#include "app/store_folder.h"
#include "maintenance/manutenzione.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/session.h"
#include "controls/xpbutton.h"
#include "store/sheet_idioms.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace maintenance_test {

using app::Answer;
using app::Buttons;
using app::Icon;

inline const QString kTitle = QStringLiteral("Gestione");
inline const app::Message kEmptyQuestion{
    "ATTENZIONE ,prima di procedere è stato fatto un salvataggio dei dati ?\r\n"
    "In caso contrario saranno CANCELLATI tutti i dati , vuoi procedere .........?",
    kTitle, Icon::None, Buttons::YesNo};
inline const app::Message kEmptiedClosing{
    "Adesso l'applicativo si  chiuderà......................!", kTitle};
inline const app::Message kBackupQuestion{
    "Vuoi fare una copia del database Gestione.xls......................?", kTitle, Icon::None,
    Buttons::YesNo};
inline const app::Message kBackupDone{"Salvataggio eseguito correttamente .....................!",
                                      kTitle};
inline const app::Message kRestoreNotice{
    "Per effettuare il ripristino seleziona la copia di Gestione.xls da ripristinare, "
    "in qualunque cartella si trovi: prenderà il posto dei dati attuali, che restano "
    "conservati in una copia datata nella cartella Salvataggio. Dopo il ripristino l'applicazione "
    "si chiuderà.",
    kTitle};
inline const app::Message kRestoredClosing{
    "Ora, l'applicazione verrà chiusa .....................!", kTitle};

class MaintenanceWindow : public testing::Test {
  protected:
    void SetUp() override {
        folder.writeStore(store::kCoreSheets);
        navigator.setMainMenu(&menu);
        start();
    }

    // A start of the program on the folder, then the maintenance window from the menu.
    void start() {
        window.reset();
        session.reset();
        ended = false;
        session.emplace(folder.path());
        ASSERT_EQ(session->start(boxes), app::StartOutcome::Ready);
        services.emplace(app::Services{session->store(), boxes, clock, navigator, printers});
        window = std::make_unique<maintenance::Manutenzione>(*services, [this] {
            ended = session->shutDown(boxes);
            return ended;
        });
        navigator.go(nullptr, &menu);
        navigator.go(&menu, window.get());
    }

    store::Worksheet sheet(const QString& name) { return *session->store().workbook().sheet(name); }

    // The restore button, as the user sees it while the window is shown.
    bool restoreShown() const { return !window->XPButton2->isHidden(); }

    QByteArray bytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString backupPath() const { return QDir(folder.backupFolder()).filePath("Gestione.xls"); }
    QStringList backupFolderFiles() const {
        return QDir(folder.backupFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    test_support::StoreFolder folder;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::AreaWindow menu;
    std::optional<app::Session> session;
    std::optional<app::Services> services;
    std::unique_ptr<maintenance::Manutenzione> window;
    bool ended = false;
};

}  // namespace maintenance_test
