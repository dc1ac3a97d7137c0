#pragma once

// The amounts of an invoice as the entry window computes them while the user types
// and chooses rates: twelve fields of text (four of them the rate and exemption
// combos), each trigger a fixed sequence of steps. A step reads the shown text of
// other fields, computes one value exactly (Amount) and writes it back formatted; a
// step that cannot read a number is skipped, its field keeps its text, and the next
// step runs. A new taxable amount recomputes every amount that depends on it. No
// widgets: the window copies its fields in and out.

#include <QString>

#include "base/result.h"

namespace registers {

struct InvoiceAmounts {
    QString taxable;          // Text9 "Imponibile "
    QString surchargeRate;    // Combo5 "Rivalsa INPS/Cassa %"
    QString surcharge;        // Text3
    QString totalTaxable;     // Text5 "Totale Imponibile"
    QString vatRate;          // Combo6 "IVA %"
    QString vat;              // Text6
    QString exemption;        // Combo3 "Esenzione"
    QString exempt;           // Text7
    QString total;            // Text8 "Totale Fattura"
    QString withholdingRate;  // Combo7 "Ritenuta Acconto"
    QString withholding;      // Text14
    QString net;              // Text4 "Netto"

    // The VAT was cleared by a surcharge choice (or a new taxable amount with no
    // VAT rate shown) and is computed again only by choosing the VAT rate.
    bool vatToRecompute = false;
    // The same for the surcharge and the withholding: a new taxable amount left
    // them without a rate to compute them from.
    bool surchargeToRecompute = false;
    bool withholdingToRecompute = false;
    // Text7 takes typing once an exemption item was chosen.
    bool exemptEnabled = false;
    // The chosen surcharge is the INPS separate-scheme surcharge (cassa type TC22):
    // it is part of the fee, so the withholding is taken on taxable + surcharge. A
    // professional fund's contribution, or an uncoded item, is not withheld on.
    bool surchargeWithheld = false;
    // The stamp duty is charged to the client as a line of its own, in the total.
    bool stampDutyCharged = false;

    bool operator==(const InvoiceAmounts&) const = default;
};

// A cleared window: every amount empty, the four combos on "*".
InvoiceAmounts clearedAmounts();

// The triggers, one function each, named after what the user did.
// Leaving Text9: the surcharge, VAT and withholding follow the new taxable amount by
// their chosen rates, and the totals follow them. An amount with no rate chosen
// that the new taxable amount makes stale is cleared and waits for its rate.
void taxableLeft(InvoiceAmounts& f);
void surchargeRateChosen(InvoiceAmounts& f);    // click in Combo5
void vatRateChosen(InvoiceAmounts& f);          // click in Combo6
void exemptionChosen(InvoiceAmounts& f);        // click in Combo3
void exemptLeft(InvoiceAmounts& f);             // leaving Text7
void withholdingRateChosen(InvoiceAmounts& f);  // click in Combo7
void netLeft(InvoiceAmounts& f);                // leaving Text4
// Leaving Text5: the total and the net are summed again from their parts.
void totalTaxableLeft(InvoiceAmounts& f);
void vatLeft(InvoiceAmounts& f);    // leaving Text6
void totalLeft(InvoiceAmounts& f);  // leaving Text8

// The stamp duty charged to the client as a line of its own, when it is chosen and
// again at "Registra" and "Modifica": the total becomes total taxable + VAT + exempt
// amount + the duty, the net that total less the withholding; dropped, the total is
// made of its parts alone. Skipped when an amount does not read.
void chargeStampDuty(InvoiceAmounts& f);
void dropStampDuty(InvoiceAmounts& f);

// Before the question of "Registra": the surcharge, VAT, exempt and withholding
// amounts left empty become "0".
void zeroEmptyAmounts(InvoiceAmounts& f);

// Why amounts cannot be registered, with the sentence that tells the user.
struct AmountsProblem {
    enum class Kind {
        Unreadable,             // an amount or a rate is not a number
        TooLarge,               // an amount beyond the largest one a register holds
        ToRecompute,            // an amount was cleared and waits for its rate
        WithholdingNotApplied,  // the net equals the total beside a withholding
        RateMismatch,           // an amount is not its rate's share
        Disagree,               // a total is not the sum of its parts
    };
    Kind kind;
    QString message;
};

// Whether the amounts agree, as "Registra" and "Modifica" require: every amount
// reads (an empty surcharge, VAT, exempt amount or withholding, and the register's
// "*" of a missing surcharge, count as 0), nothing waits to be recomputed, each
// amount beside a chosen rate is that rate's share, the total taxable is the taxable
// plus the surcharge, the total is the total taxable plus VAT plus the exempt amount,
// and the net is the total less the withholding.
brisvel::Result<brisvel::Done, AmountsProblem> checkAgreement(const InvoiceAmounts& f);

}  // namespace registers
