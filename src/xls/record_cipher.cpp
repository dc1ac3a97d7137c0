#include "xls/record_cipher.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "xls/little_endian.h"
#include "xls/record_stream.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// One record at a time: each body through the cipher whole and its bytes in the
// clear put back, as XOR obfuscation counts those bytes too.
std::size_t cipherEachRecord(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                             StreamCipher& cipher) {
    std::size_t at = begin;
    for (; at < limit && wholeRecordAt(stream, at); at = recordEnd(stream, at)) {
        const std::uint16_t type = le16(&stream[at]);
        const std::span<std::uint8_t> body = stream.subspan(at + 4, le16(&stream[at + 2]));
        const std::size_t clearSize = rec::bytesInTheClear(type, body.size());
        if (clearSize == body.size())
            continue;
        std::array<std::uint8_t, 4> clear{};
        std::copy_n(body.begin(), clearSize, clear.begin());
        cipher.apply(body, at + 4);
        std::copy_n(clear.begin(), clearSize, body.begin());
    }
    return at;
}

// What a keystream by position is made for at once. Records are mostly a dozen
// bytes: the keystream of a whole stretch, its clear bytes masked out, is XORed
// in one pass rather than asked of the cipher record by record. Every byte of the
// stretch is written, those in the clear with their own value: no other thread
// may read the stretch meanwhile.
constexpr std::size_t kStretch = 16 * 1024;

std::size_t cipherByPosition(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                             KeystreamCipher& cipher) {
    std::array<std::uint8_t, kStretch> mask;
    std::size_t at = begin;        // where the next stretch starts
    std::size_t next = begin;      // the next record start
    std::size_t clearEnd = begin;  // the end of the clear bytes of the record under way
    for (;;) {
        // The stretch ends early at the record start where the walk stops. Short of
        // the limit and farther from the stream's end than any record is long, no
        // record can stop it, and the stretch is walked once.
        std::size_t end = std::min(stream.size(), at + kStretch);
        const bool mayStop = end >= limit || stream.size() - end < rec::kLongestRecord;
        bool stops = false;
        if (mayStop) {
            std::size_t walked = next;
            while (walked < end && walked < limit && wholeRecordAt(stream, walked))
                walked = recordEnd(stream, walked);
            stops = walked <= end && (walked >= limit || !wholeRecordAt(stream, walked));
            if (stops)
                end = walked;
        }

        const std::span<std::uint8_t> keys(mask.data(), end - at);
        cipher.keystream(keys, at);
        auto keepClear = [&](std::size_t from, std::size_t to) {
            from = std::max(from, at);
            to = std::min(to, end);
            if (from < to)
                std::fill(keys.data() + (from - at), keys.data() + (to - at), std::uint8_t(0));
        };
        keepClear(at, clearEnd);
        std::size_t r = next;
        for (; r < end; r = recordEnd(stream, r)) {
            const std::size_t clear = rec::bytesInTheClear(le16(&stream[r]), le16(&stream[r + 2]));
            clearEnd = r + 4 + clear;
            // A header alone is what nearly every record keeps in the clear: one
            // store, where a fill of four bytes costs a call.
            if (clear == 0 && clearEnd <= end)
                std::memset(keys.data() + (r - at), 0, 4);
            else
                keepClear(r, clearEnd);
        }
        std::uint8_t* const bytes = stream.data() + at;
        for (std::size_t i = 0; i < keys.size(); ++i)
            bytes[i] ^= keys[i];

        next = r;
        at = end;
        if (stops) {
            // Keystream left on the stack would give away the data it ciphered.
            explicit_bzero(mask.data(), mask.size());
            return end;
        }
    }
}

}  // namespace

std::size_t cipherRecords(std::span<std::uint8_t> stream, std::size_t begin, std::size_t limit,
                          StreamCipher& cipher) {
    if (begin >= stream.size())
        return begin;
    if (KeystreamCipher* keystream = cipher.byPosition())
        return cipherByPosition(stream, begin, limit, *keystream);
    return cipherEachRecord(stream, begin, limit, cipher);
}

}  // namespace xls
