#include "xls/formula_cells.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "xls/globals_records.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// The formula is calculated again whenever the file is opened: the program may
// have changed the cells it depends on since its result was cached.
constexpr std::uint16_t kAlwaysCalc = 0x0001;

enum class ResultKind : std::uint8_t { Text = 0, Boolean = 1, Error = 2, EmptyText = 3 };

std::array<std::uint8_t, 8> specialResult(ResultKind kind, std::uint8_t code = 0) {
    return {std::uint8_t(kind), 0, code, 0, 0, 0, 0xFF, 0xFF};
}

std::array<std::uint8_t, 8> cachedResult(const Cell& cell) {
    switch (cell.kind()) {
        case CellKind::Number:
            if (std::isfinite(cell.number())) {
                std::array<std::uint8_t, 8> value;
                putLeF64(value.data(), cell.number());
                return value;
            }
            return specialResult(ResultKind::Error, std::uint8_t(ErrorCode::Num));
        case CellKind::Text:
            return specialResult(cell.text().isEmpty() ? ResultKind::EmptyText : ResultKind::Text);
        case CellKind::Boolean:
            return specialResult(ResultKind::Boolean, cell.code() ? 1 : 0);
        case CellKind::Error:
            return specialResult(ResultKind::Error, cell.code());
        case CellKind::Empty:
            break;
    }
    return specialResult(ResultKind::EmptyText);
}

// STRING: the text result, continued with CONTINUE records as long as it needs,
// each continuation starting again with the flag byte of its characters.
void writeFormulaString(RecordWriter& out, const QString& text) {
    const bool wide = !isLatin1(text.constData(), std::size_t(text.size()));
    const std::size_t charSize = wide ? 2 : 1;
    std::size_t done = 0;
    const std::size_t total = std::size_t(text.size());
    out.begin(rec::String);
    out.u16(std::uint16_t(total));
    std::size_t room = kMaxRecordBody - 2;
    for (;;) {
        const std::size_t count = std::min(total - done, (room - 1) / charSize);
        out.stringChars(text.constData() + done, count, wide);
        out.end();
        done += count;
        if (done == total)
            return;
        out.begin(rec::Continue);
        room = kMaxRecordBody;
    }
}

}  // namespace

FormulaPlan::FormulaPlan(const Sheet& sheet) {
    std::unordered_map<const FormulaGroup*, int> inPlace;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const std::vector<Cell>& cells = sheet.rows[r].cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (!cells[c].hasFormula())
                continue;
            const CellFormula* f = cells[c].formula().get();
            if (f && f->group && f->row == int(r) && f->col == int(c))
                ++inPlace[f->group.get()];
        }
    }
    for (const auto& [group, count] : inPlace) {
        if (count == group->members)
            intact_.insert(group);
    }
}

void writeFormulaCell(RecordWriter& out, int row, int col, const Cell& cell) {
    const CellFormula& formula = *cell.formula();
    out.begin(rec::Formula);
    out.u16(std::uint16_t(row));
    out.u16(std::uint16_t(col));
    out.u16(cell.xf);
    out.bytes(cachedResult(cell));
    const auto* tokens = reinterpret_cast<const std::uint8_t*>(formula.tokens.constData());
    out.u16(le16(tokens) | kAlwaysCalc);
    out.bytes(std::span(tokens + 2, std::size_t(formula.tokens.size()) - 2));
    out.end();
    if (formula.group && formula.group->anchorRow == row && formula.group->anchorCol == col)
        writeRaw(out, formula.group->record);
    if (cell.kind() == CellKind::Text && !cell.text().isEmpty())
        writeFormulaString(out, cell.text());
}

}  // namespace xls
