#include "xls/crypto.h"

#include <QRandomGenerator>

#include <nettle/md5.h>
#include <nettle/sha1.h>

#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "xls/byte_reader.h"
#include "xls/little_endian.h"
#include "xls/rc4.h"

namespace xls {

namespace {

constexpr std::size_t kBlockSize = 0x400;  // the RC4 schemes rekey every 1024 stream bytes

// Clears secrets so they do not linger in freed memory.
void wipe(void* data, std::size_t size) {
    explicit_bzero(data, size);
}

// The password as the RC4 schemes hash it: UTF-16LE, at most 255 characters.
struct PasswordBytes {
    std::vector<std::uint8_t> bytes;
    explicit PasswordBytes(const QString& password) {
        const qsizetype n = std::min<qsizetype>(password.size(), 255);
        bytes.reserve(std::size_t(n) * 2);
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = password[i].unicode();
            bytes.push_back(std::uint8_t(c & 0xFF));
            bytes.push_back(std::uint8_t(c >> 8));
        }
    }
    ~PasswordBytes() { wipe(bytes.data(), bytes.size()); }
    PasswordBytes(const PasswordBytes&) = delete;
    PasswordBytes& operator=(const PasswordBytes&) = delete;
};

Error wrongPassword() {
    return Error{Error::Kind::PasswordNeeded, QStringLiteral("Password errata o mancante.")};
}

Error badFilePass() {
    return Error{Error::Kind::Damaged, QStringLiteral("Dati di cifratura del file danneggiati.")};
}

// The RC4 schemes share the stream handling: the key depends on the 1024-byte block
// a byte falls in, and the keystream runs from the start of that block. The
// keystreams of a few blocks in a row are made at once, interleaved, and kept, so
// the many short record bodies in a block cost only an XOR each, and no
// keystream is made twice while the stream is walked front to back. Keystreams
// prepared ahead are kept in chunks until the walk has gone past them.
class BlockRc4 : public KeystreamCipher {
  public:
    BlockRc4() = default;
    // A copy starts afresh, without what was prepared.
    BlockRc4(const BlockRc4& other)
        : KeystreamCipher(other),
          keystreams_(other.keystreams_),
          keyed_(other.keyed_),
          first_(other.first_) {}
    BlockRc4& operator=(const BlockRc4&) = delete;

    void apply(std::span<std::uint8_t> data, std::uint64_t streamOffset) override {
        byBlock(data.size(), streamOffset,
                [&](std::size_t done, const std::uint8_t* key, std::size_t n) {
                    std::uint8_t* out = data.data() + done;
                    for (std::size_t i = 0; i < n; ++i)
                        out[i] ^= key[i];
                });
    }

    void keystream(std::span<std::uint8_t> out, std::uint64_t streamOffset) override {
        byBlock(out.size(), streamOffset,
                [&](std::size_t done, const std::uint8_t* key, std::size_t n) {
                    std::memcpy(out.data() + done, key, n);
                });
    }

    void prepare(std::uint64_t streamOffset, std::size_t size) override {
        const std::uint64_t end = (streamOffset + size + kBlockSize - 1) / kBlockSize;
        std::uint64_t block = preparedFirst_ + kChunkBlocks * prepared_.size();
        if (prepared_.empty() || streamOffset / kBlockSize > block) {
            dropPrepared(prepared_.size());
            block = preparedFirst_ = streamOffset / kBlockSize;
        }
        for (; block < end; block += kChunkBlocks) {
            std::array<rc4::Key, kChunkBlocks> keys{};
            for (std::size_t k = 0; k < kChunkBlocks; ++k)
                keys[k] = keyFor(std::uint32_t(block + k));
            prepared_.push_back(std::make_unique<Chunk>());
            rc4::keystreamBlocks(keys, kBlockSize, *prepared_.back());
            wipe(keys.data(), sizeof keys);
        }
    }

    ~BlockRc4() override {
        wipe(keystreams_.data(), keystreams_.size());
        dropPrepared(prepared_.size());
    }

  protected:
    // The RC4 key of `block`.
    virtual rc4::Key keyFor(std::uint32_t block) const = 0;

