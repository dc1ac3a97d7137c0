#pragma once

// Turns an encrypted workbook stream into a plain one before it is parsed: the
// parser then reads nothing but final bytes, wherever the file sends it.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/result.h"
#include "xls/crypto.h"
#include "xls/error.h"

namespace xls {

// The password that spreadsheet programs use for files protected only against
// writing: such files are encrypted, but open without asking.
inline constexpr char kDefaultPassword[] = "VelvetSweatshop";

// When the workbook globals hold a FILEPASS record, deciphers every record after it
// in place and returns once all of them are; a plain stream is left as it is. A
// wrong or missing password gives PasswordNeeded; an empty password tries the
// default one.
Result<brisvel::Done> decryptWorkbookStream(QByteArray& stream, const QString& password);

// Deciphers in place the body of every record from `begin` on, leaving in the clear
// what is never enciphered. A large stream is done in two halves side by side; the
// function returns when both are done.
void decipherRecords(std::span<std::uint8_t> stream, std::size_t begin, const StreamCipher& cipher);

}  // namespace xls
