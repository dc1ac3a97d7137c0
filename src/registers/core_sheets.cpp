#include "registers/core_sheets.h"

#include "registers/cell_writes.h"
#include "registers/settings_lists.h"
#include "registers/sheet_layout.h"
#include "store/range.h"
#include "store/workbook_store.h"

namespace registers {

namespace {

// Selected, then written as its layout says.
store::Worksheet prepare(store::WorkbookStore& store, const SheetLayout& layout) {
    auto sheet = store.workbook().sheet(layout.sheet);
    Q_ASSERT_X(sheet.ok(), "prepareCoreSheets", "the core sheets were ensured first");
    sheet->select();
    return writeLayout(*sheet, layout);
}

}  // namespace

void prepareCoreSheets(store::WorkbookStore& store) {
    for (const SheetLayout* layout :
         {&clientLayout(), &invoiceLayout(), &settingsLayout(), &userLayout()})
        store.ensureSheet(layout->sheet);

    // Utilita: the five lists start with their "none" item.
    const store::Worksheet settings = prepare(store, settingsLayout());
    for (int column = 1; column <= settingsLayout().lastHeaderColumn(); ++column)
        expectWritten(settings.setIdentifier(kFirstItemRow, column, kNoneItem));
    // Utente, Fatture, Apertura (the clients), in the order the start has always used.
    prepare(store, userLayout());
    prepare(store, invoiceLayout());
    const store::Worksheet clients = prepare(store, clientLayout());
    const auto first = clients.cell(2, 1);
    Q_ASSERT(first.ok());
    first->select();
}

}  // namespace registers
