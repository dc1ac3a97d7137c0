#include "fatturapa/signed_envelope.h"

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

}  // namespace

bool looksSigned(const QByteArray& bytes) {
    // DER starts with a SEQUENCE; base64 of one starts with "MI".
    const QByteArray start = bytes.trimmed().left(2);
    return start.startsWith('\x30') || start == "MI";
}

store::Result<QByteArray> signedContent(const QByteArray& envelope) {
    Cms cms = parsed(envelope);
    if (!cms) {
        // Base64 decoding passes over the line breaks.
        cms = parsed(QByteArray::fromBase64(envelope));
    }
    if (!cms)
        return refused(QStringLiteral("non è un file firmato leggibile (.p7m)."));
    if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return refused(QStringLiteral("il file .p7m non contiene un documento firmato."));
    Bio out(BIO_new(BIO_s_mem()));
    if (!out || CMS_verify(cms.get(), nullptr, nullptr, nullptr, out.get(),
                           CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) != 1)
        return refused(QStringLiteral("la firma non corrisponde al contenuto del file .p7m."));
    char* data = nullptr;
    const long size = BIO_get_mem_data(out.get(), &data);
    return QByteArray(data, int(size));
}

}  // namespace fatturapa
