#include "printing/font_measure.h"

#include <QFont>
#include <QFontMetricsF>

namespace printing {

namespace {

// Fonts are measured at a large pixel size, where hinting no longer bends the
// widths, and scaled down to the font's size.
constexpr int kMeasuringPixels = 1000;

}  // namespace

double textWidthPoints(const QString& text, const xls::Font& font) {
    QFont measured(font.name);
    measured.setPixelSize(kMeasuringPixels);
    measured.setBold(font.weight >= 700);
    measured.setItalic((font.options & 0x02) != 0);
    measured.setHintingPreference(QFont::PreferNoHinting);
    const double points = font.height / 20.0;
    return QFontMetricsF(measured).horizontalAdvance(text) / kMeasuringPixels * points;
}

double zeroWidthPoints(const xls::Workbook& book) {
    return textWidthPoints(QStringLiteral("0"),
                           book.fonts.empty() ? xls::Font{} : book.fonts.front());
}

double FontTextMeasure::widthInZeros(const QString& line, const xls::Font& font,
                                     const xls::Font& defaultFont) const {
    return textWidthPoints(line, font) / textWidthPoints(QStringLiteral("0"), defaultFont);
}

}  // namespace printing
