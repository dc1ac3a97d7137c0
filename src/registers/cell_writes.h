#pragma once

// Writes whose cell a register chose itself (a row its walk found, a column of its
// layout) lie inside the sheet by construction; only an address out of the sheet
// makes a cell write fail, so such a failure is a programming error.

#include <QtGlobal>

#include "store/store_error.h"

namespace registers {

inline void expectWritten(const store::Result<store::Done>& written) {
    Q_ASSERT_X(written.ok(), "register write", "the register's own cells lie inside the sheet");
    Q_UNUSED(written);
}

}  // namespace registers
