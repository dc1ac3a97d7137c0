#pragma once

#include "xls/workbook.h"

namespace store {

// Sorts the rows of `rect` (0-based) by the cells of column `keyCol`, ascending:
// numbers, then texts in Italian order ignoring case (accented letters beside
// their base letters), booleans, errors, then empty keys. Stable. The rectangle's
// cells of each row, formats included, move together; the rest of the sheet stays.
void sortRows(xls::Sheet& sheet, const xls::CellRect& rect, int keyCol);

}  // namespace store
