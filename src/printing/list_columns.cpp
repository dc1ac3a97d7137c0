#include "printing/list_columns.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "printing/list_printing.h"

namespace printing {

namespace {

// Page units below which two widths are the same.
constexpr double kSlack = 1e-9;

bool isLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool isBreak(QChar c) {
    return c == QLatin1Char(' ') || isLineBreak(c);
}

// The widths of a column's texts: the widest run of characters without a blank
// or line break (the part that must fit the column whole) and the widest line.
// Long lists repeat their texts, so each is measured once.
class TextWidths {
  public:
    TextWidths(const ListMetrics& metrics, bool bold) : metrics_(metrics), bold_(bold) {}

    double widestWord(const QString& text) { return widestRun(text, true); }
    double widestLine(const QString& text) { return widestRun(text, false); }

  private:
    double widestRun(const QString& text, bool words) {
        double widest = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i < text.size() && !(words ? isBreak(text[i]) : isLineBreak(text[i])))
                continue;
            if (i > start)
                widest = std::max(widest, width(text.mid(start, i - start)));
            start = i + 1;
        }
        return widest;
    }

    double width(const QString& run) {
        auto known = measured_.constFind(run);
        if (known == measured_.constEnd())
            known = measured_.insert(run, metrics_.textWidth(run, bold_));
        return *known;
    }

    const ListMetrics& metrics_;
    bool bold_;
    QHash<QString, double> measured_;
};

double total(const std::vector<double>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

// Shares the page's 100 units among columns by their weights, none below its
// least width: a column whose share is short of its least gets that, and the
// rest is shared again among the others. With not even the least widths fitting,
// each gets its least scaled down to the page.
std::vector<double> share(const std::vector<double>& weights, const std::vector<double>& least) {
    const double needed = total(least);
    std::vector<double> widths(least.size());
    if (needed >= 100) {
        std::transform(least.begin(), least.end(), widths.begin(),
                       [&](double width) { return width * 100 / needed; });
        return widths;
    }
    std::vector<bool> atLeast(least.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        double room = 100;
        double weight = 0;
        for (std::size_t c = 0; c < least.size(); ++c)
            atLeast[c] ? room -= least[c] : weight += weights[c];
        for (std::size_t c = 0; c < least.size(); ++c) {
            widths[c] = atLeast[c] ? least[c] : weights[c] * room / weight;
            if (!atLeast[c] && widths[c] < least[c]) {
                atLeast[c] = true;
                changed = true;
            }
        }
    }
    return widths;
}

// Gives each column its least width, then as many columns as the page has room
// for the width that prints their texts on one line, the nearest first; what is
// left goes to the columns that still wrap (or, with none, to all) by weight.
std::vector<double> shareForWholeTexts(const std::vector<double>& weights,
                                       const std::vector<double>& least,
                                       const std::vector<double>& oneLine) {
    if (total(least) >= 100)
        return share(weights, least);
    std::vector<double> widths = least;
    double spare = 100 - total(least);
    std::vector<std::size_t> order(least.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return oneLine[a] - least[a] < oneLine[b] - least[b];
    });
    std::vector<bool> wrapping(least.size(), false);
    for (const std::size_t c : order) {
        const double extra = oneLine[c] - least[c];
        if (extra <= spare + kSlack) {
            widths[c] = oneLine[c];
            spare -= extra;
        } else {
            wrapping[c] = true;
        }
    }
    const bool anyWrapping = std::find(wrapping.begin(), wrapping.end(), true) != wrapping.end();
    double weight = 0;
    for (std::size_t c = 0; c < least.size(); ++c)
        weight += wrapping[c] || !anyWrapping ? weights[c] : 0;
    for (std::size_t c = 0; c < least.size(); ++c) {
        if (wrapping[c] || !anyWrapping)
            widths[c] += std::max(spare, 0.0) * weights[c] / weight;
    }
    return widths;
}

// The largest prefix of `text` that fits `room`, at least one character.
qsizetype fittingLength(const QString& text, double room,
                        const std::function<double(const QString&)>& width) {
    qsizetype fits = 1;
    qsizetype fails = text.size();
    while (fails - fits > 1) {
        const qsizetype middle = (fits + fails) / 2;
        (width(text.left(middle)) <= room ? fits : fails) = middle;
    }
    return fits;
}

}  // namespace

double ColumnPlan::across(const ListMetrics& metrics) const {
    return fontScale * (landscape && metrics.landscape ? metrics.landscape->across : 1);
}

double ColumnPlan::lineHeight(const ListMetrics& metrics) const {
    return metrics.lineHeight * fontScale *
           (landscape && metrics.landscape ? metrics.landscape->down : 1);
}

