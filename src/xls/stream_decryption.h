#pragma once

// Turns an encrypted workbook stream into a plain one while it is read.

#include <QByteArray>
#include <QString>

#include <memory>

#include "base/result.h"
#include "xls/cipher_pipeline.h"
#include "xls/error.h"

namespace xls {

// The password that spreadsheet programs use for files protected only against
// writing: such files are encrypted, but open without asking.
inline constexpr char kDefaultPassword[] = "VelvetSweatshop";

// When the workbook globals hold a FILEPASS record, starts deciphering every record
// after it in place, front to back on a second thread, and gives that pipeline:
// read the stream behind it (RecordStream does). A plain stream gives none. A
// wrong or missing password gives PasswordNeeded; an empty password tries the
// default one. The stream must not move or be freed while the pipeline lives.
Result<std::unique_ptr<CipherPipeline>> decryptWorkbookStream(QByteArray& stream,
                                                              const QString& password);

}  // namespace xls
