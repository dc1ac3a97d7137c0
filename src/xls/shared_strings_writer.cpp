#include "xls/shared_strings_writer.h"

#include <QHash>

#include <algorithm>
#include <bit>

#include "xls/record_types.h"

namespace xls {

namespace {

constexpr std::size_t kStringHeader = 3;  // character count and flag byte
constexpr std::size_t kMaxBuckets = 128;
constexpr std::size_t kFewestSlots = 1024;  // a power of two
// A register repeats its texts: tables sized for more distinct texts than this
// would mostly stay empty; beyond it they grow.
constexpr std::size_t kMostExpectedTexts = std::size_t(1) << 15;

// Slots for `texts` distinct texts, half of them taken.
std::size_t slotsFor(std::size_t texts) {
    return std::max(kFewestSlots, std::bit_ceil(2 * std::min(texts, kMostExpectedTexts)));
}

// A table grows once three quarters of its slots are taken: linear probing stays
// short, and the table of a large register is not doubled past what the cache holds.
bool overFull(std::size_t taken, std::size_t tableSize) {
    return taken * 4 > tableSize * 3;
}

// Addresses differ in their middle bits; the multiply spreads them to the low ones.
std::size_t pointerHash(const void* p) {
    const auto bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(p));
    return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> 32);
}

}  // namespace

SharedStringsWriter::SharedStringsWriter(std::size_t textCells)
    : byIdentity_(slotsFor(textCells)), byText_(slotsFor(textCells), kFree) {}

std::uint32_t SharedStringsWriter::add(const QString& text, const void* identity) {
    ++references_;
    if (!identity)  // the empty text has none
        return findOrAddText(text);
    const std::size_t mask = byIdentity_.size() - 1;
    for (std::size_t i = pointerHash(identity) & mask;; i = (i + 1) & mask) {
        IdentitySlot& slot = byIdentity_[i];
        if (slot.identity == identity)
            return slot.index;
        if (!slot.identity) {
            const std::uint32_t index = findOrAddText(text);
            slot = IdentitySlot{identity, index};
            if (overFull(++identities_, byIdentity_.size()))
                growIdentities();
            return index;
        }
    }
}

std::uint32_t SharedStringsWriter::findOrAddText(const QString& text) {
    const std::size_t mask = byText_.size() - 1;
    for (std::size_t i = qHash(text) & mask;; i = (i + 1) & mask) {
        std::uint32_t& slot = byText_[i];
        if (slot == kFree) {
            slot = std::uint32_t(strings_.size());
            strings_.push_back(&text);
            bytes_ += kStringHeader + 2 * std::size_t(text.size());
            if (overFull(strings_.size(), byText_.size()))
                growTexts();
            return std::uint32_t(strings_.size() - 1);
        }
        if (*strings_[slot] == text)
            return slot;
    }
}

void SharedStringsWriter::growIdentities() {
    std::vector<IdentitySlot> old(byIdentity_.size() * 2);
    old.swap(byIdentity_);
    const std::size_t mask = byIdentity_.size() - 1;
    for (const IdentitySlot& slot : old) {
        if (!slot.identity)
            continue;
        std::size_t i = pointerHash(slot.identity) & mask;
        while (byIdentity_[i].identity)
            i = (i + 1) & mask;
        byIdentity_[i] = slot;
    }
}

void SharedStringsWriter::growTexts() {
    byText_.assign(byText_.size() * 2, kFree);
    const std::size_t mask = byText_.size() - 1;
    for (std::uint32_t index = 0; index < strings_.size(); ++index) {
        std::size_t i = qHash(*strings_[index]) & mask;
        while (byText_[i] != kFree)
            i = (i + 1) & mask;
        byText_[i] = index;
    }
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
        const QString& s = *strings_[i];
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
