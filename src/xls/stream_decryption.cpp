#include "xls/stream_decryption.h"

#include <algorithm>

#include "xls/crypto.h"
#include "xls/read_errors.h"
#include "xls/record_cipher.h"
#include "xls/record_stream.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// Below this many bytes a second thread costs more than it saves.
constexpr std::size_t kSecondThreadFrom = 256 * 1024;

// The reader's share of the deciphering left once the whole file is read: one part
// in this many, starting where a part read ended. Measured on the full store, the
// parser and the thread then end about together.
constexpr std::size_t kReaderShareParts = 6;

}  // namespace

std::unique_ptr<CipherPipeline> decipherRecords(std::span<std::uint8_t> stream, std::size_t begin,
                                                std::unique_ptr<StreamCipher> cipher) {
    if (stream.size() - std::min(begin, stream.size()) < kSecondThreadFrom) {
        cipherRecords(stream, begin, stream.size(), *cipher);
        return nullptr;
    }
    auto pipeline = std::make_unique<CipherPipeline>(begin, std::move(cipher), cipherRecords);
    pipeline->handOver(stream);
    return pipeline;
}

namespace {

// What the opening records of a stream say of its protection.
struct Opening {
    enum Kind { Plain, Encrypted, Damaged, NotYetKnown } kind;
    Record filePass;
    std::size_t after = 0;  // where the records after FILEPASS start
};

// The opening of `bytes`, the whole stream or, when `whole` is false, what has
// been read of it so far.
Opening openingOf(std::span<const std::uint8_t> bytes, bool whole) {
    RecordStream records(bytes);
    Opening opening{Opening::Plain, {}, 0};
    while (records.nextPhysical(opening.filePass)) {
        if (opening.filePass.type == rec::FilePass) {
            opening.kind = Opening::Encrypted;
            opening.after = records.position();
            return opening;
        }
        if (opening.filePass.type == rec::Eof)
            return opening;
    }
    if (!whole)
        opening.kind = Opening::NotYetKnown;
    else if (records.damaged())
        opening.kind = Opening::Damaged;
    return opening;
}

// The cipher FILEPASS names, checked against `password`.
Result<std::unique_ptr<StreamCipher>> cipherFor(const Record& filePass, const QString& password) {
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
    if (!cipher && cipher.error().kind == Error::Kind::PasswordNeeded) {
        return Error{Error::Kind::PasswordNeeded,
                     QStringLiteral("Il file è protetto da una password.")};
    }
    return cipher;
}

}  // namespace

Result<std::unique_ptr<CipherPipeline>> decryptWorkbookStream(QByteArray& stream,
                                                              const QString& password) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(stream.data());
    const std::span<std::uint8_t> all(bytes, std::size_t(stream.size()));
    const Opening opening = openingOf(all, true);
    if (opening.kind == Opening::Damaged)
        return damagedFile();
    if (opening.kind != Opening::Encrypted)
        return std::unique_ptr<CipherPipeline>();
    Result<std::unique_ptr<StreamCipher>> cipher = cipherFor(opening.filePass, password);
    if (!cipher)
        return cipher.error();
    // Bytes after the last whole record are never read as records, so a short
    // tail is left to the reader rather than refused here.
    return decipherRecords(all, opening.after, std::move(*cipher));
}

void DecryptionAsRead::read(std::span<std::uint8_t> stream, std::size_t read) {
    if (!looked_) {
        // One look at what has come in first; a small stream, or one that does not
        // say in its first part how it is protected, is deciphered once whole.
        looked_ = true;
        if (stream.size() < kSecondThreadFrom)
            return;
        const Opening opening = openingOf(stream.first(read), false);
        if (opening.kind != Opening::Encrypted)
            return;
        Result<std::unique_ptr<StreamCipher>> cipher = cipherFor(opening.filePass, password_);
        if (!cipher) {
            error_ = cipher.error();
            return;
        }
        pipeline_ =
            std::make_unique<CipherPipeline>(opening.after, std::move(*cipher), cipherRecords);
        handed_ = opening.after;
    }
    if (!pipeline_)
        return;
    if (read == stream.size()) {
        // Parsing behind the thread, the reader would catch up with it and wait:
        // it deciphers the far end itself first.
        pipeline_->cipherFarShare(stream, kReaderShareParts);
        return;
    }
    // The deciphering walks whole records: it is handed the stream up to the
    // first record not wholly in yet.
    while (wholeRecordAt(stream.first(read), handed_))
        handed_ = recordEnd(stream, handed_);
    pipeline_->handOver(stream.first(handed_));
}

Result<std::unique_ptr<CipherPipeline>> DecryptionAsRead::whole() {
    if (error_)
        return *error_;
    return std::move(pipeline_);
}

}  // namespace xls
