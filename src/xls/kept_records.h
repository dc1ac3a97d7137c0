#pragma once

// The records that the reader keeps as raw bytes, without understanding them, and
// the writer puts back unchanged. Only records that hold no index into another
// table (fonts, formats, strings, names, other sheets, drawings) are safe to keep:
// anything else could point at the wrong thing once the workbook is rewritten.

#include <cstdint>

namespace xls {

// Workbook-globals records kept in Workbook::extraGlobals.
bool isKeptGlobalRecord(std::uint16_t type);
// Sheet records kept in Sheet::extraRecords.
bool isKeptSheetRecord(std::uint16_t type);

}  // namespace xls
