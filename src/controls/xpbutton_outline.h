#pragma once

// The outline of a button of a given look: its rectangle less the corner pixels
// that make the rounded looks round.

#include <QRegion>
#include <QSize>

namespace controls {

QRegion buttonOutline(int buttonType, QSize size);

}  // namespace controls
