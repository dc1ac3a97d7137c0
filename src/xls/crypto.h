#pragma once

// The encryption schemes of .xls files. Each scheme is a stream cipher over the
// Workbook stream, addressed by absolute stream offset, so the record reader and
// writer need not know which scheme is in use. RC4 is symmetric: the same call
// encrypts and decrypts.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

#include "xls/error.h"

namespace xls {

class KeystreamCipher;

class StreamCipher {
  public:
    virtual ~StreamCipher() = default;
    // Transforms `data` in place: the record bytes found at `streamOffset` of the
    // Workbook stream. For RC4 schemes this both encrypts and decrypts.
    virtual void apply(std::span<std::uint8_t> data, std::uint64_t streamOffset) = 0;
    // The cipher as a keystream XORed in by stream position alone, when it is one,
    // so a stretch gives the same bytes applied whole or piece by piece (the RC4
    // schemes); null for one keyed otherwise (XOR obfuscation keys each record by
    // where it ends).
    virtual KeystreamCipher* byPosition() { return nullptr; }
    // An independent cipher in the same state, for working on another part of the
    // stream at the same time.
    virtual std::unique_ptr<StreamCipher> clone() const = 0;
};

class KeystreamCipher : public StreamCipher {
  public:
    KeystreamCipher* byPosition() override { return this; }
    // Writes into `out` the keystream of the bytes at `streamOffset`, what apply
    // would XOR them with.
    virtual void keystream(std::span<std::uint8_t> out, std::uint64_t streamOffset) = 0;
    // Makes the keystream of the `size` bytes at `streamOffset` before they are
    // given, for a thread that would otherwise wait: applying it later is then
    // only an XOR. Kept until the bytes are applied, front to back.
    virtual void prepare(std::uint64_t streamOffset, std::size_t size) = 0;
};

// The cipher described by a FILEPASS record body, checked against `password`.
// A wrong or empty password gives Error::Kind::PasswordNeeded.
Result<std::unique_ptr<StreamCipher>> cipherForFilePass(std::span<const std::uint8_t> filePass,
                                                        const QString& password);

// A new RC4 CryptoAPI scheme with a 128-bit key and a fresh random salt: the
// FILEPASS body to write and the cipher that encrypts the records after it.
struct Encryption {
    QByteArray filePass;
    std::unique_ptr<StreamCipher> cipher;
};
Encryption newCryptoApiEncryption(const QString& password);

}  // namespace xls
