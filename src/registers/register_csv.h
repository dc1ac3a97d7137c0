#pragma once

// The invoice register, or some of its rows, as a CSV file for an accountant:
// semicolon-separated, UTF-8 (with the byte-order mark that spreadsheet programs
// look for), the header row first, lines ended by CR LF. Amounts with a decimal
// comma and two decimals and no thousands dots, dates dd/mm/yyyy, everything else
// as the cells show it; a field with a semicolon, a quote or a line break is quoted.
// Widget-free.

#include <QByteArray>
#include <QDate>

#include <vector>

#include "store/worksheet.h"

namespace registers {

// The register rows (2 and below) whose invoice date falls from `first` to `last`,
// in register order; a row whose date does not read is not among them.
std::vector<int> rowsDatedBetween(const store::Worksheet& invoices, const QDate& first,
                                  const QDate& last);

// The header row and the register rows `rows`, in that order.
QByteArray registerCsv(const store::Worksheet& invoices, const std::vector<int>& rows);

}  // namespace registers
