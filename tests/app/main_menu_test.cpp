// The main menu: captions and tips, the area buttons and the windows they lead to,
// the settings frame, the two print buttons that never react, the refused close
// box, the clock, and "Chiudi".
#include "app/area_window.h"
#include "app/clock.h"
#include "app/clock_line.h"
#include "app/gestione.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/session.h"
#include "app/store_folder.h"
#include "controls/xpbutton.h"
#include "store/engine.h"
#include "store/workbook_store.h"
#include "support/fake_printers.h"
#include "support/reading_order.h"
#include "support/scripted_message_boxes.h"
#include "support/shots.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using app::MenuArea;
using controls::XPButton;

class Area : public app::AreaWindow {
  public:
    void activate() override { ++activations; }
    int activations = 0;
};

class MainMenu : public testing::Test {
  protected:
    MainMenu() {
        navigator.setMainMenu(&menu);
        frame->setTitle(QStringLiteral("Impostazioni"));
        menu.setSettingsFrame(frame, [this] { ++loads; });
        navigator.go(nullptr, &menu);
    }

    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    // The menu itself never touches the store.
    store::Engine engine;
    store::WorkbookStore unopened{engine, QString()};
    test_support::ScriptedMessageBoxes boxes;
    int endRequests = 0;
    app::Gestione menu{app::Services{unopened, boxes, clock, navigator, printers}, [this] {
                           ++endRequests;
                           return true;
                       }};
    QGroupBox* frame = new QGroupBox;
    int loads = 0;
};

TEST_F(MainMenu, EveryButtonHasItsCaptionAndTip) {
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Brisvel"));
    const std::vector<std::tuple<XPButton*, const char*, QString, QString>> buttons = {
        {menu.XPButton2, "XPButton2", "Brisvel", "Inserisci/Modifica/Elimina/Stampa Fatture"},
        {menu.XPButton1, "XPButton1", "Impostazioni/Causali", "Impostazioni/Causali"},
        {menu.XPButton4, "XPButton4", "Gestione Clienti",
         "Inserisci/Modifica/Elimina/Stampa Clienti"},
        {menu.XPButton5, "XPButton5", "Dati Anagrafici Utente", "Dati Anagrafici Utente"},
        {menu.XPButton6, "XPButton6", "Posizione Cliente", "Inserisci nuove Voci"},
        {menu.XPButton8, "XPButton8", "Gestione Incassi", "Gestione Incassi"},
        {menu.XPButton9, "XPButton9", "Manutenzione", "Manutenzione"},
        {menu.XPButton12, "XPButton12", "Scadenze",
         "Fatture da incassare per scadenza, incassi e solleciti"},
        {menu.XPButton3, "XPButton3", "Chiudi", "Chiudi"},
        {menu.XPButton7, "XPButton7", "", "Invia alla stampante"},
        {menu.XPButton10, "XPButton10", "", "Invia alla stampante"},
    };
    for (const auto& [button, name, caption, tip] : buttons) {
        EXPECT_EQ(button->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(button->caption(), caption) << name;
        EXPECT_EQ(button->toolTip(), tip) << name;
        // The standard button of every window.
        EXPECT_EQ(button->buttonType(), 3) << name;
        EXPECT_EQ(button->backColor(), QColor(236, 233, 216)) << name;
    }
}

TEST_F(MainMenu, TheClockShowsTimeAndDateWithItsWideSeparator) {
    EXPECT_EQ(menu.Label15->text(), QStringLiteral("Ore...09:07:30   del   05/03/2024"));
    EXPECT_EQ(menu.Timer2->interval(), 1000);
    EXPECT_TRUE(menu.Timer2->isActive());
}

TEST_F(MainMenu, TheCloseBoxIsRefusedAndChangesNothing) {
    EXPECT_FALSE(menu.close());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(endRequests, 0);
}

TEST_F(MainMenu, ThePrintButtonsNeverReact) {
    EXPECT_FALSE(menu.XPButton7->isEnabled());
    EXPECT_FALSE(menu.XPButton10->isEnabled());
    int clicks = 0;
    for (XPButton* button : {menu.XPButton7, menu.XPButton10})
        QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });

    // Whatever enabled them, the next activation disables them again.
    menu.XPButton7->setEnabled(true);
    menu.XPButton10->setEnabled(true);
    Area area;
    menu.setAreaWindow(MenuArea::Clients, &area);
    QTest::mouseClick(menu.XPButton4, Qt::LeftButton);
    navigator.backToMainMenu(&area);
    EXPECT_FALSE(menu.XPButton7->isEnabled());
    EXPECT_FALSE(menu.XPButton10->isEnabled());

    QTest::mouseClick(menu.XPButton7, Qt::LeftButton);
    QTest::mouseClick(menu.XPButton10, Qt::LeftButton);
    menu.XPButton7->setFocus();
    QTest::keyClick(menu.XPButton7, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);
}

