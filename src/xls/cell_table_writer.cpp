#include "xls/cell_table_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

#include "xls/record_types.h"
#include "xls/rk_number.h"

namespace xls {

namespace {

constexpr int kRowsPerBlock = 32;
constexpr std::uint8_t kBoolean = 0;
constexpr std::uint8_t kError = 1;

// A row with no cells needs a ROW record only for what the user set on it; its
// height otherwise follows the sheet's default.
bool rowHasLooks(const Row& row) {
    return row.customHeight || row.hidden || row.xf;
}

// First and one-past-last column of the cells worth writing, or {0, 0}.
std::pair<int, int> cellSpan(const Row& row) {
    int first = -1;
    int last = -1;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (row.cells[c].isVoid())
            continue;
        if (first < 0)
            first = int(c);
        last = int(c);
    }
    return first < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

void writeRowRecord(RecordWriter& out, int index, const Row& row, std::pair<int, int> span) {
    const auto [first, end] = span;
    std::uint32_t flags = 0x0100;  // a bit that is always set
    if (row.hidden)
        flags |= 0x0020;
    if (row.customHeight)
        flags |= 0x0040;
    if (row.xf)
        flags |= 0x0080 | (std::uint32_t(*row.xf & 0x0FFF) << 16);
    out.begin(rec::Row);
    out.u16(std::uint16_t(index));
    out.u16(std::uint16_t(first));
    out.u16(std::uint16_t(end));
    out.u16(row.height & 0x7FFF);
    out.u32(0);
    out.u32(flags);
    out.end();
}

void cellHeader(RecordWriter& out, std::uint16_t type, int row, int col, std::uint16_t xf) {
    out.begin(type);
    out.u16(std::uint16_t(row));
    out.u16(std::uint16_t(col));
    out.u16(xf);
}

bool isBlank(const Cell& c) {
    return c.kind == CellKind::Empty && !c.isVoid();
}

std::optional<std::uint32_t> rkOf(const Cell& c) {
    return c.kind == CellKind::Number ? exactRk(c.number) : std::nullopt;
}

// Formatted empty cells from `col`: BLANK for one, MULBLANK for a run.
std::size_t writeBlanks(RecordWriter& out, int row, const std::vector<Cell>& cells,
                        std::size_t col) {
    std::size_t end = col + 1;
    while (end < cells.size() && isBlank(cells[end]))
        ++end;
    if (end - col == 1) {
        cellHeader(out, rec::Blank, row, int(col), cells[col].xf);
        out.end();
        return end;
    }
    out.begin(rec::MulBlank);
    out.u16(std::uint16_t(row));
    out.u16(std::uint16_t(col));
    for (std::size_t c = col; c < end; ++c)
        out.u16(cells[c].xf);
    out.u16(std::uint16_t(end - 1));
    out.end();
    return end;
}

// Numbers that RK holds exactly from `col`: RK for one, MULRK for a run.
std::size_t writeRks(RecordWriter& out, int row, const std::vector<Cell>& cells, std::size_t col,
                     std::uint32_t firstRk) {
    assert(cells.size() <= std::size_t(kMaxCols));
    std::array<std::uint32_t, kMaxCols> rks;
    rks[0] = firstRk;
    std::size_t end = col + 1;
    while (end < cells.size()) {
        const auto rk = rkOf(cells[end]);
        if (!rk)
            break;
        rks[end - col] = *rk;
        ++end;
    }
    if (end - col == 1) {
        cellHeader(out, rec::Rk, row, int(col), cells[col].xf);
        out.u32(firstRk);
        out.end();
        return end;
    }
    out.begin(rec::MulRk);
    out.u16(std::uint16_t(row));
    out.u16(std::uint16_t(col));
    for (std::size_t c = col; c < end; ++c) {
        out.u16(cells[c].xf);
        out.u32(rks[c - col]);
    }
    out.u16(std::uint16_t(end - 1));
    out.end();
    return end;
}

void writeBoolErr(RecordWriter& out, int row, int col, std::uint16_t xf, std::uint8_t value,
                  std::uint8_t kind) {
    cellHeader(out, rec::BoolErr, row, col, xf);
    out.u8(value);
    out.u8(kind);
    out.end();
}

void writeRowCells(RecordWriter& out, int row, const std::vector<Cell>& cells,
                   std::span<const std::uint32_t>& textIndexes) {
    std::size_t col = 0;
    while (col < cells.size()) {
        const Cell& cell = cells[col];
        switch (cell.kind) {
            case CellKind::Empty:
                col = cell.isVoid() ? col + 1 : writeBlanks(out, row, cells, col);
                continue;
            case CellKind::Number:
                if (const auto rk = exactRk(cell.number)) {
                    col = writeRks(out, row, cells, col, *rk);
                    continue;
                }
                if (std::isfinite(cell.number)) {
                    cellHeader(out, rec::Number, row, int(col), cell.xf);
                    out.f64(cell.number);
                    out.end();
                } else {
                    // No spreadsheet stores infinities or NaN: they show as #NUM!.
                    writeBoolErr(out, row, int(col), cell.xf, std::uint8_t(ErrorCode::Num), kError);
                }
                break;
            case CellKind::Text:
                assert(!textIndexes.empty());
                cellHeader(out, rec::LabelSst, row, int(col), cell.xf);
                out.u32(textIndexes.front());
                out.end();
                textIndexes = textIndexes.subspan(1);
                break;
            case CellKind::Boolean:
                writeBoolErr(out, row, int(col), cell.xf, cell.code ? 1 : 0, kBoolean);
                break;
            case CellKind::Error:
                writeBoolErr(out, row, int(col), cell.xf, cell.code, kError);
                break;
        }
        ++col;
    }
}

}  // namespace

UsedArea usedArea(const Sheet& sheet) {
    UsedArea area{kMaxRows, 0, kMaxCols, 0};
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto [first, end] = cellSpan(sheet.rows[r]);
        if (first == end)
            continue;
        area.firstRow = std::min(area.firstRow, int(r));
        area.endRow = int(r) + 1;
        area.firstCol = std::min(area.firstCol, first);
        area.endCol = std::max(area.endCol, end);
    }
    return area.endRow == 0 ? UsedArea{} : area;
}

void writeCellTable(RecordWriter& out, const Sheet& sheet,
                    std::span<const std::uint32_t>& textIndexes) {
    const int rowCount = int(sheet.rows.size());
    for (int blockStart = 0; blockStart < rowCount; blockStart += kRowsPerBlock) {
        const int blockEnd = std::min(rowCount, blockStart + kRowsPerBlock);
        for (int r = blockStart; r < blockEnd; ++r) {
            const Row& row = sheet.rows[std::size_t(r)];
            const auto span = cellSpan(row);
            if (rowHasLooks(row) || span.second > 0)
                writeRowRecord(out, r, row, span);
        }
        for (int r = blockStart; r < blockEnd; ++r) {
            writeRowCells(out, r, sheet.rows[std::size_t(r)].cells, textIndexes);
        }
    }
}

}  // namespace xls
