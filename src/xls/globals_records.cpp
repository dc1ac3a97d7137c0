#include "xls/globals_records.h"

#include "xls/record_types.h"

namespace xls {

namespace {

constexpr std::uint16_t kUtf16CodePage = 1200;
constexpr std::uint8_t kPrintAreaName = 0x06;
constexpr std::uint8_t kPtgArea3d = 0x3B;

}  // namespace

void writeBof(RecordWriter& out, SubstreamKind kind) {
    out.begin(rec::Bof);
    out.u16(rec::kBiff8);
    out.u16(std::uint16_t(kind));
    out.u16(0x0DBB);  // build and year of the BIFF8 version we write
    out.u16(0x07CC);
    out.u32(0);           // file history flags
    out.u32(0x00000006);  // lowest BIFF version that can read the file
    out.end();
}

void writeEof(RecordWriter& out) {
    out.begin(rec::Eof);
    out.end();
}

void writeFilePass(RecordWriter& out, std::span<const std::uint8_t> body) {
    out.record(rec::FilePass, body);
}

void writeCodePage(RecordWriter& out) {
    out.begin(rec::CodePage);
    out.u16(kUtf16CodePage);
    out.end();
}

void writeTabId(RecordWriter& out, int sheetCount) {
    out.begin(rec::TabId);
    for (int i = 1; i <= sheetCount; ++i)
        out.u16(std::uint16_t(i));
    out.end();
}

void writeWindow1(RecordWriter& out, int activeSheet, int selectedSheets) {
    out.begin(rec::Window1);
    out.u16(0);  // window position and size, in twips
    out.u16(0);
    out.u16(0x4000);
    out.u16(0x2000);
    out.u16(0x0038);  // horizontal and vertical scroll bars, sheet tabs shown
    out.u16(std::uint16_t(activeSheet));
    out.u16(0);  // first tab shown
    out.u16(std::uint16_t(selectedSheets));
    out.u16(600);  // tab bar width, in thousandths of the window width
    out.end();
}

void writeDateMode(RecordWriter& out, bool date1904) {
    out.begin(rec::DateMode);
    out.u16(date1904 ? 1 : 0);
    out.end();
}

void writeFont(RecordWriter& out, const Font& font) {
    out.begin(rec::Font);
    out.u16(font.height);
    out.u16(font.options);
    out.u16(font.color);
    out.u16(font.weight);
    out.u16(font.escapement);
    out.u8(font.underline);
    out.u8(font.family);
    out.u8(font.charset);
    out.u8(0);
    out.shortUnicodeString(font.name);
    out.end();
}

void writeFormat(RecordWriter& out, std::uint16_t index, const QString& code) {
    out.begin(rec::Format);
    out.u16(index);
    out.unicodeString(code);
    out.end();
}

void writeXf(RecordWriter& out, const Xf& xf) {
    out.begin(rec::Xf);
    out.u16(xf.font);
    out.u16(xf.format);
    out.u16(xf.typeProt);
    out.u8(xf.align);
    out.u8(xf.rotation);
    out.u8(xf.indent);
    out.u8(xf.used);
    out.bytes(xf.borderFill);
    out.end();
}

void writeRaw(RecordWriter& out, const RawRecord& raw) {
    out.record(raw.type, std::span(reinterpret_cast<const std::uint8_t*>(raw.data.constData()),
                                   std::size_t(raw.data.size())));
}

std::size_t writeBoundSheet(RecordWriter& out, const Sheet& sheet) {
    out.begin(rec::BoundSheet);
    const std::size_t position = out.pos();
    out.u32(0);
    out.u8(sheet.hidden ? 1 : 0);
    out.u8(0);  // a worksheet
    out.shortUnicodeString(sheet.name);
    out.end();
    return position;
}

void writeSelfSupBook(RecordWriter& out, int sheetCount) {
    out.begin(rec::SupBook);
    out.u16(std::uint16_t(sheetCount));
    out.u16(0x0401);  // marks the references to this workbook's own sheets
    out.end();
}

void writeExternSheet(RecordWriter& out, std::span<const Xti> entries) {
    out.begin(rec::ExternSheet);
    out.u16(std::uint16_t(entries.size()));
    for (const Xti& x : entries) {
        out.u16(x.book);
        out.u16(x.first);
        out.u16(x.last);
    }
    out.end();
}

void writePrintAreaName(RecordWriter& out, int sheetIndex, int xti, const CellRect& area) {
    constexpr std::uint16_t kFormulaSize = 11;
    out.begin(rec::Name);
    out.u16(0x0020);  // a built-in name
    out.u8(0);        // no keyboard shortcut
    out.u8(1);        // the name is one character: the built-in code
    out.u16(kFormulaSize);
    out.u16(0);
    out.u16(std::uint16_t(sheetIndex + 1));  // local to this sheet, 1-based
    out.u32(0);                              // no menu, description, help or status texts
    out.u8(0);                               // compressed characters
    out.u8(kPrintAreaName);
    out.u8(kPtgArea3d);
    out.u16(std::uint16_t(xti));
    out.u16(std::uint16_t(area.firstRow));
    out.u16(std::uint16_t(area.lastRow));
    out.u16(std::uint16_t(area.firstCol));  // absolute row and column
    out.u16(std::uint16_t(area.lastCol));
    out.end();
}

}  // namespace xls
