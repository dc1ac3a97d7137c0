#pragma once

// Turns an encrypted workbook stream into a plain one as it is parsed: a large
// stream is deciphered front to back on a second thread while the parser reads
// behind it (see RecordStream::readBehind), a small one before parsing starts.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/result.h"
#include "xls/cipher_pipeline.h"
#include "xls/crypto.h"
#include "xls/error.h"

namespace xls {

// The password that spreadsheet programs use for files protected only against
// writing: such files are encrypted, but open without asking.
inline constexpr char kDefaultPassword[] = "VelvetSweatshop";

// When the workbook globals hold a FILEPASS record, deciphers every record after it
// in place (see decipherRecords) and gives the pipeline still doing it, if any,
// which must be let go before the stream is; a plain stream is left as it is. A
// wrong or missing password gives PasswordNeeded; an empty password tries the
// default one.
Result<std::unique_ptr<CipherPipeline>> decryptWorkbookStream(QByteArray& stream,
                                                              const QString& password);

// Deciphers in place the body of every record from `begin` on, leaving in the clear
// what is never enciphered. A large stream is deciphered on a second thread and the
// pipeline doing it is given; a small one is done before returning (null).
std::unique_ptr<CipherPipeline> decipherRecords(std::span<std::uint8_t> stream, std::size_t begin,
                                                std::unique_ptr<StreamCipher> cipher);

}  // namespace xls
