#pragma once

// Credit notes: how much of an invoice is left to credit, which invoice may be
// credited, and the credit note's register row. A credit note is registered like
// an invoice, with the next ID and number of the register and its amounts
// negative, so every sum over the register counts it against what the client owes;
// the invoice it corrects is kept beside it in InvoiceExtras. Widget-free.

#include <QString>
#include <QStringList>

#include <vector>

#include "base/result.h"
#include "registers/amount.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_rates.h"
#include "registers/invoice_register.h"

namespace registers {

// Beside a credit note's number in every list: "13 NC".
inline const QString kCreditNoteMark = QStringLiteral("NC");
QString listedNumber(const QString& number, bool creditNote);

// The printed document's title, and the line that names the corrected invoice:
// "a storno della fattura n. 7 del 05/03/2024".
inline const QString kCreditNoteTitle = QStringLiteral("NOTA DI CREDITO");
QString reversalText(const CorrectedInvoice& corrected);

// An amount as a credit note's document shows it: positive. A text that is not an
// amount ("*") stays as it is.
QString positiveAmount(const QString& text);

// What is left to credit of an invoice: its total plus the (negative) totals of
// the credit notes already made of it.
Amount leftToCredit(const InvoiceRecord& invoice, const std::vector<InvoiceRecord>& notes);

// Why a credit note cannot be made, with the sentence that tells the user.
struct CreditNoteRefusal {
    enum class Kind {
        NothingChosen,  // no invoice, or more than one, chosen
        OfCreditNote,   // the invoice chosen is itself a credit note
        NothingLeft,    // earlier credit notes took the whole invoice
        Unreadable,     // an amount of the invoice, or the part typed, is not an amount
        NoPart,         // a part of zero
        MoreThanLeft,   // the credit note exceeds what is left of the invoice
        RateNotFound,   // a partial note needs a rate no settings item gives
        BadDate,        // the credit note's date is not a date, or precedes the invoice's
        TooLong,        // the description is longer than a cell holds
    };
    Kind kind;
    QString message;
};

// The invoice chosen for a credit note, with what is left of it and the credit
// notes made of it so far.
struct CreditedInvoice {
    InvoiceRecord invoice;
    Amount left;
    std::vector<InvoiceRecord> notes;
    // The stamp duty the invoice charged as a line; zero when none.
    Amount stampDuty;
};

// `chosen`: the register rows the user chose; `rows`: the whole register. Refused
// when not exactly one invoice is chosen, when it is a credit note, or when
// nothing of it is left to credit.
brisvel::Result<CreditedInvoice, CreditNoteRefusal> creditable(
    const std::vector<InvoiceRecord>& chosen, const std::vector<InvoiceRecord>& rows,
    const InvoiceExtras& extras);

// What the user chose for the credit note.
struct CreditNoteChoice {
    // The whole invoice, or after earlier notes all that is left of it.
    bool whole = true;
    QString taxablePart;  // the taxable amount to credit, for a part
    QString id;           // the register's next ID
    QString number;       // the credit note's number
    QString date;         // dd/mm/yyyy
    QString description;
};

// The credit note ready to be registered.
struct CreditNote {
    InvoiceRecord record;  // amounts negative
    CorrectedInvoice corrects;
    // The stamp duty line given back: the whole invoice's, none for a part.
    bool stampDuty = false;
    // When nothing is left to collect of an invoice not yet collected, it is
    // settled: the credit note's record carries its own date as collected, and
    // these IDs (the invoice and its earlier notes still to collect) take it too.
    QStringList settled;
};

// A credit note modified keeps its amounts negative: a total above zero would count
// it as owed by the client. The sentence that tells the user, or an empty text.
QString creditNoteSignProblem(const InvoiceRecord& note);

// The credit notes of invoice `invoiceId` still to collect, by ID: when the invoice
// is collected, they are collected with it (what the client paid is net of them).
QStringList notesStillToCollect(const QString& invoiceId, const std::vector<InvoiceRecord>& rows,
                                const InvoiceExtras& extras);

// The whole note takes what is left of each of the invoice's amounts (all of them
// before any note), the stamp duty line with them. A part takes the taxable typed
// and computes the rest by the entry window's amount steps with the invoice's rates
// (recovered from the settings items), the exempt amount in proportion; the part
// that takes all the taxable left closes the invoice as the whole note does, so the
// invoice and its notes add up to zero in every column. Refused when the part is not
// an amount to the cent or is zero, when the note's total exceeds what is left, when
// a rate cannot be recovered, or when the date is not one or precedes the invoice's.
brisvel::Result<CreditNote, CreditNoteRefusal> makeCreditNote(const CreditedInvoice& credited,
                                                              const RateItems& items,
                                                              const CreditNoteChoice& choice);

}  // namespace registers
