#pragma once

// How a window reaches a core sheet: through the sheet's accessor in the
// registers, whose error the user is told. A window never adds a missing sheet.

#include <optional>

#include "store/store_error.h"
#include "store/worksheet.h"

namespace app {

class MessageBoxes;

// The sheet, or none once the user was told why it cannot be reached.
std::optional<store::Worksheet> reachSheet(const store::Result<store::Worksheet>& sheet,
                                           MessageBoxes& boxes);

}  // namespace app
