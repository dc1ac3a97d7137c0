#include "registers/item_use.h"

#include "registers/invoice_extras.h"
#include "registers/invoice_rates.h"
#include "registers/invoice_register.h"
#include "registers/settings_lists.h"

namespace registers {

using namespace invoice;

namespace {

// The item an invoice has in list `column`: the register's text for the lists it keeps
// by name, the recovered rate for the others; empty when none is known.
QString itemOf(const InvoiceRecord& invoice, int column, const RateItems& items,
               const KeptRates& kept) {
    switch (column) {
        case kPaymentColumn:
            return invoice[PaidBy].trimmed();
        case kExemptionColumn:
            return invoice[Exemption].trimmed();
        default:
            break;
    }
    const InvoiceRates rates = ratesOf(invoice, items, kept);
    const std::optional<QString> rate = column == kInpsColumn  ? rates.surcharge
                                        : column == kVatColumn ? rates.vat
                                                               : rates.withholding;
    return rate.value_or(QString());
}

}  // namespace

std::optional<QString> invoiceUsing(store::Workbook& book, int column, const QString& item) {
    const auto invoices = invoiceSheet(book);
    const std::optional<RateItems> items = rateItemsOf(book);
    if (!invoices || !items)
        return std::nullopt;
    const auto extrasSheet = invoiceExtrasSheet(book);
    const std::optional<InvoiceExtras> extras =
        extrasSheet ? std::optional(InvoiceExtras(*extrasSheet)) : std::nullopt;
    for (const InvoiceRecord& invoice : InvoiceRegister(*invoices).rows()) {
        const KeptRates kept = extras ? extras->rates(invoice[Id]) : KeptRates{};
        if (itemOf(invoice, column, *items, kept) == item.trimmed())
            return QStringLiteral("la fattura n. %1 del %2").arg(invoice[Number], invoice[Date]);
    }
    return std::nullopt;
}

RowChange removeUnusedItem(store::Workbook& book, int column, int position) {
    const auto sheet = settingsSheet(book);
    if (!sheet)
        return sheet.error();
    const QStringList items = loadList(*sheet, column);
    Q_ASSERT_X(position >= 0 && position < items.size(), "removeUnusedItem",
               "a position taken from the list");
    if (position > 0) {
        if (const auto user = invoiceUsing(book, column, items[position]))
            return store::Error{store::Error::Kind::Refused,
                                QStringLiteral("La voce «%1» è usata da %2: resta nell'elenco, "
                                               "perché la fattura la riporta.\nNulla è stato "
                                               "eliminato.")
                                    .arg(items[position], *user)};
    }
    return removeItem(*sheet, column, position);
}

}  // namespace registers
