#pragma once

// The middle of the writer: lays out the whole Workbook stream of a workbook,
// the globals substream and one substream per sheet, each between BOF and EOF.

#include <QByteArray>

#include <cstdint>
#include <span>

#include "xls/error.h"
#include "xls/record_writer.h"
#include "xls/workbook.h"

namespace xls {

// The plain Workbook stream of `wb`. A non-empty `filePass` is written as the
// FILEPASS record right after the globals BOF; when `cipher` is given, each
// finished stretch of the stream is handed to it as writing goes on (the caller
// finishes the hand-over). Content that BIFF8 cannot hold (a text longer than a cell takes, a
// bad sheet name) is an error naming it. `memory` is what the stream is built in when
// it is about the stream's size (see RecordWriter).
Result<RecordWriter> buildWorkbookStream(const Workbook& wb, std::span<const std::uint8_t> filePass,
                                         CipherPipeline* cipher = nullptr, QByteArray memory = {});

}  // namespace xls
