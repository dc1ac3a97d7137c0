#pragma once

// Column widths fitted to texts. The width of a text comes from a TextMeasure:
// the program hands the measure of real fonts (src/printing) that the painter
// also uses; without one, a fixed table of character widths of a proportional
// sans-serif font stands in, so the engine needs no window system.

#include <QString>

#include <vector>

#include "xls/workbook.h"

namespace store {

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // The width of one line of text in `font`, in widths of `defaultFont`'s "0".
    virtual double widthInZeros(const QString& line, const xls::Font& font,
                                const xls::Font& defaultFont) const = 0;
    // The width of the widest of `lines`, all in `font` (0 for none). A measure
    // that shapes text may shape only the lines that can be the widest.
    virtual double widestInZeros(const std::vector<QString>& lines, const xls::Font& font,
                                 const xls::Font& defaultFont) const;
};

// The fixed table of character widths.
const TextMeasure& tableTextMeasure();

// The column width, in 1/256 of the default font's "0", that shows `text` in
// `font` whole, with the small margin a spreadsheet leaves. Multi-line texts
// take their longest line. At most 255 characters.
int fittedColumnWidth(const QString& text, const xls::Font& font,
                      const TextMeasure& measure = tableTextMeasure(),
                      const xls::Font& defaultFont = {});

// The column width, as above, for a widest line `widestZeros` wide.
int fittedColumnWidth(double widestZeros);

}  // namespace store
