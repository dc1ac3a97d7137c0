// A signed receipt (.p7m) is read from the content its signature covers, in DER or in
// base64; a content changed after signing is refused. The envelope is made here with
// OpenSSL: a key and a self-signed certificate of the test's own.
#include "fatturapa/sdi_receipt.h"
#include "fatturapa/signed_envelope.h"

#include "receipt_xml.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace einvoice_test;

// Signs `content` as the exchange system signs a receipt: CMS signed data that
// carries the content and the signer's certificate.
QByteArray signedEnvelope(const QByteArray& content) {
    EVP_PKEY* key = EVP_EC_gen("P-256");
    X509* cert = X509_new();
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), 0);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Prova SDI"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    EXPECT_GT(X509_sign(cert, key, EVP_sha256()), 0);

    BIO* in = BIO_new_mem_buf(content.constData(), int(content.size()));
    CMS_ContentInfo* cms = CMS_sign(cert, key, nullptr, in, CMS_BINARY);
    EXPECT_NE(cms, nullptr);
    BIO* out = BIO_new(BIO_s_mem());
    EXPECT_EQ(i2d_CMS_bio(out, cms), 1);
    char* data = nullptr;
    const long size = BIO_get_mem_data(out, &data);
    QByteArray der(data, int(size));
    BIO_free(out);
    CMS_ContentInfo_free(cms);
    BIO_free(in);
    X509_free(cert);
    EVP_PKEY_free(key);
    return der;
}

// The envelope with the first `from` in its signed content replaced by `to`, as long.
QByteArray tampered(QByteArray envelope, const QByteArray& from, const QByteArray& to) {
    const qsizetype at = envelope.indexOf(from);
    EXPECT_GE(at, 0);
    return envelope.replace(at, from.size(), to);
}

struct Envelope {
    const char* what;
    std::function<QByteArray(const QByteArray& der)> wrap;
    const char* refusal;  // nullptr: read as the plain receipt
};

class SignedReceipt : public testing::TestWithParam<Envelope> {};

TEST_P(SignedReceipt, IsReadFromItsSignedContent) {
    const Envelope& e = GetParam();
    ReceiptContent content;
    content.kind = Kind::NS;
    const QByteArray plain = receiptXml(content);
    const auto read = fatturapa::readReceipt(e.wrap(signedEnvelope(plain)));
    if (e.refusal) {
        ASSERT_FALSE(read.ok()) << e.what;
        EXPECT_TRUE(read.error().message.contains(QString::fromUtf8(e.refusal)))
            << e.what << ": " << read.error().message.toStdString();
        return;
    }
    ASSERT_TRUE(read.ok()) << e.what << ": " << read.error().message.toStdString();
    const auto expected = fatturapa::readReceipt(plain);
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(read->invoiceFile, expected->invoiceFile) << e.what;
    EXPECT_EQ(read->event, expected->event) << e.what;
    EXPECT_EQ(read->errors, expected->errors) << e.what;
    EXPECT_EQ(read->messageId, expected->messageId) << e.what;
}

INSTANTIATE_TEST_SUITE_P(
    Einvoice, SignedReceipt,
    testing::Values(
        Envelope{"DER, as most files come", [](const QByteArray& der) { return der; }, nullptr},
        Envelope{"base64 in lines of 64",
                 [](const QByteArray& der) {
                     const QByteArray text = der.toBase64();
                     QByteArray lines;
                     for (qsizetype at = 0; at < text.size(); at += 64)
                         lines += text.mid(at, 64) + "\r\n";
                     return lines;
                 },
                 nullptr},
        Envelope{"the file named changed after signing",
                 [](const QByteArray& der) {
                     return tampered(der, "ITBNCLGU70A01H501Y_00001", "ITBNCLGU70A01H501Y_00002");
                 },
                 "la firma non corrisponde al contenuto"},
        Envelope{"cut short", [](const QByteArray& der) { return der.left(der.size() / 2); },
                 "non è un file firmato leggibile"}),
    [](const testing::TestParamInfo<Envelope>& info) { return std::to_string(info.index); });

TEST(SignedEnvelope, IsToldFromPlainXml) {
    EXPECT_TRUE(fatturapa::looksSigned(signedEnvelope("<a/>")));
    EXPECT_TRUE(fatturapa::looksSigned(signedEnvelope("<a/>").toBase64()));
    EXPECT_FALSE(fatturapa::looksSigned("<?xml version=\"1.0\"?><a/>"));
    EXPECT_FALSE(fatturapa::looksSigned("\xEF\xBB\xBF<a/>"));
}

}  // namespace
