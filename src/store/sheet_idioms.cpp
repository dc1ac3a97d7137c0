#include "store/sheet_idioms.h"

#include "store/number_text.h"
#include "store/range.h"
#include "store/sheet_cells.h"
#include "store/workbook.h"

namespace store {

std::optional<int> firstFreeRow(const Worksheet& sheet, int keyColumn, int fromRow) {
    const xls::Sheet& model = sheet.model();
    for (int row = std::max(fromRow, 1); row <= xls::kMaxRows; ++row) {
        if (!isFilled(findCell(model, row - 1, keyColumn - 1)))
            return row;
    }
    return std::nullopt;
}

namespace {

// Calls `visit` with each filled cell from `fromRow` down, stopping at the first empty one.
template <class F>
void walk(const Worksheet& sheet, int column, int fromRow, F&& visit) {
    const xls::Sheet& model = sheet.model();
    for (int row = std::max(fromRow, 1); row <= xls::kMaxRows; ++row) {
        const xls::Cell* cell = findCell(model, row - 1, column - 1);
        if (!isFilled(cell))
            return;
        if (!visit(row, *cell))
            return;
    }
}

}  // namespace

std::vector<Value> listValues(const Worksheet& sheet, int column, int fromRow) {
    std::vector<Value> out;
    walk(sheet, column, fromRow, [&](int, const xls::Cell& cell) {
        out.push_back(Value::of(cell));
        return true;
    });
    return out;
}

QStringList listTexts(const Worksheet& sheet, int column, int fromRow) {
    QStringList out;
    const xls::Workbook& book = sheet.workbook().model();
    walk(sheet, column, fromRow, [&](int, const xls::Cell& cell) {
        out << displayText(book, cell);
        return true;
    });
    return out;
}

std::optional<int> findRow(const Worksheet& sheet, int keyColumn, const QString& key, int fromRow) {
    // Value == text, with the key read as a number once rather than per cell.
    const std::optional<double> keyNumber = readRegionalNumber(key);
    std::optional<int> found;
    walk(sheet, keyColumn, fromRow, [&](int row, const xls::Cell& cell) {
        bool equal = false;
        switch (cell.kind()) {
            case xls::CellKind::Text:
                equal = cell.text() == key;
                break;
            case xls::CellKind::Number:
                equal = keyNumber && *keyNumber == cell.number();
                break;
            default:
                equal = Value::of(cell) == key;
                break;
        }
        if (equal)
            found = row;
        return !found;
    });
    return found;
}

std::optional<int> findRowByNumber(const Worksheet& sheet, int keyColumn, double key, int fromRow) {
    std::optional<int> found;
    walk(sheet, keyColumn, fromRow, [&](int row, const xls::Cell& cell) {
        const auto number = Value::of(cell).toNumber();
        if (number && *number == key)
            found = row;
        return !found;
    });
    return found;
}

std::optional<double> counter(const Worksheet& sheet, int column) {
    return sheet.value(1, column).toNumber();
}

Result<Done> setCounter(const Worksheet& sheet, int column, double value) {
    return sheet.setNumber(1, column, value);
}

Result<Done> removeRow(const Worksheet& sheet, int row) {
    auto target = sheet.rows(row, row);
    if (!target)
        return target.error();
    target->deleteEntireRow();
    return Done{};
}

}  // namespace store
