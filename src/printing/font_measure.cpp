#include "printing/font_measure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace printing {

namespace {

// Fonts are measured at a large pixel size, where hinting no longer bends the
// widths, and scaled down to the font's size.
constexpr int kMeasuringPixels = 1000;

// A line's estimate is the sum of its characters' advances and of the kerning
// of each pair of neighbours, each measured once. For Latin text that is its
// shaped width; the widest lines are shaped to check it, and a font where the
// check fails has every line shaped that could be the widest: no shaped Latin
// line is wider than its estimate by this factor.
constexpr double kShapingSlack = 1.1;
constexpr int kLinesChecked = 8;
constexpr double kEstimateTolerance = 0.005;

// Characters whose advance alone says how wide they make a line: Latin letters,
// digits, punctuation and the currency signs. A line with any other character
// (another script, a surrogate pair) is always shaped.
constexpr char16_t kEstimatedBelow = 0x0250;
constexpr char16_t kPunctuationFirst = 0x2000;
constexpr char16_t kPunctuationLast = 0x20CF;

QFont measuringFont(const xls::Font& font) {
    QFont measured(font.name);
    measured.setPixelSize(kMeasuringPixels);
    measured.setBold(font.weight >= 700);
    measured.setItalic((font.options & 0x02) != 0);
    measured.setHintingPreference(QFont::PreferNoHinting);
    return measured;
}

double pixelsToPoints(double pixels, const xls::Font& font) {
    return pixels / kMeasuringPixels * (font.height / 20.0);
}

// A line's estimate in the font of `metrics`; infinite for a line that must be
// shaped.
class LineEstimate {
  public:
    explicit LineEstimate(const QFontMetricsF& metrics)
        : metrics_(metrics),
          advances_(kPunctuationLast + 1, -1.0),
          printableKernings_(kPrintable * kPrintable, kUnknown) {}

    double operator()(const QString& line) {
        double sum = 0;
        char16_t previous = 0;
        for (QChar c : line) {
            const char16_t u = c.unicode();
            if (u >= kEstimatedBelow && (u < kPunctuationFirst || u > kPunctuationLast))
                return std::numeric_limits<double>::infinity();
            sum += advance(u);
            if (previous)
                sum += kerning(previous, u);
            previous = u;
        }
        return sum;
    }

  private:
    double advance(char16_t u) {
        double& known = advances_[u];
        if (known < 0)
            known = metrics_.horizontalAdvance(QChar(u));
        return known;
    }
    double kerning(char16_t left, char16_t right) {
        // Pairs of printable ASCII characters, most of any register, in a table
        // of their own: a hash look-up for every character costs more than the
        // rest of the estimate.
        if (left >= kFirstPrintable && right >= kFirstPrintable && left < kEndPrintable &&
            right < kEndPrintable) {
            double& known = printableKernings_[std::size_t(left - kFirstPrintable) * kPrintable +
                                               std::size_t(right - kFirstPrintable)];
            if (known == kUnknown)
                known = measuredKerning(left, right);
            return known;
        }
        const quint32 key = (quint32(left) << 16) | right;
        auto found = kernings_.constFind(key);
        if (found == kernings_.cend()) {
            found = kernings_.insert(key, measuredKerning(left, right));
        }
        return *found;
    }
    double measuredKerning(char16_t left, char16_t right) {
        const QChar pair[] = {QChar(left), QChar(right)};
        return metrics_.horizontalAdvance(QString(pair, 2)) - advance(left) - advance(right);
    }

    static constexpr char16_t kFirstPrintable = 0x20;
    static constexpr char16_t kEndPrintable = 0x7F;
    static constexpr std::size_t kPrintable = kEndPrintable - kFirstPrintable;
    static constexpr double kUnknown = std::numeric_limits<double>::infinity();

    const QFontMetricsF& metrics_;
    std::vector<double> advances_;
    std::vector<double> printableKernings_;
    QHash<quint32, double> kernings_;
};

}  // namespace

double textWidthPoints(const QString& text, const xls::Font& font) {
    return pixelsToPoints(QFontMetricsF(measuringFont(font)).horizontalAdvance(text), font);
}

double zeroWidthPoints(const xls::Workbook& book) {
    return textWidthPoints(QStringLiteral("0"),
                           book.fonts.empty() ? xls::Font{} : book.fonts.front());
}

double FontTextMeasure::widthInZeros(const QString& line, const xls::Font& font,
                                     const xls::Font& defaultFont) const {
    return textWidthPoints(line, font) / textWidthPoints(QStringLiteral("0"), defaultFont);
}

struct FontTextMeasure::Measuring {
    explicit Measuring(const xls::Font& font) : metrics(measuringFont(font)), estimate(metrics) {}
    QFontMetricsF metrics;
    LineEstimate estimate;
};

FontTextMeasure::FontTextMeasure() = default;
FontTextMeasure::~FontTextMeasure() = default;

FontTextMeasure::Measuring& FontTextMeasure::measuring(const xls::Font& font) const {
    auto& known = fonts_[{font.name, font.height, font.weight >= 700, (font.options & 0x02) != 0}];
    if (!known)
        known = std::make_unique<Measuring>(font);
    return *known;
}

double FontTextMeasure::widestInZeros(const std::vector<QString>& lines, const xls::Font& font,
                                      const xls::Font& defaultFont) const {
    Measuring& measured = measuring(font);
    const QFontMetricsF& metrics = measured.metrics;
    LineEstimate& estimate = measured.estimate;
    std::vector<std::pair<double, const QString*>> estimated;
    estimated.reserve(lines.size());
    for (const QString& line : lines)
        estimated.emplace_back(estimate(line), &line);
    std::sort(estimated.begin(), estimated.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    double widest = 0;
    double widestEstimate = 0;
    int checked = 0;
    bool estimatesHold = true;
    for (const auto& [guess, line] : estimated) {
        if (guess * kShapingSlack <= widest)
            break;  // no line from here on can be wider
        const bool estimable = std::isfinite(guess);
        if (estimable && estimatesHold && checked == kLinesChecked) {
            // The widest estimated lines shaped as estimated: none of the others is
            // wider than the widest estimate.
            widest = std::max(widest, widestEstimate);
            break;
        }
        const double shaped = metrics.horizontalAdvance(*line);
        widest = std::max(widest, shaped);
        if (!estimable)
            continue;  // always shaped; it says nothing of the estimates
        if (checked == 0)
            widestEstimate = guess;
        estimatesHold = estimatesHold && std::fabs(shaped - guess) <= kEstimateTolerance * guess;
        ++checked;
    }
    const double zero = measuring(defaultFont).metrics.horizontalAdvance(QStringLiteral("0"));
    return pixelsToPoints(widest, font) / pixelsToPoints(zero, defaultFont);
}

}  // namespace printing
