#include "registers/credit_notes.h"

#include "registers/entered_values.h"
#include "registers/invoice_amounts.h"
#include "registers/settings_lists.h"
#include "store/typed_entry.h"

#include <QRegularExpression>

#include <array>

namespace registers {

using namespace invoice;

namespace {

using Kind = CreditNoteRefusal::Kind;

// The amounts of a register row, in column order.
constexpr InvoiceColumn kAmountColumns[] = {Taxable,      Surcharge, TotalTaxable, Vat,
                                            ExemptAmount, Total,     Withholding,  Net};

QString title(const InvoiceRecord& invoice) {
    return QStringLiteral("n. %1 del %2").arg(invoice[Number], invoice[Date]);
}

CreditNoteRefusal refusal(Kind kind, const QString& message) {
    return {kind, message};
}

// `amount` with the opposite sign, as a credit note's register cell holds it; a
// zero keeps the text it had ("0", "*").
QString negated(const QString& text) {
    const std::optional<Amount> amount = cellAmount(text);
    if (!amount || amount->isZero())
        return text;
    return (Amount() - *amount).text();
}

// exempt × part / taxable, rounded half away from zero to the cent.
Amount inProportion(Amount amount, Amount part, Amount whole) {
    const __int128 product = __int128(amount.cents()) * part.cents();
    const __int128 half = whole.cents() / 2;
    const __int128 rounded =
        product >= 0 ? (product + half) / whole.cents() : (product - half) / whole.cents();
    return Amount::fromCents(std::int64_t(rounded));
}

// What is left of each amount of the invoice, its credit notes (negative) added,
// as a credit note's register cell holds it: negative; an amount nothing is left
// of keeps the invoice's text ("0", "*").
std::array<QString, std::size(kAmountColumns)> negatedLeft(const CreditedInvoice& credited) {
    std::array<QString, std::size(kAmountColumns)> cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const InvoiceColumn column = kAmountColumns[i];
        Amount left = cellAmount(credited.invoice[column]).value_or(Amount());
        for (const InvoiceRecord& note : credited.notes)
            left = left + cellAmount(note[column]).value_or(Amount());
        cells[i] = left.isZero() ? credited.invoice[column] : (Amount() - left).text();
    }
    return cells;
}

// A typed amount with a digit other than 0 past the cent ("100,123").
bool beyondTheCent(const QString& typed) {
    static const QRegularExpression pastTheCent(QStringLiteral(",[0-9]{2}[0-9]*[1-9]"));
    return pastTheCent.match(typed).hasMatch();
}

}  // namespace

QString listedNumber(const QString& number, bool creditNote) {
    return creditNote ? number + QLatin1Char(' ') + kCreditNoteMark : number;
}

QString reversalText(const CorrectedInvoice& corrected) {
    return QStringLiteral("a storno della fattura n. %1 del %2")
        .arg(corrected.number, store::italianDateText(corrected.date));
}

QString positiveAmount(const QString& text) {
    const std::optional<Amount> amount = Amount::parse(text);
    if (!amount || *amount >= Amount())
        return text;
    return (Amount() - *amount).text();
}

Amount leftToCredit(const InvoiceRecord& invoice, const std::vector<InvoiceRecord>& notes) {
    Amount left = Amount::parse(invoice[Total]).value_or(Amount());
    for (const InvoiceRecord& note : notes)
        left = left + Amount::parse(note[Total]).value_or(Amount());
    return left;
}

