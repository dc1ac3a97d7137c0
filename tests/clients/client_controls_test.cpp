// The window's input rules, counter controls, calendar, clock and frame.
#include "client_window.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QLabel>

#include "support/reading_order.h"

namespace {

using namespace clients_test;
namespace col = registers::client;

class ClientControls : public ClientWindowTest {};

TEST_F(ClientControls, UpperCaseFieldsKeepTheCaretWhereItWas) {
    type("Text23", "roma");
    EXPECT_EQ(text("Text23"), "ROMA");
    EXPECT_EQ(control("Text23")->cursorPosition(), 4);
    QTest::keyClick(control("Text23"), Qt::Key_Left);
    QTest::keyClick(control("Text23"), Qt::Key_Left);
    QTest::keyClicks(control("Text23"), "x");
    EXPECT_EQ(text("Text23"), "ROXMA");
    EXPECT_EQ(control("Text23")->cursorPosition(), 3);
    for (const char* field : {"Text26", "Text25", "Text22", "Text19", "Text1", "Text3"}) {
        control(field)->clear();
        type(field, "ab");
        EXPECT_EQ(text(field), "AB") << field;
    }
    // Other fields take text as typed.
    type("Text16", "Mario@Example.it");
    EXPECT_EQ(text("Text16"), "Mario@Example.it");
}

TEST_F(ClientControls, TheNotesTurnUpperCaseLineByLine) {
    auto* notes = control<QPlainTextEdit>("Text12");
    notes->setFocus();
    QTest::keyClicks(notes, "prima");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "seconda");
    EXPECT_EQ(notes->toPlainText(), "PRIMA\nSECONDA");
    EXPECT_EQ(notes->textCursor().position(), 13);
    QTest::keyClick(notes, Qt::Key_Home);
    QTest::keyClicks(notes, "la ");
    EXPECT_EQ(notes->toPlainText(), "PRIMA\nLA SECONDA");
    EXPECT_EQ(notes->textCursor().position(), 9);
    notes->setPlainText(QStringLiteral("da programma\nàèé"));
    EXPECT_EQ(notes->toPlainText(), "DA PROGRAMMA\nÀÈÉ");
}

TEST_F(ClientControls, DigitFieldsTakeDigitsAndCommasOnly) {
    type("Text24", "0a0,1b8");
    EXPECT_EQ(text("Text24"), "00,18");
    QTest::keyClick(control("Text24"), Qt::Key_Backspace);
    EXPECT_EQ(text("Text24"), "00,1");
    for (const char* field : {"Text21", "Text20", "Text15", "Text2"}) {
        type(field, "06-12 34x.5");
        EXPECT_EQ(text(field), "0612345") << field;
    }
}

TEST_F(ClientControls, ResettingTheCounterSetsOneEvenWhenOneIsTaken) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    EXPECT_EQ(text("Text10"), "3");
    tick("Check6");
    EXPECT_FALSE(control<QCheckBox>("Check6")->isChecked());
    EXPECT_EQ(text("Text10"), "1");
    EXPECT_EQ(sheet().value(1, kCounterColumn), store::Value::number(1));
    // The next client does not take number 1 unasked: client_numbers_test.

    esci();
    EXPECT_EQ(data.reopened(store::kClientsSheet).value(1, kCounterColumn),
              store::Value::number(1));
}

TEST_F(ClientControls, ChangingTheCounterByHand) {
    boxes.expect(notice("Ora puoi Cambiare il Progressivo compilando il campo ID PROGRESSIVO",
                        " Talvese", app::Icon::Information));
    tick("Check7");
    QLineEdit* counter = control("Text10");
    EXPECT_FALSE(control<QCheckBox>("Check7")->isChecked());
    EXPECT_FALSE(counter->isReadOnly());
    EXPECT_TRUE(counter->text().isEmpty());
    EXPECT_TRUE(counter->hasFocus());
    QTest::keyClicks(counter, "4a2");  // a whole number only
    EXPECT_EQ(counter->text(), "42");
    control("Text26")->setFocus();  // leaving the field sets the counter and locks it
    EXPECT_TRUE(counter->isReadOnly());
    EXPECT_EQ(sheet().value(1, kCounterColumn), store::Value::number(42));

    insert(QStringLiteral("rossi"));
    EXPECT_EQ(sheet().text(2, col::Id), "42");
    esci();
    EXPECT_EQ(data.reopened(store::kClientsSheet).value(1, kCounterColumn),
              store::Value::number(43));
}

TEST_F(ClientControls, LeavingTheCounterFieldEmptyKeepsTheCounter) {
    EXPECT_TRUE(sheet().setNumber(1, kCounterColumn, 9).ok());
    window->activate();
    boxes.expect(notice("Ora puoi Cambiare il Progressivo compilando il campo ID PROGRESSIVO",
                        " Talvese", app::Icon::Information));
    tick("Check7");
    control("Text26")->setFocus();
    EXPECT_TRUE(control("Text10")->isReadOnly());
    EXPECT_EQ(sheet().value(1, kCounterColumn), store::Value::number(9));
    EXPECT_EQ(text("Text10"), "9");
}

