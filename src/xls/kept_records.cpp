#include "xls/kept_records.h"

#include <algorithm>
#include <iterator>

namespace xls {

namespace {

template <class Slot>
struct Kept {
    std::uint16_t type;
    Slot slot;
};

constexpr Kept<GlobalsSlot> kKeptGlobals[] = {
    {0x000E, GlobalsSlot::AfterDateMode},  // PRECISION
    {0x0012, GlobalsSlot::BeforeWindow1},  // PROTECT: workbook structure
    {0x0013, GlobalsSlot::BeforeWindow1},  // PASSWORD: of the workbook structure
    {0x0019, GlobalsSlot::BeforeWindow1},  // WINDOWPROTECT
    {0x0040, GlobalsSlot::AfterDateMode},  // BACKUP
    {0x008C, GlobalsSlot::AfterDateMode},  // COUNTRY
    {0x008D, GlobalsSlot::AfterDateMode},  // HIDEOBJ
    {0x00DA, GlobalsSlot::AfterDateMode},  // BOOKBOOL
    {0x0160, GlobalsSlot::AfterDateMode},  // USESELFS
    {0x01AF, GlobalsSlot::BeforeWindow1},  // PROT4REV
    {0x01B7, GlobalsSlot::AfterDateMode},  // REFRESHALL
    {0x01BC, GlobalsSlot::BeforeWindow1},  // PROT4REVPASS
};

constexpr Kept<SheetSlot> kKeptSheetRecords[] = {
    {0x000C, SheetSlot::AfterBof},         // CALCCOUNT
    {0x000D, SheetSlot::AfterBof},         // CALCMODE
    {0x000F, SheetSlot::AfterBof},         // REFMODE
    {0x0010, SheetSlot::AfterBof},         // DELTA
    {0x0011, SheetSlot::AfterBof},         // ITERATION
    {0x001A, SheetSlot::AfterPageBreaks},  // VERTICALPAGEBREAKS
    {0x005F, SheetSlot::AfterBof},         // SAVERECALC
    {0x0063, SheetSlot::AfterProtection},  // OBJPROTECT
    {0x0080, SheetSlot::AfterBof},         // GUTS
    {0x0082, SheetSlot::AfterBof},         // GRIDSET
    {0x00DD, SheetSlot::AfterProtection},  // SCENPROTECT
    {0x088B, SheetSlot::AfterView},        // PLV: page layout view
    {0x0862, SheetSlot::BeforeEof},        // SHEETEXT: tab colour
};

template <class Slot, std::size_t N>
const Kept<Slot>* find(const Kept<Slot> (&table)[N], std::uint16_t type) {
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [type](const Kept<Slot>& k) { return k.type == type; });
    return it == std::end(table) ? nullptr : it;
}

}  // namespace

bool isKeptGlobalRecord(std::uint16_t type) {
    return find(kKeptGlobals, type) != nullptr;
}

bool isKeptSheetRecord(std::uint16_t type) {
    return find(kKeptSheetRecords, type) != nullptr;
}

GlobalsSlot globalsSlotOf(std::uint16_t type) {
    const auto* kept = find(kKeptGlobals, type);
    return kept ? kept->slot : GlobalsSlot::AfterDateMode;
}

SheetSlot sheetSlotOf(std::uint16_t type) {
    const auto* kept = find(kKeptSheetRecords, type);
    return kept ? kept->slot : SheetSlot::BeforeEof;
}

}  // namespace xls
