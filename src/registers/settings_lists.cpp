#include "registers/settings_lists.h"

#include "store/sheet_idioms.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace registers {

namespace {

// Items are kept exactly as typed ("04", "4,0", "30/60 gg"), never read as numbers
// or dates; the windows that compute with a rate read it as a number themselves.
store::Result<int> writeItem(const store::Worksheet& sheet, int row, int column,
                             const QString& item) {
    const auto written = sheet.setIdentifier(row, column, item);
    if (!written)
        return written.error();
    return row;
}

}  // namespace

const SheetLayout& settingsLayout() {
    static const SheetLayout layout{
        store::kSettingsSheet,
        {QStringLiteral("INPS/CASSA"), QStringLiteral("IVA"), QStringLiteral("RITENUTA"),
         QStringLiteral("TIPO PAGAMENTO"), QStringLiteral("ESENZIONE IVA")},
        false,
        {},
        {},
    };
    return layout;
}

store::Result<store::Worksheet> settingsSheet(store::Workbook& book) {
    return layoutSheet(book, settingsLayout(),
                       QStringLiteral("Gli elenchi delle impostazioni non sono disponibili: "));
}

QStringList loadList(const store::Worksheet& sheet, int column) {
    return store::listTexts(sheet, column, kFirstItemRow);
}

RowChange insertItem(const store::Worksheet& sheet, int column, const QString& item) {
    // The walk starts below the header, so an item can never take the header's place.
    const std::optional<int> row = store::firstFreeRow(sheet, column, kFirstItemRow);
    if (!row) {
        return store::Error{store::Error::Kind::Full,
                            QStringLiteral("L'elenco è pieno: non c'è più una riga libera per "
                                           "una nuova voce.\nNon è stato inserito nulla.")};
    }
    return writeItem(sheet, *row, column, item);
}

RowChange replaceItem(const store::Worksheet& sheet, int column, int position,
                      const QString& item) {
    Q_ASSERT_X(position >= 0, "replaceItem", "a position taken from the list");
    return writeItem(sheet, position + kFirstItemRow, column, item);
}

}  // namespace registers
