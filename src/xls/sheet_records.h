#pragma once

// Records of a worksheet substream other than the cell table, each written with
// its header into a RecordWriter. One function per record type or small group.

#include "xls/record_writer.h"
#include "xls/workbook.h"

namespace xls {

// A sheet stores at most this many manual page breaks.
inline constexpr std::size_t kMaxRowBreaks = 1026;

// The used area as DIMENSIONS states it: last row and column exclusive.
struct UsedArea {
    int firstRow = 0;
    int endRow = 0;
    int firstCol = 0;
    int endCol = 0;
};

void writeDefaultRowHeight(RecordWriter& out, std::uint16_t height);
void writeWsBool(RecordWriter& out, bool fitToPage);
void writePrintOptions(RecordWriter& out,
                       const PageSetup& page);  // PRINTHEADERS, PRINTGRIDLINES
void writeRowBreaks(RecordWriter& out, const std::vector<std::uint16_t>& rows);
void writePageSetup(RecordWriter& out, const PageSetup& page);  // HEADER .. SETUP
void writeProtection(RecordWriter& out, const Protection& protection);
void writeDefColWidth(RecordWriter& out, std::uint16_t width);
void writeColumns(RecordWriter& out, const std::vector<ColumnInfo>& columns);
void writeDimensions(RecordWriter& out, const UsedArea& area);
// WINDOW2, SCL, PANE and SELECTION.
void writeSheetView(RecordWriter& out, const Sheet& sheet, bool selected);
// MERGEDCELLS, as many records as the ranges need.
void writeMergedCells(RecordWriter& out, const std::vector<CellRect>& ranges);

}  // namespace xls
