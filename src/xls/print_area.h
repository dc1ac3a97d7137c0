#pragma once

// The built-in print-area name: which sheet it belongs to and its rectangle.

#include <cstdint>
#include <optional>

#include "xls/record_stream.h"
#include "xls/workbook.h"

namespace xls {

struct PrintAreaName {
    int sheetTab = 0;                  // 1-based BOUNDSHEET index, 0 when not given
    std::optional<std::uint16_t> xti;  // EXTERNSHEET entry of a 3-D reference
    CellRect area;
};

// The print area a NAME record defines; none for any other name, or when its
// formula is not a plain reference.
std::optional<PrintAreaName> readPrintAreaName(const Record& name);

}  // namespace xls
