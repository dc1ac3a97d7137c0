#pragma once

// Enciphering or deciphering the records of a stretch of a Workbook stream, in
// place: the bodies go through the cipher, and what the schemes keep in the clear
// stays as it is (record headers, BOF, FILEPASS and the other records never
// encrypted, the sheet position that opens a BOUNDSHEET).

#include <cstddef>
#include <cstdint>
#include <span>

#include "xls/crypto.h"

namespace xls {

// Ciphers the records of `stream` from `begin`, a record start, up to the first
// record start at or after `limit`, and gives where it stopped: short of `limit`
// only where a record runs past the end of `stream`, which is left as it is.
std::size_t cipherRecords(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                          StreamCipher& cipher);

}  // namespace xls
