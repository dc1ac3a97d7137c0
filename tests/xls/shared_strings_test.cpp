// The shared string table and the checked reader under it, with strings split
// across CONTINUE records the way spreadsheet programs split them.

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "xls/byte_reader.h"
#include "xls/shared_strings.h"

namespace {

using biff::le16;
using biff::le32;

std::span<const std::uint8_t> bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

xls::Record sst(const std::vector<QByteArray>& parts) {
    xls::Record r;
    r.type = 0x00FC;
    for (const auto& p : parts)
        r.segments.push_back(bytes(p));
    return r;
}

QByteArray wide(const QString& s) {
    QByteArray out;
    for (QChar c : s)
        out += le16(c.unicode());
    return out;
}

TEST(SharedStrings, AStringSplitAcrossContinueSwitchesBetweenCompressedAndWide) {
    // "Utilità" split after "Util": the first part compressed, the rest wide
    // (it holds "à"), announced by a fresh flags byte at the split.
    const QByteArray first = le32(2) + le32(2) + le16(7) + QByteArray(1, 0) + "Util";
    const QByteArray second = QByteArray(1, 1) + wide(QStringLiteral("ità")) +
                              // then a wide string split back to compressed
                              le16(4) + QByteArray(1, 1) + wide("ab");
    const QByteArray third = QByteArray(1, 0) + "cd";
    auto strings = xls::readSharedStrings(sst({first, second, third}));
    ASSERT_TRUE(strings.has_value());
    ASSERT_EQ(strings->size(), 2u);
    EXPECT_EQ((*strings)[0], QStringLiteral("Utilità"));
    EXPECT_EQ((*strings)[1], QStringLiteral("abcd"));
}

TEST(SharedStrings, RichRunsAndPhoneticDataAreSkippedEvenAcrossASplit) {
    // String 1: rich (2 runs) and phonetic (5 bytes); its runs continue in the
    // next record without a flags byte. String 2 starts right at a record start.
    const QByteArray runs = le16(0) + le16(1) + le16(2) + le16(3);
    const QByteArray first = le32(2) + le32(2) + le16(3) + QByteArray(1, 0x0C) + le16(2) + le32(5) +
                             "abc" + runs.left(3);
    const QByteArray second = runs.mid(3) + QByteArray(5, 'x');
    const QByteArray third = le16(2) + QByteArray(1, 0) + "ok";
    auto strings = xls::readSharedStrings(sst({first, second, third}));
    ASSERT_TRUE(strings.has_value());
    EXPECT_EQ(*strings, (std::vector<QString>{"abc", "ok"}));
}

TEST(SharedStrings, LyingCountsAndLengthsAreRefused) {
    // A huge string count in a tiny record: refused without reserving for it.
    EXPECT_FALSE(xls::readSharedStrings(
                     sst({le32(1) + le32(0xFFFFFFF0u) + le16(1) + QByteArray(1, 0) + "a"}))
                     .has_value());
    // A string longer than what is left.
    EXPECT_FALSE(
        xls::readSharedStrings(sst({le32(1) + le32(1) + le16(500) + QByteArray(1, 0) + "abc"}))
            .has_value());
    // Half a wide character before a record end.
    EXPECT_FALSE(xls::readSharedStrings(
                     sst({le32(1) + le32(1) + le16(2) + QByteArray(1, 1) + "a", QByteArray(1, 1)}))
                     .has_value());
}

TEST(ByteReader, AnOverrunIsStickyAndYieldsZeros) {
    const QByteArray data = le16(0x1234) + QByteArray(1, 7);
    xls::ByteReader in(bytes(data));
    EXPECT_EQ(in.u16(), 0x1234);
    EXPECT_EQ(in.u16(), 0);  // only one byte left
    EXPECT_FALSE(in.ok());
    EXPECT_EQ(in.u8(), 0);  // the byte that was there is no longer read
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteReader, NumbersReadAcrossSegmentBoundaries) {
    const QByteArray a = QByteArray::fromHex("785634"), b = QByteArray::fromHex("12ff");
    const std::vector<xls::ByteReader::Segment> segments{bytes(a), bytes(b)};
    xls::ByteReader in(segments);
    EXPECT_EQ(in.u32(), 0x12345678u);
    EXPECT_EQ(in.u8(), 0xFF);
    EXPECT_TRUE(in.ok());
}

}  // namespace
