// The cipher beside the writer, and the reader's deciphering ahead of its parser:
// every body byte is ciphered exactly once whatever the hand-overs or buffer moves,
// a body is read only once deciphered, headers stay untouched, and damaged records
// or an early stop end without waiting forever.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "xls/cipher_pipeline.h"
#include "xls/record_stream.h"
#include "xls/record_writer.h"
#include "xls/stream_decryption.h"
#include "xls/stream_encryption.h"

namespace {

// Adds one to each byte, so a byte ciphered twice or not at all shows.
class CountingCipher : public xls::StreamCipher {
  public:
    void apply(std::span<std::uint8_t> data, std::uint64_t) override {
        for (auto& byte : data)
            ++byte;
    }
    std::unique_ptr<xls::StreamCipher> clone() const override {
        return std::make_unique<CountingCipher>();
    }
};

// Walks the records like the real ciphers, adding one to every body byte.
std::size_t countBodies(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                        xls::StreamCipher& cipher) {
    std::size_t p = begin;
    while (p < limit && p + 4 <= stream.size()) {
        const std::size_t length = stream[p + 2] | (stream[p + 3] << 8);
        if (stream.size() - p - 4 < length)
            break;
        cipher.apply(stream.subspan(p + 4, length), p + 4);
        p += 4 + length;
    }
    return p;
}

constexpr std::uint16_t kLabel = 0x0204;

// `count` records whose bodies (17 to 299 bytes) hold their index's low byte.
std::vector<std::uint8_t> records(int count) {
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < count; ++i) {
        const std::size_t length = 17 + std::size_t(i * 37 % 283);
        stream.insert(stream.end(), {std::uint8_t(kLabel), std::uint8_t(kLabel >> 8),
                                     std::uint8_t(length), std::uint8_t(length >> 8)});
        stream.insert(stream.end(), length, std::uint8_t(i));
    }
    return stream;
}

// Whether every body of `after` is its body in `before` ciphered once.
void expectCipheredOnce(const std::vector<std::uint8_t>& before,
                        std::span<const std::uint8_t> after) {
    ASSERT_EQ(before.size(), after.size());
    std::size_t p = 0;
    while (p < before.size()) {
        const std::size_t length = before[p + 2] | (before[p + 3] << 8);
        for (std::size_t i = 0; i < 4; ++i)
            ASSERT_EQ(after[p + i], before[p + i]) << "header at " << p;
        for (std::size_t i = p + 4; i < p + 4 + length; ++i)
            ASSERT_EQ(after[i], std::uint8_t(before[i] + 1)) << "body byte at " << i;
        p += 4 + length;
    }
}

TEST(CipherPipeline, AReadStreamIsReadOnlyBehindItsDeciphering) {
    // Large enough for a second thread, and small, deciphered before reading.
    for (const int count : {20000, 50}) {
        SCOPED_TRACE(count);
        const std::vector<std::uint8_t> plain = records(count);
        std::vector<std::uint8_t> stream = plain;
        {
            const std::unique_ptr<xls::CipherPipeline> pipeline =
                xls::decipherRecords(stream, 0, std::make_unique<CountingCipher>());
            EXPECT_EQ(pipeline != nullptr, count == 20000);
            xls::RecordStream reading(stream);
            if (pipeline)
                reading.readBehind(pipeline.get());
            xls::Record r;
            int read = 0;
            while (reading.next(r)) {
                const xls::ByteReader::Segment body = r.segments.front();
                ASSERT_EQ(body.front(), std::uint8_t(read + 1)) << "record " << read;
                ASSERT_EQ(body.back(), std::uint8_t(read + 1)) << "record " << read;
                ++read;
            }
            EXPECT_EQ(read, count);
        }
        expectCipheredOnce(plain, stream);
    }
    ASSERT_GT(records(20000).size(), 2u * 1024 * 1024);
}

// Writes the records of `plain` into `out`, each way of writing a record in turn.
void writeRecords(xls::RecordWriter& out, const std::vector<std::uint8_t>& plain) {
    std::size_t p = 0;
    int n = 0;
    while (p < plain.size()) {
        const std::size_t length = plain[p + 2] | (plain[p + 3] << 8);
        const std::span<const std::uint8_t> body(&plain[p + 4], length);
        // Both ways of writing a record hand over at record starts.
        if (n++ % 2 == 0) {
            out.record(kLabel, body);
        } else {
            std::uint8_t* into = out.fixedRecord(kLabel, std::uint16_t(length));
            std::copy(body.begin(), body.end(), into);
        }
        p += 4 + length;
    }
}

// Counts as CountingCipher does, slowly, so a writer is done long before it.
class SlowCountingCipher : public CountingCipher {
  public:
    void apply(std::span<std::uint8_t> data, std::uint64_t offset) override {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(2);
        while (std::chrono::steady_clock::now() < until) {
        }
        CountingCipher::apply(data, offset);
    }
    std::unique_ptr<xls::StreamCipher> clone() const override {
        return std::make_unique<SlowCountingCipher>();
    }
};

