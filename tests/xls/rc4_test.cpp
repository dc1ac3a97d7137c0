// RC4: published keystreams, and blocks made side by side give the bytes each
// block gets on its own, wherever its key sits among the lanes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xls/rc4.h"

namespace {

xls::rc4::Key keyOf(std::vector<std::uint8_t> bytes) {
    xls::rc4::Key key;
    std::copy(bytes.begin(), bytes.end(), key.bytes.begin());
    key.size = bytes.size();
    return key;
}

std::string hex(std::span<const std::uint8_t> bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// The keystream of `key` alone, `length` bytes.
std::vector<std::uint8_t> keystream(const xls::rc4::Key& key, std::size_t length) {
    std::vector<std::uint8_t> out(length, 0xA5);
    xls::rc4::keystreamBlocks(std::span(&key, 1), length, out);
    return out;
}

const xls::rc4::Key kRfcKey40 = keyOf({1, 2, 3, 4, 5});

TEST(Rc4, KeystreamsMatchPublishedVectors) {
    // RFC 6229, 40-bit key 0x0102030405 and 128-bit key 0x0102...10.
    const std::vector<std::uint8_t> s40 = keystream(kRfcKey40, 4096);
    const std::span<const std::uint8_t> all40(s40);
    EXPECT_EQ(hex(all40.subspan(0, 16)), "b2396305f03dc027ccc3524a0a1118a8");
    EXPECT_EQ(hex(all40.subspan(16, 16)), "6982944f18fc82d589c403a47a0d0919");
    EXPECT_EQ(hex(all40.subspan(1008, 16)), "45129048e6a0ed0b56b490338f078da5");
    EXPECT_EQ(hex(all40.subspan(4080, 16)), "068326a2118416d21f9d04b2cd1ca050");
    const std::vector<std::uint8_t> s128 =
        keystream(keyOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), 1024);
    EXPECT_EQ(hex(std::span(s128).subspan(0, 16)), "9ac7cc9a609d1ef7b2932899cde41b97");
    EXPECT_EQ(hex(std::span(s128).subspan(1008, 16)), "e7a72574f8782ae26aabcf9ebcd66065");
}

TEST(Rc4, EnciphersTheClassicTexts) {
    auto encipher = [](std::string key, std::string text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        const std::vector<std::uint8_t> stream =
            keystream(keyOf({key.begin(), key.end()}), data.size());
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] ^= stream[i];
        return hex(data);
    };
    EXPECT_EQ(encipher("Key", "Plaintext"), "bbf316e8d940af0ad3");
    EXPECT_EQ(encipher("Secret", "Attack at dawn"), "45a01f645fc35b383552544b9bf5");
}

// Keys of every length from 1 to 16, different for each block.
std::vector<xls::rc4::Key> blockKeys(std::size_t count) {
    std::vector<xls::rc4::Key> keys;
    for (std::size_t b = 0; b < count; ++b) {
        std::vector<std::uint8_t> bytes(1 + b * 5 % 16);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = std::uint8_t(b * 31 + i * 7 + 1);
        keys.push_back(keyOf(bytes));
    }
    return keys;
}

TEST(Rc4, BlocksSideBySideEqualBlocksOneByOne) {
    for (const std::size_t blockSize : {std::size_t(37), std::size_t(1024)}) {
        for (std::size_t blocks = 1; blocks <= 9; ++blocks) {
            // Whole blocks, a last block one byte short, a last block of one byte.
            for (const std::size_t cut : {std::size_t(0), std::size_t(1), blockSize - 1}) {
                const std::size_t size = blocks * blockSize - cut;
                const std::vector<xls::rc4::Key> keys = blockKeys(blocks);
                std::vector<std::uint8_t> together(size, 0xA5);
                xls::rc4::keystreamBlocks(keys, blockSize, together);

                std::vector<std::uint8_t> alone(size);
                for (std::size_t b = 0; b < blocks; ++b) {
                    const std::size_t length = std::min(blockSize, size - b * blockSize);
                    xls::rc4::keystreamBlocks(std::span(&keys[b], 1), length,
                                              std::span(alone).subspan(b * blockSize, length));
                }
                ASSERT_EQ(together, alone)
                    << blocks << " blocks of " << blockSize << ", cut " << cut;
            }
        }
    }
}

TEST(Rc4, AKeyGivesItsPublishedStreamInAnyLane) {
    // The RFC key among nine blocks, in a whole group and in the last one:
    // a lane that borrowed another lane's state or output would show here.
    std::vector<xls::rc4::Key> keys = blockKeys(9);
    for (const std::size_t at : {std::size_t(2), std::size_t(7), std::size_t(8)}) {
        std::vector<xls::rc4::Key> withRfc = keys;
        withRfc[at] = kRfcKey40;
        std::vector<std::uint8_t> data(9 * 1024, 0xA5);
        xls::rc4::keystreamBlocks(withRfc, 1024, data);
        EXPECT_EQ(hex(std::span(data).subspan(at * 1024 + 1008, 16)),
                  "45129048e6a0ed0b56b490338f078da5")
            << "block " << at;
    }
}

}  // namespace
