#include "xls/kept_record_slots.h"

namespace xls {

GlobalsSlot globalsSlotOf(std::uint16_t type) {
    switch (type) {
        case 0x0012:  // PROTECT
        case 0x0013:  // PASSWORD
        case 0x0019:  // WINDOWPROTECT
        case 0x01AF:  // PROT4REV
        case 0x01BC:  // PROT4REVPASS
            return GlobalsSlot::BeforeWindow1;
        default:
            return GlobalsSlot::AfterDateMode;
    }
}

SheetSlot sheetSlotOf(std::uint16_t type) {
    switch (type) {
        case 0x000C:  // CALCCOUNT
        case 0x000D:  // CALCMODE
        case 0x000F:  // REFMODE
        case 0x0010:  // DELTA
        case 0x0011:  // ITERATION
        case 0x005F:  // SAVERECALC
        case 0x0080:  // GUTS
        case 0x0082:  // GRIDSET
            return SheetSlot::AfterBof;
        case 0x001A:  // VERTICALPAGEBREAKS
            return SheetSlot::AfterPageBreaks;
        case 0x0063:  // OBJPROTECT
        case 0x00DD:  // SCENPROTECT
            return SheetSlot::AfterProtection;
        case 0x088B:  // PLV
            return SheetSlot::AfterView;
        default:
            return SheetSlot::BeforeEof;
    }
}

}  // namespace xls
