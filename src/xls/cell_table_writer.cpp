#include "xls/cell_table_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

#include "xls/little_endian.h"
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

// A cell record of `length` bytes with its row, column and format filled in; the
// pointer is to the bytes after them.
std::uint8_t* cellRecord(RecordWriter& out, std::uint16_t type, std::uint16_t length, int row,
                         int col, std::uint16_t xf) {
    std::uint8_t* p = out.fixedRecord(type, length);
    putLe16(p, std::uint16_t(row));
    putLe16(p + 2, std::uint16_t(col));
    putLe16(p + 4, xf);
    return p + 6;
}

bool isBlank(const Cell& c) {
    return c.kind() == CellKind::Empty && !c.isVoid();
}

std::optional<std::uint32_t> rkOf(const Cell& c) {
    return c.kind() == CellKind::Number ? exactRk(c.number()) : std::nullopt;
}

// The cells of one row and the formulas kept among them.
struct RowCells {
    int row;
    const std::vector<Cell>& cells;
    const FormulaPlan& formulas;

    bool isFormula(std::size_t col) const {
        return formulas.writesFormula(cells[col], row, int(col));
    }
};

// Formatted empty cells from `col`: BLANK for one, MULBLANK for a run.
std::size_t writeBlanks(RecordWriter& out, const RowCells& rowCells, std::size_t col) {
    const int row = rowCells.row;
    const std::vector<Cell>& cells = rowCells.cells;
    std::size_t end = col + 1;
    while (end < cells.size() && isBlank(cells[end]) && !rowCells.isFormula(end))
        ++end;
    if (end - col == 1) {
        cellRecord(out, rec::Blank, 6, row, int(col), cells[col].xf);
        return end;
    }
    const std::size_t count = end - col;
    std::uint8_t* p = out.fixedRecord(rec::MulBlank, std::uint16_t(6 + 2 * count));
    putLe16(p, std::uint16_t(row));
    putLe16(p + 2, std::uint16_t(col));
    for (std::size_t i = 0; i < count; ++i)
        putLe16(p + 4 + 2 * i, cells[col + i].xf);
    putLe16(p + 4 + 2 * count, std::uint16_t(end - 1));
    return end;
}

// Numbers that RK holds exactly from `col`: RK for one, MULRK for a run.
std::size_t writeRks(RecordWriter& out, const RowCells& rowCells, std::size_t col,
                     std::uint32_t firstRk) {
    const int row = rowCells.row;
    const std::vector<Cell>& cells = rowCells.cells;
    assert(cells.size() <= std::size_t(kMaxCols));
    std::array<std::uint32_t, kMaxCols> rks;
    rks[0] = firstRk;
    std::size_t end = col + 1;
    while (end < cells.size()) {
        const auto rk = rkOf(cells[end]);
        if (!rk || rowCells.isFormula(end))
            break;
        rks[end - col] = *rk;
        ++end;
    }
    if (end - col == 1) {
        putLe32(cellRecord(out, rec::Rk, 10, row, int(col), cells[col].xf), firstRk);
        return end;
    }
    const std::size_t count = end - col;
    std::uint8_t* p = out.fixedRecord(rec::MulRk, std::uint16_t(6 + 6 * count));
    putLe16(p, std::uint16_t(row));
    putLe16(p + 2, std::uint16_t(col));
    for (std::size_t i = 0; i < count; ++i) {
        putLe16(p + 4 + 6 * i, cells[col + i].xf);
        putLe32(p + 6 + 6 * i, rks[i]);
    }
    putLe16(p + 4 + 6 * count, std::uint16_t(end - 1));
    return end;
}

void writeBoolErr(RecordWriter& out, int row, int col, std::uint16_t xf, std::uint8_t value,
                  std::uint8_t kind) {
    std::uint8_t* p = cellRecord(out, rec::BoolErr, 8, row, col, xf);
    p[0] = value;
    p[1] = kind;
}

void writeRowCells(RecordWriter& out, const RowCells& rowCells,
                   std::span<const std::uint32_t>& textIndexes) {
    const int row = rowCells.row;
    const std::vector<Cell>& cells = rowCells.cells;
    std::size_t col = 0;
    while (col < cells.size()) {
        const Cell& cell = cells[col];
        if (cell.hasFormula() && rowCells.isFormula(col)) {
            writeFormulaCell(out, row, int(col), cell);
            ++col;
            continue;
        }
        switch (cell.kind()) {
            case CellKind::Empty:
                col = cell.isVoid() ? col + 1 : writeBlanks(out, rowCells, col);
                continue;
            case CellKind::Number:
                if (const auto rk = exactRk(cell.number())) {
                    col = writeRks(out, rowCells, col, *rk);
                    continue;
                }
                if (std::isfinite(cell.number())) {
                    putLeF64(cellRecord(out, rec::Number, 14, row, int(col), cell.xf),
                             cell.number());
                } else {
                    // No spreadsheet stores infinities or NaN: they show as #NUM!.
                    writeBoolErr(out, row, int(col), cell.xf, std::uint8_t(ErrorCode::Num), kError);
                }
                break;
            case CellKind::Text:
                assert(!textIndexes.empty());
                putLe32(cellRecord(out, rec::LabelSst, 10, row, int(col), cell.xf),
                        textIndexes.front());
                textIndexes = textIndexes.subspan(1);
                break;
            case CellKind::Boolean:
                writeBoolErr(out, row, int(col), cell.xf, cell.code() ? 1 : 0, kBoolean);
                break;
            case CellKind::Error:
                writeBoolErr(out, row, int(col), cell.xf, cell.code(), kError);
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

void writeCellTable(RecordWriter& out, const Sheet& sheet, const FormulaPlan& formulas,
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
            writeRowCells(out, RowCells{r, sheet.rows[std::size_t(r)].cells, formulas},
                          textIndexes);
        }
    }
}

}  // namespace xls
