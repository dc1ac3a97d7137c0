#pragma once

// The cell values of a workbook as JSON: one object per sheet, in workbook order,
// mapping the A1 address of every non-empty cell (row by row) to its value.
// Numbers (dates as serial numbers) are JSON numbers, texts strings, booleans
// true/false and error cells their text ("#DIV/0!").

#include <QByteArray>
#include <QJsonDocument>

#include "xls/workbook.h"

namespace brisvel {

// The JSON text, with sheets and cells in workbook order. Print this one: a
// QJsonDocument would sort the keys.
QByteArray dumpWorkbookText(const xls::Workbook& book);
// The same as a document, for comparing values.
QJsonDocument dumpWorkbook(const xls::Workbook& book);

}  // namespace brisvel
