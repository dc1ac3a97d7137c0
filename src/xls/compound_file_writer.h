#pragma once

// The compound-file container around a written Workbook stream.

#include <QByteArray>

#include <cstdint>
#include <span>

#include "xls/error.h"

namespace xls {

// A whole compound file holding `workbookStream` as its "Workbook" stream.
Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream);

}  // namespace xls
