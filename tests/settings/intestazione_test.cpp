// The user-data window driven through its real widgets on a store in a temporary folder.
#include "settings/intestazione.h"
#include "support/prepared_store.h"

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "support/fake_printers.h"
#include "support/reading_order.h"
#include "support/scripted_message_boxes.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;

const app::Message kQuestion{"Vuoi inserire o Modificare i  dati Utente ?", "Gestione", Icon::None,
                             Buttons::YesNo};
const app::Message kUnlocked{"Adesso si può procedere ad inserire i dati Utente ", "Gestione",
                             Icon::None, Buttons::Ok};
const app::Message kWritten{"Inserimento dati Utente avvenuto con successo !", "Gestione",
                            Icon::None, Buttons::Ok};

class UserWindow : public testing::Test {
  protected:
    void SetUp() override {
        navigator.setMainMenu(&menu);
        navigator.go(nullptr, &menu);
        navigator.go(&menu, &window);
    }

    std::array<QLineEdit*, 10> fields() const {
        return {window.Text1, window.Text2, window.Text3, window.Text4, window.Text5,
                window.Text6, window.Text7, window.Text8, window.Text9, window.Text10};
    }

    void unlock() {
        boxes.expect(kQuestion, Answer::Yes).expect(kUnlocked);
        window.XPButton9->click();
        ASSERT_TRUE(window.editing());
    }

    test_support::PreparedStore temp;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    app::AreaWindow menu;
    settings::Intestazione window{app::Services{temp.store(), boxes, clock, navigator, printers}};
};

TEST_F(UserWindow, ANewStoreOpensWithTenEmptyLockedFields) {
    EXPECT_EQ(window.windowTitle(), "Utente");
    EXPECT_TRUE(window.isVisible());
    for (QLineEdit* field : fields()) {
        EXPECT_EQ(field->text(), "") << field->objectName().toStdString();
        EXPECT_TRUE(field->isReadOnly()) << field->objectName().toStdString();
    }
    EXPECT_EQ(window.Label15->text(), "Ore...09:07:30   del   05/03/2024");
}

TEST_F(UserWindow, ActivationShowsTheStoredValues) {
    ASSERT_TRUE(temp.sheet(store::kUserSheet).setIdentifier(5, 2, "00185").ok());
    ASSERT_TRUE(temp.sheet(store::kUserSheet).setValue(10, 2, "IT60X0542811101000000123456").ok());
    navigator.backToMainMenu(&window);
    navigator.go(&menu, &window);
    EXPECT_EQ(window.Text5->text(), "00185");
    EXPECT_EQ(window.Text10->text(), "IT60X0542811101000000123456");
}

TEST_F(UserWindow, YesTypeAndWriteStoresUpperCaseAndLocksAgain) {
    unlock();
    QTest::keyClicks(window.Text2, "via roma 1");
    EXPECT_EQ(window.Text2->text(), "VIA ROMA 1");
    boxes.expect(kWritten);
    window.XPButton9->click();

    EXPECT_EQ(temp.sheet(store::kUserSheet).text(2, 2), "VIA ROMA 1");
    EXPECT_EQ(temp.sheet(store::kUserSheet).text(2, 1), "Domicilio");
    EXPECT_EQ(temp.reopened(store::kUserSheet).text(2, 2), "VIA ROMA 1")
        << "in the file when the message shows, before any save point";
    EXPECT_FALSE(window.editing());
    for (QLineEdit* field : fields())
        EXPECT_TRUE(field->isReadOnly());
}

TEST_F(UserWindow, NoReturnsToTheMainMenuUnchanged) {
    boxes.expect(kQuestion, Answer::No);
    window.XPButton9->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.editing());
    for (int row = 1; row <= 10; ++row)
        EXPECT_TRUE(temp.sheet(store::kUserSheet).value(row, 2).isEmpty());
}

