#pragma once

// The program's own pictures, drawn in code so they stay sharp at any scale: the
// logo and the start window's banner.

#include <QPixmap>
#include <QSize>

namespace app {

// The square logo, `side` pixels wide: a sheet with a folded corner bearing a "B".
QPixmap logoPicture(int side, qreal devicePixelRatio = 1.0);

// A small printer, `side` pixels wide, for print buttons without a caption.
QPixmap printerPicture(int side, qreal devicePixelRatio = 1.0);

// The start window's banner: the program's name over a blue band, with room on
// the left (`logoSpace` pixels) for the logo that sits on it.
QPixmap bannerPicture(QSize size, int logoSpace, qreal devicePixelRatio = 1.0);

}  // namespace app
