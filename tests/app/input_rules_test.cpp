#include "app/input_rules.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A shown line edit with keyboard focus, as in a real window.
class LineEditTest : public testing::Test {
  protected:
    void SetUp() override {
        edit.show();
        edit.activateWindow();
        edit.setFocus();
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
    QLineEdit edit;
};

class AmountKeyFilter : public LineEditTest {
  protected:
    void SetUp() override {
        LineEditTest::SetUp();
        app::installAmountKeyFilter(&edit);
    }
};

// The thousands dot enters as typed, as the amount parser reads it; the keypad's
// decimal key gives the decimal comma.
TEST_F(AmountKeyFilter, TheThousandsDotStaysAndTheKeypadDecimalKeyTypesAComma) {
    const struct {
        const char* typed;
        bool keypad;
        const char* shown;
    } cases[] = {
        {"1.234,56", false, "1.234,56"},
        {"1.500", false, "1.500"},
        {"12.5", true, "12,5"},
        {"1.234.567", false, "1.234.567"},
    };
    for (const auto& c : cases) {
        edit.clear();
        QTest::keyClicks(&edit, c.typed, c.keypad ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(edit.text(), c.shown) << c.typed;
        EXPECT_EQ(edit.cursorPosition(), edit.text().size()) << c.typed;
    }
}

TEST_F(AmountKeyFilter, LettersAndSignsChangeNothing) {
    QTest::keyClicks(&edit, "1a-b+2 e");
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClicks(&edit, "-");
    EXPECT_EQ(edit.text(), "12");
}

TEST_F(AmountKeyFilter, EditingKeysKeepWorking) {
    QTest::keyClicks(&edit, "1234");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "123");
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Right);
    QTest::keyClicks(&edit, ",");
    EXPECT_EQ(edit.text(), "1,23");
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "1,3");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), "1,39");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), "1,39");
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1,39");
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(edit.text(), "7");
}

TEST(AmountKeyFilterInAWindow, TabLeavesTheBox) {
    QWidget window;
    auto* amount = new QLineEdit(&window);
    auto* next = new QLineEdit(&window);
    next->move(0, 40);
    app::installAmountKeyFilter(amount);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    amount->setFocus();
    QTest::keyClicks(amount, "5");
    QTest::keyClick(amount, Qt::Key_Tab);
    EXPECT_EQ(amount->text(), "5");
    EXPECT_TRUE(next->hasFocus());
}

TEST_F(AmountKeyFilter, PastedTextIsFiltered) {
    paste("12,a5");
    EXPECT_EQ(edit.text(), "12,5");
    edit.clear();
    QApplication::clipboard()->setText("-3.000,10 EUR");
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit.text(), "3.000,10");
}

TEST_F(AmountKeyFilter, PasteReplacesTheSelectionAndHonoursTheMaximumLength) {
    edit.setMaxLength(5);
    QTest::keyClicks(&edit, "999");
    edit.selectAll();
    paste("x1,2345");
    EXPECT_EQ(edit.text(), "1,234");
}

TEST_F(AmountKeyFilter, ContextMenuPasteIsFiltered) {
    QApplication::clipboard()->setText("7,b5");
    const QPoint at(5, 5);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, edit.mapToGlobal(at));
    QApplication::sendEvent(&edit, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    // In an empty box the paste entry is the only one enabled.
    for (QAction* action : menu->actions()) {
        if (action->isEnabled() && !action->isSeparator())
            action->trigger();
    }
    menu->close();
    EXPECT_EQ(edit.text(), "7,5");
}

TEST_F(AmountKeyFilter, DroppedTextIsFilteredAndCopied) {
    QMimeData data;
    data.setText("4,x2");
    const QPoint at(2, 2);
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &move);
    QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    EXPECT_EQ(edit.text(), "4,2");
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
}

// What a dead key or a compose sequence makes arrives as an input method's commit.
TEST_F(AmountKeyFilter, InputMethodTextIsFilteredToo) {
    QTest::keyClicks(&edit, "12");
    QInputMethodEvent accent(QStringLiteral("´"), {});
    QApplication::sendEvent(&edit, &accent);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("é"));
    QApplication::sendEvent(&edit, &composed);
    EXPECT_EQ(edit.text(), "12");
    QInputMethodEvent mixed;
    mixed.setCommitString(QString::fromUtf8("è,5"));
    QApplication::sendEvent(&edit, &mixed);
    EXPECT_EQ(edit.text(), "12,5");
    EXPECT_EQ(edit.cursorPosition(), 4);
}

