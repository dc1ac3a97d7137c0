#pragma once

// Writing the formula cells read from a file. A formula is written back only where
// nothing it depends on has moved: the cell is still where it was read, and every
// cell of its shared formula, array or table is too, so the group record and the
// anchor references of its cells hold. Any other formula cell is written as its
// value (see docs/design-notes.md).

#include <cstdint>
#include <unordered_set>

#include "xls/record_writer.h"
#include "xls/workbook.h"

namespace xls {

class FormulaPlan {
  public:
    FormulaPlan() = default;  // for a sheet without formula cells
    explicit FormulaPlan(const Sheet& sheet);
    // Whether the cell at (row, col), 0-based, is written as its formula.
    bool writesFormula(const Cell& cell, int row, int col) const {
        const CellFormula* formula = cell.formula().get();
        return formula && formula->row == row && formula->col == col &&
               (!formula->group || intact_.count(formula->group.get()) != 0);
    }

  private:
    std::unordered_set<const FormulaGroup*> intact_;
};

// FORMULA with the cell's value as its cached result, then the group record when
// the cell is its group's anchor, then STRING when the result is a text.
void writeFormulaCell(RecordWriter& out, int row, int col, const Cell& cell);

}  // namespace xls
