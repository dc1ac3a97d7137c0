#pragma once

// What a workbook must satisfy before it can be written as BIFF8: limits of the
// format that the model itself does not enforce.

#include "xls/error.h"
#include "xls/workbook.h"

namespace xls {

// The longest text a cell holds.
inline constexpr int kMaxCellText = 32767;
// The longest sheet name.
inline constexpr int kMaxSheetName = 31;

// Done, or an Unsupported error whose message names what cannot be written.
// Cell texts are checked where they are collected, not here.
Result<brisvel::Done> checkWritable(const Workbook& wb);

// The error for a cell text longer than kMaxCellText; row and column 0-based.
Error cellTextTooLong(const Sheet& sheet, int row, int col);

}  // namespace xls
