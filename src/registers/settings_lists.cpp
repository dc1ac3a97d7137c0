#include "registers/settings_lists.h"

#include "registers/amount.h"

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

bool isRateList(int column) {
    return column == kInpsColumn || column == kVatColumn || column == kWithholdingColumn;
}

// The item as it is written, or why the list cannot take it: every amount step reads a
// rate list's items as per cent, so only a number from 0 to 100 enters one.
store::Result<QString> checkedItem(int column, const QString& typed) {
    const QString item = typed.trimmed();
    const auto refuse = [](const QString& why) {
        return store::Error{store::Error::Kind::Refused,
                            why + QStringLiteral("\nNulla è stato scritto.")};
    };
    if (item.isEmpty())
        return refuse(QStringLiteral("Una voce vuota non può entrare nell'elenco."));
    if (isRateList(column)) {
        const std::optional<Rate> rate = Rate::parse(item);
        if (!rate || *rate < Rate() || *rate > Rate::fromBillionths(100'000'000'000)) {
            return refuse(QStringLiteral("«%1» non è un'aliquota: scrivere un numero da 0 a 100, "
                                         "con la virgola per i decimali (per esempio 22 o 4,5).")
                              .arg(item));
        }
    }
    return item;
}

// Two items of a list are the same when a rate list reads them as the same number
// ("4" and "4,0") or, in the other lists, when they differ only in letter case and
// blanks.
bool sameItem(int column, const QString& a, const QString& b) {
    if (isRateList(column)) {
        const std::optional<Rate> x = Rate::parse(a.trimmed());
        const std::optional<Rate> y = Rate::parse(b.trimmed());
        if (x && y)
            return *x == *y;
    }
    return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
}

// The item checked, and refused when the list already has it at a position other
// than `except`.
store::Result<QString> newItem(const store::Worksheet& sheet, int column, const QString& typed,
                               int except = -1) {
    const store::Result<QString> item = checkedItem(column, typed);
    if (!item)
        return item;
    const QStringList items = loadList(sheet, column);
    for (int position = 0; position < items.size(); ++position) {
        if (position != except && sameItem(column, items[position], *item))
            return store::Error{store::Error::Kind::Refused,
                                QStringLiteral("La voce «%1» è già nell'elenco: ogni voce vi "
                                               "compare una volta sola.\nNulla è stato scritto.")
                                    .arg(*item)};
    }
    return item;
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

RowChange insertItem(const store::Worksheet& sheet, int column, const QString& typed) {
    const store::Result<QString> item = newItem(sheet, column, typed);
    if (!item)
        return item.error();
    // The walk starts below the header, so an item can never take the header's place.
    const std::optional<int> row = store::firstFreeRow(sheet, column, kFirstItemRow);
    if (!row) {
        return store::Error{store::Error::Kind::Full,
                            QStringLiteral("L'elenco è pieno: non c'è più una riga libera per "
                                           "una nuova voce.\nNon è stato inserito nulla.")};
    }
    return writeItem(sheet, *row, column, *item);
}

RowChange replaceItem(const store::Worksheet& sheet, int column, int position,
                      const QString& typed) {
    Q_ASSERT_X(position >= 0, "replaceItem", "a position taken from the list");
    const store::Result<QString> item = newItem(sheet, column, typed, position);
    if (!item)
        return item.error();
    return writeItem(sheet, position + kFirstItemRow, column, *item);
}

RowChange removeItem(const store::Worksheet& sheet, int column, int position) {
    const QStringList items = loadList(sheet, column);
    Q_ASSERT_X(position >= 0 && position < items.size(), "removeItem",
               "a position taken from the list");
    if (position == 0)
        return store::Error{store::Error::Kind::Refused,
                            QStringLiteral("La voce «%1» vuol dire «nessuna» e resta in ogni "
                                           "elenco.\nNulla è stato eliminato.")
                                .arg(kNoneItem)};
    // The items below move up one row, so that the list still ends at its first
    // empty cell.
    for (int p = position; p + 1 < items.size(); ++p) {
        if (const auto moved = writeItem(sheet, p + kFirstItemRow, column, items[p + 1]); !moved)
            return moved;
    }
    if (const auto cleared = writeItem(sheet, int(items.size()) - 1 + kFirstItemRow, column, {});
        !cleared)
        return cleared;
    return position + kFirstItemRow;
}

std::optional<QString> itemGiving(const QStringList& items, Amount base, Amount stored) {
    for (const QString& item : items) {
        if (item == kNoneItem)
            continue;
        const std::optional<Rate> rate = Rate::parse(item);
        if (rate && base.percent(*rate) == stored)
            return item;
    }
    return std::nullopt;
}

}  // namespace registers