  private:
    static constexpr std::size_t kKeptBlocks = 6;  // as many as RC4 makes side by side
    static constexpr std::size_t kChunkBlocks = 64;
    using Chunk = std::array<std::uint8_t, kChunkBlocks * kBlockSize>;

    // Calls `use(done, key, n)` for each piece of the `size` bytes at `streamOffset`
    // that lies in one block: `done` bytes come before it, `key` is its keystream.
    template <class Use>
    void byBlock(std::size_t size, std::uint64_t streamOffset, Use use) {
        for (std::size_t done = 0; done < size;) {
            const std::uint64_t at = streamOffset + done;
            const std::size_t inBlock = std::size_t(at % kBlockSize);
            const std::size_t n = std::min(size - done, kBlockSize - inBlock);
            use(done, keystreamOf(at / kBlockSize) + inBlock, n);
            done += n;
        }
    }

    // The keystream of `block`: prepared, kept, or made now with the next few.
    const std::uint8_t* keystreamOf(std::uint64_t block) {
        if (!prepared_.empty() && block >= preparedFirst_) {
            const std::uint64_t chunk = (block - preparedFirst_) / kChunkBlocks;
            // The walk goes front to back: chunks behind it are done with.
            dropPrepared(std::min<std::size_t>(chunk, prepared_.size()));
            if (!prepared_.empty())
                return prepared_.front()->data() + (block - preparedFirst_) * kBlockSize;
        }
        if (!keyed_ || block < first_ || block >= first_ + kKeptBlocks)
            makeKeystreams(block);
        return keystreams_.data() + (block - first_) * kBlockSize;
    }

    void makeKeystreams(std::uint64_t block) {
        std::array<rc4::Key, kKeptBlocks> keys{};
        for (std::size_t k = 0; k < kKeptBlocks; ++k)
            keys[k] = keyFor(std::uint32_t(block + k));
        rc4::keystreamBlocks(keys, kBlockSize, keystreams_);
        wipe(keys.data(), sizeof keys);
        first_ = block;
        keyed_ = true;
    }

    // Drops the first `chunks` prepared chunks.
    void dropPrepared(std::size_t chunks) {
        for (std::size_t c = 0; c < chunks; ++c) {
            wipe(prepared_.front()->data(), prepared_.front()->size());
            prepared_.pop_front();
            preparedFirst_ += kChunkBlocks;
        }
    }

    std::array<std::uint8_t, kKeptBlocks * kBlockSize> keystreams_{};
    bool keyed_ = false;
    std::uint64_t first_ = 0;
    std::deque<std::unique_ptr<Chunk>> prepared_;
    std::uint64_t preparedFirst_ = 0;  // the block the first prepared chunk starts at
};

// RC4 with an MD5-derived key: the 40-bit scheme of older spreadsheet programs.
class Md5Rc4 : public BlockRc4 {
  public:
    Md5Rc4(const PasswordBytes& password, std::span<const std::uint8_t, 16> salt) {
        std::array<std::uint8_t, MD5_DIGEST_SIZE> h0{};
        md5_ctx md5{};
        md5_init(&md5);
        md5_update(&md5, password.bytes.size(), password.bytes.data());
        md5_digest(&md5, h0.size(), h0.data());
        md5_init(&md5);
        for (int i = 0; i < 16; ++i) {
            md5_update(&md5, 5, h0.data());
            md5_update(&md5, salt.size(), salt.data());
        }
        md5_digest(&md5, base_.size(), base_.data());
        wipe(h0.data(), h0.size());
        wipe(&md5, sizeof md5);
    }
    Md5Rc4(const Md5Rc4&) = default;
    ~Md5Rc4() override { wipe(base_.data(), base_.size()); }
    std::unique_ptr<StreamCipher> clone() const override { return std::make_unique<Md5Rc4>(*this); }

  protected:
    rc4::Key keyFor(std::uint32_t block) const override {
        std::array<std::uint8_t, 9> input{};
        std::memcpy(input.data(), base_.data(), 5);
        putLe32(input.data() + 5, block);
        rc4::Key key;
        key.size = MD5_DIGEST_SIZE;
        md5_ctx md5{};
        md5_init(&md5);
        md5_update(&md5, input.size(), input.data());
        md5_digest(&md5, key.size, key.bytes.data());
        wipe(input.data(), input.size());
        return key;
    }

