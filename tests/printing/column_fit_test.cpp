// The column fit of the start-up, with the fonts that print the sheet, against
// every filled cell measured one by one: however the fit walks the sheet and
// whatever it leaves unmeasured, each column gets the width of its widest cell.
// The sheet is fitted as read back from its file, where cells of one text share it.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "printing/font_measure.h"
#include "store/column_fit.h"
#include "store/engine.h"
#include "store/range.h"
#include "store/sheet_cells.h"
#include "store/workbook.h"

namespace {

struct FilledColumn {
    const char* what;
    QStringList typed;    // row 1 down, as a user types them; empty cells stay empty
    QString format = {};  // a number format then given to each typed cell
};

int widestCellOneByOne(const store::Workbook& book, const store::Worksheet& sheet, int column,
                       const store::TextMeasure& measure) {
    const xls::Workbook& model = book.model();
    int widest = 0;
    for (const xls::Row& row : sheet.model().rows) {
        if (std::size_t(column - 1) >= row.cells.size())
            continue;
        const xls::Cell& cell = row.cells[std::size_t(column - 1)];
        const QString shown = store::displayText(model, cell);
        if (shown.isEmpty())
            continue;
        widest = std::max(widest, store::fittedColumnWidth(shown, model.fontOf(model.xfs[cell.xf]),
                                                           measure, model.fonts.front()));
    }
    return widest;
}

TEST(StartUpColumnFit, EachColumnTakesTheWidthOfItsWidestCell) {
    QStringList many;
    for (int i = 0; i < 400; ++i)
        many << QString::number((i * 7919) % 100000);
    const std::vector<FilledColumn> columns{
        {"record numbers, the widest in the middle", many},
        {"names and a heading", {"Cliente", "ROSSI MARIO", "STUDIO ASSOCIATO BIANCHI", "VERDI"}},
        {"a text over two lines", {"Descrizione", "Consulenza\nmarzo e aprile 2024", "breve"}},
        {"amounts with thousands and a negative", {"Importo", "1.234,50", "-12.345,67", "0,10"}},
        {"dates", {"Data", "05/01/2009", "31/12/2024", "1/2/2010"}},
        {"whole numbers and fractions", {"7", "123456", "0,123456789", "-42"}},
        {"short rows, a cell far down", {"", "", "", "", "", "", "", "", "Tramite", "BONIFICO"}},
        {"names repeated, the widest between its repeats",
         {"ROSSI MARIO", "BIANCHI ANNA", "ROSSI MARIO", "STUDIO ASSOCIATO BIANCHI", "BIANCHI ANNA",
          "ROSSI MARIO"}},
        {"repeated dates whose day and month take one digit or two",
         {"1/2/2010", "31/12/2024", "1/2/2010", "5/1/2009", "31/12/2024"},
         "d/m/yyyy"},
        {"repeated texts shown through a format's text section",
         {"ROMA", "MILANO", "ROMA", "FORLÌ", "MILANO"},
         "0;-0;0;\"Sede di \"@"},
        {"nothing to fit", {}},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fit.xls"));
    {
        store::Engine writer;
        store::Workbook& typed = writer.create();
        const store::Worksheet sheet = typed.activeSheet();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            for (int r = 0; r < columns[c].typed.size(); ++r) {
                if (columns[c].typed[r].isEmpty())
                    continue;
                ASSERT_TRUE(sheet.setValue(r + 1, int(c) + 1, columns[c].typed[r]).ok());
                if (!columns[c].format.isEmpty())
                    sheet.cell(r + 1, int(c) + 1)->setNumberFormat(columns[c].format);
            }
        }
        ASSERT_TRUE(typed.saveAs(path, QString()).ok());
    }
    store::Engine engine;
    const auto read = engine.open(path, QString());
    ASSERT_TRUE(read.ok());
    store::Workbook& book = **read;
    const store::Worksheet sheet = book.activeSheet();
    const int untouched = sheet.columnWidth(int(columns.size()));
    const printing::FontTextMeasure fonts;
    sheet.autoFitColumns(fonts);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        SCOPED_TRACE(columns[c].what);
        const int expected = widestCellOneByOne(book, sheet, int(c) + 1, fonts);
        EXPECT_EQ(sheet.columnWidth(int(c) + 1), expected == 0 ? untouched : expected);
    }
}

}  // namespace
