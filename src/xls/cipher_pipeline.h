#pragma once

// Enciphering a Workbook stream on a second thread while the stream is built. The
// RC4 schemes key every 1,024-byte block afresh, so any stretch of the stream can
// be ciphered as soon as its bytes are final: the writer hands over each finished
// stretch and goes on building, and the thread walks the records front to back
// over what it has been handed and says how far it has got. Reading deciphers the
// same way, the parser behind the thread (see stream_decryption.h).

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "xls/crypto.h"

namespace xls {

class CipherPipeline {
  public:
    // Ciphers the records of `stream` from `begin` up to the first record start at
    // or after `limit`, and gives where it stopped: short of `limit` only where the
    // records run past the end of `stream`.
    using Work = std::function<std::size_t(std::span<std::uint8_t> stream, std::size_t begin,
                                           std::size_t limit, StreamCipher& cipher)>;

    // Said by awaitCiphered once the walk can go no further: the rest is left as it is.
    static constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

    // Called on the thread with each stretch it has just ciphered, front to back.
    using Ciphered = std::function<void(std::span<const std::uint8_t> stretch)>;

    // Starts the thread; the records from `from` on are ciphered once handed over.
    CipherPipeline(std::size_t from, std::unique_ptr<StreamCipher> cipher, Work work,
                   Ciphered ciphered = {});
    // Stops the thread at its next step; what it has not reached stays as it was.
    ~CipherPipeline();
    CipherPipeline(const CipherPipeline&) = delete;
    CipherPipeline& operator=(const CipherPipeline&) = delete;

    // `finalBytes` is the stream up to a record start, none of it to change again
    // except bytes that are never ciphered. It replaces what was handed before, so
    // a stream that moved is handed again once the thread has caught up.
    void handOver(std::span<std::uint8_t> finalBytes);
    // Says the stream will be about `bytes` long: while nothing is handed over,
    // the thread makes the keystream of what is to come, up to a few megabytes
    // ahead, when its cipher is a keystream (see KeystreamCipher::prepare).
    void expect(std::size_t bytes);
    // Waits until the bytes before `end` are ciphered, or the walk can go no
    // further; gives how far the stream is ciphered (kAll in the second case).
    std::size_t awaitCiphered(std::size_t end);
    // Hands over `finalBytes`, the whole stream, and ciphers on the calling thread
    // about one part in `parts` of what is left, the far end, while the thread does
    // the rest; returns once the calling thread's share is done. The whole stream
    // is said ciphered once the thread has done its share too. Nothing may be
    // handed over after it.
    void cipherFarShare(std::span<std::uint8_t> finalBytes, std::size_t parts);
    // The same with half of what is left, rather than waiting idle; returns once
    // all of the stream is ciphered.
    void finish(std::span<std::uint8_t> finalBytes);

  private:
    void run();

    const Work work_;
    const Ciphered ciphered_;
    const std::unique_ptr<StreamCipher> cipher_;
    KeystreamCipher* const keystream_;  // cipher_ when it can make its keystream ahead
    // For the caller's share in finish(), made before the thread uses cipher_.
    const std::unique_ptr<StreamCipher> callerCipher_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::span<std::uint8_t> handed_;
    std::vector<std::size_t> handedEnds_;  // where each hand-over ended: record starts
    std::size_t done_;
    std::size_t expected_ = 0;
    std::size_t prepared_ = 0;  // the keystream is made ahead up to here
    // Once the whole stream is handed over: its size, said ciphered once both
    // shares are done.
    std::optional<std::size_t> wholeSize_;
    bool farShareDone_ = false;
    bool stop_ = false;
    std::thread thread_;  // last, so it starts with everything above in place
};

}  // namespace xls
