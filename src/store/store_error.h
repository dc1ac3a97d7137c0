#pragma once

#include <QString>

#include "base/result.h"

namespace store {

// Why an engine or store operation could not be done. `message` is one short
// Italian line that a window can show as it is.
struct Error {
    enum class Kind {
        BadAddress,    // an A1 text or a row/column outside A1:IV65536
        NoSuchSheet,   // no sheet of that name
        BadSheetName,  // empty, too long, forbidden characters, or already taken
        InUse,         // the store is open in another program
        Missing,       // the store file does not exist
        Unreadable,    // not a workbook, damaged, or the password does not open it
        Io,            // a file could not be read or written
        Full,          // a register or list has no free row left
        Refused,       // a value the register cannot take (an empty item, a rate out of range)
        NoSuchRecord,  // no row of a register carries the key asked for
    };
    Kind kind;
    QString message;
};

template <class T>
using Result = brisvel::Result<T, Error>;
using brisvel::Done;

}  // namespace store
