#pragma once

// Which records the readers keep as raw bytes without understanding them, and where
// the writer puts them back. Every record is kept except those the writer makes
// itself and those that hold stream positions or counts of what the writer
// rebuilds (INDEX, DBCELL, EXTSST, TABID...). Indexes into tables that the writer
// keeps in their order (XFs, fonts, number formats, names, EXTERNSHEET entries)
// stay valid; shared strings are rebuilt, and only LABELSST refers to them.
//
// A kept record goes back after the group of records it followed in the file: the
// readers follow each understood record's group and tag the kept records with it.

#include <cstdint>
#include <optional>
#include <vector>

#include "xls/record_stream.h"
#include "xls/workbook.h"

namespace xls {

// True when a globals record is rebuilt by the writer or cannot be written back
// without the parts of the file that the writer does not write.
bool isRebuiltGlobalRecord(std::uint16_t type);
// The same for the records of a worksheet.
bool isRebuiltSheetRecord(std::uint16_t type);
// SUPBOOK, EXTERNNAME, XCT, CRN, EXTERNSHEET and NAME: kept together in
// Workbook::links, since formulas refer to them by their position.
bool isLinkRecord(std::uint16_t type);

// The slot that the records after an understood record of this type go to; none
// when the record does not start a group.
std::optional<GlobalsSlot> globalsSlotAfter(std::uint16_t type);
std::optional<SheetSlot> sheetSlotAfter(std::uint16_t type);

// Keeps `r` as read into `kept`, each of its CONTINUE records as a record of its own.
template <class Slot>
void keepRecord(const Record& r, Slot slot, std::vector<KeptRecord<Slot>>& kept) {
    std::uint16_t type = r.type;
    for (const ByteReader::Segment& segment : r.segments) {
        KeptRecord<Slot> record;
        record.type = type;
        record.data =
            QByteArray(reinterpret_cast<const char*>(segment.data()), qsizetype(segment.size()));
        record.slot = slot;
        kept.push_back(std::move(record));
        type = rec::Continue;
    }
}

}  // namespace xls
