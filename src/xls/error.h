#pragma once

#include <QString>

#include "base/result.h"

namespace xls {

// Why a workbook could not be read or written. The kinds are distinct because
// callers react differently: a wrong password asks again, a damaged file does not.
struct Error {
    enum class Kind {
        Io,              // the file could not be read or written
        NotWorkbook,     // not a compound file, or no Workbook stream
        OldFormat,       // BIFF5 or older
        PasswordNeeded,  // encrypted and no (or a wrong) password: wrong password
        Unsupported,     // an encryption scheme or feature we do not handle
        Damaged,         // truncated, looping or inconsistent content
    };
    Kind kind;
    QString message;  // one short line in Italian, fit to show a user
};

template <class T>
using Result = brisvel::Result<T, Error>;

}  // namespace xls
