#include "store/sheet_cells.h"

#include <map>

#include "store/number_format.h"

namespace store {

const xls::Cell* findCell(const xls::Sheet& sheet, int row, int col) {
    if (row < 0 || std::size_t(row) >= sheet.rows.size())
        return nullptr;
    const auto& cells = sheet.rows[std::size_t(row)].cells;
    if (col < 0 || std::size_t(col) >= cells.size())
        return nullptr;
    return &cells[std::size_t(col)];
}

std::uint16_t defaultXf(const xls::Sheet& sheet, int row, int col) {
    if (row >= 0 && std::size_t(row) < sheet.rows.size()) {
        if (const auto& xf = sheet.rows[std::size_t(row)].xf)
            return *xf;
    }
    for (const auto& info : sheet.columns) {
        if (col >= info.firstCol && col <= info.lastCol)
            return info.xf;
        if (info.firstCol > col)
            break;
    }
    return xls::kDefaultXf;
}

xls::Cell& cellAt(xls::Sheet& sheet, int row, int col) {
    if (std::size_t(row) >= sheet.rows.size())
        sheet.rows.resize(std::size_t(row) + 1);
    auto& cells = sheet.rows[std::size_t(row)].cells;
    while (cells.size() <= std::size_t(col)) {
        xls::Cell cell;
        cell.xf = defaultXf(sheet, row, int(cells.size()));
        cells.push_back(std::move(cell));
    }
    return cells[std::size_t(col)];
}

std::optional<xls::CellRect> usedRect(const xls::Sheet& sheet) {
    int lastRow = -1, lastCol = -1;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto& cells = sheet.rows[r].cells;
        for (std::size_t c = cells.size(); c-- > 0;) {
            if (!cells[c].isVoid()) {
                lastRow = int(r);
                lastCol = std::max(lastCol, int(c));
                break;
            }
        }
    }
    if (lastRow < 0)
        return std::nullopt;
    return xls::CellRect{0, lastRow, 0, lastCol};
}

ColumnSlots spreadColumns(const xls::Sheet& sheet) {
    ColumnSlots spread;
    for (const auto& info : sheet.columns) {
        for (int c = info.firstCol; c <= info.lastCol && c < xls::kMaxCols; ++c) {
            xls::ColumnInfo one = info;
            one.firstCol = one.lastCol = std::uint16_t(c);
            spread[std::size_t(c)] = one;
        }
    }
    return spread;
}

void packColumns(xls::Sheet& sheet, const ColumnSlots& spread) {
    sheet.columns.clear();
    for (int c = 0; c < xls::kMaxCols; ++c) {
        const auto& slot = spread[std::size_t(c)];
        if (!slot)
            continue;
        if (!sheet.columns.empty()) {
            auto& last = sheet.columns.back();
            if (last.lastCol + 1 == c && last.width == slot->width && last.xf == slot->xf &&
                last.options == slot->options) {
                last.lastCol = std::uint16_t(c);
                continue;
            }
        }
        sheet.columns.push_back(*slot);
    }
}

void restyle(xls::Workbook& book, xls::Sheet& sheet, const xls::CellRect& rect,
             const std::function<void(xls::Xf&)>& change) {
    std::map<std::uint16_t, std::uint16_t> done;  // old XF -> changed XF, once per call
    auto changed = [&](std::uint16_t xf) {
        auto it = done.find(xf);
        if (it != done.end())
            return it->second;
        xls::Xf copy = xf < book.xfs.size() ? book.xfs[xf] : book.xfs[xls::kDefaultXf];
        change(copy);
        const std::uint16_t index = book.addXf(copy);
        done.emplace(xf, index);
        return index;
    };

    const bool wholeColumns = rect.firstRow == 0 && rect.lastRow == xls::kMaxRows - 1;
    const bool wholeRows = rect.firstCol == 0 && rect.lastCol == xls::kMaxCols - 1;
    if (wholeColumns) {
        ColumnSlots spread = spreadColumns(sheet);
        for (int c = rect.firstCol; c <= rect.lastCol; ++c) {
            auto& slot = spread[std::size_t(c)];
            if (!slot) {
                slot = xls::ColumnInfo{};
                slot->firstCol = slot->lastCol = std::uint16_t(c);
                slot->width = std::uint16_t(std::min(255 * 256, sheet.defaultColWidth * 256 + 292));
            }
            slot->xf = changed(slot->xf);
        }
        packColumns(sheet, spread);
    }
    if (wholeRows) {
        for (int r = rect.firstRow; r <= rect.lastRow; ++r) {
            if (std::size_t(r) >= sheet.rows.size())
                sheet.rows.resize(std::size_t(r) + 1);
            auto& row = sheet.rows[std::size_t(r)];
            row.xf = changed(row.xf.value_or(xls::kDefaultXf));
        }
    }

    // The cells already held, and, for a plain rectangle, every cell of it.
    const bool plain = !wholeColumns && !wholeRows;
    int lastRow = rect.lastRow;
    if (plain && lastRow == xls::kMaxRows - 1) {
        const auto used = usedRect(sheet);
        lastRow = used ? std::min(lastRow, used->lastRow) : rect.firstRow - 1;
    }
    if (!plain)
        lastRow = std::min(lastRow, int(sheet.rows.size()) - 1);
    for (int r = rect.firstRow; r <= lastRow; ++r) {
        if (plain) {
            for (int c = rect.firstCol; c <= rect.lastCol; ++c) {
                auto& cell = cellAt(sheet, r, c);
                cell.xf = changed(cell.xf);
            }
        } else {
            auto& cells = sheet.rows[std::size_t(r)].cells;
            for (int c = rect.firstCol; c <= rect.lastCol && std::size_t(c) < cells.size(); ++c)
                cells[std::size_t(c)].xf = changed(cells[std::size_t(c)].xf);
        }
    }
}

QString displayText(const xls::Workbook& book, const xls::Cell& cell) {
    const xls::Xf& xf =
        cell.xf < book.xfs.size() ? book.xfs[cell.xf] : book.xfs.at(xls::kDefaultXf);
    // General and "@" show a text as it is; no format code to look up.
    const bool plain = (xf.format == 0 || xf.format == 49) && book.formats.count(xf.format) == 0;
    if (cell.kind() == xls::CellKind::Text && plain)
        return cell.text();
    switch (cell.kind()) {
        case xls::CellKind::Empty:
            return QString();
        case xls::CellKind::Text:
            return formatText(cell.text(), book.formatCode(xf.format));
        case xls::CellKind::Number:
            return formatNumber(cell.number(), book.formatCode(xf.format), book.date1904);
        case xls::CellKind::Boolean:
            return cell.code() ? QStringLiteral("VERO") : QStringLiteral("FALSO");
        case xls::CellKind::Error:
            return xls::errorText(cell.code());
    }
    return QString();
}

}  // namespace store
