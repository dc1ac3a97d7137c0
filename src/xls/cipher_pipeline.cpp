#include "xls/cipher_pipeline.h"

#include <algorithm>

namespace xls {

namespace {

// What the thread ciphers between two reports of progress: small enough that a
// parser behind it rarely waits long, large enough that reporting costs nothing.
constexpr std::size_t kStep = 64 * 1024;

}  // namespace

CipherPipeline::CipherPipeline(std::size_t from, std::unique_ptr<StreamCipher> cipher, Work work)
    : work_(std::move(work)), cipher_(std::move(cipher)), done_(from) {
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
    }
    changed_.notify_all();
}

std::size_t CipherPipeline::awaitCiphered(std::size_t end) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= end; });
    return done_;
}

void CipherPipeline::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stop_ || done_ < handed_.size(); });
        if (stop_)
            return;
        const std::span<std::uint8_t> stream = handed_;
        const std::size_t begin = done_;
        lock.unlock();
        const std::size_t limit = std::min(stream.size(), begin + kStep);
        const std::size_t reached = work_(stream, begin, limit, *cipher_);
        lock.lock();
        done_ = reached < limit ? kAll : reached;
        changed_.notify_all();
    }
}

}  // namespace xls
