#include "store/pagination.h"

#include <algorithm>
#include <cmath>

#include "store/sheet_cells.h"

namespace store {

namespace {

constexpr double kPointsPerInch = 72;
// A spreadsheet zooms between 10 % and 400 %.
constexpr double kSmallestScale = 0.10;
constexpr double kLargestScale = 4.00;

const xls::ColumnInfo* columnInfo(const xls::Sheet& sheet, int column) {
    for (const xls::ColumnInfo& info : sheet.columns) {
        if (column >= info.firstCol && column <= info.lastCol) {
            return &info;
        }
    }
    return nullptr;
}

// Cuts `sizes` (points, at scale 1) into bands no longer than `room` at `scale`;
// a row or column longer than a page gets a page of its own. Manual breaks (the
// first index of a new page) start bands too.
std::vector<Band> cut(const std::vector<double>& sizes, int first, double room, double scale,
                      const std::vector<std::uint16_t>& breaks = {}) {
    std::vector<Band> bands;
    double used = 0;
    Band band{first, first - 1};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int index = first + int(i);
        const double size = sizes[i] * scale;
        const bool manual =
            index > first && std::find(breaks.begin(), breaks.end(), index) != breaks.end();
        if (band.last >= band.first && (used + size > room + 1e-9 || manual)) {
            bands.push_back(band);
            band = {index, index - 1};
            used = 0;
        }
        band.last = index;
        used += size;
    }
    if (band.last >= band.first) {
        bands.push_back(band);
    }
    return bands;
}

double total(const std::vector<double>& sizes) {
    double sum = 0;
    for (const double size : sizes) {
        sum += size;
    }
    return sum;
}

}  // namespace

double columnWidthPoints(const xls::Sheet& sheet, int column, double zeroWidthPoints) {
    const xls::ColumnInfo* info = columnInfo(sheet, column);
    if (info && (info->options & 0x0001) != 0) {  // hidden
        return 0;
    }
    // A column without a record has the default width and its cell margins: 8 gives 2340.
    const double width = info ? info->width : (sheet.defaultColWidth * 256.0 + 292);
    return width / 256.0 * zeroWidthPoints;
}

double rowHeightPoints(const xls::Sheet& sheet, int row) {
    if (row < int(sheet.rows.size())) {
        const xls::Row& r = sheet.rows[row];
        if (r.hidden) {
            return 0;
        }
        return r.height / 20.0;
    }
    return sheet.defaultRowHeight / 20.0;
}

QSizeF paperSizePoints(const xls::PageSetup& setup) {
    QSizeF size;
    switch (setup.paperSize) {
        case 1:  // Letter
            size = {612, 792};
            break;
        case 5:  // Legal
            size = {612, 1008};
            break;
        case 8:  // A3
            size = {841.89, 1190.55};
            break;
        case 11:  // A5
            size = {419.53, 595.28};
            break;
        default:  // A4, and what we do not know
            size = {595.28, 841.89};
            break;
    }
    return setup.landscape ? size.transposed() : size;
}

xls::CellRect PagePlan::page(int index) const {
    const int rows = int(rowBands.size());
    const Band& rowBand = rowBands.at(index % rows);
    const Band& columnBand = columnBands.at(index / rows);
    return {rowBand.first, rowBand.last, columnBand.first, columnBand.last};
}

xls::CellRect printedArea(const xls::Sheet& sheet) {
    if (sheet.page.printArea) {
        return *sheet.page.printArea;
    }
    return usedRect(sheet).value_or(xls::CellRect{});
}

PagePlan paginate(const xls::Sheet& sheet, double zeroWidthPoints) {
    const xls::PageSetup& setup = sheet.page;
    PagePlan plan;
    plan.area = printedArea(sheet);
    std::vector<double> widths;
    for (int c = plan.area.firstCol; c <= plan.area.lastCol; ++c) {
        widths.push_back(columnWidthPoints(sheet, c, zeroWidthPoints));
    }
    std::vector<double> heights;
    for (int r = plan.area.firstRow; r <= plan.area.lastRow; ++r) {
        heights.push_back(rowHeightPoints(sheet, r));
    }
    const QSizeF paper = paperSizePoints(setup);
    const double roomWide =
        std::max(1.0, paper.width() - (setup.leftMargin + setup.rightMargin) * kPointsPerInch);
    const double roomTall =
        std::max(1.0, paper.height() - (setup.topMargin + setup.bottomMargin) * kPointsPerInch);

    if (setup.fitToPage) {
        // The largest scale, at most 100 %, at which the area takes no more pages
        // than asked for (0 pages = as many as it needs that way).
        double scale = 1;
        if (setup.fitWidth > 0) {
            scale = std::min(scale, roomWide * setup.fitWidth / std::max(1.0, total(widths)));
        }
        if (setup.fitHeight > 0) {
            scale = std::min(scale, roomTall * setup.fitHeight / std::max(1.0, total(heights)));
        }
        scale = std::max(scale, kSmallestScale);
        // Whole rows and columns make bands uneven: shrink until the count holds.
        for (;; scale = std::max(kSmallestScale, scale * 0.98)) {
            plan.columnBands = cut(widths, plan.area.firstCol, roomWide, scale);
            plan.rowBands = cut(heights, plan.area.firstRow, roomTall, scale);
            const bool wideOk =
                setup.fitWidth == 0 || int(plan.columnBands.size()) <= setup.fitWidth;
            const bool tallOk =
                setup.fitHeight == 0 || int(plan.rowBands.size()) <= setup.fitHeight;
            if ((wideOk && tallOk) || scale <= kSmallestScale) {
                break;
            }
        }
        plan.scale = scale;
    } else {
        plan.scale = std::clamp(setup.scale / 100.0, kSmallestScale, kLargestScale);
        plan.columnBands = cut(widths, plan.area.firstCol, roomWide, plan.scale);
        plan.rowBands = cut(heights, plan.area.firstRow, roomTall, plan.scale, setup.rowBreaks);
    }
    return plan;
}

}  // namespace store
