#pragma once

// Ciphering a Workbook stream in two halves side by side. The RC4 schemes key
// every 1,024-byte block afresh and XOR obfuscation restarts at every record, so
// two parts of the stream need nothing of each other, and on a machine with a
// second core the work takes about half the time.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "xls/crypto.h"

namespace xls {

// The records from `begin` up to `end` (record starts), with the cipher to use.
using RecordRangeWork = std::function<void(std::size_t begin, std::size_t end, StreamCipher&)>;

// Calls `work` for the records from `from` to the end of `stream`: the first half
// with `cipher` on this thread, the second with a copy of it on another. The
// halves meet at a record start. A short stream is done in one call.
void inTwoHalves(std::span<const std::uint8_t> stream, std::size_t from, StreamCipher& cipher,
                 const RecordRangeWork& work);

}  // namespace xls
