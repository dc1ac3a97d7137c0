#pragma once

// The errors the reader gives for content it cannot accept.

#include <QString>

#include "xls/error.h"

namespace xls {

inline Error damagedFile() {
    return Error{Error::Kind::Damaged, QStringLiteral("Il file è danneggiato.")};
}

// A record the reader could not make sense of, by its place in the workbook stream.
inline Error damagedRecord(std::size_t offset) {
    return Error{Error::Kind::Damaged,
                 QStringLiteral("Il file è danneggiato (dati non validi alla posizione %1).")
                     .arg(qulonglong(offset))};
}

}  // namespace xls
