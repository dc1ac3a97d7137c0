#include <QPalette>

#include <gtest/gtest.h>

#include "controls/xpbutton_caption.h"
#include "controls/xpbutton_outline.h"
#include "controls/xpbutton_palette.h"

namespace {

using controls::buttonOutline;
using controls::captionAccessKey;
using controls::captionPlainText;
using controls::schemePalette;

TEST(CaptionAccessKey, FollowsTheFirstUnescapedMark) {
    EXPECT_EQ(captionAccessKey("&Esci"), QChar('E'));
    EXPECT_EQ(captionAccessKey("Vis&ualizza"), QChar('u'));
    EXPECT_EQ(captionAccessKey("&&&x"), QChar('x'));
    EXPECT_EQ(captionAccessKey("a&&b&c"), QChar('c'));
    EXPECT_EQ(captionAccessKey("&a&b"), QChar('a'));
}

TEST(CaptionAccessKey, NoneForEscapedShortOrTrailingMarks) {
    EXPECT_TRUE(captionAccessKey("a&&b").isNull());
    EXPECT_TRUE(captionAccessKey("Salva && Esci").isNull());
    EXPECT_TRUE(captionAccessKey("&").isNull());
    EXPECT_TRUE(captionAccessKey("x").isNull());
    EXPECT_TRUE(captionAccessKey("").isNull());
    EXPECT_TRUE(captionAccessKey("Ok&").isNull());
    EXPECT_TRUE(captionAccessKey("&&&").isNull());
    EXPECT_TRUE(captionAccessKey("Esci").isNull());
}

TEST(CaptionPlainText, DropsMarksAndUnescapesAmpersands) {
    EXPECT_EQ(captionPlainText("&Esci"), "Esci");
    EXPECT_EQ(captionPlainText("a&&b"), "a&b");
    EXPECT_EQ(captionPlainText("&&&x"), "&x");
    EXPECT_EQ(captionPlainText("Ok&"), "Ok&");
}

TEST(SchemePalette, SchemeTwoOffsetsBackColorAndClamps) {
    const auto dark = schemePalette(2, QColor(20, 20, 20), QColor(1, 2, 3), QPalette());
    EXPECT_EQ(dark.face, QColor(20, 20, 20));
    EXPECT_EQ(dark.shadow, QColor(0, 0, 0));
    EXPECT_EQ(dark.darkShadow, QColor(0, 0, 0));
    EXPECT_EQ(dark.highlight, QColor(67, 67, 67));
    EXPECT_EQ(dark.light, QColor(51, 51, 51));
    EXPECT_EQ(dark.text, QColor(1, 2, 3));

    const auto pale = schemePalette(2, QColor(236, 233, 216), Qt::black, QPalette());
    EXPECT_EQ(pale.highlight, QColor(255, 255, 255));
    EXPECT_EQ(pale.light, QColor(255, 255, 247));
    EXPECT_EQ(pale.shadow, QColor(172, 169, 152));
    EXPECT_EQ(pale.darkShadow, QColor(44, 41, 24));
}

TEST(SchemePalette, SchemeThreeIsFixedGreysAndOthersAreTheSystemColours) {
    const auto greys = schemePalette(3, Qt::red, Qt::green, QPalette());
    EXPECT_EQ(greys.face, QColor(192, 192, 192));
    EXPECT_EQ(greys.shadow, QColor(128, 128, 128));
    EXPECT_EQ(greys.light, QColor(223, 223, 223));
    EXPECT_EQ(greys.darkShadow, QColor(0, 0, 0));
    EXPECT_EQ(greys.highlight, QColor(255, 255, 255));
    EXPECT_EQ(greys.text, QColor(0, 0, 0));

    QPalette system;
    system.setColor(QPalette::Button, QColor(10, 20, 30));
    system.setColor(QPalette::Dark, QColor(40, 50, 60));
    system.setColor(QPalette::Midlight, QColor(70, 80, 90));
    system.setColor(QPalette::Shadow, QColor(1, 1, 1));
    system.setColor(QPalette::Light, QColor(250, 250, 250));
    system.setColor(QPalette::ButtonText, QColor(5, 5, 5));
    for (int scheme : {1, 0, 9}) {
        const auto colours = schemePalette(scheme, Qt::red, Qt::green, system);
        EXPECT_EQ(colours.face, QColor(10, 20, 30)) << scheme;
        EXPECT_EQ(colours.shadow, QColor(40, 50, 60)) << scheme;
        EXPECT_EQ(colours.light, QColor(70, 80, 90)) << scheme;
        EXPECT_EQ(colours.darkShadow, QColor(1, 1, 1)) << scheme;
        EXPECT_EQ(colours.highlight, QColor(250, 250, 250)) << scheme;
        EXPECT_EQ(colours.text, QColor(5, 5, 5)) << scheme;
    }
}

// Which of the pixels near the corners of a 75x23 outline are cut away.
std::vector<QPoint> cutCornerPixels(int type) {
    const int w = 75, h = 23;
    const QRegion outline = buttonOutline(type, QSize(w, h));
    std::vector<QPoint> cut;
    for (int x : {0, 1, 2, w - 3, w - 2, w - 1}) {
        for (int y : {0, 1, 2, h - 3, h - 2, h - 1}) {
            if (!outline.contains(QPoint(x, y)))
                cut.push_back({x, y});
        }
    }
    return cut;
}

TEST(ButtonOutline, CornersCutPerLook) {
    const std::vector<QPoint> single{{0, 0}, {0, 22}, {74, 0}, {74, 22}};
    EXPECT_EQ(cutCornerPixels(1), single);
    const std::vector<QPoint> lShapes{{0, 0},  {0, 1},   {0, 21}, {0, 22}, {1, 0},   {1, 22},
                                      {73, 0}, {73, 22}, {74, 0}, {74, 1}, {74, 21}, {74, 22}};
    EXPECT_EQ(cutCornerPixels(3), lShapes);
    EXPECT_EQ(cutCornerPixels(4), lShapes);
    const std::vector<QPoint> two{{0, 22}, {74, 0}};
    EXPECT_EQ(cutCornerPixels(5), two);
    for (int type : {2, 6, 7})
        EXPECT_TRUE(cutCornerPixels(type).empty()) << type;
    EXPECT_EQ(buttonOutline(3, QSize(75, 23)).boundingRect(), QRect(0, 0, 75, 23));
}

}  // namespace
