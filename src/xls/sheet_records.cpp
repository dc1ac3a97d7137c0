#include "xls/sheet_records.h"

#include "xls/record_types.h"

#include <algorithm>

namespace xls {

namespace {

constexpr std::size_t kMergesPerRecord = 1026;

void u16Record(RecordWriter& out, std::uint16_t type, std::uint16_t value) {
    out.begin(type);
    out.u16(value);
    out.end();
}

void doubleRecord(RecordWriter& out, std::uint16_t type, double value) {
    out.begin(type);
    out.f64(value);
    out.end();
}

void textRecord(RecordWriter& out, std::uint16_t type, const QString& text) {
    out.begin(type);
    if (!text.isEmpty())
        out.unicodeString(text);
    out.end();
}

// The pane that holds the cursor: bottom-right, top-right, bottom-left or the
// only one.
std::uint8_t activePane(const Sheet& sheet) {
    if (sheet.frozenRows > 0 && sheet.frozenCols > 0)
        return 0;
    if (sheet.frozenCols > 0)
        return 1;
    if (sheet.frozenRows > 0)
        return 2;
    return 3;
}

}  // namespace

void writeDefaultRowHeight(RecordWriter& out, std::uint16_t height) {
    out.begin(rec::DefaultRowHeight);
    out.u16(0);
    out.u16(height);
    out.end();
}

void writeWsBool(RecordWriter& out, bool fitToPage) {
    // Automatic page breaks shown, outline symbols below and right; fit to page.
    u16Record(out, rec::WsBool, std::uint16_t(0x04C1 | (fitToPage ? 0x0100 : 0)));
}

void writePrintOptions(RecordWriter& out, const PageSetup& page) {
    u16Record(out, rec::PrintHeaders, page.printHeadings ? 1 : 0);
    u16Record(out, rec::PrintGridlines, page.printGridlines ? 1 : 0);
}

void writeRowBreaks(RecordWriter& out, const std::vector<std::uint16_t>& rows) {
    if (rows.empty())
        return;
    out.begin(rec::HorizontalPageBreaks);
    out.u16(std::uint16_t(rows.size()));
    for (std::uint16_t row : rows) {
        out.u16(row);
        out.u16(0);
        out.u16(0x00FF);
    }
    out.end();
}

void writePageSetup(RecordWriter& out, const PageSetup& page) {
    textRecord(out, rec::Header, page.header);
    textRecord(out, rec::Footer, page.footer);
    u16Record(out, rec::HCenter, page.hCenter ? 1 : 0);
    u16Record(out, rec::VCenter, page.vCenter ? 1 : 0);
    doubleRecord(out, rec::LeftMargin, page.leftMargin);
    doubleRecord(out, rec::RightMargin, page.rightMargin);
    doubleRecord(out, rec::TopMargin, page.topMargin);
    doubleRecord(out, rec::BottomMargin, page.bottomMargin);

    out.begin(rec::Setup);
    out.u16(page.paperSize);
    out.u16(page.scale);
    out.u16(1);  // first page number
    out.u16(page.fitWidth);
    out.u16(page.fitHeight);
    out.u16(page.landscape ? 0x0000 : 0x0002);  // portrait flag; paper and scale valid
    out.u16(600);                               // resolution, dots per inch
    out.u16(600);
    out.f64(page.headerMargin);
    out.f64(page.footerMargin);
    out.u16(page.copies);
    out.end();
}

void writeProtection(RecordWriter& out, const Protection& protection) {
    if (protection.locked)
        u16Record(out, rec::Protect, 1);
    if (protection.passwordHash != 0)
        u16Record(out, rec::Password, protection.passwordHash);
}

void writeDefColWidth(RecordWriter& out, std::uint16_t width) {
    u16Record(out, rec::DefColWidth, width);
}

void writeColumns(RecordWriter& out, const std::vector<ColumnInfo>& columns) {
    for (const ColumnInfo& c : columns) {
        out.begin(rec::ColInfo);
        out.u16(c.firstCol);
        out.u16(c.lastCol);
        out.u16(c.width);
        out.u16(c.xf);
        out.u16(c.options);
        out.u16(0);
        out.end();
    }
}

void writeDimensions(RecordWriter& out, const UsedArea& area) {
    out.begin(rec::Dimensions);
    out.u32(std::uint32_t(area.firstRow));
    out.u32(std::uint32_t(area.endRow));
    out.u16(std::uint16_t(area.firstCol));
    out.u16(std::uint16_t(area.endCol));
    out.u16(0);
    out.end();
}

void writeSheetView(RecordWriter& out, const Sheet& sheet, bool selected) {
    const bool frozen = sheet.frozenRows > 0 || sheet.frozenCols > 0;
    // Row and column headings, zeros, automatic grid colour and outline symbols shown.
    std::uint16_t flags = 0x0004 | 0x0010 | 0x0020 | 0x0080;
    if (sheet.showGridlines)
        flags |= 0x0002;
    if (frozen)
        flags |= 0x0008 | 0x0100;
    if (selected)
        flags |= 0x0200 | 0x0400;
    out.begin(rec::Window2);
    out.u16(flags);
    out.u16(std::uint16_t(frozen ? 0 : sheet.topRow));
    out.u16(0);
    out.u32(0x40);  // grid colour: the automatic one
    out.u16(0);     // page break preview zoom: default
    out.u16(sheet.zoom == 100 ? 0 : sheet.zoom);
    out.u32(0);
    out.end();

    if (sheet.zoom != 100) {
        out.begin(rec::Scl);
        out.u16(sheet.zoom);
        out.u16(100);
        out.end();
    }

    const std::uint8_t pane = activePane(sheet);
    if (frozen) {
        out.begin(rec::Pane);
        out.u16(std::uint16_t(sheet.frozenCols));
        out.u16(std::uint16_t(sheet.frozenRows));
        out.u16(std::uint16_t(std::max(sheet.topRow, sheet.frozenRows)));
        out.u16(std::uint16_t(sheet.frozenCols));
        out.u8(pane);
        out.u8(0);
        out.end();
    }

    out.begin(rec::Selection);
    out.u8(pane);
    out.u16(std::uint16_t(sheet.activeRow));
    out.u16(std::uint16_t(sheet.activeCol));
    out.u16(0);  // the active cell is in the first (only) range
    out.u16(1);
    out.u16(std::uint16_t(sheet.activeRow));
    out.u16(std::uint16_t(sheet.activeRow));
    out.u8(std::uint8_t(sheet.activeCol));
    out.u8(std::uint8_t(sheet.activeCol));
    out.end();
}

void writeMergedCells(RecordWriter& out, const std::vector<CellRect>& ranges) {
    for (std::size_t start = 0; start < ranges.size(); start += kMergesPerRecord) {
        const std::size_t end = std::min(ranges.size(), start + kMergesPerRecord);
        out.begin(rec::MergedCells);
        out.u16(std::uint16_t(end - start));
        for (std::size_t i = start; i < end; ++i) {
            out.u16(std::uint16_t(ranges[i].firstRow));
            out.u16(std::uint16_t(ranges[i].lastRow));
            out.u16(std::uint16_t(ranges[i].firstCol));
            out.u16(std::uint16_t(ranges[i].lastCol));
        }
        out.end();
    }
}

}  // namespace xls
