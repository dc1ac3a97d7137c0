#pragma once

// The user's own letterhead data: ten values in B1 to B10 of the sheet Utente,
// beside the labels of column A. Widget-free.

#include <QString>

#include <array>

#include "settings/settings_lists.h"
#include "store/worksheet.h"

namespace settings {

inline constexpr int kUserFieldCount = 10;
using UserData = std::array<QString, kUserFieldCount>;

// The sheet Utente of `book`, or a message saying it is missing.
Outcome<store::Worksheet> userSheet(store::Workbook& book);

// B1..B10 as the cells show them; an empty cell gives an empty text.
UserData readUserData(const store::Worksheet& sheet);

// Writes the ten values into B1..B10 as texts, so a postal code "00185" or a VAT
// number keeps its leading zeros; an empty value empties its cell.
void writeUserData(const store::Worksheet& sheet, const UserData& values);

}  // namespace settings
