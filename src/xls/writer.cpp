#include "xls/writer.h"

#include <cstdio>
#include <span>

#include "xls/compound_file_writer.h"
#include "xls/crypto.h"
#include "xls/descriptor_stream.h"
#include "xls/stream_encryption.h"
#include "xls/workbook_stream_writer.h"

namespace xls {

namespace {

// Spreadsheet programs expect the Workbook stream in the compound file's regular
// sectors, which hold streams of 4,096 bytes and more; shorter streams are padded
// with empty records (zero type and length) after the last EOF.
constexpr std::size_t kMinStreamSize = 4096;

void padStream(RecordWriter& stream) {
    // Whole empty records: the padding keeps the stream's size a multiple of 4 away.
    if (stream.size() < kMinStreamSize)
        stream.zeros(kMinStreamSize + stream.size() % 4 - stream.size());
}

// The Workbook stream, encrypted when there is a password, ready for its container.
// With `container`, the stretches encrypted beside the building go into it as they
// are done.
Result<RecordWriter> finishedStream(const Workbook& wb, const QString& password,
                                    QByteArray memory = {},
                                    CompoundFileStreamer* container = nullptr) {
    if (password.isEmpty()) {
        Result<RecordWriter> stream = buildWorkbookStream(wb, {}, nullptr, std::move(memory));
        if (stream)
            padStream(*stream);
        return stream;
    }
    Encryption encryption = newCryptoApiEncryption(password);
    const auto* filePass = reinterpret_cast<const std::uint8_t*>(encryption.filePass.constData());
    CipherPipeline::Ciphered encrypted;
    if (container) {
        encrypted = [container](std::span<const std::uint8_t> stretch) {
            container->append(stretch);
        };
    }
    // The records are encrypted on a second thread while the stream is built.
    const std::unique_ptr<CipherPipeline> cipher =
        workbookStreamEncryption(std::move(encryption.cipher), std::move(encrypted));
    Result<RecordWriter> stream =
        buildWorkbookStream(wb, std::span(filePass, std::size_t(encryption.filePass.size())),
                            cipher.get(), std::move(memory));
    if (!stream)
        return stream;
    padStream(*stream);
    stream->finishHandOver();
    return stream;
}

// The container written into `out` while the stream is built: what is encrypted
// on the way first, the rest once the stream is whole.
Result<brisvel::Done> writeContainer(const Workbook& wb, std::FILE* out, const QString& password,
                                     QByteArray memory) {
    CompoundFileStreamer container(out);
    Result<RecordWriter> stream = finishedStream(wb, password, std::move(memory), &container);
    if (!stream)
        return stream.error();
    const std::span<const std::uint8_t> bytes = stream->bytes();
    container.append(bytes.subspan(container.appended()));
    for (const RecordWriter::Patch& patch : stream->patchedAfterHandOver())
        container.rewrite(patch.at, bytes.subspan(patch.at, 4));
    return container.finish();
}

}  // namespace

Result<QByteArray> writeWorkbook(const Workbook& wb, const QString& password) {
    Result<RecordWriter> stream = finishedStream(wb, password);
    if (!stream)
        return stream.error();
    return writeCompoundFile(stream->bytes());
}

Result<brisvel::Done> writeWorkbook(const Workbook& wb, QFileDevice& file, const QString& password,
                                    QByteArray streamMemory) {
    // The container goes out through a stream of its own on the file's descriptor;
    // the device's buffer is flushed first so nothing it holds comes after it.
    std::FILE* out = file.flush() ? streamOnDescriptor(file, "wb") : nullptr;
    if (!out) {
        return Error{Error::Kind::Io, QStringLiteral("Impossibile scrivere il file %1: %2.")
                                          .arg(file.fileName(), file.errorString())};
    }
    Result<brisvel::Done> written = writeContainer(wb, out, password, std::move(streamMemory));
    // A disk that refused the bytes (full, say) is what the user is told, not
    // the container that could not be finished because of it; a workbook that
    // cannot be written at all is told as such.
    const bool refused = std::ferror(out) != 0;
    const bool closed = std::fclose(out) == 0;
    if ((!closed || refused) && (written || written.error().kind == Error::Kind::Io))
        return Error{Error::Kind::Io,
                     QStringLiteral("Impossibile scrivere il file %1.").arg(file.fileName())};
    return written;
}

}  // namespace xls
