#pragma once

// Column widths fitted to texts without a window system: a fixed table of
// character widths of a proportional sans-serif font, relative to its "0".

#include <QString>

#include "xls/workbook.h"

namespace store {

// The column width, in 1/256 of the default font's "0", that shows `text` in
// `font` whole, with the small margin a spreadsheet leaves. Multi-line texts
// take their longest line. At most 255 characters.
int fittedColumnWidth(const QString& text, const xls::Font& font);

}  // namespace store
