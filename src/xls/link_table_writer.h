#pragma once

// The references and names of the workbook globals (SUPBOOK, EXTERNSHEET, NAME and
// the records that go with them). Those read from the file are written back in
// their order, so the EXTERNSHEET entries and names that formulas and kept records
// refer to by position stay where they were; their sheet numbers are followed to
// the sheets as they are now. The print areas of the model are written into the
// file's own print-area names where it had them, and after them otherwise.

#include "xls/record_writer.h"
#include "xls/workbook.h"

namespace xls {

void writeLinkTable(RecordWriter& out, const Workbook& wb);

}  // namespace xls
