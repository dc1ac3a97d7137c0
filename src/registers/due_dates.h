#pragma once

// When an invoice falls due: the date kept for it beside the register when the user
// set one, else its date plus the days of its payment item. Widget-free.

#include <QDate>
#include <QString>

#include <optional>

#include "registers/invoice_extras.h"
#include "registers/invoice_register.h"
#include "store/store_error.h"

namespace store {
class Workbook;
}

namespace registers {

// The days of `paymentItem` set in the codes sheet, else proposed from its text.
int paymentDaysOf(store::Workbook& book, const QString& paymentItem);

// `invoiceDate` (dd/mm/yyyy) plus the item's days; invalid when it is not a date.
QDate proposedDueDate(store::Workbook& book, const QString& invoiceDate,
                      const QString& paymentItem);

// The due date kept for invoice `id`, else `date` plus `paymentDays`; invalid when
// neither is known.
QDate dueDateOf(const QString& id, const QDate& date, const std::optional<InvoiceExtras>& extras,
                int paymentDays);
// The same for the invoice's cells as shown (its date dd/mm/yyyy).
QDate dueDateOf(const InvoiceRecord& invoice, const std::optional<InvoiceExtras>& extras,
                int paymentDays);
QDate dueDateOf(store::Workbook& book, const InvoiceRecord& invoice);

// Keeps `due` for the invoice. Without a sheet to keep it in, an error only when it is
// not the date the invoice falls due anyway.
store::Result<store::Done> recordDueDate(store::Workbook& book, const InvoiceRecord& invoice,
                                         const QDate& due);

}  // namespace registers
