#pragma once

// Reading an .xls (BIFF8) workbook into the in-memory model.

#include <QByteArray>
#include <QString>

#include "xls/error.h"
#include "xls/workbook.h"

namespace xls {

// The workbook in `fileBytes`, decrypted with `password` when it is encrypted.
Result<Workbook> readWorkbook(const QByteArray& fileBytes, const QString& password = {});
// The workbook in a BIFF8 workbook stream already taken out of its container.
Result<Workbook> readWorkbookStreamBytes(QByteArray stream, const QString& password = {});
// The same for a file on disk; Io when it cannot be read. `streamMemory`, when
// given, receives the memory the workbook stream was read into, for a write that
// follows to build its stream in (see writeWorkbook).
Result<Workbook> readWorkbookFile(const QString& path, const QString& password = {},
                                  QByteArray* streamMemory = nullptr);

}  // namespace xls
