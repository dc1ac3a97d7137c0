#pragma once

// The year's figures as the window and its printout write them: the flat-rate
// regime's line, the line of what was left out, and the printed list (months,
// totals, clients). No widgets.

#include <QDateTime>
#include <QString>

#include "printing/list_printing.h"
#include "registers/year_figures.h"

namespace year {

// "1 fattura" / "3 fatture", with what is said of them.
QString counted(int count, const char* one, const char* many);

// The months' short names, January first: "Gen" .. "Dic".
QString monthName(int month);

// What was collected against the flat-rate limit, whole per cent, rounded down.
int flatRatePercent(registers::Amount fees);
// "Incassato 42.500,00 € su 85.000,00 € (50%)", and beyond the limit by how much.
QString flatRateText(registers::Amount fees);

// "Non conteggiate: 1 fattura con data illeggibile, ..."; empty when nothing was left out.
QString leftOutText(const registers::YearFigures& figures);

// The list printed for the year: a row per month, the totals, the clients invoiced
// most and, for a flat-rate user, the limit's line.
printing::PrintedList yearList(const registers::YearFigures& figures, bool flatRate,
                               const QDateTime& printedAt);

}  // namespace year
