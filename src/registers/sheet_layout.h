#pragma once

// What a core sheet looks like, declared once per sheet: its name, the fixed texts
// every start writes back, the whole columns kept in text format and the counter
// cells of row 1. The start-up, the registers, the windows and the maintenance
// emptying read these tables; nothing spells a sheet's layout again.

#include <QString>
#include <QStringList>

#include <vector>

#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
}

namespace registers {

struct SheetLayout {
    QString sheet;
    // The fixed texts: row 1 from column A, or column A from row 1 (`labelsDown`).
    QStringList headers;
    bool labelsDown = false;
    // Whole columns given the text format "@", so identifiers keep leading zeros.
    std::vector<int> textColumns;
    // Cells of row 1 (by column) that hold running numbers.
    std::vector<int> counterColumns;

    // The last column the fixed texts take (1 for texts down column A).
    int lastHeaderColumn() const { return labelsDown ? 1 : int(headers.size()); }
};

// The four core sheets, in the order a new store has them.
const SheetLayout& clientLayout();
const SheetLayout& invoiceLayout();
const SheetLayout& settingsLayout();
const SheetLayout& userLayout();

// The layout's sheet in `book`; when it is missing, an error whose message starts
// with `unavailable` (one Italian sentence saying what cannot be shown). Each core
// sheet has its accessor over it (clientSheet, invoiceSheet, settingsSheet,
// userSheet): the one way a window reaches that sheet, which never adds it.
store::Result<store::Worksheet> layoutSheet(store::Workbook& book, const SheetLayout& layout,
                                            const QString& unavailable);

// Writes the layout into `sheet`: row 1 kept in view when scrolling, the fixed texts
// as they are (never read as numbers or dates), the text-format columns. The sheet.
store::Worksheet writeLayout(const store::Worksheet& sheet, const SheetLayout& layout);

// Empties columns `first` to `last` of the layout's sheet below its header row, when
// the sheet is there: what the program keeps there starts again.
void clearBelowHeader(store::Workbook& book, const SheetLayout& layout, int first, int last);

// What every change to a register gives back: the row it wrote or removed, or why
// nothing was changed (a full register, no row with the key asked for).
using RowChange = store::Result<int>;

}  // namespace registers
