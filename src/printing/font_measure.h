#pragma once

// Text widths of real fonts, in points and independent of any device: the one
// measure that both the column fit of the start-up and the sheet painter use, so
// that a column fitted by the program never cuts its text on paper.

#include <QString>

#include <map>
#include <memory>
#include <tuple>

#include "store/column_fit.h"
#include "xls/workbook.h"

namespace printing {

double textWidthPoints(const QString& text, const xls::Font& font);

// Width of the workbook's default font's "0" in points: the unit of column widths.
double zeroWidthPoints(const xls::Workbook& book);

class FontTextMeasure final : public store::TextMeasure {
  public:
    FontTextMeasure();
    ~FontTextMeasure() override;
    FontTextMeasure(const FontTextMeasure&) = delete;
    FontTextMeasure& operator=(const FontTextMeasure&) = delete;

    double widthInZeros(const QString& line, const xls::Font& font,
                        const xls::Font& defaultFont) const override;
    // Shaping every line of a long register takes seconds: each line is first
    // estimated from its characters' advances and its neighbours' kerning, and
    // only the widest lines are shaped, to check the estimates (and, where they do
    // not hold, every line that could be the widest). The advances and kernings of
    // each font are measured once for all the columns in that font.
    double widestInZeros(const std::vector<QString>& lines, const xls::Font& font,
                         const xls::Font& defaultFont) const override;

  private:
    struct Measuring;
    Measuring& measuring(const xls::Font& font) const;
    mutable std::map<std::tuple<QString, int, bool, bool>, std::unique_ptr<Measuring>> fonts_;
};

}  // namespace printing
