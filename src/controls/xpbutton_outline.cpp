#include "controls/xpbutton_outline.h"

#include <QRect>

#include <initializer_list>

namespace controls {

namespace {

QRegion withoutPixels(QRegion region, std::initializer_list<QPoint> pixels) {
    for (const QPoint& p : pixels)
        region -= QRect(p, QSize(1, 1));
    return region;
}

}  // namespace

QRegion buttonOutline(int buttonType, QSize size) {
    const int w = size.width();
    const int h = size.height();
    const QRegion whole(0, 0, w, h);
    switch (buttonType) {
        case 1:
            return withoutPixels(whole, {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
        case 3:
        case 4:
            // An L of three pixels at each corner.
            return withoutPixels(whole, {{0, 0},
                                         {1, 0},
                                         {0, 1},
                                         {w - 1, 0},
                                         {w - 2, 0},
                                         {w - 1, 1},
                                         {0, h - 1},
                                         {1, h - 1},
                                         {0, h - 2},
                                         {w - 1, h - 1},
                                         {w - 2, h - 1},
                                         {w - 1, h - 2}});
        case 5:
            return withoutPixels(whole, {{0, h - 1}, {w - 1, 0}});
        default:
            return whole;
    }
}

}  // namespace controls
