// Splitting a Workbook stream for ciphering side by side: the halves cover the
// records exactly once, meet at a record start, and each has its own cipher.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "xls/stream_halves.h"

namespace {

class NullCipher : public xls::StreamCipher {
  public:
    void apply(std::span<std::uint8_t>, std::uint64_t) override {}
    std::unique_ptr<xls::StreamCipher> clone() const override {
        return std::make_unique<NullCipher>();
    }
};

// `count` records with bodies of 100 to 299 bytes.
std::vector<std::uint8_t> records(int count, std::vector<std::size_t>& starts) {
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < count; ++i) {
        starts.push_back(stream.size());
        const std::size_t length = 100 + std::size_t(i * 37 % 200);
        stream.insert(stream.end(), {0x04, 0x02, std::uint8_t(length), std::uint8_t(length >> 8)});
        stream.insert(stream.end(), length, std::uint8_t(i));
    }
    return stream;
}

struct Call {
    std::size_t begin, end;
    const xls::StreamCipher* cipher;
};

std::vector<Call> calls(const std::vector<std::uint8_t>& stream, std::size_t from,
                        xls::StreamCipher& cipher) {
    std::mutex mutex;
    std::vector<Call> seen;
    xls::inTwoHalves(stream, from, cipher,
                     [&](std::size_t begin, std::size_t end, xls::StreamCipher& part) {
                         const std::lock_guard lock(mutex);
                         seen.push_back({begin, end, &part});
                     });
    std::sort(seen.begin(), seen.end(),
              [](const Call& a, const Call& b) { return a.begin < b.begin; });
    return seen;
}

TEST(StreamHalves, ALargeStreamSplitsAtARecordStartNearItsMiddle) {
    std::vector<std::size_t> starts;
    const std::vector<std::uint8_t> stream = records(3000, starts);
    ASSERT_GT(stream.size(), 512u * 1024);
    NullCipher cipher;
    const std::size_t from = starts[3];
    const std::vector<Call> seen = calls(stream, from, cipher);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].begin, from);
    EXPECT_EQ(seen[0].cipher, &cipher);
    EXPECT_EQ(seen[0].end, seen[1].begin);
    EXPECT_EQ(seen[1].end, stream.size());
    EXPECT_NE(seen[1].cipher, &cipher);
    EXPECT_TRUE(std::binary_search(starts.begin(), starts.end(), seen[1].begin));
    const std::size_t middle = from + (stream.size() - from) / 2;
    EXPECT_GE(seen[1].begin, middle);
    EXPECT_LT(seen[1].begin, middle + 4 + 300);
}

TEST(StreamHalves, AShortStreamOrOneRunningPastItsEndIsDoneInOneCall) {
    std::vector<std::size_t> starts;
    const std::vector<std::uint8_t> small = records(100, starts);
    NullCipher cipher;
    std::vector<Call> seen = calls(small, 0, cipher);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].begin, 0u);
    EXPECT_EQ(seen[0].end, small.size());
    EXPECT_EQ(seen[0].cipher, &cipher);

    // A record claiming more than is left stops the walk: the second half is empty.
    starts.clear();
    std::vector<std::uint8_t> cut = records(3000, starts);
    cut.resize(cut.size() / 2 - 10);
    cut.insert(cut.end(), 600 * 1024, 0xFF);  // headers of 0xFFFF-byte records
    seen = calls(cut, 0, cipher);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().begin, 0u);
    EXPECT_EQ(seen.back().end, cut.size());
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(seen[i - 1].end, seen[i].begin);
}

}  // namespace
