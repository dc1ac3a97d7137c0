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

void padStream(std::vector<std::uint8_t>& stream) {
    if (stream.size() < kMinStreamSize)
        stream.resize(kMinStreamSize + (stream.size() % 4), 0);
}

// Where the records after FILEPASS start: BOF and FILEPASS open the stream.
std::size_t afterFilePass(const std::vector<std::uint8_t>& stream) {
    std::size_t p = 0;
    for (int record = 0; record < 2; ++record)
        p += 4 + (stream[p + 2] | (stream[p + 3] << 8));
    return p;
}

}  // namespace

Result<QByteArray> writeWorkbook(const Workbook& wb, const QString& password) {
    if (password.isEmpty()) {
        Result<std::vector<std::uint8_t>> stream = buildWorkbookStream(wb, {});
        if (!stream)
            return stream.error();
        padStream(*stream);
        return writeCompoundFile(*stream);
    }
    Encryption encryption = newCryptoApiEncryption(password);
    const auto* filePass = reinterpret_cast<const std::uint8_t*>(encryption.filePass.constData());
    Result<std::vector<std::uint8_t>> stream =
        buildWorkbookStream(wb, std::span(filePass, std::size_t(encryption.filePass.size())));
    if (!stream)
        return stream.error();
    padStream(*stream);
    encryptWorkbookStream(*stream, afterFilePass(*stream), *encryption.cipher);
    return writeCompoundFile(*stream);
}

}  // namespace xls
