#pragma once

// What an invoice carries beyond the register's columns A to Q, kept in a sheet the
// program owns, DatiFatture, one row per invoice keyed by its register ID: the
// register's own sheet ends at Q, and users keep their own formulas to its right.
// Today: the stamp duty charged to the client as a line of its own, the name of
// the electronic-invoice file the invoice last went to, its due date, for a credit
// note the invoice it corrects, and the rates its amounts were made with. Apart
// from those rows, the last number each year gave, which outlives an emptied
// register. Widget-free.

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

#include "registers/amount.h"
#include "registers/sheet_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
class WorkbookStore;
}  // namespace store

namespace registers {

inline const QString kInvoiceExtrasSheet = QStringLiteral("DatiFatture");

// The stamp duty on an invoice whose amounts without VAT exceed 77,47 €.
inline constexpr Amount kStampDuty = Amount::fromCents(200);
inline constexpr Amount kStampDutyThreshold = Amount::fromCents(7747);
inline const QString kStampDutyLine = QStringLiteral("Rimborso imposta di bollo");

// A credit note (TD04) is registered like an invoice with its amounts negative, so
// that every sum over the register counts it against what the client owes; it
// names the invoice it corrects by register ID, number and date.
struct CorrectedInvoice {
    QString id;
    QString number;
    QDate date;
    bool operator==(const CorrectedInvoice&) const = default;
};
inline const QString kCreditNoteKind = QStringLiteral("TD04");

// The settings items an invoice's amounts were made with, as the entry window
// showed them; empty texts when not kept.
struct KeptRates {
    QString surcharge;
    QString vat;
    QString withholding;
    bool operator==(const KeptRates&) const = default;
};

const SheetLayout& invoiceExtrasLayout();

// Adds the sheet after the others when it is missing and writes its header row.
void prepareInvoiceExtrasSheet(store::WorkbookStore& store);

store::Result<store::Worksheet> invoiceExtrasSheet(store::Workbook& book);

// Emptying the register starts its IDs again from 1: what was kept for the old IDs
// goes with them, so that a new invoice never inherits an old one's stamp duty.
void forgetInvoiceExtras(store::WorkbookStore& store);

// Numbers run through the year and one issued stays issued: before the register is
// emptied, the highest number of each year in it is kept (a higher one already kept
// stays).
void keepIssuedNumbers(store::WorkbookStore& store);
// A restored backup may be older than invoices already issued: the restored
// workbook keeps each year's last number of the store it replaces.
void keepIssuedNumbers(store::Workbook& current, store::Workbook& restored);
// The highest number kept for `year`; 0 when none is.
qint64 lastIssuedNumber(store::Workbook& book, int year);

// The sheet read once; setters write through.
class InvoiceExtras {
  public:
    explicit InvoiceExtras(store::Worksheet sheet);

    // The stamp duty charged on invoice `id` as a line; zero when none.
    Amount stampDutyCharged(const QString& id) const;
    void setStampDutyCharged(const QString& id, bool charged);

    // The electronic-invoice file invoice `id` was last exported to; empty when never.
    QString exportedAs(const QString& id) const;
    void setExportedAs(const QString& id, const QString& fileName);

    // The due date kept for invoice `id`; invalid when none is kept.
    QDate dueDate(const QString& id) const;
    void setDueDate(const QString& id, const QDate& due);

    // The rates invoice `id` was registered with; empty when none were kept.
    KeptRates rates(const QString& id) const;
    void setRates(const QString& id, const KeptRates& rates);

    // The invoice that credit note `id` corrects; none when `id` is an invoice.
    std::optional<CorrectedInvoice> corrects(const QString& id) const;
    bool isCreditNote(const QString& id) const { return corrects(id).has_value(); }
    // Marks `id` as a credit note of `corrected`.
    void setCorrects(const QString& id, const CorrectedInvoice& corrected);
    // The credit notes that correct invoice `invoiceId`, in the order they were kept.
    QStringList creditNotesOf(const QString& invoiceId) const;
    // Every credit note kept, by register ID.
    QSet<QString> creditNoteIds() const;

  private:
    // The row of invoice `id`, given the first free one when it has none.
    int rowFor(const QString& id);

    store::Worksheet sheet_;
    QHash<QString, int> rows_;             // register ID -> row
    QHash<QString, QStringList> notesOf_;  // invoice ID -> its credit notes' IDs
};

// Records whether invoice `id` charges the stamp duty; an error only when it does
// and the store has no sheet for it.
store::Result<store::Done> recordStampDuty(store::Workbook& book, const QString& id, bool charged);

// Keeps the rates invoice `id` was registered with. Without a sheet to keep them in
// nothing is kept: the rates are then worked back from the amounts.
void recordRates(store::Workbook& book, const QString& id, const KeptRates& rates);

}  // namespace registers
