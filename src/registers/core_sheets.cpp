#include "registers/core_sheets.h"

#include "registers/cell_writes.h"
#include "registers/settings_lists.h"
#include "registers/sheet_layout.h"
#include "store/range.h"
#include "store/workbook_store.h"

namespace registers {

namespace {

// Selected, with row 1 kept in view when scrolling; then the fixed texts, written
// as they are (never read as numbers or dates), and the text-format columns.
store::Worksheet prepare(store::WorkbookStore& store, const SheetLayout& layout) {
    auto sheet = store.workbook().sheet(layout.sheet);
    Q_ASSERT_X(sheet.ok(), "prepareCoreSheets", "the core sheets were ensured first");
    sheet->select();
    sheet->freezePanes(2);
    for (int i = 0; i < layout.headers.size(); ++i) {
        const int row = layout.labelsDown ? i + 1 : 1;
        const int column = layout.labelsDown ? 1 : i + 1;
        expectWritten(sheet->setIdentifier(row, column, layout.headers[i]));
    }
    for (int column : layout.textColumns) {
        const auto whole = sheet->columns(column, column);
        Q_ASSERT(whole.ok());
        whole->setNumberFormat(QStringLiteral("@"));
    }
    return *sheet;
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
