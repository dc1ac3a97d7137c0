#pragma once

// The compound-file container of an .xls: finds and reads its workbook stream.

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>

#include "base/result.h"
#include "xls/error.h"

namespace xls {

// The bytes of the BIFF8 "Workbook" stream. A file that is not a compound file or
// has no workbook stream is NotWorkbook; one with only the BIFF5 "Book" stream is
// OldFormat.
Result<QByteArray> readWorkbookStream(const QByteArray& fileBytes);
// Told, after each part of a stream is read, the stream's buffer and how much of
// it is in.
using ReadProgress = std::function<void(std::span<std::uint8_t> stream, std::size_t read)>;

// The same read from `file`, open at its start and left open, into `stream`: the
// stream's sectors go from the disk straight into its buffer, with no copy of the
// whole file in memory (one that cannot be positioned, a pipe, libgsf reads whole
// first). A large stream is read in parts, `progress` told after each; `stream`
// is the caller's, so whatever works on it as it comes in stops before it goes.
Result<brisvel::Done> readWorkbookStream(std::FILE* file, QByteArray& stream,
                                         const ReadProgress& progress);

}  // namespace xls
