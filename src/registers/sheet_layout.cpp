#include "registers/sheet_layout.h"

#include "store/workbook.h"

namespace registers {

store::Result<store::Worksheet> layoutSheet(store::Workbook& book, const SheetLayout& layout,
                                            const QString& unavailable) {
    auto sheet = book.sheet(layout.sheet);
    if (!sheet)
        return store::Error{sheet.error().kind, unavailable + sheet.error().message};
    return *sheet;
}

}  // namespace registers
