#include "xls/kept_records.h"

#include "xls/record_types.h"

namespace xls {

namespace {

constexpr std::uint16_t kExternName = 0x0023;
constexpr std::uint16_t kXct = 0x0059;
constexpr std::uint16_t kCrn = 0x005A;
constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint16_t kObProj = 0x00D3;
constexpr std::uint16_t kSxStreamId = 0x00D5;

}  // namespace

bool isRebuiltGlobalRecord(std::uint16_t type) {
    switch (type) {
        case rec::Bof:
        case rec::Eof:
        case rec::Continue:
        case rec::FilePass:
        case rec::CodePage:
        case rec::Window1:
        case rec::DateMode:
        case rec::Font:
        case rec::Format:
        case rec::Xf:
        case rec::Style:
        case rec::Palette:
        case rec::BoundSheet:
        case rec::Sst:
        case rec::ExtSst:  // stream positions of the shared strings
        case rec::TabId:   // one entry per sheet, which the program may add to
        // Shared-workbook revisions, the VBA project and pivot caches live in other
        // streams of the container, which the writer does not write.
        case rec::UsrExcl:
        case rec::FileLock:
        case rec::RrdInfo:
        case rec::RrdHead:
        case kObProj:
        case kSxStreamId:
            return true;
        default:
            return false;
    }
}

bool isRebuiltSheetRecord(std::uint16_t type) {
    switch (type) {
        case rec::Bof:
        case rec::Eof:
        case rec::Continue:
        case rec::Dimensions:
        case kIndex:   // stream positions of the rows
        case kDbCell:  // stream offsets of the cells
            return true;
        default:
            return false;
    }
}

bool isLinkRecord(std::uint16_t type) {
    return type == rec::SupBook || type == kExternName || type == kXct || type == kCrn ||
           type == rec::ExternSheet || type == rec::Name;
}

std::optional<GlobalsSlot> globalsSlotAfter(std::uint16_t type) {
    switch (type) {
        case rec::Window1:
        case rec::DateMode:
            return GlobalsSlot::AfterDateMode;
        case rec::Font:
        case rec::Format:
        case rec::Xf:
        case rec::Style:
        case rec::Palette:
            return GlobalsSlot::AfterStyles;
        case rec::BoundSheet:
            return GlobalsSlot::AfterSheets;
        case rec::SupBook:
        case kExternName:
        case kXct:
        case kCrn:
        case rec::ExternSheet:
        case rec::Name:
            return GlobalsSlot::BeforeSst;
        case rec::Sst:
        case rec::ExtSst:
            return GlobalsSlot::BeforeEof;
        default:
            return std::nullopt;
    }
}

std::optional<SheetSlot> sheetSlotAfter(std::uint16_t type) {
    switch (type) {
        case rec::DefaultRowHeight:
        case rec::WsBool:
        case rec::PrintHeaders:
        case rec::PrintGridlines:
        case rec::HorizontalPageBreaks:
            return SheetSlot::AfterPageBreaks;
        case rec::Header:
        case rec::Footer:
        case rec::HCenter:
        case rec::VCenter:
        case rec::LeftMargin:
        case rec::RightMargin:
        case rec::TopMargin:
        case rec::BottomMargin:
        case rec::Setup:
        case rec::Protect:
        case rec::Password:
            return SheetSlot::AfterProtection;
        case rec::DefColWidth:
        case rec::ColInfo:
        case rec::Dimensions:
            return SheetSlot::BeforeCells;
        case rec::Row:
        case rec::Number:
        case rec::Rk:
        case rec::MulRk:
        case rec::Blank:
        case rec::MulBlank:
        case rec::BoolErr:
        case rec::Label:
        case rec::LabelSst:
        case rec::RString:
        case rec::Formula:
        case rec::String:
        case rec::ShrFmla:
        case rec::Array:
        case rec::Table:
            return SheetSlot::AfterCells;
        case rec::Window2:
        case rec::Scl:
        case rec::Pane:
        case rec::Selection:
            return SheetSlot::AfterView;
        case rec::MergedCells:
            return SheetSlot::BeforeEof;
        default:
            return std::nullopt;
    }
}

}  // namespace xls