ColumnPlan planColumns(const PrintedList& list, const ListMetrics& metrics) {
    ColumnPlan plan;
    std::vector<double> weights;
    for (std::size_t c = 0; c < list.columnWidths.size(); ++c) {
        if (list.columnWidths[c] > 0) {
            plan.columns.push_back({static_cast<int>(c), 0, 0, 0});
            weights.push_back(list.columnWidths[c]);
        }
    }
    if (plan.columns.empty())
        return plan;

    // What each column needs, at the list's size on the upright page: its widest
    // word (or, to print on one line, its widest text) and the gap that keeps it
    // off the next column.
    const double gap = metrics.textWidth(QStringLiteral(" "), false);
    TextWidths cells(metrics, false);
    TextWidths headingTexts(metrics, true);
    const std::size_t count = plan.columns.size();
    std::vector<double> words(count, gap);
    std::vector<double> texts(count, gap);
    std::vector<double> headings(count, gap);
    for (std::size_t c = 0; c < count; ++c) {
        const int index = plan.columns[c].index;
        for (const QStringList& row : list.rows) {
            const QString cell = printedCell(list, row, index);
            words[c] = std::max(words[c], cells.widestWord(cell) + gap);
            texts[c] = std::max(texts[c], cells.widestLine(cell) + gap);
        }
        headings[c] = headingTexts.widestWord(list.columnHeadings.value(index)) + gap;
    }
    std::vector<double> wholeTexts(count);
    for (std::size_t c = 0; c < count; ++c)
        wholeTexts[c] = std::max(texts[c], headings[c]);

    // Every text on one line, upright or turned; else every word whole, upright or
    // turned; else turned with the font shrunk by half points, down to the floor.
    std::vector<ColumnPlan> pages{plan};
    if (metrics.landscape) {
        pages.push_back(plan);
        pages.back().landscape = true;
    }
    const auto fits = [&](const std::vector<double>& needs, const ColumnPlan& page) {
        return total(needs) * page.across(metrics) <= 100 + kSlack;
    };
    bool whole = false;
    if (const auto found =
            std::find_if(pages.begin(), pages.end(),
                         [&](const ColumnPlan& page) { return fits(wholeTexts, page); });
        found != pages.end()) {
        plan = *found;
        whole = true;
    } else if (const auto found =
                   std::find_if(pages.begin(), pages.end(),
                                [&](const ColumnPlan& page) { return fits(words, page); });
               found != pages.end()) {
        plan = *found;
    } else {
        plan = pages.back();
        const double points = list.fontSize > 0 ? list.fontSize : 10;
        const double fitting =
            std::floor(points * 100 / (total(words) * plan.across(metrics)) * 2 + kSlack) / 2;
        plan.fontScale = std::max(fitting, std::min(points, kSmallestFontSize)) / points;
    }

    const double scale = plan.across(metrics);
    const auto scaled = [&](std::vector<double> needs) {
        for (double& need : needs)
            need *= scale;
        return needs;
    };
    std::vector<double> widths;
    if (whole) {
        widths = share(weights, scaled(wholeTexts));
    } else {
        // The headings' words whole too, when the page has the room for them.
        std::vector<double> least = scaled(words);
        std::vector<double> withHeadings(count);
        for (std::size_t c = 0; c < count; ++c)
            withHeadings[c] = std::max(least[c], headings[c] * scale);
        if (total(withHeadings) <= 100 + kSlack)
            least = withHeadings;
        std::vector<double> oneLine = scaled(texts);
        for (std::size_t c = 0; c < count; ++c)
            oneLine[c] = std::max(oneLine[c], least[c]);
        widths = shareForWholeTexts(weights, least, oneLine);
    }
    double x = 0;
    for (std::size_t c = 0; c < count; ++c) {
        plan.columns[c].x = x;
        plan.columns[c].width = widths[c];
        plan.columns[c].textRoom = widths[c] - gap * scale;
        x += widths[c];
    }
    return plan;
}

QStringList wrapToWidth(const QString& text, double textRoom,
                        const std::function<double(const QString&)>& width) {
    // A text planned to the width of its column fits it, whatever the rounding.
    const double room = textRoom + kSlack;
    QStringList lines;
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    for (QString rest : plain.split(QLatin1Char('\n'))) {
        const qsizetype before = lines.size();
        while (!rest.isEmpty() && width(rest) > room) {
            // The last blank whose line fits; a blank right after a full line
            // still ends it, the word fits whole.
            qsizetype blank = -1;
            for (qsizetype next = rest.indexOf(QLatin1Char(' '), 1);
                 next > 0 && width(rest.left(next)) <= room;
                 next = rest.indexOf(QLatin1Char(' '), next + 1)) {
                blank = next;
            }
            if (blank > 0) {
                lines << rest.left(blank);
                rest = rest.mid(blank + 1);
            } else {
                const qsizetype cut = fittingLength(rest, room, width);
                lines << rest.left(cut);
                rest = rest.mid(cut);
            }
        }
        // A line that ends at a blank leaves no empty line behind it.
        if (!rest.isEmpty() || lines.size() == before)
            lines << rest;
    }
    return lines;
}

}  // namespace printing
