#pragma once

// The user's own letterhead data: ten values in B1 to B10 of the sheet Utente,
// beside the labels of column A. Widget-free.

#include <QString>

#include <array>

#include "registers/sheet_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
}

namespace registers {

// The ten values, in the order of their rows (B1..B10).
enum UserField : int {
    UserName,        // Ragione sociale
    UserDomicile,    // Domicilio
    UserTown,        // Città
    UserProvince,    // PR
    UserPostalCode,  // CAP
    UserTaxCode,     // Codice Fiscale
    UserVatNumber,   // Partita IVA
    UserRegister,    // Albo
    UserBank,        // Banca
    UserIban,        // Codice IBAN
};
inline constexpr int kUserFieldCount = UserIban + 1;
using UserData = std::array<QString, kUserFieldCount>;

// The sheet Utente of `book`, or an error saying it is missing.
store::Result<store::Worksheet> userSheet(store::Workbook& book);

// B1..B10 as the cells show them; an empty cell gives an empty text.
UserData readUserData(const store::Worksheet& sheet);

// Writes the ten values into B1..B10 as texts, so a postal code "00185" or a VAT
// number keeps its leading zeros; an empty value empties its cell.
void writeUserData(const store::Worksheet& sheet, const UserData& values);

}  // namespace registers
