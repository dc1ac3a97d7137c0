#include "xls/cell.h"

#include "xls/workbook.h"

namespace xls {

SharedText::SharedText(QString text) {
    if (!text.isEmpty())
        node_ = new Node{{1}, std::move(text)};
}

const QString& SharedText::emptyText() {
    static const QString empty;
    return empty;
}

Cell::Cell(const Cell& other)
    : xf(other.xf), kind_(other.kind_), code_(other.code_), withFormula_(other.withFormula_) {
    const Slot value = other.slot();
    if (kind_ == CellKind::Text)
        SharedText::acquire(value.text);
    if (withFormula_)
        payload_.formula = new FormulaNode{other.payload_.formula->formula, value};
    else
        payload_.own = value;
}

const std::shared_ptr<const CellFormula>& Cell::formula() const {
    static const std::shared_ptr<const CellFormula> none;
    return withFormula_ ? payload_.formula->formula : none;
}

void Cell::setFormula(std::shared_ptr<const CellFormula> formula) {
    if (withFormula_ && formula) {
        payload_.formula->formula = std::move(formula);
    } else if (withFormula_) {
        deleteFormula();
    } else if (formula) {
        payload_.formula = new FormulaNode{std::move(formula), payload_.own};
        withFormula_ = true;
    }
}

void Cell::deleteFormula() {
    // The value moves back into the cell, which the node held for it.
    const Slot value = payload_.formula->value;
    delete payload_.formula;
    payload_.own = value;
    withFormula_ = false;
}

}  // namespace xls
