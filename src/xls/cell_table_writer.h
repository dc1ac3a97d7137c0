#pragma once

// The cell table of a worksheet: ROW records and the cells of each row, in blocks
// of 32 rows as spreadsheet programs lay them out.

#include <cstdint>
#include <span>

#include "xls/formula_cells.h"
#include "xls/record_writer.h"
#include "xls/sheet_records.h"
#include "xls/workbook.h"

namespace xls {

// The rectangle of the sheet's cells that carry a value or a format.
UsedArea usedArea(const Sheet& sheet);

// Writes the rows and cells of `sheet`, the formula cells that `formulas` keeps as
// formulas. `textIndexes` holds the shared-string index of each other text cell, in
// row-major order; the writer takes them from the front as it meets those cells.
void writeCellTable(RecordWriter& out, const Sheet& sheet, const FormulaPlan& formulas,
                    std::span<const std::uint32_t>& textIndexes);

}  // namespace xls
