#pragma once

// The faces of the seven button looks, drawn with the button's palette on any
// paint device. Coordinates follow the look recipes: (0, 0) is the top-left pixel,
// lines leave out their end pixel, frames are one pixel inside their rectangle.

#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>

#include "controls/xpbutton_palette.h"

namespace controls {

// The two faces the button ever draws.
enum class FaceState { Normal = 0, Pressed = 2 };

struct FaceSpec {
    int buttonType = 2;
    FaceState state = FaceState::Normal;
    bool enabled = true;
    bool focusMark = false;
    QSize size;
    QString caption;  // with its "&" marks
    QFont font;
    XPButtonPalette colors;
};

// Fills the whole face and draws the look of `spec` over it.
void drawFace(QPainter& painter, const FaceSpec& spec);

}  // namespace controls