  private:
    std::array<std::uint8_t, MD5_DIGEST_SIZE> base_{};
};

// RC4 CryptoAPI: SHA-1 of salt and password, then of that hash and the block number.
class Sha1Rc4 : public BlockRc4 {
  public:
    Sha1Rc4(const PasswordBytes& password, std::span<const std::uint8_t> salt, int keyBits)
        : keyBytes_(keyBits == 0 ? 5 : std::size_t(keyBits / 8)) {
        sha1_ctx sha{};
        sha1_init(&sha);
        sha1_update(&sha, salt.size(), salt.data());
        sha1_update(&sha, password.bytes.size(), password.bytes.data());
        sha1_digest(&sha, base_.size(), base_.data());
        wipe(&sha, sizeof sha);
    }
    Sha1Rc4(const Sha1Rc4&) = default;
    ~Sha1Rc4() override { wipe(base_.data(), base_.size()); }
    std::unique_ptr<StreamCipher> clone() const override {
        return std::make_unique<Sha1Rc4>(*this);
    }

  protected:
    rc4::Key keyFor(std::uint32_t block) const override {
        std::array<std::uint8_t, 4> number{};
        putLe32(number.data(), block);
        std::array<std::uint8_t, SHA1_DIGEST_SIZE> hash{};
        sha1_ctx sha{};
        sha1_init(&sha);
        sha1_update(&sha, base_.size(), base_.data());
        sha1_update(&sha, number.size(), number.data());
        sha1_digest(&sha, hash.size(), hash.data());
        // A 40-bit key is used as 128 bits with the last 11 bytes zero.
        rc4::Key key;
        std::memcpy(key.bytes.data(), hash.data(), keyBytes_);
        key.size = keyBytes_ == 5 ? key.bytes.size() : keyBytes_;
        wipe(hash.data(), hash.size());
        return key;
    }

  private:
    std::size_t keyBytes_;
    std::array<std::uint8_t, SHA1_DIGEST_SIZE> base_{};
};

// XOR obfuscation (method 1). Its 16-byte array restarts at every record: the
// first byte of a record body uses the entry at (body end offset) mod 16.
class XorObfuscation : public StreamCipher {
  public:
    explicit XorObfuscation(const std::array<std::uint8_t, 16>& array) : array_(array) {}
    XorObfuscation(const XorObfuscation&) = default;
    ~XorObfuscation() override { wipe(array_.data(), array_.size()); }
    std::unique_ptr<StreamCipher> clone() const override {
        return std::make_unique<XorObfuscation>(*this);
    }

    void apply(std::span<std::uint8_t> data, std::uint64_t streamOffset) override {
        std::size_t index = std::size_t((streamOffset + data.size()) % 16);
        for (auto& byte : data) {
            const std::uint8_t v = byte ^ array_[index];
            byte = std::uint8_t((v >> 5) | (v << 3));
            index = (index + 1) % 16;
        }
    }

