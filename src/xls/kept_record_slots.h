#pragma once

// Where the writer puts back the records the reader kept without understanding
// them: each near the records the file format groups it with, so strict readers
// find them in the order they expect.

#include <cstdint>

namespace xls {

enum class GlobalsSlot { BeforeWindow1, AfterDateMode };
enum class SheetSlot { AfterBof, AfterPageBreaks, AfterProtection, AfterView, BeforeEof };

GlobalsSlot globalsSlotOf(std::uint16_t type);
SheetSlot sheetSlotOf(std::uint16_t type);

}  // namespace xls
