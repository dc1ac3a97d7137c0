#include "xls/writer.h"

#include <span>

#include "xls/compound_file_writer.h"
#include "xls/crypto.h"
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

// Where the records after FILEPASS start: BOF and FILEPASS open the stream.
std::size_t afterFilePass(const RecordWriter& stream) {
    const std::uint8_t* data = stream.data();
    std::size_t p = 0;
    for (int record = 0; record < 2; ++record)
        p += 4 + (data[p + 2] | (data[p + 3] << 8));
    return p;
}

}  // namespace

Result<QByteArray> writeWorkbook(const Workbook& wb, const QString& password) {
    if (password.isEmpty()) {
        Result<RecordWriter> stream = buildWorkbookStream(wb, {});
        if (!stream)
            return stream.error();
        padStream(*stream);
        return writeCompoundFile(stream->bytes());
    }
    Encryption encryption = newCryptoApiEncryption(password);
    const auto* filePass = reinterpret_cast<const std::uint8_t*>(encryption.filePass.constData());
    Result<RecordWriter> stream =
        buildWorkbookStream(wb, std::span(filePass, std::size_t(encryption.filePass.size())));
    if (!stream)
        return stream.error();
    padStream(*stream);
    encryptWorkbookStream(stream->bytes(), afterFilePass(*stream), *encryption.cipher);
    return writeCompoundFile(stream->bytes());
}

}  // namespace xls
