#pragma once

// The compound-file container of an .xls: finds and reads its workbook stream.

#include <QByteArray>

#include "xls/error.h"

namespace xls {

// The bytes of the BIFF8 "Workbook" stream. A file that is not a compound file or
// has no workbook stream is NotWorkbook; one with only the BIFF5 "Book" stream is
// OldFormat.
Result<QByteArray> readWorkbookStream(const QByteArray& fileBytes);

}  // namespace xls
