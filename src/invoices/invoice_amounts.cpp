#include "invoices/invoice_amounts.h"

#include "registers/amount.h"
#include "registers/invoice_extras.h"
#include "registers/settings_lists.h"

#include <optional>

namespace invoices {

using registers::Amount;
using registers::Rate;

namespace {

std::optional<Amount> read(const QString& text) {
    return Amount::parse(text);
}

bool isNone(const QString& item) {
    return item == registers::kNoneItem;
}

// field ← fmt(source): skipped when the source does not read as an amount.
void format(QString& field, const QString& source) {
    if (const auto a = read(source))
        field = a->text();
}

// field ← the plain number (all its digits, decimal comma) of a sum or product;
// skipped when one of its terms could not be read.
void setPlain(QString& field, const std::optional<Amount>& value) {
    if (value)
        field = value->plainText();
}

std::optional<Amount> sum(const QString& a, const QString& b) {
    const auto x = read(a);
    const auto y = read(b);
    if (!x || !y)
        return std::nullopt;
    return *x + *y;
}

std::optional<Amount> sum(const QString& a, const QString& b, const QString& c) {
    const auto xy = sum(b, c);
    const auto z = read(a);
    if (!xy || !z)
        return std::nullopt;
    return *z + *xy;
}

std::optional<Amount> percent(const std::optional<Amount>& a, const QString& rate) {
    const auto r = Rate::parse(rate);
    if (!a || !r)
        return std::nullopt;
    return a->percent(*r);
}

// Text8 ← Text7 + (Text6 + Text5), fmt(Text8), Text4 ← fmt(Text8).
void totalWithExempt(InvoiceAmounts& f) {
    setPlain(f.total, sum(f.exempt, f.vat, f.totalTaxable));
    format(f.total, f.total);
    format(f.net, f.total);
}

// Text8 ← Text6 + Text5, fmt(Text8), Text4 ← fmt(Text8).
void totalOfVatAndTaxable(InvoiceAmounts& f) {
    setPlain(f.total, sum(f.vat, f.totalTaxable));
    format(f.total, f.total);
    format(f.net, f.total);
}

}  // namespace

InvoiceAmounts clearedAmounts() {
    InvoiceAmounts f;
    f.surchargeRate = f.vatRate = f.exemption = f.withholdingRate = registers::kNoneItem;
    return f;
}

void taxableLeft(InvoiceAmounts& f) {
    if (!f.taxable.isEmpty())
        format(f.taxable, f.taxable);
    // "*" in the surcharge marks an invoice loaded from the register without one.
    if (f.surcharge != registers::kNoneItem) {
        format(f.totalTaxable, f.taxable);
        format(f.total, f.totalTaxable);
        format(f.net, f.totalTaxable);
        format(f.total, f.total);
    }
}

void surchargeRateChosen(InvoiceAmounts& f) {
    f.vat.clear();
    f.total.clear();
    f.net.clear();
    if (isNone(f.surchargeRate)) {
        f.surcharge = QStringLiteral("0");
        format(f.total, f.taxable);
        format(f.net, f.taxable);
        format(f.totalTaxable, f.taxable);
        format(f.total, f.total);
        if (!f.exempt.isEmpty()) {
            setPlain(f.total, sum(f.exempt, f.totalTaxable));
            format(f.net, f.total);
            format(f.total, f.total);
        }
    } else {
        // The exempt amount is left out of the total here, as it always was: the
        // exemption or VAT choice brings it back.
        setPlain(f.surcharge, percent(read(f.taxable), f.surchargeRate));
        format(f.surcharge, f.surcharge);
        f.totalTaxable.clear();
        setPlain(f.totalTaxable, sum(f.surcharge, f.taxable));
        format(f.totalTaxable, f.totalTaxable);
        format(f.total, f.totalTaxable);
        format(f.net, f.totalTaxable);
        format(f.total, f.total);
    }
    if (isNone(f.surchargeRate) && !isNone(f.vatRate))
        f.vatMarked = true;
}

void vatRateChosen(InvoiceAmounts& f) {
    f.vat.clear();
    f.vatMarked = false;
    if (!isNone(f.vatRate)) {
        setPlain(f.vat, percent(read(f.totalTaxable), f.vatRate));
        format(f.vat, f.vat);
        f.total.clear();
        if (!f.exempt.isEmpty()) {
            totalWithExempt(f);
        }
        const auto exempt = read(f.exempt);
        if (f.exempt.isEmpty() || (exempt && exempt->isZero())) {
            totalOfVatAndTaxable(f);
        }
    } else {
        f.vat = QStringLiteral("0");
        format(f.total, f.totalTaxable);
        format(f.net, f.totalTaxable);
    }
    if (isNone(f.surchargeRate) && !isNone(f.vatRate))
        totalWithExempt(f);
    if (!isNone(f.exemption) && isNone(f.vatRate)) {
        f.vat = QStringLiteral("0");
        totalWithExempt(f);
    }
}

void exemptionChosen(InvoiceAmounts& f) {
    f.exempt.clear();
    if (isNone(f.exemption))
        f.exempt = QStringLiteral("0");
    else
        f.exemptEnabled = true;
    totalOfVatAndTaxable(f);
}

void exemptLeft(InvoiceAmounts& f) {
    if (f.exempt.isEmpty()) {
        f.exempt = QStringLiteral("0");
        format(f.exempt, f.exempt);
    }
    if (f.exempt.isEmpty())
        return;
    f.total.clear();
    const bool taxable = !f.totalTaxable.isEmpty();
    const bool vat = !f.vat.isEmpty();
    if (!taxable && !vat)
        f.total = f.exempt;
    else if (taxable && vat)
        setPlain(f.total, sum(f.exempt, f.totalTaxable, f.vat));
    else if (taxable)
        setPlain(f.total, sum(f.exempt, f.totalTaxable));
    else
        setPlain(f.total, sum(f.exempt, f.vat));
    format(f.total, f.total);
    format(f.net, f.total);
}

void withholdingRateChosen(InvoiceAmounts& f) {
    if (isNone(f.withholdingRate)) {
        f.withholding = QStringLiteral("0");
        format(f.net, f.total);
        return;
    }
    const auto base = f.surchargeWithheld ? sum(f.taxable, f.surcharge) : read(f.taxable);
    setPlain(f.withholding, percent(base, f.withholdingRate));
    format(f.withholding, f.withholding);
    const auto total = read(f.total);
    const auto withholding = read(f.withholding);
    if (total && withholding)
        f.net = (*total - *withholding).plainText();
    format(f.net, f.net);
}

void netLeft(InvoiceAmounts& f) {
    format(f.net, f.net);
}

void totalTaxableLeft(InvoiceAmounts& f) {
    format(f.total, f.totalTaxable);
    format(f.net, f.totalTaxable);
}

void vatLeft(InvoiceAmounts& f) {
    if (!f.vat.isEmpty())
        format(f.vat, f.vat);
}

void totalLeft(InvoiceAmounts& f) {
    if (const auto total = read(f.total))
        f.total = total->plainText();
    format(f.total, f.total);
}

namespace {
// An amount not computed yet counts as none, as "Registra" takes it.
QString orZero(const QString& amount) {
    return amount.isEmpty() ? QStringLiteral("0") : amount;
}

void totalWithLine(InvoiceAmounts& f, Amount line) {
    const auto parts = sum(orZero(f.exempt), orZero(f.vat), f.totalTaxable);
    const auto withholding = read(orZero(f.withholding));
    if (!parts || !withholding)
        return;
    const Amount total = *parts + line;
    f.total = total.text();
    f.net = (total - *withholding).text();
}
}  // namespace

void chargeStampDuty(InvoiceAmounts& f) {
    totalWithLine(f, registers::kStampDuty);
}

void dropStampDuty(InvoiceAmounts& f) {
    totalWithLine(f, Amount());
}

void zeroEmptyAmounts(InvoiceAmounts& f) {
    for (QString* amount : {&f.surcharge, &f.vat, &f.exempt, &f.withholding}) {
        if (amount->isEmpty())
            *amount = QStringLiteral("0");
    }
}

bool withholdingNeedsRecomputing(const InvoiceAmounts& f) {
    const auto withholding = read(f.withholding);
    return f.total == f.net && withholding && !withholding->isZero();
}

}  // namespace invoices
