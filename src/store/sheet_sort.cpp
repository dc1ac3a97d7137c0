#include "store/sheet_sort.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>

#include "store/sheet_cells.h"

namespace store {

namespace {

struct SortEntry {
    int category = 0;  // numbers, texts, booleans, errors, empty
    double number = 0;
    std::optional<QCollatorSortKey> key;
};

int categoryOf(const xls::Cell* cell) {
    if (!cell)
        return 4;
    switch (cell->kind()) {
        case xls::CellKind::Number:
            return 0;
        case xls::CellKind::Text:
            return 1;
        case xls::CellKind::Boolean:
            return 2;
        case xls::CellKind::Error:
            return 3;
        case xls::CellKind::Empty:
            return 4;
    }
    return 4;
}

}  // namespace

void sortRows(xls::Sheet& sheet, const xls::CellRect& rect, int keyCol) {
    const int lastRow = std::min(rect.lastRow, int(sheet.rows.size()) - 1);
    if (lastRow <= rect.firstRow)
        return;
    const int count = lastRow - rect.firstRow + 1;

    QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<SortEntry> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const xls::Cell* cell = findCell(sheet, rect.firstRow + i, keyCol);
        SortEntry& e = entries[std::size_t(i)];
        e.category = categoryOf(cell);
        if (e.category == 0 || e.category == 2 || e.category == 3)
            e.number = e.category == 0 ? cell->number() : cell->code();
        else if (e.category == 1)
            e.key = collator.sortKey(cell->text());
    }

    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const SortEntry& x = entries[std::size_t(a)];
        const SortEntry& y = entries[std::size_t(b)];
        if (x.category != y.category)
            return x.category < y.category;
        if (x.category == 1)
            return x.key->compare(*y.key) < 0;
        return x.number < y.number;
    });

    // Lift each row's slice out, then put the slices back in their new order.
    const std::size_t width = std::size_t(rect.lastCol - rect.firstCol + 1);
    std::vector<std::vector<xls::Cell>> slices(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int row = rect.firstRow + i;
        auto& slice = slices[std::size_t(i)];
        slice.reserve(width);
        for (int c = rect.firstCol; c <= rect.lastCol; ++c)
            slice.push_back(std::move(cellAt(sheet, row, c)));
    }
    for (int i = 0; i < count; ++i) {
        auto& slice = slices[std::size_t(order[std::size_t(i)])];
        auto& cells = sheet.rows[std::size_t(rect.firstRow + i)].cells;
        std::move(slice.begin(), slice.end(), cells.begin() + rect.firstCol);
    }
}

}  // namespace store
