#pragma once

// Turns an encrypted workbook stream into a plain one.

#include <QByteArray>
#include <QString>

#include "xls/error.h"
#include "xls/result.h"

namespace xls {

// The password that spreadsheet programs use for files protected only against
// writing: such files are encrypted, but open without asking.
inline constexpr char kDefaultPassword[] = "VelvetSweatshop";

// When the workbook globals hold a FILEPASS record, decrypts every record after it
// in place; a plain stream is left as it is. A wrong or missing password gives
// PasswordNeeded; an empty password tries the default one.
Result<brisvel::Done> decryptWorkbookStream(QByteArray& stream, const QString& password);

}  // namespace xls
