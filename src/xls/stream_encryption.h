#pragma once

// Encrypts a finished Workbook stream in place, leaving in the clear what BIFF8
// never encrypts: record headers, BOF, FILEPASS and the other listed records,
// and the sheet position of each BOUNDSHEET.

#include <cstddef>
#include <cstdint>
#include <span>

#include "xls/crypto.h"

namespace xls {

// Encrypts every record that starts at or after `from` (the end of FILEPASS).
void encryptWorkbookStream(std::span<std::uint8_t> stream, std::size_t from, StreamCipher& cipher);

}  // namespace xls
