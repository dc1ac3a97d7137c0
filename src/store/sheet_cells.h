#pragma once

// Cell access on the model, shared by the engine's parts. Rows and columns here
// are 0-based, as the model keeps them.

#include <array>
#include <functional>
#include <optional>

#include "xls/workbook.h"

namespace store {

// The cell if the model holds one, else null (an empty cell with its default format).
const xls::Cell* findCell(const xls::Sheet& sheet, int row, int col);
// The cell, created when missing; new cells take the format of their row or column.
xls::Cell& cellAt(xls::Sheet& sheet, int row, int col);
// The format a cell not yet held would have: its row's, else its column's, else the default.
std::uint16_t defaultXf(const xls::Sheet& sheet, int row, int col);

inline bool isFilled(const xls::Cell* cell) {
    return cell && cell->kind() != xls::CellKind::Empty;
}

// From A1 to the last row and column holding a value or a format; none when the
// sheet holds nothing.
std::optional<xls::CellRect> usedRect(const xls::Sheet& sheet);

// The column records spread out to one slot per column, and packed back into
// runs of equal neighbours.
using ColumnSlots = std::array<std::optional<xls::ColumnInfo>, xls::kMaxCols>;
ColumnSlots spreadColumns(const xls::Sheet& sheet);
void packColumns(xls::Sheet& sheet, const ColumnSlots& spread);

// Changes the XF of every cell of `rect` with `change`; whole columns and whole
// rows keep the new format for cells written later. A rectangle that reaches the
// last row is cut to the used range, so no million cells are made.
void restyle(xls::Workbook& book, xls::Sheet& sheet, const xls::CellRect& rect,
             const std::function<void(xls::Xf&)>& change);

// What the cell shows: texts as they are, numbers through their number format.
QString displayText(const xls::Workbook& book, const xls::Cell& cell);

}  // namespace store
