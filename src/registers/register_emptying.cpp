#include "registers/register_emptying.h"

#include "store/range.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace registers {

namespace {

// The last row holding a value in columns 1..lastColumn; 1 when none does.
int lastUsedRow(const store::Worksheet& sheet, int lastColumn) {
    for (int row = sheet.usedRange().lastRow(); row > 1; --row) {
        for (int column = 1; column <= lastColumn; ++column) {
            if (!sheet.value(row, column).isEmpty())
                return row;
        }
    }
    return 1;
}

}  // namespace

void emptyRegister(store::WorkbookStore& store, const SheetLayout& layout) {
    // A missing sheet has nothing to empty: the next start adds it empty.
    const auto found = layoutSheet(store.workbook(), layout, QString());
    if (!found)
        return;
    const store::Worksheet& sheet = *found;
    const int lastColumn = layout.lastHeaderColumn();
    const auto corner = sheet.cell(1, 1);
    const auto last = sheet.cell(lastUsedRow(sheet, lastColumn), lastColumn);
    Q_ASSERT_X(corner.ok() && last.ok(), "emptyRegister",
               "a layout's columns lie inside the sheet");
    sheet.range(*corner, *last).clearContents();
    for (int column : layout.counterColumns) {
        const auto counter = sheet.cell(1, column);
        Q_ASSERT(counter.ok());
        counter->clearContents();
    }
}

}  // namespace registers
