#pragma once

// A worksheet substream: cells, rows, columns, view and page set-up.

#include <QString>

#include <cstddef>
#include <vector>

#include "xls/error.h"
#include "xls/record_stream.h"
#include "xls/workbook.h"

namespace xls {

// What the sheets of one workbook may allocate together, in cells and rows. It
// grows with the stream size, so a small file cannot claim a huge sheet.
struct SlotBudget {
    std::size_t left = 0;
    static SlotBudget forStream(std::size_t streamSize) {
        return SlotBudget{(std::size_t(1) << 20) + streamSize * 16};
    }
};

struct SheetContext {
    const std::vector<SharedText>& sharedStrings;
    std::size_t xfCount;  // cell format indexes at or beyond this are damage
    SlotBudget& budget;
};

// Reads from just after the sheet's BOF up to its EOF.
Result<Sheet> readSheet(RecordStream& records, const SheetContext& context);

}  // namespace xls
