#include "xls/kept_records.h"

namespace xls {

bool isKeptGlobalRecord(std::uint16_t type) {
    switch (type) {
        case 0x000E:  // PRECISION
        case 0x0012:  // PROTECT: workbook structure
        case 0x0013:  // PASSWORD: of the workbook structure
        case 0x0019:  // WINDOWPROTECT
        case 0x0040:  // BACKUP
        case 0x008C:  // COUNTRY
        case 0x008D:  // HIDEOBJ
        case 0x00DA:  // BOOKBOOL
        case 0x0160:  // USESELFS
        case 0x01AF:  // PROT4REV
        case 0x01B7:  // REFRESHALL
        case 0x01BC:  // PROT4REVPASS
            return true;
        default:
            return false;
    }
}

bool isKeptSheetRecord(std::uint16_t type) {
    switch (type) {
        case 0x000C:  // CALCCOUNT
        case 0x000D:  // CALCMODE
        case 0x000F:  // REFMODE
        case 0x0010:  // DELTA
        case 0x0011:  // ITERATION
        case 0x001A:  // VERTICALPAGEBREAKS
        case 0x005F:  // SAVERECALC
        case 0x0063:  // OBJPROTECT
        case 0x0080:  // GUTS
        case 0x0082:  // GRIDSET
        case 0x00DD:  // SCENPROTECT
        case 0x088B:  // PLV: page layout view
        case 0x0862:  // SHEETEXT: tab colour
            return true;
        default:
            return false;
    }
}

}  // namespace xls
