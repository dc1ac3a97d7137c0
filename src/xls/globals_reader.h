#pragma once

// The workbook-globals substream: formatting tables, shared strings, the list of
// sheets and the names that refer to them.

#include <QString>

#include <cstdint>
#include <vector>

#include "xls/error.h"
#include "xls/print_area.h"
#include "xls/record_stream.h"
#include "xls/workbook.h"

namespace xls {

// A BOUNDSHEET entry: where a sheet's substream starts and what kind of sheet it is.
struct SheetEntry {
    QString name;
    std::uint32_t position = 0;
    bool hidden = false;
    bool worksheet = true;  // charts, macro sheets and modules are not read
};

struct Globals {
    Workbook book;  // formatting tables, date system and kept records; no sheets yet
    std::vector<SheetEntry> sheets;
    std::vector<SharedText> sharedStrings;
    std::vector<PrintAreaName> printAreas;
    std::vector<std::uint16_t> externSheetTabs;  // first sheet of each EXTERNSHEET entry
    int activeTab = 0;                           // BOUNDSHEET index of the active sheet
};

// Reads from just after the globals BOF up to its EOF.
Result<Globals> readGlobals(RecordStream& records);

}  // namespace xls
