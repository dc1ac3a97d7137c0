// Reading an encrypted workbook whose sheet positions come from the file: a
// position in the middle of a record must give an error, and, under
// ThreadSanitizer, without any unsynchronised access to the bytes being deciphered.

#include <gtest/gtest.h>

#include "xls/compound_file.h"
#include "xls/little_endian.h"
#include "xls/reader.h"
#include "xls/record_types.h"
#include "xls/writer.h"

namespace {

const QString kPassword = QStringLiteral("Pesk1987");

// An encrypted Workbook stream of about a megabyte: numbers RK cannot hold, so
// each takes a NUMBER record of its own.
QByteArray largeEncryptedStream() {
    xls::Workbook wb = xls::Workbook::withDefaults();
    wb.sheets.emplace_back().name = QStringLiteral("Fatture");
    for (int r = 0; r < 6000; ++r) {
        for (int c = 0; c < 10; ++c)
            wb.sheets[0].put(r, c, xls::numberCell(r + c / 3.0 + 0.001));
    }
    const auto file = xls::writeWorkbook(wb, kPassword);
    EXPECT_TRUE(file.ok());
    const auto stream = xls::readWorkbookStream(*file);
    EXPECT_TRUE(stream.ok());
    return *stream;
}

// The stream offset of the first record of `type` at or after `from`. Record
// headers are never encrypted, so they can be walked as they are.
std::size_t findRecord(const QByteArray& stream, std::uint16_t type, std::size_t from = 0) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(stream.constData());
    std::size_t at = 0;
    while (at + 4 <= std::size_t(stream.size())) {
        if (at >= from && xls::le16(p + at) == type)
            return at;
        at += 4 + xls::le16(p + at + 2);
    }
    ADD_FAILURE() << "no record " << type;
    return 0;
}

// Points the first sheet at `position`; BOUNDSHEET keeps it in the clear.
void moveFirstSheet(QByteArray& stream, std::uint32_t position) {
    const std::size_t boundSheet = findRecord(stream, xls::rec::BoundSheet);
    xls::putLe32(reinterpret_cast<std::uint8_t*>(stream.data()) + boundSheet + 4, position);
}

TEST(ReaderDecryption, SheetPositionsInsideRecordsAreDamageWhereverTheyFall) {
    const QByteArray stream = largeEncryptedStream();
    ASSERT_GT(stream.size(), 1000000);
    // Inside encrypted NUMBER bodies: just past the first stretch a cipher beside the
    // parser would hand over (where its writes and the parser's reads would meet),
    // and far beyond it.
    std::vector<std::size_t> positions;
    for (std::size_t from = 60000; from < 400000; from += 9000)
        positions.push_back(findRecord(stream, xls::rec::Number, from) + 4 + 2);
    positions.push_back(findRecord(stream, xls::rec::Number, 900000) + 4 + 2);
    for (const std::size_t position : positions) {
        QByteArray moved = stream;
        moveFirstSheet(moved, std::uint32_t(position));
        const auto book = xls::readWorkbookStreamBytes(moved, kPassword);
        // What the bytes there say decides which error: they are no sheet.
        ASSERT_FALSE(book.ok()) << "at " << position;
        EXPECT_TRUE(book.error().kind == xls::Error::Kind::Damaged ||
                    book.error().kind == xls::Error::Kind::OldFormat)
            << "at " << position;
    }
}

TEST(ReaderDecryption, TheSameStreamWithItsSheetInPlaceReadsWhole) {
    const QByteArray stream = largeEncryptedStream();
    const auto book = xls::readWorkbookStreamBytes(stream, kPassword);
    ASSERT_TRUE(book.ok());
    ASSERT_EQ(book->sheets.size(), 1u);
    ASSERT_EQ(book->sheets[0].rows.size(), 6000u);
    EXPECT_DOUBLE_EQ(book->sheets[0].rows[5999].cells[9].number(), 5999 + 3 + 0.001);
}

}  // namespace
