#pragma once

// The invoice register, sheet Fatture: one invoice per row from row 2, columns A
// (record number) to Q (payment type); the next record number in IU1 and the next
// invoice number in IV1. Columns AA onwards are the receivables window's scratch
// area, not part of the register.

#include "registers/sheet_layout.h"
#include "store/address.h"

namespace registers {

// The sheet Fatture of `book`, or why it cannot be reached.
store::Result<store::Worksheet> invoiceSheet(store::Workbook& book);

namespace invoice {

// The register's columns, 1-based as the sheet numbers them.
enum Column : int {
    Id = 1,        // A record number, the key of a row
    Client,        // B client name
    ClientId,      // C client identifier
    Number,        // D invoice number
    Date,          // E invoice date
    Description,   // F
    Taxable,       // G taxable amount
    Surcharge,     // H INPS/Cassa amount
    TotalTaxable,  // I
    Vat,           // J VAT amount
    Exemption,     // K exemption item
    ExemptAmount,  // L
    Total,         // M invoice total
    Withholding,   // N withholding amount
    Net,           // O
    Collection,    // P collection date, "*" while not collected
    PaidBy,        // Q payment type
};
inline constexpr int kColumns = PaidBy;
// The register's first row under the headers.
inline constexpr int kFirstRow = 2;

inline constexpr int kRecordCounterColumn = store::columnOf("IU");
inline constexpr int kNumberCounterColumn = store::columnOf("IV");
inline constexpr int kScratchFirstColumn = store::columnOf("AA");

// The columns that hold amounts, G to O but the exemption item.
constexpr bool isAmountColumn(int column) {
    return column >= Taxable && column <= Net && column != Exemption;
}

}  // namespace invoice

using InvoiceColumn = invoice::Column;

}  // namespace registers
