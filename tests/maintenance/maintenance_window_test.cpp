// The maintenance window's controls: captions, tool tips, the boxes that exclude
// each other, the restore button that follows Check5, activation and "Esci".
#include "maintenance_window.h"
#include "support/shots.h"

#include <QAccessible>
#include <QTest>

namespace {

using namespace maintenance_test;

TEST_F(MaintenanceWindow, CaptionsAndToolTipsAreTheProgramsOwn) {
    EXPECT_EQ(window->windowTitle(), "Manutenzione");
    const std::vector<std::pair<QCheckBox*, QString>> captions = {
        {window->Check1, "Cancellazione Registro  Fatture "},
        {window->Check2, "Cancellazione Anagrafe Clienti"},
        {window->Check3, "Cancellazione Causali/Voci...."},
        {window->Check4, "Salvataggio dati"},
        {window->Check5, "Ripristino Salvataggio"},
    };
    for (const auto& [box, caption] : captions) {
        EXPECT_EQ(box->text(), caption);
        EXPECT_EQ(box, window->findChild<QCheckBox*>(box->objectName()));
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(window->XPButton1->caption(), "Esci");
    EXPECT_EQ(window->XPButton2->caption(), "Ripristina");
    for (controls::XPButton* button : {window->XPButton1, window->XPButton2}) {
        EXPECT_EQ(button->toolTip(), "Visualizza Fatture");
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), button->caption());
    }
    EXPECT_FALSE(restoreShown());
}

TEST_F(MaintenanceWindow, TickingCheck5ShowsTheRestoreButtonAndUntickingHidesIt) {
    window->Check5->click();
    EXPECT_TRUE(restoreShown());
    EXPECT_TRUE(window->XPButton2->isVisible());
    test_support::saveWindowShot(*window, QStringLiteral("maintenance-restore-shown"));
    window->Check5->click();
    EXPECT_FALSE(window->Check5->isChecked());
    EXPECT_FALSE(restoreShown());
}

TEST_F(MaintenanceWindow, TheBoxesExcludeEachOtherButCheck5KeepsCheck1) {
    // Check5 unticks the emptying of clients and lists and the backup box.
    window->Check2->setChecked(true);
    window->Check3->setChecked(true);
    window->Check4->setChecked(true);
    window->Check5->click();
    EXPECT_FALSE(window->Check2->isChecked());
    EXPECT_FALSE(window->Check3->isChecked());
    EXPECT_FALSE(window->Check4->isChecked());

    // The backup unticks Check5 and with it the restore button.
    boxes.expect(kBackupQuestion, Answer::No);
    window->Check4->click();
    EXPECT_FALSE(window->Check5->isChecked());
    EXPECT_FALSE(restoreShown());

    // An emptying unticks all four others; answered No, its box stays ticked.
    window->Check5->click();
    boxes.expect(kEmptyQuestion, Answer::No);
    window->Check1->click();
    EXPECT_TRUE(window->Check1->isChecked());
    EXPECT_FALSE(window->Check5->isChecked());
    EXPECT_FALSE(restoreShown());

    // Ticking Check5 leaves Check1 ticked.
    window->Check5->click();
    EXPECT_TRUE(window->Check1->isChecked());
    EXPECT_TRUE(restoreShown());
}

TEST_F(MaintenanceWindow, ActivationUnticksEverythingAndHidesTheRestoreButton) {
    window->Check5->click();
    window->Check3->setChecked(true);
    window->XPButton1->click();  // Esci
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(ended);

    navigator.go(&menu, window.get());
    for (QCheckBox* box :
         {window->Check1, window->Check2, window->Check3, window->Check4, window->Check5})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_FALSE(restoreShown());
}

TEST_F(MaintenanceWindow, UntickingAnOperationBoxDoesNothing) {
    window->Check2->setChecked(true);
    window->Check2->click();  // now unticked: no question
    window->Check4->setChecked(true);
    window->Check4->click();
    EXPECT_TRUE(boxes.prompts().empty());
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
