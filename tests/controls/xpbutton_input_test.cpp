#include <QSignalSpy>

#include <gtest/gtest.h>

#include "xpbutton_test_support.h"

namespace {

using controls::FaceState;
using controls::XPButton;
using controls_test::ButtonWindow;
using controls_test::sendMouse;

constexpr QPoint kInside(30, 10);
constexpr QPoint kOutside(120, 10);

TEST(XPButtonMouse, LeftPressShowsPressedAndReleaseInsideClicks) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    QSignalSpy clicks(button, &XPButton::clicked);
    QSignalSpy downs(button, &XPButton::mouseDown);
    QSignalSpy ups(button, &XPButton::mouseUp);

    QTest::mousePress(button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(button->drawnState(), FaceState::Pressed);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(2).toInt(), kInside.x());
    EXPECT_EQ(ups.count(), 1);
}

TEST(XPButtonMouse, RightButtonNeverPressesOrClicks) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    QSignalSpy clicks(button, &XPButton::clicked);
    QTest::mousePress(button, Qt::RightButton, {}, kInside);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    QTest::mouseRelease(button, Qt::RightButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(XPButtonMouse, MovingOutAndBackTogglesAndOnlyReleaseInsideClicks) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    QSignalSpy clicks(button, &XPButton::clicked);

    sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, kInside);
    sendMouse(button, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, kOutside);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, kOutside);
    EXPECT_EQ(clicks.count(), 0);

    sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, kInside);
    sendMouse(button, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, kOutside);
    sendMouse(button, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(74, 22));
    EXPECT_EQ(button->drawnState(), FaceState::Pressed);
    sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, kInside);
    EXPECT_EQ(clicks.count(), 1);

    // The first pixel past the right edge is outside.
    sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, kInside);
    sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(75, 10));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(XPButtonMouse, SecondPressOfADoubleClickClicksToo) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    QSignalSpy clicks(button, &XPButton::clicked);
    // What the system sends: press, release, double click, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, kInside);
    QTest::mouseDClick(button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(button->drawnState(), FaceState::Pressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(XPButtonMouse, DisabledButtonIgnoresTheMouse) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    button->setEnabled(false);
    window.show();
    QSignalSpy clicks(button, &XPButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
}

TEST(XPButtonKeyboard, SpacePressesAndItsReleaseClicksOnce) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    button->setFocus();
    QSignalSpy clicks(button, &XPButton::clicked);
    QSignalSpy keyDowns(button, &XPButton::keyDown);

    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(button->drawnState(), FaceState::Pressed);
    // A held space bar repeats: neither the repeated release nor press clicks.
    QTest::keyRelease(button, Qt::Key_Space, {}, -1);
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(button, &repeatUp);
    QKeyEvent repeatDown(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(button, &repeatDown);
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    EXPECT_GE(keyDowns.count(), 2);
}

class EnterKey : public testing::TestWithParam<Qt::Key> {};

TEST_P(EnterKey, ClicksTheFocusedButtonOnceEvenWhenHeld) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    button->setFocus();
    QSignalSpy clicks(button, &XPButton::clicked);
    QTest::keyClick(button, GetParam());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    QKeyEvent repeat(QEvent::KeyPress, GetParam(), Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &repeat);
    EXPECT_EQ(clicks.count(), 1);
    button->setEnabled(false);
    QTest::keyClick(button, GetParam());
    EXPECT_EQ(clicks.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(XPButtonKeyboard, EnterKey,
                         testing::Values(Qt::Key_Return, Qt::Key_Enter));

TEST(XPButtonKeyboard, SpaceReleaseWithoutItsPressDoesNotClick) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    XPButton* other = window.add("&Altro", QRect(100, 10, 75, 23));
    window.show();
    button->setFocus();
    QSignalSpy clicks(button, &XPButton::clicked);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);

    // A press abandoned by losing the focus neither stays down nor clicks later.
    QTest::keyPress(button, Qt::Key_Space);
    other->setFocus();
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
    button->setFocus();
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(XPButtonKeyboard, ArrowKeysMoveTheFocus) {
    ButtonWindow window;
    XPButton* first = window.add("&Primo");
    XPButton* second = window.add("&Secondo", QRect(100, 10, 75, 23));
    window.show();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Right);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Left);
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Down);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Up);
    EXPECT_TRUE(first->hasFocus());
}

TEST(XPButtonKeyboard, AccessKeyClicks) {
    ButtonWindow window;
    XPButton* exit = window.add("&Esci");
    XPButton* escaped = window.add("a&&b", QRect(100, 10, 75, 23));
    window.show();
    EXPECT_EQ(exit->accessKey(), QChar('E'));
    EXPECT_TRUE(escaped->accessKey().isNull());
    QSignalSpy clicks(exit, &XPButton::clicked);
    QTest::keyClick(window.widget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(exit->hasFocus());

    exit->setEnabled(false);
    QTest::keyClick(window.widget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);

    // A caption changed later brings its own key; the old one no longer clicks.
    exit->setEnabled(true);
    exit->setCaption("&Chiudi");
    QTest::keyClick(window.widget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(window.widget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(XPButtonKeyboard, SharedAccessKeyOnlyMovesTheFocus) {
    ButtonWindow window;
    XPButton* exit = window.add("&Esci");
    XPButton* remove = window.add("&Elimina", QRect(100, 10, 75, 23));
    window.show();
    QSignalSpy exitClicks(exit, &XPButton::clicked);
    QSignalSpy removeClicks(remove, &XPButton::clicked);
    remove->setFocus();
    QTest::keyClick(window.widget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(exit->hasFocus());
    QTest::keyClick(window.widget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(remove->hasFocus());
    EXPECT_EQ(exitClicks.count() + removeClicks.count(), 0);
}

TEST(XPButtonKeyboard, TextSetDirectlyStaysInStepWithTheCaption) {
    ButtonWindow window;
    XPButton* button = window.add("&Esci");
    window.show();
    button->setText("&Stampa");
    button->repaint();
    EXPECT_EQ(button->caption(), "&Stampa");
    EXPECT_EQ(button->accessKey(), QChar('S'));
    EXPECT_EQ(button->accessibleName(), "Stampa");
}

}  // namespace
