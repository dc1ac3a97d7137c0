#pragma once

#include <QFileDevice>
#include <QString>

#include <functional>

#include "store/store_error.h"

namespace store {

// Writes a new file beside `path` through `write`, which writes the whole file
// into the device it is handed, flushes it to disk and renames it over `path`.
// Any failure, `write`'s own included, leaves the previous file whole and is
// returned.
Result<Done> writeFileAtomically(const QString& path,
                                 const std::function<Result<Done>(QFileDevice& file)>& write);

}  // namespace store
