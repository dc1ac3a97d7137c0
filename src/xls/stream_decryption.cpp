#include "xls/stream_decryption.h"

#include <algorithm>
#include <array>

#include "xls/crypto.h"
#include "xls/read_errors.h"
#include "xls/record_stream.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// Below this many bytes a second thread costs more than it saves.
constexpr std::size_t kSecondThreadFrom = 256 * 1024;

// Deciphers the records from `begin` up to the first record start at or after
// `limit`; gives where it stopped.
std::size_t decryptRecords(std::span<std::uint8_t> all, std::size_t begin, std::size_t limit,
                           StreamCipher& cipher) {
    RecordStream records(all, begin);
    Record r;
    while (records.position() < limit && records.nextPhysical(r)) {
        if (rec::neverEncrypted(r.type))
            continue;
        const std::size_t bodyOffset = r.offset + 4;
        const std::span<std::uint8_t> body = all.subspan(bodyOffset, r.segments.front().size());
        const std::size_t clearSize = rec::bytesInTheClear(r.type, body.size());
        // The bytes in the clear (a BOUNDSHEET's stream position) are kept while the
        // body is deciphered whole, because XOR obfuscation counts those bytes too.
        std::array<std::uint8_t, 4> clear{};
        std::copy_n(body.begin(), clearSize, clear.begin());
        cipher.apply(body, bodyOffset);
        std::copy_n(clear.begin(), clearSize, body.begin());
    }
    return records.position();
}

}  // namespace

std::unique_ptr<CipherPipeline> decipherRecords(std::span<std::uint8_t> stream, std::size_t begin,
                                                std::unique_ptr<StreamCipher> cipher) {
    if (stream.size() - std::min(begin, stream.size()) < kSecondThreadFrom) {
        decryptRecords(stream, begin, stream.size(), *cipher);
        return nullptr;
    }
    auto pipeline = std::make_unique<CipherPipeline>(begin, std::move(cipher), decryptRecords);
    pipeline->handOver(stream);
    return pipeline;
}

Result<std::unique_ptr<CipherPipeline>> decryptWorkbookStream(QByteArray& stream,
                                                              const QString& password) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(stream.data());
    const std::span<std::uint8_t> all(bytes, std::size_t(stream.size()));

    RecordStream records(all);
    Record filePass;
    bool encrypted = false;
    while (records.nextPhysical(filePass)) {
        encrypted = filePass.type == rec::FilePass;
        if (encrypted || filePass.type == rec::Eof)
            break;
    }
    if (records.damaged())
        return damagedFile();
    if (!encrypted)
        return std::unique_ptr<CipherPipeline>();

    Result<std::unique_ptr<StreamCipher>> cipher =
        cipherForFilePass(filePass.segments.front(),
                          password.isEmpty() ? QString::fromLatin1(kDefaultPassword) : password);
    // A file protected only against writing opens whatever password is offered.
    if (!cipher && cipher.error().kind == Error::Kind::PasswordNeeded && !password.isEmpty()) {
        cipher =
            cipherForFilePass(filePass.segments.front(), QString::fromLatin1(kDefaultPassword));
        if (!cipher && cipher.error().kind == Error::Kind::PasswordNeeded) {
            return Error{Error::Kind::PasswordNeeded, QStringLiteral("Password errata.")};
        }
    }
    if (!cipher) {
        if (cipher.error().kind == Error::Kind::PasswordNeeded) {
            return Error{Error::Kind::PasswordNeeded,
                         QStringLiteral("Il file è protetto da una password.")};
        }
        return cipher.error();
    }

    // Bytes after the last whole record are never read as records, so a short
    // tail is left to the reader rather than refused here.
    return decipherRecords(all, records.position(), std::move(*cipher));
}

}  // namespace xls