brisvel::Result<CreditedInvoice, CreditNoteRefusal> creditable(
    const std::vector<InvoiceRecord>& chosen, const std::vector<InvoiceRecord>& rows,
    const InvoiceExtras& extras) {
    if (chosen.size() != 1)
        return refusal(Kind::NothingChosen,
                       chosen.empty()
                           ? QStringLiteral("Nessuna fattura scelta: scegliere nel registro, con "
                                            "Ctrl+clic, la fattura da stornare.")
                           : QStringLiteral("Sono scelte %1 fatture: la nota di credito storna "
                                            "una fattura sola. Sceglierne una, con Ctrl+clic.")
                                 .arg(chosen.size()));
    const InvoiceRecord& invoice = chosen.front();
    if (const auto corrected = extras.corrects(invoice[Id]))
        return refusal(Kind::OfCreditNote,
                       QStringLiteral("La %1 è una nota di credito (della fattura n. %2): una "
                                      "nota di credito non si storna. Scegliere la fattura.")
                           .arg(title(invoice), corrected->number));
    for (const InvoiceColumn column : kAmountColumns) {
        if (!cellAmount(invoice[column]))
            return refusal(Kind::Unreadable,
                           QStringLiteral("La fattura %1 ha un importo che non è un numero "
                                          "(\"%2\"): correggerla prima di stornarla.")
                               .arg(title(invoice), invoice[column]));
    }
    CreditedInvoice credited{invoice, {}, {}, extras.stampDutyCharged(invoice[Id])};
    const QStringList noteIds = extras.creditNotesOf(invoice[Id]);
    for (const InvoiceRecord& row : rows) {
        if (noteIds.contains(row[Id]))
            credited.notes.push_back(row);
    }
    credited.left = leftToCredit(invoice, credited.notes);
    if (credited.left <= Amount())
        return refusal(Kind::NothingLeft,
                       QStringLiteral("La fattura %1 è già stornata per intero dalle sue note "
                                      "di credito: non resta nulla da stornare.")
                           .arg(title(invoice)));
    return credited;
}

QString creditNoteSignProblem(const InvoiceRecord& note) {
    const std::optional<Amount> total = Amount::parse(note[Total]);
    if (!total || *total <= Amount())
        return {};
    return QStringLiteral(
               "La nota di credito n. %1 ha il totale positivo (%2): i suoi importi "
               "restano negativi, perché stornano la fattura. Nessuna modifica è "
               "stata registrata.")
        .arg(note[Number], total->text());
}

QStringList notesStillToCollect(const QString& invoiceId, const std::vector<InvoiceRecord>& rows,
                                const InvoiceExtras& extras) {
    const QStringList notes = extras.creditNotesOf(invoiceId);
    QStringList out;
    for (const InvoiceRecord& row : rows) {
        if (notes.contains(row[Id]) && row[Collection] == kStarMark)
            out << row[Id];
    }
    return out;
}

namespace {

// A part of the invoice: the taxable typed, the rest by the amount steps with the
// invoice's rates.
brisvel::Result<InvoiceAmounts, CreditNoteRefusal> partAmounts(const CreditedInvoice& credited,
                                                               const RateItems& items,
                                                               const QString& typedPart) {
    const InvoiceRecord& invoice = credited.invoice;
    const std::optional<Amount> part = Amount::parse(typedPart);
    if (!part)
        return refusal(Kind::Unreadable,
                       QStringLiteral("L'imponibile da stornare (\"%1\") non è un importo: "
                                      "scrivere l'imponibile della parte da stornare.")
                           .arg(typedPart));
    if (beyondTheCent(typedPart))
        return refusal(Kind::Unreadable,
                       QStringLiteral("L'imponibile da stornare (\"%1\") ha più di due decimali: "
                                      "scriverlo al centesimo.")
                           .arg(typedPart));
    if (*part <= Amount())
        return refusal(Kind::NoPart, QStringLiteral("L'imponibile da stornare è zero: scrivere "
                                                    "l'imponibile della parte da stornare."));
    const Amount taxable = *cellAmount(invoice[Taxable]);
    const Amount surcharge = *cellAmount(invoice[Surcharge]);
    const Amount totalTaxable = *cellAmount(invoice[TotalTaxable]);
    const Amount vat = *cellAmount(invoice[Vat]);
    const Amount exempt = *cellAmount(invoice[ExemptAmount]);
    const Amount withholding = *cellAmount(invoice[Withholding]);

    const auto notFound = [&](const char* what, Amount amount, Amount base) {
        return refusal(
            Kind::RateNotFound,
            QStringLiteral("Nessuna aliquota %1 dell'elenco dà %2 su %3 della fattura "
                           "%4: la parte non si può calcolare. Stornare l'intera "
                           "fattura, o rimettere l'aliquota nell'elenco.")
                .arg(QString::fromUtf8(what), amount.text(), base.text(), title(invoice)));
    };
    const InvoiceRates rates = ratesOf(invoice, items);
    if (!rates.surcharge)
        return notFound("INPS/Cassa", surcharge, taxable);
    if (!rates.vat)
        return notFound("IVA", vat, totalTaxable);
    if (!rates.withholding)
        return notFound("di ritenuta", withholding, taxable);

    InvoiceAmounts f = clearedAmounts();
    f.taxable = part->text();
    f.surchargeRate = *rates.surcharge;
    f.vatRate = *rates.vat;
    f.withholdingRate = *rates.withholding;
    f.surchargeWithheld = rates.surchargeWithheld;
    f.exemption = invoice[Exemption].trimmed().isEmpty() ? kNoneItem : invoice[Exemption];
    const Amount exemptPart = taxable.isZero() ? Amount() : inProportion(exempt, *part, taxable);
    f.exempt = exemptPart.isZero() ? QStringLiteral("0") : exemptPart.text();
    taxableLeft(f);
    zeroEmptyAmounts(f);
    return f;
}

}  // namespace

