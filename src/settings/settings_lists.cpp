#include "settings/settings_lists.h"

#include "app/core_sheets.h"
#include "store/sheet_idioms.h"
#include "store/workbook.h"

namespace settings {

namespace {

// Items are kept exactly as typed ("04", "4,0", "30/60 gg"), never read as numbers
// or dates; the windows that compute with a rate read it as a number themselves.
Outcome<int> writeItem(const store::Worksheet& sheet, int row, int column, const QString& item) {
    const auto written = sheet.setIdentifier(row, column, item);
    if (!written)
        return written.error().message;
    return row;
}

}  // namespace

Outcome<store::Worksheet> settingsSheet(store::Workbook& book) {
    auto sheet = book.sheet(app::kSettingsSheet);
    if (!sheet) {
        return QStringLiteral("Gli elenchi delle impostazioni non sono disponibili: ") +
               sheet.error().message;
    }
    return *sheet;
}

QStringList CaricaLista(const store::Worksheet& sheet, int column) {
    return store::listTexts(sheet, column, kFirstItemRow);
}

Outcome<int> insertItem(const store::Worksheet& sheet, int column, const QString& item) {
    // The walk starts below the header, so an item can never take the header's place.
    const std::optional<int> row = store::firstFreeRow(sheet, column, kFirstItemRow);
    if (!row) {
        return QStringLiteral(
            "L'elenco è pieno: non c'è più una riga libera per una nuova "
            "voce.\nNon è stato inserito nulla.");
    }
    return writeItem(sheet, *row, column, item);
}

Outcome<int> replaceItem(const store::Worksheet& sheet, int column, int position,
                         const QString& item) {
    Q_ASSERT_X(position >= 0, "replaceItem", "a position taken from the list");
    return writeItem(sheet, position + kFirstItemRow, column, item);
}

}  // namespace settings
