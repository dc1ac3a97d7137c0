#include <QSignalSpy>

#include <cmath>

#include <gtest/gtest.h>

#include "xpbutton_test_support.h"

namespace {

using controls::FaceState;
using controls::XPButton;
using controls_test::at;
using controls_test::ButtonWindow;
using controls_test::shot;

const QColor kBorder(0, 60, 115);
const QColor kCorner(16, 77, 123);

// The gradient row colour, straight from its definition: white less round(y·a/h).
QColor gradient(int y, int h, double redGreen, double blue) {
    const int rg = static_cast<int>(std::lround(y * redGreen / h));
    const int b = static_cast<int>(std::lround(y * blue / h));
    return QColor(255 - rg, 255 - rg, 255 - b);
}

void expectFrameOfLookThree(const QImage& img, QColor innerFrame, QColor bottom, QColor top,
                            QColor second) {
    const int w = img.width(), h = img.height();
    for (QPoint p : {QPoint(2, 0), QPoint(w - 3, 0), QPoint(2, h - 1), QPoint(w - 3, h - 1),
                     QPoint(0, 2), QPoint(0, h - 3), QPoint(w - 1, 2), QPoint(w - 1, h - 3)}) {
        EXPECT_EQ(at(img, p.x(), p.y()), kBorder) << p.x() << "," << p.y();
    }
    for (QPoint p : {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)}) {
        EXPECT_EQ(at(img, p.x(), p.y()), kCorner) << p.x() << "," << p.y();
    }
    EXPECT_EQ(at(img, 1, 3), innerFrame);
    EXPECT_EQ(at(img, 1, h - 3), innerFrame);
    EXPECT_EQ(at(img, w - 2, 3), innerFrame);
    EXPECT_EQ(at(img, 5, h - 3), innerFrame);
    EXPECT_EQ(at(img, 2, h - 2), bottom);
    EXPECT_EQ(at(img, w - 3, h - 2), bottom);
    EXPECT_EQ(at(img, 2, 1), top);
    EXPECT_EQ(at(img, w - 3, 1), top);
    EXPECT_EQ(at(img, 1, 2), second);
    EXPECT_EQ(at(img, w - 2, 2), second);
}

TEST(XPLook, NormalFaceFollowsTheRecipe) {
    for (int h : {23, 24}) {  // 24 rows put some gradient values exactly on a half
        ButtonWindow window;
        XPButton* button = window.add("", QRect(10, 10, 75, h));
        window.show();
        const QImage img = shot(*button);
        ASSERT_EQ(img.size(), QSize(75, h));
        for (int y = 3; y <= h - 4; ++y) {
            for (int x : {3, 37, 71})
                EXPECT_EQ(at(img, x, y), gradient(y, h, 75, 50)) << y;
        }
        expectFrameOfLookThree(img, QColor(140, 174, 231), QColor(107, 130, 239),
                               QColor(206, 231, 255), QColor(189, 215, 247));
    }
}

TEST(XPLook, PressedFaceFollowsTheRecipe) {
    ButtonWindow window;
    XPButton* button = window.add("");
    window.show();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_EQ(button->drawnState(), FaceState::Pressed);
    const QImage img = shot(*button);
    for (int y = 3; y <= 19; ++y)
        EXPECT_EQ(at(img, 40, y), gradient(y, 23, 85, 60)) << y;
    expectFrameOfLookThree(img, QColor(128, 128, 255), QColor(64, 64, 64), QColor(0, 0, 0),
                           QColor(224, 224, 224));
    for (int y = 3; y <= 19; ++y)
        EXPECT_EQ(at(img, 2, y), QColor(224, 224, 224)) << y;
    // Pressed shows no focus mark, though the press gave the focus.
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(at(img, 72, 10), gradient(10, 23, 85, 60));
}

TEST(XPLook, DisabledFaceFollowsTheRecipe) {
    ButtonWindow window;
    XPButton* button = window.add("");
    button->setEnabled(false);
    window.show();
    const QImage img = shot(*button);
    for (int y = 3; y <= 19; ++y)
        EXPECT_EQ(at(img, 40, y), gradient(y, 23, 60, 40)) << y;
    expectFrameOfLookThree(img, QColor(153, 186, 253), QColor(113, 138, 254), QColor(208, 234, 255),
                           QColor(191, 217, 250));
}

TEST(XPLook, FocusMarkIsTwoWhiteLinesUnlessSwitchedOff) {
    ButtonWindow window;
    XPButton* button = window.add("");
    window.show();
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    QImage img = shot(*button);
    for (int y = 3; y <= 19; ++y) {
        EXPECT_EQ(at(img, 2, y), QColor(Qt::white)) << y;
        EXPECT_EQ(at(img, 72, y), QColor(Qt::white)) << y;
    }
    EXPECT_EQ(at(img, 2, 20), QColor(140, 174, 231));

    button->setShowFocusRect(false);
    img = shot(*button);
    EXPECT_TRUE(button->hasFocus());
    for (int y = 3; y <= 19; ++y)
        EXPECT_EQ(at(img, 2, y), gradient(y, 23, 75, 50)) << y;

    button->setShowFocusRect(true);
    button->clearFocus();
    img = shot(*button);
    EXPECT_EQ(at(img, 72, 10), gradient(10, 23, 75, 50));
}