TEST_F(MainMenu, SettingsShowTheFrameAndLoadItsListsUntilTheNextActivation) {
    EXPECT_EQ(menu.Frame4, frame);
    EXPECT_EQ(frame->objectName(), QStringLiteral("Frame4"));
    EXPECT_TRUE(frame->isHidden());
    ASSERT_TRUE(menu.XPButton1->isEnabled());

    QTest::mouseClick(menu.XPButton1, Qt::LeftButton);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(menu.isVisible());

    // Leaving for an area with the frame open: back in the menu it is hidden.
    Area area;
    menu.setAreaWindow(MenuArea::UserData, &area);
    QTest::mouseClick(menu.XPButton5, Qt::LeftButton);
    navigator.backToMainMenu(&area);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_EQ(loads, 1);
}

TEST_F(MainMenu, AreaButtonsAreDisabledUntilTheirWindowExists) {
    for (XPButton* button : {menu.XPButton2, menu.XPButton4, menu.XPButton5, menu.XPButton6,
                             menu.XPButton8, menu.XPButton9, menu.XPButton12, menu.XPButton13})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(menu.XPButton3->isEnabled());

    app::Navigator other;
    app::Gestione bare(app::Services{unopened, boxes, clock, other, printers}, [] { return true; });
    EXPECT_FALSE(bare.XPButton1->isEnabled());
}

TEST_F(MainMenu, EachAreaButtonHidesTheMenuAndShowsItsWindow) {
    const std::vector<std::pair<MenuArea, XPButton*>> areas = {
        {MenuArea::Invoices, menu.XPButton2},    {MenuArea::Clients, menu.XPButton4},
        {MenuArea::UserData, menu.XPButton5},    {MenuArea::ClientPosition, menu.XPButton6},
        {MenuArea::Collections, menu.XPButton8}, {MenuArea::Maintenance, menu.XPButton9},
        {MenuArea::Overdue, menu.XPButton12},    {MenuArea::YearOverview, menu.XPButton13},
    };
    for (const auto& [key, button] : areas) {
        Area window;
        menu.setAreaWindow(key, &window);
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(menu.isVisible()) << button->objectName().toStdString();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.activations, 1);
        navigator.backToMainMenu(&window);
        menu.setAreaWindow(key, nullptr);
        EXPECT_FALSE(button->isEnabled());
    }
}

