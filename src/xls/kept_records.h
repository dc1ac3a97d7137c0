#pragma once

// The records that the reader keeps as raw bytes, without understanding them, and
// the writer puts back unchanged. Only records that hold no index into another
// table (fonts, formats, strings, names, other sheets, drawings) are safe to keep:
// anything else could point at the wrong thing once the workbook is rewritten.
//
// The writer puts each one back near the records the file format groups it with,
// so strict readers find them in the order they expect.

#include <cstdint>

namespace xls {

enum class GlobalsSlot { BeforeWindow1, AfterDateMode };
enum class SheetSlot { AfterBof, AfterPageBreaks, AfterProtection, AfterView, BeforeEof };

// Workbook-globals records kept in Workbook::extraGlobals.
bool isKeptGlobalRecord(std::uint16_t type);
// Sheet records kept in Sheet::extraRecords.
bool isKeptSheetRecord(std::uint16_t type);

// Where a kept record goes back.
GlobalsSlot globalsSlotOf(std::uint16_t type);
SheetSlot sheetSlotOf(std::uint16_t type);

}  // namespace xls
