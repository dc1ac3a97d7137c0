// Encrypted workbooks: each scheme opens with its password only, and what the
// writer's cipher encrypts, the reader decrypts.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

#include "biff_builder.h"
#include "xls/crypto.h"
#include "xls/reader.h"

namespace {

QString fixture(const char* name) {
    return QStringLiteral(BRISVEL_FIXTURES "/xls/") + name;
}

struct Encrypted {
    const char* file;
    const char* password;
};

class WrongPassword : public ::testing::TestWithParam<Encrypted> {};

TEST_P(WrongPassword, IsPasswordNeededNotDamage) {
    const Encrypted e = GetParam();
    using Kind = xls::Error::Kind;
    // XOR obfuscation uses only the first 15 characters, so the wrong password
    // differs at the start.
    auto wrong = xls::readWorkbookFile(fixture(e.file), "Z" + QString::fromUtf8(e.password + 1));
    ASSERT_FALSE(wrong.ok());
    EXPECT_EQ(wrong.error().kind, Kind::PasswordNeeded);
    auto none = xls::readWorkbookFile(fixture(e.file));
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().kind, Kind::PasswordNeeded);
    EXPECT_TRUE(xls::readWorkbookFile(fixture(e.file), QString::fromUtf8(e.password)).ok());
}

INSTANTIATE_TEST_SUITE_P(Schemes, WrongPassword,
                         ::testing::Values(Encrypted{"calc-store-small.xls", "Pesk1987"},
                                           Encrypted{"excel-rc4cryptoapi.xls", "Password1234_"},
                                           Encrypted{"excel-xor.xls", "123456789012345"}));

QByteArray sheetWithText() {
    return biff::record(0x0204, biff::cell(0, 0) + biff::string16("segreto"));
}

TEST(CryptoApi, WhatTheNewCipherEncryptsOpensWithItsPasswordOnly) {
    xls::Encryption enc = xls::newCryptoApiEncryption(QStringLiteral("Pesk1987"));
    // Longer than one 1024-byte block, so rekeying is exercised.
    QByteArray records = sheetWithText();
    for (int r = 1; r < 300; ++r)
        records += biff::record(0x0203, biff::cell(std::uint16_t(r), 1) + biff::f64(r * 1.5));
    const QByteArray file =
        biff::compoundFile(biff::workbookStream({{"Fatture", records}}, {}, &enc));
    EXPECT_EQ(xls::readWorkbook(file, "Pesk1988").error().kind, xls::Error::Kind::PasswordNeeded);
    auto book = xls::readWorkbook(file, "Pesk1987");
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    EXPECT_EQ(book->sheets[0].name, "Fatture");
    EXPECT_EQ(book->sheets[0].rows[0].cells[0].text(), "segreto");
    EXPECT_EQ(book->sheets[0].rows[299].cells[1].number(), 299 * 1.5);
}

TEST(CryptoApi, ShortPaddingAfterTheLastRecordDoesNotStopDecryption) {
    xls::Encryption enc = xls::newCryptoApiEncryption(QStringLiteral("pw"));
    const QByteArray stream = biff::workbookStream({{"A", sheetWithText()}}, {}, &enc);
    auto book = xls::readWorkbookStreamBytes(stream + QByteArray(2, 0), "pw");
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    EXPECT_EQ(book->sheets[0].rows[0].cells[0].text(), "segreto");
}

TEST(CryptoApi, EachEncryptionHasItsOwnSalt) {
    const auto a = xls::newCryptoApiEncryption("x");
    const auto b = xls::newCryptoApiEncryption("x");
    EXPECT_EQ(a.filePass.size(), b.filePass.size());
    EXPECT_NE(a.filePass, b.filePass);
}

TEST(CryptoApi, FilesProtectedOnlyAgainstWritingOpenWithoutAPassword) {
    xls::Encryption enc = xls::newCryptoApiEncryption(QStringLiteral("VelvetSweatshop"));
    const QByteArray file =
        biff::compoundFile(biff::workbookStream({{"A", sheetWithText()}}, {}, &enc));
    EXPECT_TRUE(xls::readWorkbook(file).ok());
    EXPECT_TRUE(xls::readWorkbook(file, "Pesk1987").ok());
}

TEST(CryptoApi, TheCipherWorksAtAnyStreamOffsetInAnyOrder) {
    // Decrypting a piece on its own gives the same bytes as decrypting it in a
    // run, across block boundaries and after going backwards.
    auto enc = xls::newCryptoApiEncryption("pw");
    std::vector<std::uint8_t> plain(3000);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = std::uint8_t(i * 7);
    auto encrypted = plain;
    enc.cipher->apply(encrypted, 0);
    auto again = xls::cipherForFilePass(
        std::span(reinterpret_cast<const std::uint8_t*>(enc.filePass.constData()),
                  std::size_t(enc.filePass.size())),
        "pw");
    ASSERT_TRUE(again.ok());
    auto piece = std::vector<std::uint8_t>(encrypted.begin() + 2000, encrypted.begin() + 2100);
    (*again)->apply(piece, 2000);
    EXPECT_TRUE(std::equal(piece.begin(), piece.end(), plain.begin() + 2000));
    piece.assign(encrypted.begin() + 1000, encrypted.begin() + 1050);  // spans a rekey
    (*again)->apply(piece, 1000);
    EXPECT_TRUE(std::equal(piece.begin(), piece.end(), plain.begin() + 1000));
}

