#include "xls/shared_strings_writer.h"

#include <algorithm>

#include "xls/record_types.h"

namespace xls {

namespace {

constexpr std::size_t kStringHeader = 3;  // character count and flag byte
constexpr std::size_t kMaxBuckets = 128;

}  // namespace

SharedStringsWriter::SharedStringsWriter(std::size_t expectedStrings) {
    byBuffer_.reserve(expectedStrings);
    index_.reserve(qsizetype(expectedStrings));
    strings_.reserve(expectedStrings);
}

std::uint32_t SharedStringsWriter::add(const QString& text) {
    ++references_;
    const Buffer buffer{text.constData(), text.size()};
    if (auto known = byBuffer_.find(buffer); known != byBuffer_.end())
        return known->second;
    auto it = index_.constFind(text);
    std::uint32_t index;
    if (it != index_.constEnd()) {
        index = it.value();
    } else {
        index = std::uint32_t(strings_.size());
        index_.insert(text, index);
        strings_.push_back(text);
    }
    byBuffer_.emplace(buffer, index);
    return index;
}

void SharedStringsWriter::write(RecordWriter& out) const {
    // EXTSST keeps at most 128 bucket positions, each bucket holding dsst strings.
    const std::size_t perBucket =
        std::max<std::size_t>(8, (strings_.size() + kMaxBuckets - 1) / kMaxBuckets);
    struct Bucket {
        std::uint32_t streamPos;
        std::uint16_t recordOffset;
    };
    std::vector<Bucket> buckets;
    buckets.reserve(kMaxBuckets);

    out.begin(rec::Sst);
    out.u32(references_);
    out.u32(std::uint32_t(strings_.size()));
    for (std::size_t i = 0; i < strings_.size(); ++i) {
        const QString& s = strings_[i];
        const QChar* chars = s.constData();
        const auto length = std::size_t(s.size());
        const bool wide = !isLatin1(chars, length);
        const std::size_t charSize = wide ? 2 : 1;

        // A string's header never splits, and at least one character follows it.
        const std::size_t needed = kStringHeader + (length > 0 ? charSize : 0);
        if (kMaxRecordBody - out.bodySize() < needed) {
            out.end();
            out.begin(rec::Continue);
        }
        if (i % perBucket == 0) {
            buckets.push_back({std::uint32_t(out.pos()), std::uint16_t(out.bodySize() + 4)});
        }
        out.u16(std::uint16_t(length));
        std::size_t done = 0;
        for (;;) {
            const std::size_t room = (kMaxRecordBody - out.bodySize() - 1) / charSize;
            const std::size_t n = std::min(room, length - done);
            out.stringChars(chars + done, n, wide);
            done += n;
            if (done == length)
                break;
            // The rest goes on in a CONTINUE record that starts with the flag byte again.
            out.end();
            out.begin(rec::Continue);
        }
    }
    out.end();

    out.begin(rec::ExtSst);
    out.u16(std::uint16_t(perBucket));
    for (const Bucket& b : buckets) {
        out.u32(b.streamPos);
        out.u16(b.recordOffset);
        out.u16(0);
    }
    out.end();
}

}  // namespace xls
