#pragma once

// The six colours a button face is drawn with, chosen by its colour scheme.

#include <QColor>
#include <QPalette>

namespace controls {

struct XPButtonPalette {
    QColor face;
    QColor shadow;
    QColor light;
    QColor darkShadow;
    QColor highlight;
    QColor text;
};

// `color` with `amount` added to red, green and blue, each kept within 0..255.
QColor offsetColor(const QColor& color, int amount);

// WCAG contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// `text` when it reads well on `ground`, else black or white, whichever reads better:
// a caption stays legible on a face the look paints itself, whatever the desktop's
// text colour.
QColor legibleOn(const QColor& text, const QColor& ground);

// Scheme 2 derives the colours from `back` and `fore`; scheme 3 is fixed greys;
// any other scheme takes the system's button colours from `system`.
XPButtonPalette schemePalette(int scheme, const QColor& back, const QColor& fore,
                              const QPalette& system);

}  // namespace controls
