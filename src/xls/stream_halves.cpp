#include "xls/stream_halves.h"

#include <thread>

namespace xls {

namespace {

// Below this a second thread costs more than it saves.
constexpr std::size_t kMinSplitSize = 256 * 1024;

// The first record start at or after `middle`, walking the record headers (which
// are never encrypted) from `from`; the stream size when there is none.
std::size_t recordStartFrom(std::span<const std::uint8_t> stream, std::size_t from,
                            std::size_t middle) {
    std::size_t p = from;
    while (p < middle && p + 4 <= stream.size())
        p += 4 + std::size_t(stream[p + 2] | (stream[p + 3] << 8));
    return std::min(p, stream.size());
}

}  // namespace

void inTwoHalves(std::span<const std::uint8_t> stream, std::size_t from, StreamCipher& cipher,
                 const RecordRangeWork& work) {
    const std::size_t end = stream.size();
    if (from >= end || end - from < kMinSplitSize) {
        work(from, end, cipher);
        return;
    }
    const std::size_t middle = recordStartFrom(stream, from, from + (end - from) / 2);
    const std::unique_ptr<StreamCipher> second = cipher.clone();
    std::thread helper([&] { work(middle, end, *second); });
    work(from, middle, cipher);
    helper.join();
}

}  // namespace xls
