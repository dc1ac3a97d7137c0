#pragma once

// A sheet's print area cut into pages by its page set-up, as a spreadsheet does:
// column widths and row heights against the paper less its margins, at the zoom
// or at the scale that fits the pages asked for. Numbers only: the painter in
// src/printing draws what this plans.

#include <QSizeF>

#include <vector>

#include "xls/workbook.h"

namespace store {

// Width of the default font's "0" in points, by which column widths (kept in
// 1/256 of that width) turn into points. The painter passes the width it
// measures; 5.25 points is the usual 7 pixels of a 10-point Arial.
inline constexpr double kDefaultZeroWidthPoints = 5.25;

double columnWidthPoints(const xls::Sheet& sheet, int column, double zeroWidthPoints);
double rowHeightPoints(const xls::Sheet& sheet, int row);

// The paper of a page set-up in points, turned for landscape.
QSizeF paperSizePoints(const xls::PageSetup& setup);

// A run of rows or columns printed on the same pages, 0-based and inclusive.
struct Band {
    int first = 0;
    int last = 0;
    bool operator==(const Band&) const = default;
};

struct PagePlan {
    xls::CellRect area;
    double scale = 1;  // 1 = 100 %
    std::vector<Band> rowBands;
    std::vector<Band> columnBands;

    int pageCount() const { return int(rowBands.size() * columnBands.size()); }
    // Page `index` (0-based): pages run down the row bands, then across.
    xls::CellRect page(int index) const;
};

// The area that prints: the print area, else the used range (A1 alone on an
// empty sheet).
xls::CellRect printedArea(const xls::Sheet& sheet);

PagePlan paginate(const xls::Sheet& sheet, double zeroWidthPoints = kDefaultZeroWidthPoints);

}  // namespace store
