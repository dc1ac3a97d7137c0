// The settings frame driven through its real widgets on a store in a temporary folder.
#include "settings/settings_frame.h"
#include "registers/settings_lists.h"
#include "support/prepared_store.h"

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "support/fake_printers.h"
#include "support/reading_order.h"
#include "support/scripted_message_boxes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;
using settings::SettingsFrame;

const app::Message kInsertQuestion{" Vuoi effettuare l'inserimento ?", "Gestione", Icon::None,
                                   Buttons::YesNo};
const app::Message kModifyQuestion{"Vuoi modificare il campo ? ", "Gestione", Icon::None,
                                   Buttons::YesNo};
const app::Message kInserted{"Operazione eseguita !", " Gestione ", Icon::Information, Buttons::Ok};
const app::Message kModified{"Operazione eseguita !", "Ombrast", Icon::Information, Buttons::Ok};
const app::Message kChooseFirst{"Per modificare una voce occorre sceglierla dall'elenco.",
                                "Gestione", Icon::Warning, Buttons::Ok};

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

class Frame : public testing::Test {
  protected:
    void SetUp() override {
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.load();
    }

    // The user picks the item at `position` from the list, with the arrow keys.
    void choose(QComboBox* combo, int position) {
        while (combo->currentIndex() < position)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), position);
    }

    void type(QLineEdit* edit, const QString& text) { QTest::keyClicks(edit, text); }

    test_support::PreparedStore temp;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    SettingsFrame frame{app::Services{temp.store(), boxes, clock, navigator, printers}};
    store::Worksheet lists = temp.sheet(store::kSettingsSheet);
};

TEST_F(Frame, AFreshStoreShowsEachListWithTheSinglePlaceholderAndNothingChosen) {
    EXPECT_EQ(frame.objectName(), "Frame4");
    EXPECT_EQ(frame.title(), "Impostazioni");
    for (QComboBox* combo :
         {frame.Combo1, frame.Combo2, frame.Combo3, frame.Combo4, frame.Combo5}) {
        EXPECT_EQ(items(combo), QStringList{"*"}) << combo->objectName().toStdString();
        EXPECT_EQ(combo->currentText(), "");
    }
    EXPECT_FALSE(frame.Command13->isEnabled());
    EXPECT_TRUE(frame.Text3->isEnabled());
}

TEST_F(Frame, LoadingRereadsTheListsOfTheirOwnColumns) {
    ASSERT_TRUE(lists.setValue(3, registers::kVatColumn, "22").ok());
    ASSERT_TRUE(lists.setValue(3, registers::kExemptionColumn, "ART. 10").ok());
    ASSERT_TRUE(lists.setValue(3, registers::kPaymentColumn, "BONIFICO").ok());
    frame.load();
    EXPECT_EQ(items(frame.Combo1), (QStringList{"*", "22"}));
    EXPECT_EQ(items(frame.Combo3), (QStringList{"*", "ART. 10"}));
    EXPECT_EQ(items(frame.Combo5), (QStringList{"*", "BONIFICO"}));
    EXPECT_EQ(items(frame.Combo2), QStringList{"*"});
    EXPECT_EQ(items(frame.Combo4), QStringList{"*"});
}

TEST_F(Frame, InsertWritesTheFirstFreeRowAndTheListShowsTheNewItem) {
    ASSERT_TRUE(lists.setValue(3, registers::kInpsColumn, "4").ok());
    frame.load();
    type(frame.Text2, "2");
    boxes.expect(kInsertQuestion, Answer::Yes).expect(kInserted);
    frame.Command1->click();

    EXPECT_EQ(lists.text(4, registers::kInpsColumn), "2");
    EXPECT_EQ(items(frame.Combo2), (QStringList{"*", "4", "2"}));
    EXPECT_EQ(frame.Text2->text(), "");
}

// A list item confirmed with "Operazione eseguita !" is in the file at once: no save
// point (the frame's "Esci") has to come first.
TEST_F(Frame, InsertedAndModifiedItemsAreInTheFileWhenTheirMessageShows) {
    type(frame.Text2, "4");
    boxes.expect(kInsertQuestion, Answer::Yes).expect(kInserted);
    frame.Command1->click();
    EXPECT_EQ(temp.reopened(store::kSettingsSheet).text(3, registers::kInpsColumn), "4");

    choose(frame.Combo2, 1);
    frame.Text2->selectAll();
    type(frame.Text2, "2");
    boxes.expect(kModifyQuestion, Answer::Yes).expect(kModified);
    frame.Command9->click();
    EXPECT_EQ(temp.reopened(store::kSettingsSheet).text(3, registers::kInpsColumn), "2");
}

