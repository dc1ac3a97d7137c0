#include "xls/print_area.h"

namespace xls {

namespace {

constexpr std::uint16_t kBuiltIn = 0x0020;
constexpr std::uint8_t kPrintAreaCode = 0x06;

// Formula tokens, in their reference, value and array classes.
bool isArea3d(std::uint8_t t) {
    return t == 0x3B || t == 0x5B || t == 0x7B;
}
bool isRef3d(std::uint8_t t) {
    return t == 0x3A || t == 0x5A || t == 0x7A;
}
bool isArea(std::uint8_t t) {
    return t == 0x25 || t == 0x45 || t == 0x65;
}
bool isMemFunc(std::uint8_t t) {
    return t == 0x29 || t == 0x49 || t == 0x69;
}

// A column field carries relative-reference flags in its top two bits.
int column(std::uint16_t field) {
    return field & 0x3FFF;
}

}  // namespace

std::optional<PrintAreaName> readPrintAreaName(const Record& name) {
    ByteReader in = name.reader();
    const std::uint16_t flags = in.u16();
    in.skip(1);  // keyboard shortcut
    const std::uint8_t nameLength = in.u8();
    const std::uint16_t formulaSize = in.u16();
    in.skip(2);
    const std::uint16_t tab = in.u16();
    in.skip(4);  // menu, description, help and status text lengths
    if (!in.ok() || !(flags & kBuiltIn) || nameLength != 1)
        return std::nullopt;
    const bool wide = (in.u8() & 0x01) != 0;
    const std::uint8_t code = wide ? std::uint8_t(in.u16()) : in.u8();
    if (!in.ok() || code != kPrintAreaCode || formulaSize < 1)
        return std::nullopt;

    PrintAreaName out;
    out.sheetTab = tab;
    std::uint8_t token = in.u8();
    // A print area of several ranges starts with a tMemFunc; the first range is used.
    if (isMemFunc(token)) {
        in.skip(2);
        token = in.u8();
    }
    if (isArea3d(token)) {
        out.xti = in.u16();
        out.area.firstRow = in.u16();
        out.area.lastRow = in.u16();
        out.area.firstCol = column(in.u16());
        out.area.lastCol = column(in.u16());
    } else if (isRef3d(token)) {
        out.xti = in.u16();
        out.area.firstRow = out.area.lastRow = in.u16();
        out.area.firstCol = out.area.lastCol = column(in.u16());
    } else if (isArea(token)) {
        out.area.firstRow = in.u16();
        out.area.lastRow = in.u16();
        out.area.firstCol = column(in.u16());
        out.area.lastCol = column(in.u16());
    } else {
        return std::nullopt;
    }
    const CellRect& a = out.area;
    if (!in.ok() || a.firstRow > a.lastRow || a.firstCol > a.lastCol || a.lastCol >= kMaxCols)
        return std::nullopt;
    return out;
}

}  // namespace xls
