#include "registers/invoice_rates.h"

#include "registers/einvoice_codes.h"
#include "registers/settings_lists.h"

namespace registers {

using namespace invoice;

namespace {

std::optional<QString> rateOf(const QStringList& items, Amount base, Amount stored) {
    if (stored.isZero())
        return kNoneItem;
    return itemGiving(items, base, stored);
}

}  // namespace

std::optional<Amount> cellAmount(const QString& text) {
    if (text.trimmed().isEmpty() || text == kNoneItem)
        return Amount();
    return Amount::parse(text);
}

std::optional<RateItems> rateItemsOf(store::Workbook& book) {
    const auto settings = settingsSheet(book);
    if (!settings)
        return std::nullopt;
    RateItems items{loadList(*settings, kInpsColumn),
                    loadList(*settings, kVatColumn),
                    loadList(*settings, kWithholdingColumn),
                    {}};
    if (const auto codes = einvoiceCodesSheet(book)) {
        const EinvoiceCodes read(*codes);
        for (const QString& item : items.surcharge) {
            if (read.surchargeWithheld(item))
                items.withheldSurcharges.insert(item);
        }
    }
    return items;
}

InvoiceRates ratesOf(const InvoiceRecord& invoice, const RateItems& items) {
    const std::optional<Amount> taxable = cellAmount(invoice[Taxable]);
    const std::optional<Amount> surcharge = cellAmount(invoice[Surcharge]);
    const std::optional<Amount> totalTaxable = cellAmount(invoice[TotalTaxable]);
    const std::optional<Amount> vat = cellAmount(invoice[Vat]);
    const std::optional<Amount> withholding = cellAmount(invoice[Withholding]);
    InvoiceRates rates;
    if (taxable && surcharge)
        rates.surcharge = rateOf(items.surcharge, *taxable, *surcharge);
    if (totalTaxable && vat)
        rates.vat = rateOf(items.vat, *totalTaxable, *vat);
    if (!taxable || !withholding)
        return rates;
    rates.surchargeWithheld =
        surcharge && rates.surcharge && items.withheldSurcharges.contains(*rates.surcharge);
    if (rates.surchargeWithheld)
        rates.withholding = rateOf(items.withholding, *taxable + *surcharge, *withholding);
    if (!rates.withholding) {
        rates.surchargeWithheld = false;
        rates.withholding = rateOf(items.withholding, *taxable, *withholding);
    }
    return rates;
}

InvoiceRates ratesOf(const InvoiceRecord& invoice, const RateItems& items, const KeptRates& kept) {
    RateItems first = items;
    const auto tryFirst = [](QStringList& list, const QString& rate) {
        if (!rate.isEmpty() && rate != kNoneItem)
            list.prepend(rate);
    };
    tryFirst(first.surcharge, kept.surcharge);
    tryFirst(first.vat, kept.vat);
    tryFirst(first.withholding, kept.withholding);
    return ratesOf(invoice, first);
}

std::optional<InvoiceRates> registeredRates(store::Workbook& book, const InvoiceRecord& invoice) {
    const std::optional<RateItems> items = rateItemsOf(book);
    if (!items)
        return std::nullopt;
    const auto extras = invoiceExtrasSheet(book);
    return ratesOf(invoice, *items,
                   extras ? InvoiceExtras(*extras).rates(invoice[Id]) : KeptRates{});
}

}  // namespace registers
