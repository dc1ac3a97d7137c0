#pragma once

// The titles of the program's message boxes. The windows speak under a few
// spellings of the same word, blanks included, and each spelling is kept once here.

#include <QString>

namespace app::title {

inline const QString kProgram = QStringLiteral("Brisvel");
inline const QString kGestione = QStringLiteral("Gestione");
inline const QString kGestioneBlankBefore = QStringLiteral(" Gestione");
inline const QString kGestioneBlankAfter = QStringLiteral("Gestione ");
inline const QString kGestioneBlanksAround = QStringLiteral(" Gestione ");
inline const QString kGestioneTwoBlanksBefore = QStringLiteral("  Gestione");
inline const QString kPrintResult = QStringLiteral("Stampa Risultato ");

}  // namespace app::title
