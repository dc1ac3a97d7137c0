#include "fatturapa/signed_envelope.h"

// Before cms.h, which declares its PEM reader only after pem.h.
#include <openssl/pem.h>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>

#include <memory>

namespace fatturapa {

namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct CmsFree {
    void operator()(CMS_ContentInfo* cms) const { CMS_ContentInfo_free(cms); }
};
using Bio = std::unique_ptr<BIO, BioFree>;
using Cms = std::unique_ptr<CMS_ContentInfo, CmsFree>;

store::Error refused(const QString& why) {
    // What OpenSSL queued about the failure is told by the message; the queue is
    // emptied so it never colours a later call.
    ERR_clear_error();
    return store::Error{store::Error::Kind::Unreadable, why};
}

Cms parsed(const QByteArray& der) {
    Bio in(BIO_new_mem_buf(der.constData(), int(der.size())));
    return Cms(in ? d2i_CMS_bio(in.get(), nullptr) : nullptr);
}

// PEM armour ("-----BEGIN PKCS7-----" or "CMS"), as some tools save a signed file.
bool isArmoured(const QByteArray& bytes) {
    return bytes.trimmed().startsWith("-----BEGIN ");
}

Cms parsedArmoured(const QByteArray& pem) {
    Bio in(BIO_new_mem_buf(pem.constData(), int(pem.size())));
    return Cms(in ? PEM_read_bio_CMS(in.get(), nullptr, nullptr, nullptr) : nullptr);
}

// Whether every signer's certificate is in the file: without it the signature cannot
// be checked at all.
bool carriesSignersCertificates(CMS_ContentInfo* cms) {
    const int signers = sk_CMS_SignerInfo_num(CMS_get0_SignerInfos(cms));
    return signers > 0 && CMS_set1_signers_certs(cms, nullptr, 0) == signers;
}

}  // namespace

bool looksSigned(const QByteArray& bytes) {
    // DER starts with a SEQUENCE; base64 of one starts with "MI".
    const QByteArray start = bytes.trimmed().left(2);
    return start.startsWith('\x30') || start == "MI" || isArmoured(bytes);
}

store::Result<QByteArray> signedContent(const QByteArray& envelope) {
    Cms cms = isArmoured(envelope) ? parsedArmoured(envelope) : parsed(envelope);
    if (!cms && !isArmoured(envelope)) {
        // Base64 decoding passes over the line breaks.
        cms = parsed(QByteArray::fromBase64(envelope));
    }
    if (!cms)
        return refused(QStringLiteral("non è un file firmato leggibile (.p7m)."));
    if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return refused(QStringLiteral("il file .p7m non contiene un documento firmato."));
    if (CMS_is_detached(cms.get()) == 1)
        return refused(QStringLiteral(
            "il file .p7m contiene solo la firma, non la ricevuta firmata (firma separata): "
            "serve il file .p7m che contiene anche la ricevuta."));
    if (!carriesSignersCertificates(cms.get()))
        return refused(QStringLiteral(
            "il file .p7m non contiene il certificato di chi l'ha firmato, senza il quale la "
            "firma non si può verificare."));
    Bio out(BIO_new(BIO_s_mem()));
    if (!out || CMS_verify(cms.get(), nullptr, nullptr, nullptr, out.get(),
                           CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) != 1)
        return refused(QStringLiteral("la firma non corrisponde al contenuto del file .p7m."));
    char* data = nullptr;
    const long size = BIO_get_mem_data(out.get(), &data);
    return QByteArray(data, int(size));
}

}  // namespace fatturapa
