#include "store/address.h"

#include "xls/cell_address.h"

namespace store {

QString columnLetters(int column) {
    return xls::columnLetters(column - 1);
}

bool isValidCell(int row, int column) {
    return row >= 1 && row <= xls::kMaxRows && column >= 1 && column <= xls::kMaxCols;
}

std::optional<xls::CellRect> parseAddress(QStringView text) {
    text = text.trimmed();
    const qsizetype colon = text.indexOf(u':');
    const auto first = xls::parseCellReference(colon < 0 ? text : text.left(colon));
    if (!first)
        return std::nullopt;
    const auto second = colon < 0 ? first : xls::parseCellReference(text.mid(colon + 1));
    if (!second)
        return std::nullopt;

    const bool bothCells = first->col && first->row && second->col && second->row;
    const bool bothRows = !first->col && !second->col && first->row && second->row;
    const bool bothCols = first->col && !first->row && second->col && !second->row;
    xls::CellRect rect;
    if (bothCells) {
        rect = {std::min(first->row, second->row) - 1, std::max(first->row, second->row) - 1,
                std::min(first->col, second->col) - 1, std::max(first->col, second->col) - 1};
    } else if (bothRows && colon >= 0) {
        rect = {std::min(first->row, second->row) - 1, std::max(first->row, second->row) - 1, 0,
                xls::kMaxCols - 1};
    } else if (bothCols && colon >= 0) {
        rect = {0, xls::kMaxRows - 1, std::min(first->col, second->col) - 1,
                std::max(first->col, second->col) - 1};
    } else {
        return std::nullopt;
    }
    return rect;
}

QString addressText(const xls::CellRect& rect, bool absolute) {
    const QString d = absolute ? QStringLiteral("$") : QString();
    auto cell = [&](int row, int col) {
        return d + xls::columnLetters(col) + d + QString::number(row + 1);
    };
    if (rect.firstRow == rect.lastRow && rect.firstCol == rect.lastCol)
        return cell(rect.firstRow, rect.firstCol);
    return cell(rect.firstRow, rect.firstCol) + u':' + cell(rect.lastRow, rect.lastCol);
}

}  // namespace store