TEST_F(ClientControls, PassingThroughTheLockedCounterFieldChangesNothing) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(0);
    EXPECT_EQ(text("Text10"), "1");
    control("Text10")->setFocus();
    control("Text26")->setFocus();
    EXPECT_EQ(sheet().value(1, kCounterColumn), store::Value::number(3));
}

TEST_F(ClientControls, TheCalendarPicksTheDate) {
    auto* calendar = control<QCalendarWidget>("MonthView1");
    EXPECT_TRUE(calendar->isHidden());
    tick("Check4");
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 5));
    emit calendar->clicked(QDate(2024, 2, 29));
    EXPECT_EQ(text("Text18"), "29/02/2024");
    EXPECT_TRUE(calendar->isHidden());
    EXPECT_FALSE(control<QCheckBox>("Check4")->isChecked());

    tick("Check4");
    tick("Check4");  // unticked without a pick: the date stays
    EXPECT_TRUE(calendar->isHidden());
    EXPECT_EQ(text("Text18"), "29/02/2024");
}

TEST_F(ClientControls, TheClockLine) {
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Ore...09:07:30 del 05/03/2024");
}

TEST_F(ClientControls, TheCloseBoxIsRefusedAndEsciGoesBackToTheMenu) {
    EXPECT_EQ(window->windowTitle(), "Gestione  Clienti");
    // Printing waits for the printer window.
    EXPECT_FALSE(control<controls::XPButton>("XPButton5")->isEnabled());
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    esci();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(ClientControls, EveryFieldHasAnAccessibleName) {
    const struct {
        const char* name;
        const char* spoken;
    } fields[] = {{"Text26", "INSERISCI-Ragione Sociale/Cognome-Nome"},
                  {"Text10", "ID Progressivo"},
                  {"Text18", "Data"},
                  {"Text24", "C.A.P."},
                  {"Text15", "Cellullare"},
                  {"Text1", "IBAN"},
                  {"Combo4", "Seleziona Cliente"},
                  {"Text12", "Annotazioni"},
                  {"Check4", "Calendario"}};
    for (const auto& [name, spoken] : fields) {
        QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(widget) << name;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_TRUE(accessible) << name;
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(spoken)) << name;
    }
}

TEST_F(ClientControls, PulisciClearsEverythingButKeepsTheClients) {
    insert(QStringLiteral("rossi"));
    choose(0);
    type("Text21", "06");
    control<QComboBox>("Combo4")->setEditText(QStringLiteral("RO"));
    click("XPButton2");
    EXPECT_TRUE(text("Text26").isEmpty());
    EXPECT_TRUE(text("Text21").isEmpty());
    EXPECT_TRUE(control<QComboBox>("Combo4")->currentText().isEmpty());
    EXPECT_EQ(text("Text10"), "2");
    EXPECT_EQ(comboItems(), QStringList{"ROSSI"});
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
}

}  // namespace

namespace {

// Typing limits hold for typing only: what the store holds is shown and kept whole.
TEST_F(ClientControls, AStoredValueLongerThanItsFieldIsShownAndWrittenBackWhole) {
    insert(QStringLiteral("rossi"));
    const QString email = QString(53, u'a') + QStringLiteral("@example.com");
    const QString address = QString(90, u'V');
    ASSERT_EQ(email.size(), 65);
    EXPECT_TRUE(sheet().setValue(2, col::Email, email).ok());
    EXPECT_TRUE(sheet().setValue(2, col::Address, address).ok());
    click("XPButton2");  // Pulisci reloads the selection list
    choose(0);
    EXPECT_EQ(text("Text16"), email);
    EXPECT_EQ(text("Text25"), address);
    boxes.expect(kModified);
    click("XPButton1");
    EXPECT_EQ(sheet().text(2, col::Email), email);
    EXPECT_EQ(sheet().text(2, col::Address), address);
}

TEST_F(ClientControls, TypingStopsAtTheFieldsLimit) {
    type("Text16", QString(60, u'x'));
    EXPECT_EQ(text("Text16").size(), 50);
    type("Text24", QStringLiteral("0018599"));
    EXPECT_EQ(text("Text24"), "00185");
    // A pasted text is cut to the room left, and a longer shown value takes no more.
    control("Text22")->setText(QStringLiteral("ROMA"));
    type("Text22", QStringLiteral("x"));
    EXPECT_EQ(text("Text22"), "ROMA");
    QTest::keyClick(control("Text22"), Qt::Key_Backspace);
    EXPECT_EQ(text("Text22"), "ROM");
}

TEST_F(ClientControls, TabFollowsTheLayout) {
    const auto walk = test_support::tabWalk(control<controls::XPButton>("XPButton4"));
    EXPECT_GE(walk.size(), 20u) << test_support::names(walk).join(u' ').toStdString();
    EXPECT_EQ(test_support::outOfReadingOrder(walk, window.get()), "")
        << test_support::names(walk).join(u' ').toStdString();
}

}  // namespace