TEST_F(UserWindow, TheInputRulesOfEachField) {
    unlock();
    QTest::keyClicks(window.Text5, "0a0,1b85");
    EXPECT_EQ(window.Text5->text(), "00,18");
    QTest::keyClicks(window.Text7, "IT0123.456-7890");
    EXPECT_EQ(window.Text7->text(), "01234567890");
    QTest::keyClicks(window.Text4, "rmx");
    EXPECT_EQ(window.Text4->text(), "RM");
    QTest::keyClicks(window.Text6, "rssmra80a01h501uxyz");
    EXPECT_EQ(window.Text6->text(), "RSSMRA80A01H501U");
    QTest::keyClicks(window.Text10, "it60 x054 2811 1010 0000 0123 456");
    EXPECT_EQ(window.Text10->text(), "IT60X0542811101000000123456");
    QTest::keyClicks(window.Text8, "albo ingegneri n. 12 del 01/02/2000");
    EXPECT_EQ(window.Text8->text(), "ALBO INGEGNERI N. 12 DEL 01/02/2000");
}

TEST_F(UserWindow, LockedFieldsTakeNoTyping) {
    QTest::keyClicks(window.Text1, "rossi");
    EXPECT_EQ(window.Text1->text(), "");
}

TEST_F(UserWindow, ExitInEditModeDiscardsWhatWasNotWritten) {
    unlock();
    QTest::keyClicks(window.Text1, "studio rossi");
    boxes.expect(kWritten);
    window.XPButton9->click();
    unlock();
    window.Text1->selectAll();
    QTest::keyClicks(window.Text1, "studio bianchi");
    window.XPButton1->click();

    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(temp.reopened(store::kUserSheet).text(1, 2), "STUDIO ROSSI");
    navigator.go(&menu, &window);
    EXPECT_EQ(window.Text1->text(), "STUDIO ROSSI");
    EXPECT_FALSE(window.editing());
}

TEST_F(UserWindow, ThePostalCodeIsSavedAsText) {
    unlock();
    QTest::keyClicks(window.Text5, "00185");
    QTest::keyClicks(window.Text7, "01234567897");
    boxes.expect(kWritten);
    window.XPButton9->click();
    window.XPButton1->click();

    const store::Worksheet saved = temp.reopened(store::kUserSheet);
    EXPECT_TRUE(saved.value(5, 2).isText());
    EXPECT_EQ(saved.text(5, 2), "00185");
    EXPECT_EQ(saved.text(7, 2), "01234567897");
}

TEST_F(UserWindow, AFailedSaveIsToldAndTheUserStillLeaves) {
    temp.removeFolder();
    const auto failed = temp.store().saveStore();
    ASSERT_FALSE(failed.ok());
    boxes.expect({"Salvataggio di Gestione.xls non riuscito.\n" + failed.error().message +
                      "\nLe modifiche restano in memoria e saranno salvate al prossimo "
                      "salvataggio.",
                  "Gestione", Icon::Critical, Buttons::Ok});
    window.XPButton1->click();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());
}

// A limit holds for typing only: a longer value from the store is shown and written
// back whole; an IBAN is written back without the blanks of its printed form.
TEST_F(UserWindow, AStoredValueLongerThanItsFieldIsShownAndWrittenBackWhole) {
    const QString iban = QStringLiteral("IT60 X054 2811 1010 0000 0123 456");
    ASSERT_GT(iban.size(), 27);
    ASSERT_TRUE(temp.sheet(store::kUserSheet).setValue(10, 2, iban).ok());
    ASSERT_TRUE(temp.sheet(store::kUserSheet).setIdentifier(4, 2, "ROMA").ok());
    navigator.backToMainMenu(&window);
    navigator.go(&menu, &window);
    EXPECT_EQ(window.Text10->text(), iban);
    EXPECT_EQ(window.Text4->text(), "ROMA");
    unlock();
    QTest::keyClicks(window.Text4, "x");
    EXPECT_EQ(window.Text4->text(), "ROMA");
    boxes.expect(kWritten);
    window.XPButton9->click();
    EXPECT_EQ(temp.sheet(store::kUserSheet).text(10, 2), "IT60X0542811101000000123456");
    EXPECT_EQ(temp.sheet(store::kUserSheet).text(4, 2), "ROMA");
}