TEST(CryptoApi, PiecesInAnyOrderDecryptAsOneRun) {
    // Record bodies of odd lengths over many blocks, enciphered from the end
    // backwards, deciphered front to back, in pieces and in one run: the cipher
    // keeps a few blocks' keystreams and must make the right ones whichever block
    // a piece falls in.
    auto enc = xls::newCryptoApiEncryption("pw");
    std::vector<std::uint8_t> plain(20000);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = std::uint8_t(i * 11 + 3);
    auto encrypted = plain;
    for (std::size_t end = encrypted.size(); end > 0;) {
        const std::size_t n = std::min<std::size_t>(611, end);
        end -= n;
        enc.cipher->apply(std::span(encrypted).subspan(end, n), end);
    }
    ASSERT_NE(encrypted, plain);
    auto pieces = encrypted;
    for (std::size_t at = 0; at < pieces.size(); at += 173) {
        const std::size_t n = std::min<std::size_t>(173, pieces.size() - at);
        enc.cipher->apply(std::span(pieces).subspan(at, n), at);
    }
    EXPECT_EQ(pieces, plain);
    auto run = encrypted;
    enc.cipher->apply(run, 0);
    EXPECT_EQ(run, plain);
}

struct PreparedAhead {
    const char* name;
    std::vector<std::pair<std::size_t, std::size_t>> prepared;  // offset and size of each call
    std::size_t from = 0;                                       // where the pieces start
    bool backwards = false;
};

void PrintTo(const PreparedAhead& p, std::ostream* os) {
    *os << p.name;
}

class KeystreamAhead : public ::testing::TestWithParam<PreparedAhead> {};

TEST_P(KeystreamAhead, CiphersAsTheKeystreamMadeOnTheSpot) {
    // The thread that enciphers makes keystream ahead while it waits; the stream
    // must come out the same whatever was prepared and however it is walked.
    const PreparedAhead& p = GetParam();
    auto enc = xls::newCryptoApiEncryption("pw");
    const std::unique_ptr<xls::StreamCipher> onTheSpot = enc.cipher->clone();
    xls::KeystreamCipher* const ahead = enc.cipher->byPosition();
    ASSERT_NE(ahead, nullptr);
    for (const auto& [offset, size] : p.prepared)
        ahead->prepare(offset, size);
    std::vector<std::uint8_t> expected(700 * 1024);
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = std::uint8_t(i * 5 + 1);
    std::vector<std::uint8_t> ciphered = expected;
    std::vector<std::size_t> starts;
    for (std::size_t at = p.from; at < expected.size(); at += 173)
        starts.push_back(at);
    if (p.backwards)
        std::reverse(starts.begin(), starts.end());
    for (const std::size_t at : starts) {
        const std::size_t n = std::min<std::size_t>(173, expected.size() - at);
        onTheSpot->apply(std::span(expected).subspan(at, n), at);
        enc.cipher->apply(std::span(ciphered).subspan(at, n), at);
    }
    EXPECT_EQ(ciphered, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Prepared, KeystreamAhead,
    ::testing::Values(PreparedAhead{"FromTheStart", {{0, 200 * 1024}}},
                      PreparedAhead{"InStepsWithAGap",
                                    {{0, 65536}, {65536, 65536}, {500 * 1024, 65536}}},
                      PreparedAhead{"NotFromABlockStart", {{1000, 70000}, {71000, 3000}}},
                      PreparedAhead{"WalkedFromBeyondIt", {{0, 65536}}, 300 * 1024},
                      PreparedAhead{"WalkedBackwards", {{100 * 1024, 100 * 1024}}, 0, true}),
    [](const ::testing::TestParamInfo<PreparedAhead>& info) {
        return std::string(info.param.name);
    });

TEST(FilePass, UnknownSchemesAndShortRecordsAreNotPasswordErrors) {
    const QByteArray aes = biff::le16(1) + biff::le16(4) + biff::le16(4) + QByteArray(100, 0);
    const QByteArray truncated = biff::le16(1) + biff::le16(1) + biff::le16(1) + QByteArray(10, 0);
    auto span = [](const QByteArray& a) {
        return std::span(reinterpret_cast<const std::uint8_t*>(a.constData()),
                         std::size_t(a.size()));
    };
    EXPECT_EQ(xls::cipherForFilePass(span(aes), "x").error().kind, xls::Error::Kind::Unsupported);
    EXPECT_EQ(xls::cipherForFilePass(span(truncated), "x").error().kind, xls::Error::Kind::Damaged);
}

}  // namespace
