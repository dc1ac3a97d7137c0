#include "xls/cipher_pipeline.h"

#include <algorithm>

#include "xls/record_stream.h"
#include "xls/record_types.h"

namespace xls {

namespace {

// What the thread ciphers between two reports of progress: small enough that a
// parser behind it rarely waits long, large enough that reporting costs nothing.
constexpr std::size_t kStep = 64 * 1024;

// How far ahead of the stream ciphered the keystream is made at most: about what
// the thread can make while the writer gathers a large workbook's texts.
constexpr std::size_t kMostAhead = 4 * 1024 * 1024;

}  // namespace

CipherPipeline::CipherPipeline(std::size_t from, std::unique_ptr<StreamCipher> cipher, Work work,
                               Ciphered ciphered)
    : work_(std::move(work)),
      ciphered_(std::move(ciphered)),
      cipher_(std::move(cipher)),
      keystream_(cipher_->byPosition()),
      callerCipher_(cipher_->clone()),
      done_(from) {
    thread_ = std::thread([this] { run(); });
}

CipherPipeline::~CipherPipeline() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void CipherPipeline::handOver(std::span<std::uint8_t> finalBytes) {
    {
        const std::lock_guard lock(mutex_);
        handed_ = finalBytes;
        if (handedEnds_.empty() || finalBytes.size() > handedEnds_.back())
            handedEnds_.push_back(finalBytes.size());
    }
    changed_.notify_all();
}

void CipherPipeline::expect(std::size_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        expected_ = bytes;
    }
    changed_.notify_all();
}

std::size_t CipherPipeline::awaitCiphered(std::size_t end) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= end; });
    return done_;
}

void CipherPipeline::cipherFarShare(std::span<std::uint8_t> finalBytes, std::size_t parts) {
    std::size_t split = 0;
    {
        const std::lock_guard lock(mutex_);
        // The caller's share starts at a record start the thread's step under way
        // cannot reach. No header is read where the thread may be writing: the
        // share starts where a hand-over ended, or past all that was handed over,
        // found by walking the headers there.
        const std::size_t from = done_;
        if (from != kAll && finalBytes.size() > from && finalBytes.size() - from > 4 * kStep) {
            const std::size_t near =
                std::max(from + (finalBytes.size() - from) / parts * (parts - 1),
                         from + kStep + rec::kLongestRecord);
            const auto handedEnd = std::lower_bound(handedEnds_.begin(), handedEnds_.end(), near);
            std::size_t p = handedEnd != handedEnds_.end() ? *handedEnd : handed_.size();
            while (p < near && finalBytes.size() - p >= 4)
                p = recordEnd(finalBytes, p);
            if (p < finalBytes.size())
                split = p;
        }
        handed_ = split > 0 ? finalBytes.first(split) : finalBytes;
        wholeSize_ = finalBytes.size();
    }
    changed_.notify_all();
    if (split == 0)
        return;
    // What the caller's walk cannot reach (past a damaged record) stays as it is,
    // as the thread would leave it.
    work_(finalBytes, split, finalBytes.size(), *callerCipher_);
    {
        const std::lock_guard lock(mutex_);
        farShareDone_ = true;
        if (done_ == handed_.size())
            done_ = *wholeSize_;
    }
    changed_.notify_all();
}

void CipherPipeline::finish(std::span<std::uint8_t> finalBytes) {
    cipherFarShare(finalBytes, 2);
    awaitCiphered(finalBytes.size());
}

void CipherPipeline::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto prepares = [this] {
            return keystream_ && !wholeSize_ && done_ != kAll &&
                   std::max(prepared_, done_) < std::min(expected_, done_ + kMostAhead);
        };
        changed_.wait(lock, [&] { return stop_ || done_ < handed_.size() || prepares(); });
        if (stop_)
            return;
        if (done_ >= handed_.size()) {
            const std::size_t from = std::max(prepared_, done_);
            lock.unlock();
            keystream_->prepare(from, kStep);
            lock.lock();
            prepared_ = from + kStep;
            continue;
        }
        const std::span<std::uint8_t> stream = handed_;
        const std::size_t begin = done_;
        lock.unlock();
        const std::size_t limit = std::min(stream.size(), begin + kStep);
        const std::size_t reached = work_(stream, begin, limit, *cipher_);
        if (ciphered_)
            ciphered_(stream.subspan(begin, reached - begin));
        lock.lock();
        done_ = reached < limit ? kAll : reached;
        if (farShareDone_ && done_ == handed_.size())
            done_ = *wholeSize_;
        changed_.notify_all();
    }
}

}  // namespace xls
