#pragma once

// Turns an encrypted workbook stream into a plain one as it is parsed: a large
// stream is deciphered front to back on a second thread while the parser reads
// behind it (see RecordStream::readBehind), from a file already while it is read
// (DecryptionAsRead); a small one before parsing starts.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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

// Deciphering that starts while a large stream is still being read, as soon as
// its first part says how it is encrypted, each part read handed on as it comes.
class DecryptionAsRead {
  public:
    explicit DecryptionAsRead(QString password) : password_(std::move(password)) {}

    // The first `read` bytes of `stream` are in.
    void read(std::span<std::uint8_t> stream, std::size_t read);
    // Once all of the stream is in: the pipeline deciphering it, which must be let
    // go before the stream is; null when none was started (the stream is plain,
    // small or did not say in its first part how it is protected, and
    // decryptWorkbookStream takes it whole); the error found in its first part
    // (a wrong password, say).
    Result<std::unique_ptr<CipherPipeline>> whole();

  private:
    const QString password_;
    bool looked_ = false;
    std::optional<Error> error_;
    std::unique_ptr<CipherPipeline> pipeline_;
    std::size_t handed_ = 0;  // the pipeline has the records before this
};

// Deciphers in place the body of every record from `begin` on, leaving in the clear
// what is never enciphered. A large stream is deciphered on a second thread and the
// pipeline doing it is given; a small one is done before returning (null).
std::unique_ptr<CipherPipeline> decipherRecords(std::span<std::uint8_t> stream, std::size_t begin,
                                                std::unique_ptr<StreamCipher> cipher);

}  // namespace xls
