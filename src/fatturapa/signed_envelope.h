#pragma once

// The content of a signed file (".p7m": CMS signed data, in DER, base64 or PEM),
// extracted by OpenSSL once the signature checks against the certificate the file
// carries: a content changed after signing is refused. Whether that certificate is
// trusted is not asked: the file came from the user, who had it from the exchange
// system or an intermediary. Widget-free.

#include <QByteArray>

#include "store/store_error.h"

namespace fatturapa {

// Whether `bytes` look like a signed envelope rather than plain XML.
bool looksSigned(const QByteArray& bytes);

// The signed content; an error, in Italian, saying what is wrong with anything else:
// no signed data, a detached signature without the content, no signer's certificate,
// a content changed after signing.
store::Result<QByteArray> signedContent(const QByteArray& envelope);

}  // namespace fatturapa
