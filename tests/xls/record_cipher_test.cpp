// A stretch of records ciphered at once is, byte for byte, each record ciphered on
// its own: headers and the bytes kept in the clear as they were, bodies across the
// stretches the keystream is made in, and the walk stopping where it should.

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "xls/crypto.h"
#include "xls/record_cipher.h"
#include "xls/record_types.h"

namespace {

struct Stretch {
    const char* name;
    std::vector<std::pair<std::uint16_t, std::size_t>> records;  // type and body length
    std::size_t begin = 0;                                       // as the n-th record start
    std::size_t limit = SIZE_MAX;
    std::size_t cutShort = 0;  // bytes missing from the end of the last record
};

constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kInterfaceHdr = 0x00E1;

std::vector<std::pair<std::uint16_t, std::size_t>> many(std::uint16_t type, std::size_t length,
                                                        int count) {
    return std::vector<std::pair<std::uint16_t, std::size_t>>(std::size_t(count), {type, length});
}

std::vector<std::pair<std::uint16_t, std::size_t>> mixed() {
    std::vector<std::pair<std::uint16_t, std::size_t>> out;
    for (int i = 0; i < 40; ++i) {
        out.push_back({kLabelSst, 10});
        out.push_back(
            {xls::rec::BoundSheet, std::size_t(i % 7)});  // some shorter than its clear part
        out.push_back({kInterfaceHdr, std::size_t(1000 + i * 97)});
        out.push_back({kLabelSst, 8224});
    }
    return out;
}

std::vector<std::uint8_t> streamOf(const Stretch& s, std::vector<std::size_t>& starts) {
    std::vector<std::uint8_t> stream;
    for (const auto& [type, length] : s.records) {
        starts.push_back(stream.size());
        stream.insert(stream.end(), {std::uint8_t(type), std::uint8_t(type >> 8),
                                     std::uint8_t(length), std::uint8_t(length >> 8)});
        for (std::size_t i = 0; i < length; ++i)
            stream.push_back(std::uint8_t(stream.size() * 13));
    }
    starts.push_back(stream.size());
    stream.resize(stream.size() - s.cutShort);
    return stream;
}

void PrintTo(const Stretch& s, std::ostream* os) {
    *os << s.name;
}

class RecordCipher : public ::testing::TestWithParam<Stretch> {};

TEST_P(RecordCipher, IsEachWholeRecordCipheredOnItsOwn) {
    const Stretch& s = GetParam();
    std::vector<std::size_t> starts;
    const std::vector<std::uint8_t> plain = streamOf(s, starts);
    const xls::Encryption encryption = xls::newCryptoApiEncryption(QStringLiteral("pw"));

    // Record by record, as the scheme describes it.
    std::vector<std::uint8_t> expected = plain;
    const std::unique_ptr<xls::StreamCipher> one = encryption.cipher->clone();
    std::size_t stop = starts[s.begin];
    for (std::size_t r = s.begin; r + 1 < starts.size(); ++r) {
        stop = starts[r];
        if (stop >= s.limit || starts[r + 1] > plain.size())
            break;
        const std::size_t length = starts[r + 1] - stop - 4;
        const std::size_t clear = xls::rec::bytesInTheClear(s.records[r].first, length);
        one->apply(std::span(expected).subspan(stop + 4 + clear, length - clear), stop + 4 + clear);
        stop = starts[r + 1];
    }

    std::vector<std::uint8_t> stream = plain;
    EXPECT_EQ(xls::cipherRecords(stream, starts[s.begin], s.limit, *encryption.cipher), stop);
    EXPECT_EQ(stream, expected);
    EXPECT_NE(stream, plain);
}

INSTANTIATE_TEST_SUITE_P(
    Stretches, RecordCipher,
    ::testing::Values(
        Stretch{"ShortRecordsOverManyStretches", many(kLabelSst, 10, 6000)},
        Stretch{"LongestRecordsAcrossStretchEnds", many(kLabelSst, 8224, 9)},
        Stretch{"ClearPartsAndClearRecordsAcrossStretchEnds", mixed()},
        Stretch{"FromARecordInsideUpToALimit", many(kLabelSst, 37, 3000), 500, 70001},
        Stretch{"ClearPartsUpToALimitFarIn", mixed(), 3, 300001},
        Stretch{"ALastRecordCutShortIsLeftAsItIs", many(kLabelSst, 3000, 12), 0, SIZE_MAX, 5},
        Stretch{"AHeaderCutShortIsLeftAsItIs", many(kLabelSst, 3000, 12), 0, SIZE_MAX, 3002}),
    [](const ::testing::TestParamInfo<Stretch>& info) { return std::string(info.param.name); });

}  // namespace
