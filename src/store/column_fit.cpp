#include "store/column_fit.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace store {

namespace {

// Width of one character in widths of "0" (a sans-serif font such as Arial).
double charWidth(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return 1.0;
    switch (u) {
        case 'i':
        case 'j':
        case 'l':
        case '\'':
        case '|':
        case '!':
        case '.':
        case ',':
        case ':':
        case ';':
            return 0.45;
        case 'f':
        case 't':
        case 'I':
        case ' ':
        case '/':
        case '\\':
        case '(':
        case ')':
        case '[':
        case ']':
        case '-':
            return 0.55;
        case 'r':
            return 0.6;
        case 'm':
            return 1.5;
        case 'w':
            return 1.3;
        case 'M':
            return 1.5;
        case 'W':
            return 1.7;
        case '@':
            return 1.8;
        case '%':
            return 1.6;
        default:
            break;
    }
    if (c.isUpper())
        return 1.2;
    if (c.isLower())
        return 0.95;
    return 1.0;
}

class TableTextMeasure final : public TextMeasure {
  public:
    double widthInZeros(const QString& line, const xls::Font& font,
                        const xls::Font& defaultFont) const override {
        double width = 0;
        for (QChar c : line)
            width += charWidth(c);
        const double size = double(font.height) / std::max<int>(1, defaultFont.height);
        return width * size * (font.weight >= 700 ? 1.1 : 1.0);
    }
};

}  // namespace

const TextMeasure& tableTextMeasure() {
    static const TableTextMeasure table;
    return table;
}

double TextMeasure::widestInZeros(const std::vector<QString>& lines, const xls::Font& font,
                                  const xls::Font& defaultFont) const {
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, widthInZeros(line, font, defaultFont));
    return widest;
}

int fittedColumnWidth(const QString& text, const xls::Font& font, const TextMeasure& measure,
                      const xls::Font& defaultFont) {
    const QStringList lines = text.split(u'\n');
    return fittedColumnWidth(
        measure.widestInZeros({lines.cbegin(), lines.cend()}, font, defaultFont));
}

int fittedColumnWidth(double widestZeros) {
    const double characters = widestZeros + 0.75;  // the cell's inner margins
    return std::min(255 * 256, int(std::ceil(characters * 256)));
}

}  // namespace store
