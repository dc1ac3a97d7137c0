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

// Scheme 2 derives the colours from `back` and `fore`; scheme 3 is fixed greys;
// any other scheme takes the system's button colours from `system`.
XPButtonPalette schemePalette(int scheme, const QColor& back, const QColor& fore,
                              const QPalette& system);

}  // namespace controls
