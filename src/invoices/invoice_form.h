#pragma once

// What the entry window shows of one invoice, field by field: what the invoice
// document is filled from.

#include <QString>

#include "invoices/invoice_amounts.h"

namespace invoices {

struct InvoiceForm {
    QString client;       // Combo1
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
    QString paidBy;       // Combo2
    InvoiceAmounts amounts;
    bool stampDutyCharged = false;  // Check4
};

}  // namespace invoices