TEST(CipherPipeline, AWriterHandsOverAsItGoesEvenWhenItsBufferMoves) {
    // A cipher that keeps up, and one so slow that the writer, once done, ciphers
    // the far part of the rest itself. What the thread ciphers it gives on, front
    // to back.
    for (const bool slow : {false, true}) {
        SCOPED_TRACE(slow ? "slow" : "keeping up");
        const std::vector<std::uint8_t> plain = records(20000);
        // A small first buffer, so it moves several times while the cipher works.
        xls::RecordWriter out(1024);
        std::unique_ptr<xls::StreamCipher> cipher;
        if (slow) {
            cipher = std::make_unique<SlowCountingCipher>();
        } else {
            cipher = std::make_unique<CountingCipher>();
        }
        std::vector<std::uint8_t> given;
        xls::CipherPipeline pipeline(0, std::move(cipher), countBodies,
                                     [&given](std::span<const std::uint8_t> stretch) {
                                         given.insert(given.end(), stretch.begin(), stretch.end());
                                     });
        out.handOverTo(&pipeline);
        writeRecords(out, plain);
        out.finishHandOver();
        const std::span<const std::uint8_t> written(out.data(), out.size());
        expectCipheredOnce(plain, written);
        ASSERT_LE(given.size(), written.size());
        EXPECT_GT(given.size(), written.size() / 4);
        EXPECT_TRUE(std::equal(given.begin(), given.end(), written.begin()));
    }
}

TEST(CipherPipeline, AReaderReadsBehindTheThreadAndItsOwnFarShare) {
    // The reader deciphers the far end itself once the file is in; what the
    // thread has not yet reached is still waited for, the far end not.
    for (const std::size_t parts : {2, 6, 1000}) {
        for (const bool slow : {false, true}) {
            SCOPED_TRACE(parts);
            SCOPED_TRACE(slow ? "slow" : "keeping up");
            const std::vector<std::uint8_t> plain = records(20000);
            std::vector<std::uint8_t> stream = plain;
            {
                std::unique_ptr<xls::StreamCipher> cipher;
                if (slow) {
                    cipher = std::make_unique<SlowCountingCipher>();
                } else {
                    cipher = std::make_unique<CountingCipher>();
                }
                xls::CipherPipeline pipeline(0, std::move(cipher), countBodies);
                pipeline.handOver(std::span(stream).first(records(3000).size()));
                pipeline.cipherFarShare(stream, parts);
                xls::RecordStream reading(stream);
                reading.readBehind(&pipeline);
                xls::Record r;
                int read = 0;
                while (reading.next(r)) {
                    ASSERT_EQ(r.segments.front().front(), std::uint8_t(read + 1)) << read;
                    ++read;
                }
                EXPECT_EQ(read, 20000);
            }
            expectCipheredOnce(plain, stream);
        }
    }
}

TEST(CipherPipeline, ARealEncryptionLeavesTheSheetPositionPatchedLaterInTheClear) {
    // BOUNDSHEET's first four bytes are filled in once the sheet is written,
    // long after the record was handed over.
    constexpr std::uint16_t kBoundSheet = 0x0085;
    const std::unique_ptr<xls::CipherPipeline> pipeline =
        xls::workbookStreamEncryption(std::make_unique<CountingCipher>());
    xls::RecordWriter out(64);
    out.handOverTo(pipeline.get());
    const std::vector<std::uint8_t> sheet = {0, 0, 0, 0, 0, 0, 5, 0x41};
    out.record(kBoundSheet, sheet);
    const std::vector<std::uint8_t> filler(8000, 7);
    for (int i = 0; i < 40; ++i)
        out.record(kLabel, filler);
    out.patch32(4, 0x12345678);
    ASSERT_EQ(out.patchedAfterHandOver().size(), 1u);
    EXPECT_EQ(out.patchedAfterHandOver()[0].at, 4u);
    out.finishHandOver();
    const std::uint8_t* bytes = out.data();
    EXPECT_EQ(xls::le32(bytes + 4), 0x12345678u);
    EXPECT_EQ(bytes[4 + 4], 1);  // the rest of BOUNDSHEET is ciphered
    EXPECT_EQ(bytes[4 + 7], 0x42);
    EXPECT_EQ(bytes[out.size() - 1], 8);
}

TEST(CipherPipeline, DamagedRecordsOrAnEarlyStopEndWithoutWaitingForever) {
    // A record that claims more than is left: the walk stops there, and waiting
    // for the end of the stream returns rather than waiting forever.
    std::vector<std::uint8_t> stream = records(3000);
    std::size_t cut = 0;
    while (cut < stream.size() / 2)
        cut += 4 + (stream[cut + 2] | (stream[cut + 3] << 8));
    stream[cut + 2] = 0xFF;
    stream[cut + 3] = 0xFF;
    stream.resize(cut + 100);
    {
        xls::CipherPipeline pipeline(0, std::make_unique<CountingCipher>(), countBodies);
        pipeline.handOver(stream);
        EXPECT_EQ(pipeline.awaitCiphered(stream.size()), xls::CipherPipeline::kAll);
    }

    // A parser that gives up early: the pipeline is let go while the cipher works.
    std::vector<std::uint8_t> large = records(100000);
    xls::CipherPipeline pipeline(0, std::make_unique<CountingCipher>(), countBodies);
    pipeline.handOver(large);
    EXPECT_GE(pipeline.awaitCiphered(1), 1u);
}

}  // namespace