TEST_F(Frame, OneClickInsertsEveryTypedRow) {
    type(frame.Text1, "5");
    type(frame.Text2, "3");
    type(frame.Text4, "23");
    type(frame.Text5, "ASSEGNO");
    for (int i = 0; i < 4; ++i)
        boxes.expect(kInsertQuestion, Answer::Yes);
    boxes.expect(kInserted);
    frame.Command1->click();

    EXPECT_EQ(items(frame.Combo1), (QStringList{"*", "5"}));
    EXPECT_EQ(items(frame.Combo2), (QStringList{"*", "3"}));
    EXPECT_EQ(items(frame.Combo4), (QStringList{"*", "23"}));
    EXPECT_EQ(items(frame.Combo5), (QStringList{"*", "ASSEGNO"}));
    for (const QLineEdit* text : {frame.Text1, frame.Text2, frame.Text4, frame.Text5})
        EXPECT_EQ(text->text(), "");
}

TEST_F(Frame, ADuplicateIsRefusedAndKeepsItsTextWhileTheOthersGoIn) {
    ASSERT_TRUE(lists.setIdentifier(3, registers::kVatColumn, "22").ok());
    frame.load();
    type(frame.Text1, "22");
    type(frame.Text3, "ART. 15");
    boxes.expect(kInsertQuestion, Answer::Yes)
        .expect({"La voce «22» è già nell'elenco: ogni voce vi compare una volta sola.\n"
                 "Nulla è stato scritto.",
                 "Gestione", Icon::Warning, Buttons::Ok})
        .expect(kInsertQuestion, Answer::Yes)
        .expect(kInserted);
    frame.Command1->click();

    EXPECT_EQ(items(frame.Combo1), (QStringList{"*", "22"}));
    EXPECT_EQ(items(frame.Combo3), (QStringList{"*", "ART. 15"}));
    EXPECT_EQ(frame.Text1->text(), "22");
    EXPECT_EQ(frame.Text3->text(), "");
}

TEST_F(Frame, AnUnusedItemChosenFromItsListIsRemoved) {
    for (const QString item : {"4", "10"})
        ASSERT_TRUE(registers::insertItem(lists, registers::kVatColumn, item).ok());
    frame.load();
    choose(frame.Combo1, 1);
    boxes
        .expect(
            {"Vuoi eliminare la voce «4» dall'elenco ?", "Gestione", Icon::None, Buttons::YesNo},
            Answer::Yes)
        .expect(kInserted);
    frame.Command4->click();

    EXPECT_EQ(items(frame.Combo1), (QStringList{"*", "10"}));
    EXPECT_EQ(temp.reopened(store::kSettingsSheet).text(3, registers::kVatColumn), "10");
}

TEST_F(Frame, NoToTheInsertionClearsOnlyThatRowAndWritesNothing) {
    type(frame.Text1, "22");
    type(frame.Text3, "ART. 15");
    boxes.expect(kInsertQuestion, Answer::No);
    frame.Command1->click();

    EXPECT_EQ(frame.Text1->text(), "");
    EXPECT_EQ(frame.Text3->text(), "ART. 15");
    EXPECT_TRUE(frame.Text1->hasFocus());
    EXPECT_TRUE(lists.value(3, registers::kVatColumn).isEmpty());
    EXPECT_TRUE(lists.value(3, registers::kExemptionColumn).isEmpty());
}

TEST_F(Frame, InsertingWithEveryTextEmptyAsksNothing) {
    frame.Command1->click();
    frame.Command9->click();
    EXPECT_TRUE(boxes.prompts().empty());
}

TEST_F(Frame, AFullListIsToldAndKeepsTheTypedText) {
    for (int row = 3; row <= 65536; ++row)
        ASSERT_TRUE(lists.setNumber(row, registers::kWithholdingColumn, 20).ok());
    frame.load();
    type(frame.Text4, "30");
    boxes.expect(kInsertQuestion, Answer::Yes)
        .expect({"L'elenco è pieno: non c'è più una riga libera per una nuova voce.\n"
                 "Non è stato inserito nulla.",
                 "Gestione", Icon::Warning, Buttons::Ok});
    frame.Command1->click();

    EXPECT_EQ(frame.Text4->text(), "30");
}