  private:
    std::array<std::uint8_t, 16> array_;
};

// The password as XOR obfuscation takes it: one byte per character (the low byte,
// or the high byte when the low one is zero), at most 15.
std::vector<std::uint8_t> xorPasswordBytes(const QString& password) {
    std::vector<std::uint8_t> out;
    for (qsizetype i = 0; i < password.size() && out.size() < 15; ++i) {
        const char16_t c = password[i].unicode();
        out.push_back(std::uint8_t((c & 0xFF) != 0 ? c & 0xFF : c >> 8));
    }
    return out;
}

std::uint16_t xorVerifier(const std::vector<std::uint8_t>& pw) {
    std::uint16_t verifier = 0;
    auto step = [&](std::uint8_t byte) {
        const std::uint16_t high = (verifier & 0x4000) ? 1 : 0;
        verifier = std::uint16_t((((verifier << 1) & 0x7FFF) | high) ^ byte);
    };
    for (auto it = pw.rbegin(); it != pw.rend(); ++it)
        step(*it);
    step(std::uint8_t(pw.size()));
    return std::uint16_t(verifier ^ 0xCE4B);
}

std::uint16_t xorKey(const std::vector<std::uint8_t>& pw) {
    static constexpr std::uint16_t initialCode[15] = {0xE1F0, 0x1D0F, 0xCC9C, 0x84C0, 0x110C,
                                                      0x0E10, 0xF1CE, 0x313E, 0x1872, 0xE139,
                                                      0xD40F, 0x84F9, 0x280C, 0xA96A, 0x4EC3};
    static constexpr std::uint16_t matrix[105] = {
        0xAEFC, 0x4DD9, 0x9BB2, 0x2745, 0x4E8A, 0x9D14, 0x2A09, 0x7B61, 0xF6C2, 0xFDA5, 0xEB6B,
        0xC6F7, 0x9DCF, 0x2BBF, 0x4563, 0x8AC6, 0x05AD, 0x0B5A, 0x16B4, 0x2D68, 0x5AD0, 0x0375,
        0x06EA, 0x0DD4, 0x1BA8, 0x3750, 0x6EA0, 0xDD40, 0xD849, 0xA0B3, 0x5147, 0xA28E, 0x553D,
        0xAA7A, 0x44D5, 0x6F45, 0xDE8A, 0xAD35, 0x4A4B, 0x9496, 0x390D, 0x721A, 0xEB23, 0xC667,
        0x9CEF, 0x29FF, 0x53FE, 0xA7FC, 0x5FD9, 0x47D3, 0x8FA6, 0x0F6D, 0x1EDA, 0x3DB4, 0x7B68,
        0xF6D0, 0xB861, 0x60E3, 0xC1C6, 0x93AD, 0x377B, 0x6EF6, 0xDDEC, 0x45A0, 0x8B40, 0x06A1,
        0x0D42, 0x1A84, 0x3508, 0x6A10, 0xAA51, 0x4483, 0x8906, 0x022D, 0x045A, 0x08B4, 0x1168,
        0x76B4, 0xED68, 0xCAF1, 0x85C3, 0x1BA7, 0x374E, 0x6E9C, 0x3730, 0x6E60, 0xDCC0, 0xA9A1,
        0x4363, 0x86C6, 0x1DAD, 0x3331, 0x6662, 0xCCC4, 0x89A9, 0x0373, 0x06E6, 0x0DCC, 0x1021,
        0x2042, 0x4084, 0x8108, 0x1231, 0x2462, 0x48C4};
    if (pw.empty())
        return 0;
    std::uint16_t key = initialCode[pw.size() - 1];
    int element = 0x68;
    for (auto it = pw.rbegin(); it != pw.rend(); ++it) {
        std::uint8_t c = *it;
        for (int bit = 0; bit < 7; ++bit) {
            if (c & 0x40)
                key ^= matrix[element];
            c = std::uint8_t(c << 1);
            --element;
        }
    }
    return key;
}

std::uint8_t xorRor(std::uint8_t a, std::uint8_t b) {
    const std::uint8_t v = a ^ b;
    return std::uint8_t((v >> 1) | (v << 7));
}

std::array<std::uint8_t, 16> xorArray(const std::vector<std::uint8_t>& pw, std::uint16_t key) {
    static constexpr std::uint8_t pad[15] = {0xBB, 0xFF, 0xFF, 0xBA, 0xFF, 0xFF, 0xB9, 0x80,
                                             0x00, 0xBE, 0x0F, 0x00, 0xBF, 0x0F, 0x00};
    const std::uint8_t high = std::uint8_t(key >> 8);
    const std::uint8_t low = std::uint8_t(key & 0xFF);
    std::array<std::uint8_t, 16> out{};
    int index = int(pw.size());
    if (index % 2 == 1) {
        out[std::size_t(index)] = xorRor(pad[0], high);
        --index;
        out[std::size_t(index)] = xorRor(pw.back(), low);
    }
    while (index > 0) {
        --index;
        out[std::size_t(index)] = xorRor(pw[std::size_t(index)], high);
        --index;
        out[std::size_t(index)] = xorRor(pw[std::size_t(index)], low);
    }
    index = 15;
    int padIndex = 15 - int(pw.size());
    while (padIndex > 0) {
        out[std::size_t(index)] = xorRor(pad[padIndex], high);
        --index;
        --padIndex;
        out[std::size_t(index)] = xorRor(pad[padIndex], low);
        --index;
        --padIndex;
    }
    return out;
}

Result<std::unique_ptr<StreamCipher>> xorCipher(ByteReader& in, const QString& password) {
    const std::uint16_t storedKey = in.u16();
    const std::uint16_t storedVerifier = in.u16();
    if (!in.ok())
        return badFilePass();
    std::vector<std::uint8_t> pw = xorPasswordBytes(password);
    const std::uint16_t key = xorKey(pw);
    if (pw.empty() || xorVerifier(pw) != storedVerifier || key != storedKey) {
        wipe(pw.data(), pw.size());
        return wrongPassword();
    }
    auto cipher = std::make_unique<XorObfuscation>(xorArray(pw, key));
    wipe(pw.data(), pw.size());
    return std::unique_ptr<StreamCipher>(std::move(cipher));
}

// Both RC4 schemes check the password the same way: the block-0 keystream decrypts
// a random verifier and then its hash, which must match.
template <class Hash>
bool verifierMatches(BlockRc4& cipher, std::span<const std::uint8_t, 16> encryptedVerifier,
                     std::span<const std::uint8_t> encryptedHash, Hash hash) {
    std::vector<std::uint8_t> buffer(encryptedVerifier.begin(), encryptedVerifier.end());
    buffer.insert(buffer.end(), encryptedHash.begin(), encryptedHash.end());
    cipher.apply(buffer, 0);
    const std::vector<std::uint8_t> expected = hash(std::span(buffer.data(), 16));
    const bool same = expected.size() <= encryptedHash.size() &&
                      std::memcmp(expected.data(), buffer.data() + 16, expected.size()) == 0;
    wipe(buffer.data(), buffer.size());
    return same;
}

std::vector<std::uint8_t> md5Of(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out(MD5_DIGEST_SIZE);
    md5_ctx md5{};
    md5_init(&md5);
    md5_update(&md5, data.size(), data.data());
    md5_digest(&md5, out.size(), out.data());
    return out;
}

std::vector<std::uint8_t> sha1Of(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out(SHA1_DIGEST_SIZE);
    sha1_ctx sha{};
    sha1_init(&sha);
    sha1_update(&sha, data.size(), data.data());
    sha1_digest(&sha, out.size(), out.data());
    return out;
}

Result<std::unique_ptr<StreamCipher>> md5Rc4Cipher(ByteReader& in, const QString& password) {
    std::array<std::uint8_t, 16> salt{}, verifier{}, hash{};
    in.read(salt);
    in.read(verifier);
    in.read(hash);
    if (!in.ok())
        return badFilePass();
    const PasswordBytes pw(password);
    auto cipher = std::make_unique<Md5Rc4>(pw, salt);
    // A fresh cipher for the check, so the one returned starts clean.
    Md5Rc4 check(pw, salt);
    if (!verifierMatches(check, verifier, hash, md5Of))
        return wrongPassword();
    return std::unique_ptr<StreamCipher>(std::move(cipher));
}

constexpr std::uint32_t kAlgRc4 = 0x6801;
constexpr std::uint32_t kAlgSha1 = 0x8004;

Result<std::unique_ptr<StreamCipher>> cryptoApiCipher(ByteReader& in, const QString& password) {
    in.skip(4);  // header flags, repeated in the header itself
    const std::uint32_t headerSize = in.u32();
    if (!in.ok() || headerSize < 32 || headerSize > in.remaining())
        return badFilePass();
    in.skip(8);  // flags, size of extra data
    const std::uint32_t algorithm = in.u32();
    const std::uint32_t hashAlgorithm = in.u32();
    const std::uint32_t keyBits = in.u32();
    in.skip(headerSize - 20);  // provider type, reserved fields, provider name
    const std::uint32_t saltSize = in.u32();
    if (!in.ok() || saltSize != 16)
        return badFilePass();
    std::array<std::uint8_t, 16> salt{}, verifier{};
    in.read(salt);
    in.read(verifier);
    const std::uint32_t hashSize = in.u32();
    if (!in.ok() || hashSize != SHA1_DIGEST_SIZE)
        return badFilePass();
    std::array<std::uint8_t, SHA1_DIGEST_SIZE> hash{};
    in.read(hash);
    if (!in.ok())
        return badFilePass();
    if ((algorithm != 0 && algorithm != kAlgRc4) ||
        (hashAlgorithm != 0 && hashAlgorithm != kAlgSha1) ||
        (keyBits != 0 && (keyBits < 40 || keyBits > 128 || keyBits % 8 != 0))) {
        return Error{Error::Kind::Unsupported,
                     QStringLiteral("Il file usa una cifratura non supportata.")};
    }
    const PasswordBytes pw(password);
    auto cipher = std::make_unique<Sha1Rc4>(pw, salt, int(keyBits));
    Sha1Rc4 check(pw, salt, int(keyBits));
    if (!verifierMatches(check, verifier, hash, sha1Of))
        return wrongPassword();
    return std::unique_ptr<StreamCipher>(std::move(cipher));
}

void putLe16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendLe32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

Result<std::unique_ptr<StreamCipher>> cipherForFilePass(std::span<const std::uint8_t> filePass,
                                                        const QString& password) {
    ByteReader in(filePass);
    const std::uint16_t type = in.u16();
    if (!in.ok())
        return badFilePass();
    if (type == 0)
        return xorCipher(in, password);
    if (type != 1) {
        return Error{Error::Kind::Unsupported,
                     QStringLiteral("Il file usa una cifratura non supportata.")};
    }
    const std::uint16_t major = in.u16();
    const std::uint16_t minor = in.u16();
    if (!in.ok())
        return badFilePass();
    if (major == 1 && minor == 1)
        return md5Rc4Cipher(in, password);
    if (major >= 2 && major <= 4 && minor == 2)
        return cryptoApiCipher(in, password);
    return Error{Error::Kind::Unsupported,
                 QStringLiteral("Il file usa una cifratura non supportata.")};
}

Encryption newCryptoApiEncryption(const QString& password) {
    std::array<std::uint8_t, 16> salt{}, verifier{};
    std::array<quint32, 8> random{};
    QRandomGenerator::system()->fillRange(random.data(), random.size());
    std::memcpy(salt.data(), random.data(), 16);
    std::memcpy(verifier.data(), random.data() + 4, 16);
    wipe(random.data(), sizeof random);

    const PasswordBytes pw(password);
    auto cipher = std::make_unique<Sha1Rc4>(pw, salt, 128);
    std::vector<std::uint8_t> sealed(verifier.begin(), verifier.end());
    const std::vector<std::uint8_t> hash = sha1Of(verifier);
    sealed.insert(sealed.end(), hash.begin(), hash.end());
    Sha1Rc4(pw, salt, 128).apply(sealed, 0);
    wipe(verifier.data(), verifier.size());

    static const QString provider =
        QStringLiteral("Microsoft Enhanced Cryptographic Provider v1.0");
    QByteArray header;
    appendLe32(header, 0x04);  // flags: CryptoAPI
    appendLe32(header, 0);     // size of extra data
    appendLe32(header, kAlgRc4);
    appendLe32(header, kAlgSha1);
    appendLe32(header, 128);  // key bits
    appendLe32(header, 1);    // provider type: RSA full
    appendLe32(header, 0);
    appendLe32(header, 0);
    for (QChar c : provider)
        putLe16(header, c.unicode());
    putLe16(header, 0);

    QByteArray body;
    putLe16(body, 1);  // RC4
    putLe16(body, 4);  // version 4.2: CryptoAPI
    putLe16(body, 2);
    appendLe32(body, 0x04);
    appendLe32(body, std::uint32_t(header.size()));
    body.append(header);
    appendLe32(body, 16);
    body.append(reinterpret_cast<const char*>(salt.data()), salt.size());
    body.append(reinterpret_cast<const char*>(sealed.data()), 16);
    appendLe32(body, SHA1_DIGEST_SIZE);
    body.append(reinterpret_cast<const char*>(sealed.data()) + 16, SHA1_DIGEST_SIZE);
    return Encryption{body, std::move(cipher)};
}

}  // namespace xls