brisvel::Result<CreditNote, CreditNoteRefusal> makeCreditNote(const CreditedInvoice& credited,
                                                              const RateItems& items,
                                                              const CreditNoteChoice& choice) {
    const InvoiceRecord& invoice = credited.invoice;
    const std::optional<QDate> date = store::readItalianDate(choice.date.trimmed());
    const std::optional<QDate> invoiceDate = store::readItalianDate(invoice[Date].trimmed());
    if (!date)
        return refusal(Kind::BadDate,
                       QStringLiteral("La data della nota di credito (\"%1\") non è una data: "
                                      "scriverla come gg/mm/aaaa.")
                           .arg(choice.date));
    if (invoiceDate && *date < *invoiceDate)
        return refusal(Kind::BadDate,
                       QStringLiteral("La nota di credito del %1 precede la fattura %2 che "
                                      "storna: scegliere una data dal %3 in poi.")
                           .arg(store::italianDateText(*date), title(invoice), invoice[Date]));
    if (const auto tooLong = overlongTextRefusal(QStringLiteral("Descrizione"), choice.description))
        return refusal(Kind::TooLong, *tooLong);

    CreditNote note;
    InvoiceRecord& r = note.record;
    r[Id] = choice.id;
    r[Client] = invoice[Client];
    r[ClientId] = invoice[ClientId];
    r[Number] = choice.number;
    r[Date] = store::italianDateText(*date);
    r[Description] = choice.description;
    r[Exemption] = invoice[Exemption];
    r[PaidBy] = invoice[PaidBy];
    // The note that brings the invoice to zero takes each amount as what is left of
    // it, so that the invoice and its notes add up to zero in every column, whatever
    // the rounding of the earlier parts: the whole (or the rest of the) invoice, or
    // a part of the whole taxable that is left.
    bool closing = choice.whole;
    if (choice.whole) {
        note.stampDuty = !credited.stampDuty.isZero();
    } else {
        const auto computed = partAmounts(credited, items, choice.taxablePart);
        if (!computed)
            return computed.error();
        const InvoiceAmounts& f = *computed;
        const QString* amounts[] = {&f.taxable, &f.surcharge, &f.totalTaxable, &f.vat,
                                    &f.exempt,  &f.total,     &f.withholding,  &f.net};
        for (std::size_t i = 0; i < std::size(kAmountColumns); ++i)
            r[kAmountColumns[i]] = negated(*amounts[i]);
        closing = r[Taxable] == negatedLeft(credited)[0];
        note.stampDuty = closing && !credited.stampDuty.isZero();
    }
    if (closing) {
        const auto left = negatedLeft(credited);
        for (std::size_t i = 0; i < std::size(kAmountColumns); ++i)
            r[kAmountColumns[i]] = left[i];
    }

    const Amount credit = Amount() - *Amount::parse(r[Total]);
    if (credit > credited.left)
        return refusal(Kind::MoreThanLeft,
                       QStringLiteral("La nota di credito di %1 supera quanto resta da stornare "
                                      "della fattura %2 (%3): %4.")
                           .arg(credit.text(), title(invoice), credited.left.text(),
                                choice.whole ? QStringLiteral("stornarne solo una parte")
                                             : QStringLiteral("ridurre la parte da stornare")));

    note.corrects = {invoice[Id], invoice[Number], invoiceDate.value_or(QDate())};
    r[Collection] = kStarMark;
    if (credit == credited.left && invoice[Collection] == kStarMark) {
        r[Collection] = r[Date];
        note.settled << invoice[Id];
        for (const InvoiceRecord& earlier : credited.notes) {
            if (earlier[Collection] == kStarMark)
                note.settled << earlier[Id];
        }
    }
    return note;
}

}  // namespace registers
