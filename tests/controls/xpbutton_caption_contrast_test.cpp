// Captions stay legible on the face each look paints, whatever the desktop's colours.
#include "controls/xpbutton_looks.h"
#include "controls/xpbutton_palette.h"
#include "support/dark_palette.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using controls::FaceSpec;
using controls::FaceState;

QImage face(const FaceSpec& spec) {
    QImage image(spec.size, QImage::Format_RGB32);
    QPainter painter(&image);
    controls::drawFace(painter, spec);
    return image;
}

// The contrast of the caption's ink against what lies beside it: the pixel that
// differs most from the same face drawn without a caption.
double captionContrast(FaceSpec spec) {
    const QImage with = face(spec);
    spec.caption.clear();
    const QImage without = face(spec);
    int best = -1;
    QColor ink, ground;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            const QColor a(with.pixel(x, y)), b(without.pixel(x, y));
            const int d = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                          std::abs(a.blue() - b.blue());
            if (d > best) {
                best = d;
                ink = a;
                ground = b;
            }
        }
    }
    return controls::contrastRatio(ink, ground);
}

struct LookCase {
    int look;
    FaceState state;
};

class CaptionContrast : public testing::TestWithParam<LookCase> {};

TEST_P(CaptionContrast, ReadsOnADarkTheme) {
    FaceSpec spec;
    spec.buttonType = GetParam().look;
    spec.state = GetParam().state;
    spec.size = QSize(160, 32);
    spec.caption = QStringLiteral("Gestione Clienti");
    spec.font = QApplication::font();
    spec.font.setPointSize(12);
    spec.colors = controls::schemePalette(1, {}, {}, test_support::darkPalette());
    EXPECT_GE(captionContrast(spec), 4.5) << "look " << GetParam().look;
}

INSTANTIATE_TEST_SUITE_P(
    EveryLook, CaptionContrast,
    testing::Values(LookCase{1, FaceState::Normal}, LookCase{2, FaceState::Normal},
                    LookCase{2, FaceState::Pressed}, LookCase{3, FaceState::Normal},
                    LookCase{3, FaceState::Pressed}, LookCase{4, FaceState::Normal},
                    LookCase{5, FaceState::Normal}, LookCase{5, FaceState::Pressed},
                    LookCase{6, FaceState::Normal}, LookCase{7, FaceState::Normal}));

TEST(CaptionColour, KeptWhenItReadsAndReplacedWhenItDoesNot) {
    EXPECT_EQ(controls::legibleOn(Qt::black, QColor(236, 233, 216)), QColor(Qt::black));
    EXPECT_EQ(controls::legibleOn(QColor(230, 230, 230), QColor(53, 53, 53)),
              QColor(230, 230, 230));
    EXPECT_EQ(controls::legibleOn(QColor(230, 230, 230), QColor(215, 215, 230)), QColor(Qt::black));
    EXPECT_EQ(controls::legibleOn(QColor(20, 20, 20), QColor(30, 30, 30)), QColor(Qt::white));
    EXPECT_NEAR(controls::contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

}  // namespace
