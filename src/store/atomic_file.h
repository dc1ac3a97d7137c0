#pragma once

#include <QByteArray>
#include <QString>

#include "store/store_error.h"

namespace store {

// Writes `bytes` to a new file beside `path`, flushes it to disk and renames it
// over `path`. Any failure leaves the previous file whole and is returned.
Result<Done> writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace store
