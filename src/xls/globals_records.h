#pragma once

// Records of the workbook globals substream, each written with its header into a
// RecordWriter. One function per record type.

#include <cstddef>
#include <cstdint>
#include <span>

#include "xls/record_types.h"
#include "xls/record_writer.h"
#include "xls/workbook.h"

namespace xls {

enum class SubstreamKind : std::uint16_t { Globals = rec::kGlobals, Worksheet = rec::kWorksheet };

void writeBof(RecordWriter& out, SubstreamKind kind);
void writeEof(RecordWriter& out);
void writeFilePass(RecordWriter& out, std::span<const std::uint8_t> body);
void writeCodePage(RecordWriter& out);
// TABID: an identifier for each sheet, 1 to `sheetCount`.
void writeTabId(RecordWriter& out, int sheetCount);
void writeWindow1(RecordWriter& out, int activeSheet, int selectedSheets);
void writeDateMode(RecordWriter& out, bool date1904);
void writeFont(RecordWriter& out, const Font& font);
void writeFormat(RecordWriter& out, std::uint16_t index, const QString& code);
void writeXf(RecordWriter& out, const Xf& xf);
void writeRaw(RecordWriter& out, const RawRecord& raw);
// Returns the stream offset of the sheet position, patched once the sheet is written.
std::size_t writeBoundSheet(RecordWriter& out, const Sheet& sheet);
// The internal-references SUPBOOK that 3-D references of this workbook go through.
void writeSelfSupBook(RecordWriter& out, int sheetCount);
// An EXTERNSHEET entry: a SUPBOOK and the first and last of its sheets.
struct Xti {
    std::uint16_t book = 0;
    std::uint16_t first = 0;
    std::uint16_t last = 0;
};
void writeExternSheet(RecordWriter& out, std::span<const Xti> entries);
// The built-in Print_Area name of sheet `sheetIndex`, through EXTERNSHEET entry `xti`.
void writePrintAreaName(RecordWriter& out, int sheetIndex, int xti, const CellRect& area);

}  // namespace xls
