#pragma once

// Writes a workbook as an .xls file (BIFF8 in a compound file) that spreadsheet
// programs open.

#include <QByteArray>
#include <QString>

#include "xls/error.h"
#include "xls/workbook.h"

namespace xls {

// The bytes of the whole file. An empty password writes a plain file; any other
// encrypts it with RC4 CryptoAPI (128-bit key) under that password.
Result<QByteArray> writeWorkbook(const Workbook& wb, const QString& password = {});

}  // namespace xls