TEST_F(AmountKeyFilter, AReadOnlyBoxTakesNothing) {
    edit.setText("1.234,50");
    edit.setReadOnly(true);
    paste("9");
    QTest::keyClicks(&edit, "9.");
    EXPECT_EQ(edit.text(), "1.234,50");
}

TEST_F(AmountKeyFilter, TextSetByTheProgramIsKeptAsItIs) {
    edit.setText("1.234,50");
    EXPECT_EQ(edit.text(), "1.234,50");
}

class DigitFilter : public LineEditTest {
  protected:
    void SetUp() override {
        LineEditTest::SetUp();
        app::installDigitFilter(&edit);
    }
};

TEST_F(DigitFilter, OnlyDigitsAndCommasEnter) {
    QTest::keyClicks(&edit, "00.1a2-3,4 ");
    EXPECT_EQ(edit.text(), "00123,4");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "00123,");
    paste("+39 06.555");
    EXPECT_EQ(edit.text(), "00123,3906555");
}

class TypingLimit : public LineEditTest {
  protected:
    void SetUp() override {
        LineEditTest::SetUp();
        app::limitTyping(&edit, 5);
    }
};

TEST_F(TypingLimit, TypedPastedAndComposedTextStopsAtTheLimit) {
    QTest::keyClicks(&edit, "abcdefg");
    EXPECT_EQ(edit.text(), "abcde");
    edit.setSelection(1, 2);
    paste("XYZW");
    EXPECT_EQ(edit.text(), "aXYde");
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("é"));
    QApplication::sendEvent(&edit, &composed);
    EXPECT_EQ(edit.text(), "aXYde");
}

TEST_F(TypingLimit, TextSetByTheProgramIsShownWhole) {
    const QString stored = QStringLiteral("longer than five");
    edit.setText(stored);
    EXPECT_EQ(edit.text(), stored);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), stored);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), stored.chopped(1));
}

TEST_F(TypingLimit, CombinesWithTheDigitFilter) {
    app::installDigitFilter(&edit);
    QTest::keyClicks(&edit, "0a0b1c8d5e9");
    EXPECT_EQ(edit.text(), "00185");
}

class UpperCase : public LineEditTest {
  protected:
    void SetUp() override {
        LineEditTest::SetUp();
        app::installUpperCase(&edit);
    }
};

TEST_F(UpperCase, TypingTurnsUpperWithTheCaretAtTheEnd) {
    QTest::keyClicks(&edit, "roma");
    EXPECT_EQ(edit.text(), "ROMA");
    EXPECT_EQ(edit.cursorPosition(), 4);
}

TEST_F(UpperCase, TypingInTheMiddleKeepsTheCaretThere) {
    QTest::keyClicks(&edit, "rma");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "o");
    EXPECT_EQ(edit.text(), "ROMA");
    EXPECT_EQ(edit.cursorPosition(), 2);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "ROXMA");
    EXPECT_EQ(edit.cursorPosition(), 3);
}

// Letters that grow in upper case move the caret with them, wherever they are typed.
TEST_F(UpperCase, ALetterThatGrowsKeepsTheTypingInOrder) {
    const struct {
        const char* typed;
        int caretBefore;  // where the second part is typed; -1 at the end
        const char* then;
        const char* shown;
    } cases[] = {
        {"hauptstraße 5", -1, "", "HAUPTSTRASSE 5"},
        {"straße", -1, " 12", "STRASSE 12"},
        {"via  5", 4, "ß", "VIA SS 5"},
    };
    for (const auto& c : cases) {
        edit.clear();
        QTest::keyClicks(&edit, QString::fromUtf8(c.typed));
        if (c.caretBefore >= 0)
            edit.setCursorPosition(c.caretBefore);
        QTest::keyClicks(&edit, QString::fromUtf8(c.then));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown)) << c.typed;
    }
}

TEST_F(UpperCase, PastedAndProgramTextTurnsUpper) {
    paste(QString::fromUtf8("via po, città"));
    EXPECT_EQ(edit.text(), QString::fromUtf8("VIA PO, CITTÀ"));
    edit.setText("milano");
    EXPECT_EQ(edit.text(), "MILANO");
}

}  // namespace
