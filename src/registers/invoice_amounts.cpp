#include "registers/invoice_amounts.h"

#include "store/number_text.h"

#include <cmath>

#include "registers/amount.h"
#include "registers/invoice_extras.h"
#include "registers/settings_lists.h"

#include <optional>

namespace registers {

namespace {

std::optional<Amount> read(const QString& text) {
    return Amount::parse(text);
}

bool isNone(const QString& item) {
    return item == kNoneItem;
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

// An amount that may be left empty: empty and the register's "*" count as 0.
std::optional<Amount> readOrZero(const QString& text) {
    if (text.isEmpty() || text == kNoneItem)
        return Amount();
    return read(text);
}

// What the withholding is taken on: the taxable, and the INPS surcharge with it.
std::optional<Amount> withholdingBase(const InvoiceAmounts& f) {
    const auto taxable = read(f.taxable);
    const auto surcharge = readOrZero(f.surcharge);
    if (!taxable || !surcharge)
        return std::nullopt;
    return f.surchargeWithheld ? *taxable + *surcharge : *taxable;
}

// A credit note's amounts are negative: the stamp duty it gives back is too.
Amount stampDutyOf(const InvoiceAmounts& f) {
    if (!f.stampDutyCharged)
        return Amount();
    const auto taxable = read(f.taxable);
    return taxable && *taxable < Amount() ? Amount() - kStampDuty : kStampDuty;
}

// The total and the net from their parts: total taxable + VAT + exempt amount, less
// the withholding. Skipped when a part does not read.
void sumTotals(InvoiceAmounts& f) {
    const auto totalTaxable = read(f.totalTaxable);
    const auto vat = readOrZero(f.vat);
    const auto exempt = readOrZero(f.exempt);
    if (!totalTaxable || !vat || !exempt)
        return;
    const Amount total = *totalTaxable + *vat + *exempt + stampDutyOf(f);
    f.total = total.text();
    if (const auto withholding = readOrZero(f.withholding))
        f.net = (total - *withholding).text();
}

// `amount` ← base × rate when a rate is chosen. With none chosen, an amount other
// than 0 that `stale` says no longer fits its base is cleared and waits for its
// rate: it cannot be computed again without one.
void followRate(QString& amount, bool& toRecompute, const QString& rate,
                const std::optional<Amount>& base, bool stale) {
    if (!isNone(rate)) {
        const auto r = Rate::parse(rate);
        if (r && base) {
            amount = base->percent(*r).text();
            toRecompute = false;
        }
        return;
    }
    const auto shown = readOrZero(amount);
    if (stale && !(shown && shown->isZero())) {
        amount.clear();
        toRecompute = true;
    }
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
    f.surchargeRate = f.vatRate = f.exemption = f.withholdingRate = kNoneItem;
    return f;
}

void taxableLeft(InvoiceAmounts& f) {
    if (!f.taxable.isEmpty())
        format(f.taxable, f.taxable);
    const auto taxable = read(f.taxable);
    if (!taxable)
        return;
    // The taxable amount the shown amounts were computed from.
    const auto surchargeBefore = readOrZero(f.surcharge);
    const auto totalTaxableBefore = read(f.totalTaxable);
    const bool changed = !surchargeBefore || !totalTaxableBefore ||
                         *totalTaxableBefore - *surchargeBefore != *taxable;
    followRate(f.surcharge, f.surchargeToRecompute, f.surchargeRate, taxable, changed);
    if (const auto surcharge = readOrZero(f.surcharge))
        f.totalTaxable = (*taxable + *surcharge).text();
    followRate(f.vat, f.vatToRecompute, f.vatRate, read(f.totalTaxable), changed);
    followRate(f.withholding, f.withholdingToRecompute, f.withholdingRate, withholdingBase(f),
               changed);
    sumTotals(f);
}

void surchargeRateChosen(InvoiceAmounts& f) {
    f.surchargeToRecompute = false;
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
        setPlain(f.surcharge, percent(read(f.taxable), f.surchargeRate));
        format(f.surcharge, f.surcharge);
        f.totalTaxable.clear();
        setPlain(f.totalTaxable, sum(f.surcharge, f.taxable));
        format(f.totalTaxable, f.totalTaxable);
        format(f.total, f.totalTaxable);
        if (!f.exempt.isEmpty())
            setPlain(f.total, sum(f.exempt, f.totalTaxable));
        format(f.net, f.total);
        format(f.total, f.total);
    }
    // The VAT of a chosen rate was cleared with the total: it waits for the rate.
    if (!isNone(f.vatRate))
        f.vatToRecompute = true;
}

void vatRateChosen(InvoiceAmounts& f) {
    f.vat.clear();
    f.vatToRecompute = false;
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
    f.withholdingToRecompute = false;
    if (isNone(f.withholdingRate)) {
        f.withholding = QStringLiteral("0");
        format(f.net, f.total);
        return;
    }
    setPlain(f.withholding, percent(withholdingBase(f), f.withholdingRate));
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
    sumTotals(f);
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

void chargeStampDuty(InvoiceAmounts& f) {
    f.stampDutyCharged = true;
    sumTotals(f);
}

void dropStampDuty(InvoiceAmounts& f) {
    f.stampDutyCharged = false;
    sumTotals(f);
}

void zeroEmptyAmounts(InvoiceAmounts& f) {
    for (QString* amount : {&f.surcharge, &f.vat, &f.exempt, &f.withholding}) {
        if (amount->isEmpty())
            *amount = QStringLiteral("0");
    }
}

namespace {

using Problem = AmountsProblem;
using Kind = AmountsProblem::Kind;

const QString kRecompute = QStringLiteral(" Ricalcolare gli importi prima di registrare.");

Problem unreadable(const char* field, const QString& text) {
    // A number too large for an amount: the taxable (or an amount typed beside it)
    // makes a total that no cell of the register could hold exactly.
    if (const auto number = store::readRegionalNumber(text);
        number && std::abs(*number) * 100 > double(Amount::kMaxCents)) {
        return {
            Kind::TooLarge,
            QStringLiteral("Il campo \"%1\" (%2) supera l'importo massimo di %3: ridurre "
                           "l'Imponibile o gli importi scritti.")
                .arg(QString::fromUtf8(field), text, Amount::fromCents(Amount::kMaxCents).text())};
    }
    return {Kind::Unreadable,
            QStringLiteral("Il campo \"%1\" contiene \"%2\", che non è un importo: "
                           "correggerlo prima di registrare.")
                .arg(QString::fromUtf8(field), text)};
}

Problem toRecompute(const char* amount, const char* rate) {
    return {Kind::ToRecompute,
            QStringLiteral("L'importo \"%1\" va ricalcolato: scegliere di nuovo \"%2\".")
                .arg(QString::fromUtf8(amount), QString::fromUtf8(rate))};
}

}  // namespace

brisvel::Result<brisvel::Done, AmountsProblem> checkAgreement(const InvoiceAmounts& f) {
    struct Field {
        const char* name;
        const QString& text;
        bool mayBeEmpty;
    };
    const Field fields[] = {{"Imponibile", f.taxable, false},
                            {"Importo Rivalsa", f.surcharge, true},
                            {"Totale Imponibile", f.totalTaxable, false},
                            {"Importo IVA", f.vat, true},
                            {"Importo Esenzione", f.exempt, true},
                            {"Totale Fattura", f.total, false},
                            {"Importo Ritenuta", f.withholding, true},
                            {"Netto", f.net, false}};
    Amount values[8];
    for (std::size_t i = 0; i < 8; ++i) {
        const auto a = fields[i].mayBeEmpty ? readOrZero(fields[i].text) : read(fields[i].text);
        if (!a)
            return unreadable(fields[i].name, fields[i].text);
        values[i] = *a;
    }
    const Amount taxable = values[0], surcharge = values[1], totalTaxable = values[2],
                 vat = values[3], exempt = values[4], total = values[5], withholding = values[6],
                 net = values[7];

    struct Share {
        const char* rateField;
        const QString& rate;
        const char* amountField;
        Amount amount;
        Amount base;
        bool toRecompute;
    };
    const Share shares[] = {
        {"Rivalsa INPS/Cassa %", f.surchargeRate, "Importo Rivalsa", surcharge, taxable,
         f.surchargeToRecompute},
        {"IVA %", f.vatRate, "Importo IVA", vat, totalTaxable, f.vatToRecompute},
        {"Ritenuta Acconto", f.withholdingRate, "Importo Ritenuta", withholding,
         f.surchargeWithheld ? taxable + surcharge : taxable, f.withholdingToRecompute}};
    for (const Share& s : shares) {
        if (s.toRecompute)
            return toRecompute(s.amountField, s.rateField);
        // A registered invoice whose rate no item gives any more shows none.
        if (isNone(s.rate) || s.rate.isEmpty())
            continue;
        const auto rate = Rate::parse(s.rate);
        if (!rate)
            return Problem{Kind::Unreadable,
                           QStringLiteral("L'aliquota \"%1\" di \"%2\" non è un numero: "
                                          "scegliere un'aliquota dell'elenco.")
                               .arg(s.rate, QString::fromUtf8(s.rateField))};
        if (s.base.percent(*rate) != s.amount)
            return Problem{Kind::RateMismatch,
                           QStringLiteral("L'importo \"%1\" (%2) non è il %3 % di %4: scegliere "
                                          "di nuovo \"%5\".")
                               .arg(QString::fromUtf8(s.amountField), s.amount.text(), rate->text(),
                                    s.base.text(), QString::fromUtf8(s.rateField))};
    }

    if (taxable + surcharge != totalTaxable)
        return Problem{Kind::Disagree,
                       QStringLiteral("Il Totale Imponibile (%1) non è l'Imponibile più la "
                                      "Rivalsa (%2).")
                               .arg(totalTaxable.text(), (taxable + surcharge).text()) +
                           kRecompute};
    const Amount parts = totalTaxable + vat + exempt + stampDutyOf(f);
    if (parts != total)
        return Problem{Kind::Disagree,
                       (f.stampDutyCharged
                            ? QStringLiteral("Il Totale Fattura (%1) non è il Totale Imponibile "
                                             "più IVA, Esenzione e imposta di bollo (%2).")
                            : QStringLiteral("Il Totale Fattura (%1) non è il Totale Imponibile "
                                             "più IVA ed Esenzione (%2)."))
                               .arg(total.text(), parts.text()) +
                           kRecompute};
    if (net == total && !withholding.isZero())
        return Problem{Kind::WithholdingNotApplied,
                       QStringLiteral(" Errore - In presenza di un valore  nel campo ritenuta , "
                                      "occorre rilsezionare il conteggio della ritenuta !")};
    if (total - withholding != net)
        return Problem{Kind::Disagree,
                       QStringLiteral("Il Netto (%1) non è il Totale Fattura meno la Ritenuta "
                                      "(%2).")
                               .arg(net.text(), (total - withholding).text()) +
                           kRecompute};
    return brisvel::Done{};
}

}  // namespace registers
