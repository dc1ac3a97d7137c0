#pragma once

// The BIFF8 record numbers the codec reads or writes.

#include <cstddef>
#include <cstdint>

namespace xls::rec {

// The most a record can span as its header says, header included: a damaged
// stream may claim that much whatever the format allows.
inline constexpr std::size_t kLongestRecord = 4 + 0xFFFF;

// Stream structure
inline constexpr std::uint16_t Bof = 0x0809;
inline constexpr std::uint16_t Eof = 0x000A;
inline constexpr std::uint16_t Continue = 0x003C;

// Encryption and records that are never encrypted
inline constexpr std::uint16_t FilePass = 0x002F;
inline constexpr std::uint16_t UsrExcl = 0x0194;
inline constexpr std::uint16_t FileLock = 0x0195;
inline constexpr std::uint16_t InterfaceHdr = 0x00E1;
inline constexpr std::uint16_t RrdInfo = 0x0196;
inline constexpr std::uint16_t RrdHead = 0x0138;

// Records stored in the clear even in an encrypted stream (record headers are
// never encrypted either).
constexpr bool neverEncrypted(std::uint16_t type) {
    return type == Bof || type == FilePass || type == UsrExcl || type == FileLock ||
           type == InterfaceHdr || type == RrdInfo || type == RrdHead;
}

// Workbook globals
inline constexpr std::uint16_t BoundSheet = 0x0085;

// How many bytes at the start of a record's body an encrypted stream keeps in the
// clear: the whole of a record that is never encrypted, the sheet's stream position
// that opens a BOUNDSHEET, none of any other record.
constexpr std::size_t bytesInTheClear(std::uint16_t type, std::size_t length) {
    if (neverEncrypted(type))
        return length;
    if (type == BoundSheet)
        return length < 4 ? length : 4;
    return 0;
}
inline constexpr std::uint16_t Window1 = 0x003D;
inline constexpr std::uint16_t DateMode = 0x0022;
inline constexpr std::uint16_t Font = 0x0031;
inline constexpr std::uint16_t Format = 0x041E;
inline constexpr std::uint16_t Xf = 0x00E0;
inline constexpr std::uint16_t Style = 0x0293;
inline constexpr std::uint16_t Palette = 0x0092;
inline constexpr std::uint16_t Sst = 0x00FC;
inline constexpr std::uint16_t ExtSst = 0x00FF;
inline constexpr std::uint16_t Name = 0x0018;
inline constexpr std::uint16_t ExternSheet = 0x0017;
inline constexpr std::uint16_t SupBook = 0x01AE;
inline constexpr std::uint16_t CodePage = 0x0042;
inline constexpr std::uint16_t TabId = 0x013D;

// Cells
inline constexpr std::uint16_t Dimensions = 0x0200;
inline constexpr std::uint16_t Row = 0x0208;
inline constexpr std::uint16_t Number = 0x0203;
inline constexpr std::uint16_t Rk = 0x027E;
inline constexpr std::uint16_t MulRk = 0x00BD;
inline constexpr std::uint16_t Blank = 0x0201;
inline constexpr std::uint16_t MulBlank = 0x00BE;
inline constexpr std::uint16_t BoolErr = 0x0205;
inline constexpr std::uint16_t Label = 0x0204;
inline constexpr std::uint16_t LabelSst = 0x00FD;
inline constexpr std::uint16_t RString = 0x00D6;
inline constexpr std::uint16_t Formula = 0x0006;
inline constexpr std::uint16_t String = 0x0207;
inline constexpr std::uint16_t ShrFmla = 0x04BC;
inline constexpr std::uint16_t Array = 0x0221;
inline constexpr std::uint16_t Table = 0x0236;

// Sheet layout and view
inline constexpr std::uint16_t ColInfo = 0x007D;
inline constexpr std::uint16_t DefColWidth = 0x0055;
inline constexpr std::uint16_t DefaultRowHeight = 0x0225;
inline constexpr std::uint16_t MergedCells = 0x00E5;
inline constexpr std::uint16_t Window2 = 0x023E;
inline constexpr std::uint16_t Pane = 0x0041;
inline constexpr std::uint16_t Selection = 0x001D;
inline constexpr std::uint16_t Scl = 0x00A0;

// Printing
inline constexpr std::uint16_t Header = 0x0014;
inline constexpr std::uint16_t Footer = 0x0015;
inline constexpr std::uint16_t LeftMargin = 0x0026;
inline constexpr std::uint16_t RightMargin = 0x0027;
inline constexpr std::uint16_t TopMargin = 0x0028;
inline constexpr std::uint16_t BottomMargin = 0x0029;
inline constexpr std::uint16_t Setup = 0x00A1;
inline constexpr std::uint16_t PrintGridlines = 0x002B;
inline constexpr std::uint16_t PrintHeaders = 0x002A;
inline constexpr std::uint16_t WsBool = 0x0081;
inline constexpr std::uint16_t HCenter = 0x0083;
inline constexpr std::uint16_t VCenter = 0x0084;
inline constexpr std::uint16_t HorizontalPageBreaks = 0x001B;

// Protection (sheet-level in a sheet, workbook-level in the globals)
inline constexpr std::uint16_t Protect = 0x0012;
inline constexpr std::uint16_t Password = 0x0013;

// BOF substream kinds
inline constexpr std::uint16_t kBiff8 = 0x0600;
inline constexpr std::uint16_t kGlobals = 0x0005;
inline constexpr std::uint16_t kWorksheet = 0x0010;

}  // namespace xls::rec
