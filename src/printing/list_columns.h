#pragma once

// How a printed list's columns go across the page: each column gets its share of
// the page by its width in the list, widened so that no date, number or amount of
// it has to break; the page turns to landscape, and then the font shrinks down to
// a readable floor, when the columns need the room.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace printing {

struct PrintedList;

// The upright page turned to landscape: what its page units across and down are
// multiplied by (a text takes fewer units across, a line more units down).
struct TurnedPage {
    double across = 1;
    double down = 1;
};

// What the layout needs to know of the font on the page, in page units (0 to 100
// across and down) of the upright page at the list's font size.
struct ListMetrics {
    std::function<double(const QString& text, bool bold)> textWidth;
    double lineHeight = 0;
    // Nothing when the page cannot turn.
    std::optional<TurnedPage> landscape;
};

// The smallest font the columns may shrink to, in points.
inline constexpr double kSmallestFontSize = 7;

struct PlacedColumn {
    int index = 0;        // in the list's columns
    double x = 0;         // left edge, page units
    double width = 0;     // up to the next column
    double textRoom = 0;  // what a text may take, short of the gap to the next column
};

struct ColumnPlan {
    bool landscape = false;
    double fontScale = 1;  // of the list's font size
    std::vector<PlacedColumn> columns;

    // Page units that a text measured by the metrics takes on this page.
    double across(const ListMetrics& metrics) const;
    double lineHeight(const ListMetrics& metrics) const;
};

ColumnPlan planColumns(const PrintedList& list, const ListMetrics& metrics);

// Breaks a text into lines that fit `room` page units, each ending at the last
// blank that fits, or cut where no blank does. A typed line break starts a new
// line. `width` measures a text in the same units.
QStringList wrapToWidth(const QString& text, double room,
                        const std::function<double(const QString&)>& width);

}  // namespace printing
