#pragma once

// A store filled like a real one for measuring the codec: invoices in Fatture
// (17 columns: numbers, dates, amounts, descriptions, collection marks) and
// clients in Anagrafe (16 columns of names, addresses and identifiers).

#include "xls/workbook.h"

namespace benchstore {

inline constexpr int kFullInvoices = 32766;  // rows 2..32767: the register's limit
inline constexpr int kFullClients = 5000;

// The same data for the same counts, every time.
xls::Workbook makeStore(int invoices, int clients);

}  // namespace benchstore
