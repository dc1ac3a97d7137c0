// A store with what a user added in a spreadsheet program (formulas, a note, a
// validation list, a conditional format, a hyperlink), worked on by the engine as
// the program does and saved: formulas stay formulas only where nothing moved
// them, and the kept records never end up pointing at a moved or missing cell.

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "store/engine.h"
#include "store/range.h"
#include "store/workbook.h"
#include "xls/reader.h"

namespace {

const QString kFixture = QStringLiteral(BRISVEL_FIXTURES "/xls/calc-user-additions.xls");
constexpr int kColumnS = 18;  // 0-based, as the model counts

class KeptAdditions : public testing::Test {
  protected:
    void SetUp() override {
        auto opened = engine.open(kFixture, QString());
        ASSERT_TRUE(opened.ok());
        book = *opened;
    }
    store::Worksheet sheet(const char* name) { return *book->sheet(QString::fromLatin1(name)); }
    // The store saved and read back with the codec.
    xls::Workbook saved() {
        const QString path = folder.filePath(QStringLiteral("Gestione.xls"));
        EXPECT_TRUE(book->saveAs(path, QStringLiteral("Pesk1987")).ok());
        auto back = xls::readWorkbookFile(path, QStringLiteral("Pesk1987"));
        EXPECT_TRUE(back.ok());
        return back ? *back : xls::Workbook{};
    }
    static const xls::Cell& at(const xls::Workbook& wb, const char* name, int row, int col) {
        static const xls::Cell none;
        const xls::Sheet* s = wb.sheet(QString::fromLatin1(name));
        if (!s || std::size_t(row) >= s->rows.size() ||
            std::size_t(col) >= s->rows[std::size_t(row)].cells.size())
            return none;
        return s->rows[std::size_t(row)].cells[std::size_t(col)];
    }
    // Whether S2:S6 of Fatture (0-based rows 1..5) hold formulas.
    static std::vector<bool> formulasInS(const xls::Workbook& wb) {
        std::vector<bool> out;
        for (int row = 1; row <= 5; ++row)
            out.push_back(at(wb, "Fatture", row, kColumnS).formula() != nullptr);
        return out;
    }

    store::Engine engine;
    store::Workbook* book = nullptr;
    QTemporaryDir folder;
};

TEST_F(KeptAdditions, UntouchedEveryFormulaIsSavedAsAFormula) {
    const xls::Workbook wb = saved();
    EXPECT_EQ(formulasInS(wb), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_TRUE(at(wb, "Riepilogo", 0, 0).formula());
}

TEST_F(KeptAdditions, AValueStoredOverAFormulaReplacesItAndBreaksItsGroup) {
    ASSERT_TRUE(sheet("Fatture").setValue(3, kColumnS + 1, QStringLiteral("2030")).ok());
    const xls::Workbook wb = saved();
    // S2:S5 were one formula down the column: with S3 overwritten, the rest of the
    // group is saved as values; the array formula in S6 and the total stay.
    EXPECT_EQ(formulasInS(wb), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(at(wb, "Fatture", 2, kColumnS).number(), 2030);
    const xls::Cell& s2 = at(wb, "Fatture", 1, kColumnS);
    EXPECT_EQ(s2.kind(), xls::CellKind::Number);
    EXPECT_GT(s2.number(), 2000);  // the year it showed
    EXPECT_TRUE(at(wb, "Riepilogo", 0, 0).formula());
}

TEST_F(KeptAdditions, TheRegisterSortedBesideTheFormulasLeavesThemInPlace) {
    sheet("Fatture").range(u"A2:Q13")->sort(2);
    const xls::Workbook wb = saved();
    EXPECT_EQ(formulasInS(wb), (std::vector<bool>{true, true, true, true, true}));
}

TEST_F(KeptAdditions, FormulasSortedWithTheirRowsAreSavedAsTheirValues) {
    const xls::Workbook before = saved();
    // Sorted by client, the rows move, and S with them.
    sheet("Fatture").range(u"A2:S13")->sort(2);
    const xls::Workbook wb = saved();
    int kept = 0;
    for (int row = 1; row <= 12; ++row) {
        const xls::Cell& cell = at(wb, "Fatture", row, kColumnS);
        // A formula survives only in its own place, and no group survives a move.
        if (cell.formula()) {
            ++kept;
            EXPECT_EQ(cell.formula()->row, row);
            EXPECT_EQ(at(before, "Fatture", row, kColumnS).formula()->tokens.mid(2),
                      cell.formula()->tokens.mid(2));
        }
    }
    EXPECT_LT(kept, 5);
    EXPECT_TRUE(at(wb, "Riepilogo", 0, 0).formula());
}

TEST_F(KeptAdditions, ADeletedRowTurnsTheFormulasItMovesIntoValues) {
    const double s6 = at(saved(), "Fatture", 5, kColumnS).number();
    sheet("Fatture").rows(3, 3)->deleteEntireRow();
    const xls::Workbook wb = saved();
    // S2 stayed, but its group lost S3 and moved S4:S5; the array formula moved up.
    EXPECT_EQ(formulasInS(wb), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(at(wb, "Fatture", 4, kColumnS).number(), s6);
    EXPECT_TRUE(at(wb, "Riepilogo", 0, 0).formula());
}

TEST_F(KeptAdditions, NotesValidationAndConditionalFormatsStayOnTheirCells) {
    auto keptOf = [](const xls::Workbook& wb, const char* name) {
        std::vector<std::pair<std::uint16_t, QByteArray>> out;
        for (const auto& r : wb.sheet(QString::fromLatin1(name))->extraRecords)
            out.emplace_back(r.type, r.data);
        return out;
    };
    const xls::Workbook before = saved();
    sheet("Anagrafe").range(u"A2:P7")->sort(2);
    sheet("Fatture").rows(2, 3)->deleteEntireRow();
    const xls::Workbook wb = saved();
    for (const char* name : {"Anagrafe", "Fatture", "Riepilogo"})
        EXPECT_EQ(keptOf(wb, name), keptOf(before, name)) << name;
    bool note = false;
    for (const auto& [type, data] : keptOf(wb, "Anagrafe"))
        note = note || type == 0x001C;
    EXPECT_TRUE(note);
}

}  // namespace
