#pragma once

// Writes a workbook as an .xls file (BIFF8 in a compound file) that spreadsheet
// programs open.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include "xls/error.h"
#include "xls/workbook.h"

namespace xls {

// The bytes of the whole file. An empty password writes a plain file; any other
// encrypts it with RC4 CryptoAPI (128-bit key) under that password.
Result<QByteArray> writeWorkbook(const Workbook& wb, const QString& password = {});
// The same file written into `file`, open for writing (a QSaveFile, say), as it
// is composed: no second copy of the file is held in memory. The caller commits
// or closes `file`. `streamMemory`, memory a workbook stream was just read into
// (see readWorkbookFile), holds the stream being built instead of fresh memory,
// which costs page faults and the system's zeroing of each page.
Result<brisvel::Done> writeWorkbook(const Workbook& wb, QFileDevice& file,
                                    const QString& password = {}, QByteArray streamMemory = {});

}  // namespace xls