TEST_F(Frame, ChoosingAnItemPutsItInItsTextBoxAndLocksTheOtherLists) {
    for (const QString item : {"10", "22"})
        ASSERT_TRUE(registers::insertItem(lists, registers::kVatColumn, item).ok());
    frame.load();
    choose(frame.Combo1, 2);

    EXPECT_EQ(frame.Text1->text(), "22");
    EXPECT_TRUE(frame.Text1->hasFocus());
    EXPECT_EQ(frame.Text1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_TRUE(frame.Combo1->isEnabled());
    for (QComboBox* other : {frame.Combo2, frame.Combo3, frame.Combo4, frame.Combo5})
        EXPECT_FALSE(other->isEnabled());

    frame.Command3->click();
    EXPECT_EQ(frame.Text1->text(), "");
    EXPECT_NE(frame.Text1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_TRUE(frame.Combo5->isEnabled());
    EXPECT_EQ(frame.Combo1->currentText(), "");
}

TEST_F(Frame, ModifyingTheThirdItemWritesRowFourOnly) {
    for (const QString item : {"10", "22"})
        ASSERT_TRUE(registers::insertItem(lists, registers::kVatColumn, item).ok());
    frame.load();
    choose(frame.Combo1, 2);
    frame.Text1->selectAll();
    type(frame.Text1, "21");
    boxes.expect(kModifyQuestion, Answer::Yes).expect(kModified);
    frame.Command9->click();

    EXPECT_EQ(lists.text(1, registers::kVatColumn), "IVA");
    EXPECT_EQ(lists.text(3, registers::kVatColumn), "10");
    EXPECT_EQ(lists.text(4, registers::kVatColumn), "21");
    EXPECT_EQ(items(frame.Combo1), (QStringList{"*", "10", "21"}));
    EXPECT_EQ(frame.Text1->text(), "");
    EXPECT_TRUE(frame.Combo2->isEnabled());
}

TEST_F(Frame, NoToTheModificationKeepsSheetAndFields) {
    ASSERT_TRUE(registers::insertItem(lists, registers::kPaymentColumn, "BONIFICO").ok());
    frame.load();
    choose(frame.Combo5, 1);
    type(frame.Text5, " 30 GG");
    boxes.expect(kModifyQuestion, Answer::No);
    frame.Command9->click();

    EXPECT_EQ(lists.text(3, registers::kPaymentColumn), "BONIFICO");
    EXPECT_EQ(frame.Text5->text(), "BONIFICO 30 GG");
    EXPECT_EQ(frame.Combo5->currentText(), "BONIFICO");
}

TEST_F(Frame, ModifyingATypedRatherThanChosenItemIsRefused) {
    ASSERT_TRUE(registers::insertItem(lists, registers::kVatColumn, "22").ok());
    frame.load();
    type(frame.Combo1->lineEdit(), "22");
    type(frame.Text1, "21");
    boxes.expect(kChooseFirst);
    frame.Command9->click();
    EXPECT_EQ(lists.text(3, registers::kVatColumn), "22");
    EXPECT_EQ(frame.Text1->text(), "21");

    // Chosen, then overtyped in the list's own box: no longer the chosen item.
    choose(frame.Combo1, 1);
    frame.Combo1->lineEdit()->selectAll();
    type(frame.Combo1->lineEdit(), "4");
    boxes.expect(kChooseFirst);
    frame.Command9->click();
    EXPECT_EQ(lists.text(3, registers::kVatColumn), "22");
    EXPECT_EQ(lists.text(4, registers::kVatColumn), "");
}

TEST_F(Frame, ExitSavesTheStoreResetsAndHides) {
    type(frame.Text5, "RIMESSA DIRETTA");
    boxes.expect(kInsertQuestion, Answer::Yes).expect(kInserted);
    frame.Command1->click();
    type(frame.Text2, "left unwritten");
    frame.Command2->click();

    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.Text2->text(), "");
    const store::Worksheet saved = temp.reopened(store::kSettingsSheet);
    EXPECT_EQ(saved.text(3, registers::kPaymentColumn), "RIMESSA DIRETTA");
    EXPECT_EQ(saved.text(2, registers::kPaymentColumn), "*");
    EXPECT_TRUE(saved.value(3, registers::kInpsColumn).isEmpty());
}

TEST_F(Frame, TabFollowsTheLayout) {
    const auto walk = test_support::tabWalk(frame.Combo1);
    EXPECT_EQ(walk.size(), 15u) << test_support::names(walk).join(u' ').toStdString();
    EXPECT_EQ(test_support::outOfReadingOrder(walk, &frame), "")
        << test_support::names(walk).join(u' ').toStdString();
}

}  // namespace
