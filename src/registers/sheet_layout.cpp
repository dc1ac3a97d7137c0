#include "registers/sheet_layout.h"

#include "registers/cell_writes.h"
#include "store/range.h"
#include "store/workbook.h"

namespace registers {

store::Result<store::Worksheet> layoutSheet(store::Workbook& book, const SheetLayout& layout,
                                            const QString& unavailable) {
    auto sheet = book.sheet(layout.sheet);
    if (!sheet)
        return store::Error{sheet.error().kind, unavailable + sheet.error().message};
    return *sheet;
}

store::Worksheet writeLayout(const store::Worksheet& sheet, const SheetLayout& layout) {
    sheet.freezePanes(2);
    for (int i = 0; i < layout.headers.size(); ++i) {
        const int row = layout.labelsDown ? i + 1 : 1;
        const int column = layout.labelsDown ? 1 : i + 1;
        expectWritten(sheet.setIdentifier(row, column, layout.headers[i]));
    }
    for (int column : layout.textColumns) {
        const auto whole = sheet.columns(column, column);
        Q_ASSERT(whole.ok());
        whole->setNumberFormat(QStringLiteral("@"));
    }
    return sheet;
}

void clearBelowHeader(store::Workbook& book, const SheetLayout& layout, int first, int last) {
    auto sheet = book.sheet(layout.sheet);
    if (!sheet)
        return;
    const int lastRow = sheet->usedRange().lastRow();
    if (lastRow < 2)
        return;
    const auto from = sheet->cell(2, first);
    const auto to = sheet->cell(lastRow, last);
    Q_ASSERT(from.ok() && to.ok());
    sheet->range(*from, *to).clearContents();
}

}  // namespace registers