TEST_F(MainMenu, AWindowShownByTwoButtonsGetsItsModeAfterShowingAndActivation) {
    Area window;
    QStringList steps;
    const auto entered = [&](const QString& mode) {
        return [&steps, &window, this, mode] {
            // The menu is already hidden, the window shown and activated.
            steps << QStringLiteral("%1 after %2 activation(s), menu %3")
                         .arg(mode)
                         .arg(window.activations)
                         .arg(menu.isVisible() ? "shown" : "hidden");
        };
    };
    menu.setAreaWindow(MenuArea::ClientPosition, &window, entered(QStringLiteral("position")));
    menu.setAreaWindow(MenuArea::Collections, &window, entered(QStringLiteral("collections")));
    QTest::mouseClick(menu.XPButton6, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    navigator.backToMainMenu(&window);
    QTest::mouseClick(menu.XPButton8, Qt::LeftButton);
    EXPECT_EQ(steps, (QStringList{"position after 1 activation(s), menu hidden",
                                  "collections after 2 activation(s), menu hidden"}));
}

TEST_F(MainMenu, ChiudiAsksForTheEnd) {
    QTest::mouseClick(menu.XPButton3, Qt::LeftButton);
    EXPECT_EQ(endRequests, 1);
}

TEST_F(MainMenu, EveryControlHasAnAccessibleName) {
    const auto widgets = menu.findChildren<QWidget*>();
    ASSERT_GT(widgets.size(), 12);
    for (QWidget* widget : widgets) {
        if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLabel*>(widget))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

TEST_F(MainMenu, TabFollowsTheLayout) {
    Area areas[6];
    int k = 0;
    for (MenuArea area : {MenuArea::Invoices, MenuArea::Clients, MenuArea::UserData,
                          MenuArea::ClientPosition, MenuArea::Collections, MenuArea::Maintenance})
        menu.setAreaWindow(area, &areas[k++]);
    QApplication::setActiveWindow(&menu);
    const auto walk = test_support::tabWalk(menu.XPButton2);
    // The seven area buttons and "Chiudi"; the print buttons never work.
    EXPECT_EQ(walk.size(), 8u) << test_support::names(walk).join(u' ').toStdString();
    EXPECT_EQ(test_support::outOfReadingOrder(walk, &menu), "")
        << test_support::names(walk).join(u' ').toStdString();
}

// The year at a glance stands in the area column under the collections it sums up.
TEST_F(MainMenu, TheYearButtonStandsUnderTheCollections) {
    Area areas[8];
    int k = 0;
    for (MenuArea area : {MenuArea::Invoices, MenuArea::Clients, MenuArea::UserData,
                          MenuArea::ClientPosition, MenuArea::Collections, MenuArea::Maintenance,
                          MenuArea::ElectronicInvoice, MenuArea::YearOverview})
        menu.setAreaWindow(area, &areas[k++]);
    test_support::settle(menu);
    test_support::saveWindowShot(menu, QStringLiteral("menu"));
    EXPECT_EQ(menu.XPButton13->x(), menu.XPButton8->x());
    EXPECT_LT(menu.XPButton8->y(), menu.XPButton13->y());
    EXPECT_LT(menu.XPButton13->y(), menu.XPButton5->y());
    EXPECT_EQ(menu.XPButton13->accessibleName(), QStringLiteral("Andamento"));
}

// A screen reader reads what a label shows, the time included, as it changes.
TEST_F(MainMenu, EveryLabelSpeaksItsText) {
    clock.advanceSeconds(75);
    menu.Label15->findChild<app::ClockLine*>()->refresh();
    ASSERT_EQ(menu.Label15->text(), QStringLiteral("Ore...09:08:45   del   05/03/2024"));
    int spoken = 0;
    for (QLabel* label : menu.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), label->text())
            << label->objectName().toStdString();
        ++spoken;
    }
    EXPECT_GE(spoken, 4);
}

TEST(MainMenuScenario, ChiudiSavesEveryChangeSinceTheLastSavePoint) {
    test_support::StoreFolder folder;
    folder.writeStore({QStringLiteral("Anagrafe")});
    test_support::ScriptedMessageBoxes boxes;
    app::Session session(folder.path());
    ASSERT_EQ(session.start(boxes), app::StartOutcome::Ready);
    EXPECT_TRUE(session.store()
                    .workbook()
                    .sheet(QStringLiteral("Utilità"))
                    ->setValue(3, 2, QStringLiteral("22"))
                    .ok());

    app::SystemClock clock;
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::Gestione menu(app::Services{session.store(), boxes, clock, navigator, printers},
                       [&] { return session.shutDown(boxes); });
    navigator.setMainMenu(&menu);
    navigator.go(nullptr, &menu);
    QTest::mouseClick(menu.XPButton3, Qt::LeftButton);
    EXPECT_FALSE(session.isRunning());

    test_support::SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.text(QStringLiteral("Utilità"), 3, 2), QStringLiteral("22"));
    EXPECT_EQ(saved.text(QStringLiteral("Utilità"), 2, 2), QStringLiteral("*"));
}

}  // namespace
