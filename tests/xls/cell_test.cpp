// A cell holds one value, with or without the formula it was read with, and
// copies, moves and replaces it without losing or sharing what it should not.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "xls/workbook.h"

namespace {

using xls::Cell;
using xls::CellKind;

struct Expected {
    CellKind kind;
    double number;
    const char* text;
    std::uint8_t code;
};

void expectValue(const Cell& cell, const Expected& e) {
    EXPECT_EQ(cell.kind(), e.kind);
    EXPECT_EQ(cell.number(), e.number);
    EXPECT_EQ(cell.text(), QString::fromUtf8(e.text));
    EXPECT_EQ(cell.code(), e.code);
}

std::shared_ptr<const xls::CellFormula> formulaAt(int row, int col) {
    return std::make_shared<const xls::CellFormula>(
        xls::CellFormula{row, col, QByteArray("\x01\x02", 2), {}});
}

struct ValueRow {
    const char* what;
    std::function<void(Cell&)> set;
    Expected expected;
};

const std::vector<ValueRow> kValues = {
    {"nothing set", [](Cell&) {}, {CellKind::Empty, 0, "", 0}},
    {"a number", [](Cell& c) { c.setNumber(-2889.1); }, {CellKind::Number, -2889.1, "", 0}},
    {"a text",
     [](Cell& c) { c.setText(QStringLiteral("Città")); },
     {CellKind::Text, 0, "Città", 0}},
    {"an empty text", [](Cell& c) { c.setText(QString()); }, {CellKind::Text, 0, "", 0}},
    {"true", [](Cell& c) { c.setBoolean(true); }, {CellKind::Boolean, 0, "", 1}},
    {"an error", [](Cell& c) { c.setError(0x07); }, {CellKind::Error, 0, "", 0x07}},
    {"a text over a number",
     [](Cell& c) {
         c.setNumber(5);
         c.setText(QStringLiteral("dopo"));
     },
     {CellKind::Text, 0, "dopo", 0}},
    {"a number over a text",
     [](Cell& c) {
         c.setText(QStringLiteral("prima"));
         c.setNumber(7);
     },
     {CellKind::Number, 7, "", 0}},
    {"a boolean over an error",
     [](Cell& c) {
         c.setError(0x2A);
         c.setBoolean(false);
     },
     {CellKind::Boolean, 0, "", 0}},
    {"emptied after a text",
     [](Cell& c) {
         c.setText(QStringLiteral("via"));
         c.setEmpty();
     },
     {CellKind::Empty, 0, "", 0}},
};

TEST(CellTest, HoldsTheLastValueSetWithOrWithoutAFormula) {
    for (const ValueRow& row : kValues) {
        SCOPED_TRACE(row.what);
        Cell plain;
        row.set(plain);
        expectValue(plain, row.expected);
        EXPECT_FALSE(plain.formula());

        // The same value set before and after the formula is tied to the cell.
        Cell before;
        row.set(before);
        before.setFormula(formulaAt(3, 4));
        Cell after;
        after.setFormula(formulaAt(3, 4));
        row.set(after);
        for (const Cell* cell : {&before, &after}) {
            expectValue(*cell, row.expected);
            ASSERT_TRUE(cell->formula());
            EXPECT_EQ(cell->formula()->row, 3);
        }

        // Dropping the formula leaves the value.
        after.setFormula(nullptr);
        expectValue(after, row.expected);
        EXPECT_FALSE(after.formula());
    }
}

struct CopyRow {
    const char* what;
    bool withFormula;
};

TEST(CellTest, CopiesAndMovesKeepTheValueAndStayApart) {
    for (const CopyRow row : {CopyRow{"a plain text", false}, CopyRow{"a formula's text", true}}) {
        SCOPED_TRACE(row.what);
        Cell source = xls::textCell(QStringLiteral("Rossi & C."), 21);
        if (row.withFormula)
            source.setFormula(formulaAt(1, 2));

        Cell copy = source;
        copy.setNumber(99);  // a number set in the copy leaves the source a text
        expectValue(source, {CellKind::Text, 0, "Rossi & C.", 0});
        expectValue(copy, {CellKind::Number, 99, "", 0});
        EXPECT_EQ(copy.xf, 21);
        EXPECT_EQ(bool(copy.formula()), row.withFormula);

        Cell assigned;
        assigned = source;
        source.setText(QStringLiteral("altro"));
        expectValue(assigned, {CellKind::Text, 0, "Rossi & C.", 0});

        Cell moved = std::move(assigned);
        expectValue(moved, {CellKind::Text, 0, "Rossi & C.", 0});
        EXPECT_EQ(bool(moved.formula()), row.withFormula);
        // A cell moved from is left empty, with no formula to write twice.
        EXPECT_EQ(assigned.kind(), CellKind::Empty);
        EXPECT_FALSE(assigned.formula());
    }
}

TEST(CellTest, CellsOfOneSharedTextShowTheSameCharacters) {
    const xls::SharedText shared(QStringLiteral("Fattura"));
    std::vector<Cell> cells;
    for (int i = 0; i < 100; ++i)
        cells.push_back(xls::textCell(shared, std::uint16_t(15 + i % 3)));
    std::vector<Cell> copies = cells;
    cells.clear();  // the text outlives the cells it was read into
    for (const Cell& cell : copies) {
        EXPECT_EQ(cell.text(), QStringLiteral("Fattura"));
        // One text in memory, whose address the string table recognises.
        EXPECT_EQ(cell.text().constData(), shared.text().constData());
    }
}

}  // namespace