// The bounding box of the caption's dark pixels inside the frame.
QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 3; y < img.height() - 3; ++y) {
        for (int x = 3; x < img.width() - 3; ++x) {
            if (at(img, x, y).red() < 110)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(XPLook, CaptionIsCentredAndMovesOnePixelWhenPressed) {
    ButtonWindow window;
    XPButton* button = window.add("&Esci");
    window.show();
    const QRect normal = inkBox(shot(*button));
    ASSERT_FALSE(normal.isEmpty());
    EXPECT_LE(std::abs((normal.left() + normal.right()) - 74), 3);
    EXPECT_LE(std::abs((normal.top() + normal.bottom()) - 22), 4);

    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(inkBox(shot(*button)), normal.translated(1, 1));
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(inkBox(shot(*button)), normal);
}

TEST(XPLook, DisabledCaptionIsEngravedNotInTheTextColour) {
    ButtonWindow window;
    XPButton* button = window.add("III");
    button->setEnabled(false);
    window.show();
    const QImage img = shot(*button);
    bool shadow = false, black = false;
    for (int y = 3; y < 20; ++y) {
        for (int x = 3; x < 72; ++x) {
            shadow |= at(img, x, y) == button->colors().shadow;
            black |= at(img, x, y) == QColor(Qt::black);
        }
    }
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(black);
}

TEST(XPButtonFace, ZeroHeightDrawsNothingAndRecovers) {
    ButtonWindow window;
    XPButton* button = window.add("&Ok");
    window.show();
    button->resize(75, 0);
    button->setCaption("&Annulla");
    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_TRUE(button->grab().isNull());
    button->resize(75, 23);
    const QImage img = shot(*button);
    EXPECT_EQ(at(img, 2, 0), kBorder);
    EXPECT_EQ(button->drawnState(), FaceState::Normal);
}

TEST(XPButtonFace, ChangingTheLookRebuildsOutlineAndFace) {
    ButtonWindow window;
    XPButton* button = window.add("");
    window.show();
    EXPECT_FALSE(button->mask().contains(QPoint(1, 0)));
    button->setButtonType(5);
    EXPECT_TRUE(button->mask().contains(QPoint(1, 0)));
    EXPECT_FALSE(button->mask().contains(QPoint(74, 0)));
    button->setButtonType(7);
    const QImage img = shot(*button);
    EXPECT_EQ(at(img, 0, 0), button->colors().darkShadow);
    EXPECT_EQ(at(img, 40, 21), button->colors().shadow);
    EXPECT_EQ(at(img, 40, 10), button->colors().face);
    button->setButtonType(0);
    EXPECT_EQ(button->buttonType(), 7);
}

TEST(XPButtonFace, SchemeTwoFaceTakesBackColor) {
    ButtonWindow window;
    XPButton* button = window.add("");
    button->setButtonType(2);
    button->setColorScheme(2);
    button->setBackColor(QColor(20, 20, 20));
    window.show();
    const QImage img = shot(*button);
    EXPECT_EQ(at(img, 40, 10), QColor(20, 20, 20));
    EXPECT_EQ(at(img, 0, 0), QColor(67, 67, 67));  // highlight frame
    EXPECT_EQ(at(img, 74, 22), QColor(0, 0, 0));   // dark shadow edge
}

TEST(XPButtonFace, StandardButtonDefaults) {
    XPButton plain;
    EXPECT_EQ(plain.buttonType(), 2);
    EXPECT_EQ(plain.colorScheme(), 1);
    EXPECT_TRUE(plain.showFocusRect());
    EXPECT_TRUE(plain.caption().isEmpty());

    std::unique_ptr<XPButton> standard(XPButton::standard("&Registra"));
    EXPECT_EQ(standard->buttonType(), 3);
    EXPECT_EQ(standard->colorScheme(), 1);
    EXPECT_EQ(standard->backColor(), QColor(236, 233, 216));
    EXPECT_EQ(standard->foreColor(), QColor(Qt::black));
    EXPECT_EQ(standard->caption(), "&Registra");
    EXPECT_EQ(standard->text(), "&Registra");
    EXPECT_EQ(standard->accessibleName(), "Registra");
    EXPECT_EQ(standard->property("Caption").toString(), "&Registra");
    const QSize hint = standard->sizeHint();
    EXPECT_GE(hint.width(), 75);
    EXPECT_GE(hint.height(), 23);
    EXPECT_LE(hint.height(), 32);
}

}  // namespace
