#pragma once

// One invoice as the entry window shows it, field by field: the client and its
// details, the invoice's own fields and its amounts. The invoice document is
// filled from it; the amount steps work on its amounts.

#include <QString>

#include <optional>

#include "registers/invoice_amounts.h"
#include "registers/invoice_extras.h"

namespace registers {

struct InvoiceFields : InvoiceAmounts {
    QString clientName;   // Combo1
    QString address;      // Label13
    QString postalCode;   // Label22
    QString town;         // Label23
    QString province;     // Label24
    QString taxCode;      // Label25
    QString vatNumber;    // Label26
    QString clientId;     // Text12
    QString date;         // Text2
    QString number;       // Text1
    QString record;       // Text10
    QString description;  // Text15
    QString collection;   // Text13
    QString paidBy;       // Combo2, empty when none is chosen
    QString due;          // the due date, dd/mm/yyyy
    // For a credit note, the invoice it corrects.
    std::optional<CorrectedInvoice> corrects;

    bool operator==(const InvoiceFields&) const = default;
};

}  // namespace registers
