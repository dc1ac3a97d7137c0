#pragma once

// The compound-file container of an .xls: finds and reads its workbook stream.

#include <QByteArray>

#include <cstdio>

#include "xls/error.h"

namespace xls {

// The bytes of the BIFF8 "Workbook" stream. A file that is not a compound file or
// has no workbook stream is NotWorkbook; one with only the BIFF5 "Book" stream is
// OldFormat.
Result<QByteArray> readWorkbookStream(const QByteArray& fileBytes);
// The same read from `file`, open at its start and left open: the stream's sectors
// go from the disk straight into its buffer, with no copy of the whole file in
// memory (one that cannot be positioned, a pipe, libgsf reads whole first).
Result<QByteArray> readWorkbookStream(std::FILE* file);

}  // namespace xls