// An IBAN whose control digits do not agree is refused with the fields still open;
// an empty one is no IBAN and is taken.
TEST_F(UserWindow, OnlyAnIbanWithAgreeingControlDigitsIsWritten) {
    const struct {
        const char* typed;
        const char* stored;  // nullptr: refused
    } cases[] = {
        {"IT61 X054 2811 1010 0000 0123 456", nullptr},
        {"IT60 X054 2811 1010 0000 0123", nullptr},
        {"", ""},
        {"IT60 X054 2811 1010 0000 0123 456", "IT60X0542811101000000123456"},
    };
    for (const auto& c : cases) {
        if (!window.editing())
            unlock();
        window.Text10->clear();
        QTest::keyClicks(window.Text10, c.typed);
        const QString typed = window.Text10->text();
        if (c.stored) {
            boxes.expect(kWritten);
        } else {
            boxes.expect({"Il codice IBAN " + typed +
                              " non è valido: le cifre di controllo non corrispondono al resto "
                              "del codice.\nControllare il codice (o lasciarlo vuoto). I dati "
                              "Utente non sono stati salvati.",
                          "Gestione", Icon::Warning, Buttons::Ok});
        }
        window.XPButton9->click();
        EXPECT_EQ(window.editing(), !c.stored) << c.typed;
        EXPECT_EQ(temp.sheet(store::kUserSheet).text(10, 2), c.stored ? c.stored : "") << c.typed;
    }
}

// The user's own tax identifiers are checked where they are typed, as the export
// checks them: a refusal keeps the fields open and writes nothing.
TEST_F(UserWindow, OnlyRightTaxIdentifiersAreWritten) {
    const QString owner = QStringLiteral("dell'utente (Dati Anagrafici Utente)");
    const struct {
        const char* vatNumber;
        const char* taxCode;
        QString refusal;  // empty: written
    } cases[] = {
        {"07654321096", "",
         QStringLiteral("La partita IVA %1 non è valida (\"07654321096\": "
                        "undici cifre, l'ultima di controllo)")
             .arg(owner)},
        {"", "XYZ",
         QStringLiteral("Il codice fiscale %1 non è valido (\"XYZ\": carattere di "
                        "controllo errato o formato sbagliato)")
             .arg(owner)},
        {"12345678903", "BNCLGU70A01H501Y", {}},
        {"12345678903", "12345678903", {}},  // a company's code is its VAT number
    };
    for (const auto& c : cases) {
        if (!window.editing())
            unlock();
        window.Text7->setText(c.vatNumber);
        window.Text6->setText(c.taxCode);
        boxes.expect(c.refusal.isEmpty()
                         ? kWritten
                         : app::Message{c.refusal + ".\nCorreggerlo (o lasciarlo vuoto): nulla è "
                                                    "stato registrato.",
                                        "Gestione", Icon::Warning, Buttons::Ok});
        window.XPButton9->click();
        EXPECT_EQ(window.editing(), !c.refusal.isEmpty()) << c.vatNumber << c.taxCode;
        EXPECT_EQ(temp.sheet(store::kUserSheet).text(7, 2), c.refusal.isEmpty() ? c.vatNumber : "")
            << c.vatNumber << c.taxCode;
    }
}

TEST_F(UserWindow, TabFollowsTheLayout) {
    unlock();
    QApplication::setActiveWindow(&window);
    const auto walk = test_support::tabWalk(window.Text1);
    EXPECT_EQ(walk.size(), 12u) << test_support::names(walk).join(u' ').toStdString();
    EXPECT_EQ(test_support::outOfReadingOrder(walk, &window), "")
        << test_support::names(walk).join(u' ').toStdString();
}

TEST_F(UserWindow, TheCloseBoxIsRefused) {
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
