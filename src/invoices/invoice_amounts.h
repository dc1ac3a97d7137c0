#pragma once

// The amounts of an invoice as the entry window computes them while the user types
// and chooses rates: twelve fields of text (four of them the rate and exemption
// combos), each trigger a fixed sequence of steps. A step reads the shown text of
// other fields, computes one value exactly (registers::Amount) and writes it back
// formatted; a step that cannot read a number is skipped, its field keeps its text,
// and the next step runs. No widgets: the window copies its fields in and out.

#include <QString>

namespace invoices {

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

    // Text6 shown red: the VAT was cleared by a surcharge choice and must be
    // recomputed by choosing the VAT rate again.
    bool vatMarked = false;
    // Text7 takes typing once an exemption item was chosen.
    bool exemptEnabled = false;
    // The chosen surcharge is the INPS separate-scheme surcharge (cassa type TC22):
    // it is part of the fee, so the withholding is taken on taxable + surcharge. A
    // professional fund's contribution, or an uncoded item, is not withheld on.
    bool surchargeWithheld = false;

    bool operator==(const InvoiceAmounts&) const = default;
};

// A cleared window: every amount empty, the four combos on "*".
InvoiceAmounts clearedAmounts();

// The triggers, one function each, named after what the user did.
void taxableLeft(InvoiceAmounts& f);            // leaving Text9
void surchargeRateChosen(InvoiceAmounts& f);    // click in Combo5
void vatRateChosen(InvoiceAmounts& f);          // click in Combo6
void exemptionChosen(InvoiceAmounts& f);        // click in Combo3
void exemptLeft(InvoiceAmounts& f);             // leaving Text7
void withholdingRateChosen(InvoiceAmounts& f);  // click in Combo7
void netLeft(InvoiceAmounts& f);                // leaving Text4
void totalTaxableLeft(InvoiceAmounts& f);       // leaving Text5
void vatLeft(InvoiceAmounts& f);                // leaving Text6
void totalLeft(InvoiceAmounts& f);              // leaving Text8

// The stamp duty charged to the client as a line of its own, when it is chosen and
// again at "Registra" and "Modifica": the total becomes total taxable + VAT + exempt
// amount + the duty, the net that total less the withholding; dropped, the total is
// made of its parts alone. Skipped when an amount does not read.
void chargeStampDuty(InvoiceAmounts& f);
void dropStampDuty(InvoiceAmounts& f);

// Before the question of "Registra": the surcharge, VAT, exempt and withholding
// amounts left empty become "0".
void zeroEmptyAmounts(InvoiceAmounts& f);

// The withholding was not applied last: the net equals the total while a
// withholding amount other than 0 is shown.
bool withholdingNeedsRecomputing(const InvoiceAmounts& f);

}  // namespace invoices
