#pragma once

// The rates of a registered invoice. The register keeps amounts, not rates: each
// rate is the settings item whose share of its base is the stored amount, so that
// a document made again from the register, or a part of the invoice, shows and
// uses the rates the invoice was made with. Widget-free.

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

#include "registers/amount.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_register.h"

namespace store {
class Workbook;
}

namespace registers {

// The settings items the rates are recovered from.
struct RateItems {
    QStringList surcharge;
    QStringList vat;
    QStringList withholding;
    // The surcharge items withheld on with the fee (the INPS surcharge).
    QSet<QString> withheldSurcharges;
};

// The amount of a register cell that may be left empty: empty and "*" count as 0;
// none when the cell holds something else than an amount.
std::optional<Amount> cellAmount(const QString& text);

// The rate lists of the sheet Utilità, and the surcharge items the e-invoice codes
// mark as withheld on; none when the sheet is missing.
std::optional<RateItems> rateItemsOf(store::Workbook& book);

// The items of one invoice: "*" for an amount of zero, none when no item gives the
// amount or an amount is not one.
struct InvoiceRates {
    std::optional<QString> surcharge;
    std::optional<QString> vat;
    std::optional<QString> withholding;
    // The withholding was taken on taxable + surcharge.
    bool surchargeWithheld = false;
};

// The surcharge on the taxable, the VAT on the total taxable, the withholding on
// taxable + surcharge when the surcharge item is withheld on, else (as an invoice
// registered before the surcharge was withheld on) on the taxable. A credit note's
// negative amounts give the same items as the invoice it corrects.
InvoiceRates ratesOf(const InvoiceRecord& invoice, const RateItems& items);
// The same, trying first the rates kept when the invoice was registered: a kept
// rate that still gives its amount is the one shown, even when its settings item
// has gone or another item gives the same amount.
InvoiceRates ratesOf(const InvoiceRecord& invoice, const RateItems& items, const KeptRates& kept);
// The rates of a registered invoice of `book`, by the two steps above; none when the
// settings sheet is missing.
std::optional<InvoiceRates> registeredRates(store::Workbook& book, const InvoiceRecord& invoice);

}  // namespace registers
