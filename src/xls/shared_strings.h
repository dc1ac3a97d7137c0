#pragma once

// The shared string table (SST) that LABELSST cells point into.

#include <QString>

#include <optional>
#include <vector>

#include "xls/record_stream.h"

namespace xls {

// The strings of an SST record and its continuations; none when the record is
// shorter than the strings it announces.
std::optional<std::vector<QString>> readSharedStrings(const Record& sst);

}  // namespace xls
