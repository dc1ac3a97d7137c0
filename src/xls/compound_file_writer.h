#pragma once

// The compound-file container around a written Workbook stream.

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <span>

#include "base/result.h"
#include "xls/error.h"

namespace xls {

// A whole compound file holding `workbookStream` as its "Workbook" stream.
Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream);
// The same file written into `file` as it is composed, with no copy of it in
// memory. `file` stays open, flushed.
Result<brisvel::Done> writeCompoundFile(std::span<const std::uint8_t> workbookStream,
                                        std::FILE* file);

}  // namespace xls
