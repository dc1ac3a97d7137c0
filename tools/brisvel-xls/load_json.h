#pragma once

// The JSON side of `brisvel-xls write`: a workbook from the JSON shape that
// `dump` prints, one object per sheet in workbook order mapping A1-style
// addresses to values (numbers, texts, true/false).

#include <QByteArray>

#include "xls/error.h"
#include "xls/workbook.h"

namespace brisvel {

// The workbook the JSON text describes, on the default fonts and formats, its
// first sheet active. Malformed JSON, a bad address or a value of another kind
// is an error naming it.
xls::Result<xls::Workbook> workbookFromJson(const QByteArray& json);

}  // namespace brisvel
