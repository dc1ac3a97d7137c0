#include "registers/due_dates.h"

#include "registers/einvoice_codes.h"
#include "store/typed_entry.h"
#include "store/workbook.h"

namespace registers {

int paymentDaysOf(store::Workbook& book, const QString& paymentItem) {
    const auto sheet = book.sheet(kEinvoiceCodesSheet);
    return sheet ? EinvoiceCodes(*sheet).paymentDays(paymentItem)
                 : proposedPaymentDays(paymentItem);
}

QDate proposedDueDate(store::Workbook& book, const QString& invoiceDate,
                      const QString& paymentItem) {
    const std::optional<QDate> date = store::readItalianDate(invoiceDate.trimmed());
    if (!date)
        return {};
    return date->addDays(paymentDaysOf(book, paymentItem.trimmed()));
}

QDate dueDateOf(const QString& id, const QDate& date, const std::optional<InvoiceExtras>& extras,
                int paymentDays) {
    if (extras) {
        if (const QDate kept = extras->dueDate(id); kept.isValid())
            return kept;
    }
    return date.isValid() ? date.addDays(paymentDays) : QDate();
}

QDate dueDateOf(const InvoiceRecord& invoice, const std::optional<InvoiceExtras>& extras,
                int paymentDays) {
    return dueDateOf(invoice[invoice::Id],
                     store::readItalianDate(invoice[invoice::Date].trimmed()).value_or(QDate()),
                     extras, paymentDays);
}

QDate dueDateOf(store::Workbook& book, const InvoiceRecord& invoice) {
    const auto sheet = invoiceExtrasSheet(book);
    return dueDateOf(invoice, sheet ? std::optional(InvoiceExtras(*sheet)) : std::nullopt,
                     paymentDaysOf(book, invoice[invoice::PaidBy].trimmed()));
}

store::Result<store::Done> recordDueDate(store::Workbook& book, const InvoiceRecord& invoice,
                                         const QDate& due) {
    const auto sheet = invoiceExtrasSheet(book);
    if (!sheet) {
        if (due == proposedDueDate(book, invoice[invoice::Date], invoice[invoice::PaidBy]))
            return store::Done{};
        return sheet.error();
    }
    InvoiceExtras(*sheet).setDueDate(invoice[invoice::Id], due);
    return store::Done{};
}

}  // namespace registers
