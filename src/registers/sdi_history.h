#pragma once

// What the exchange system (SDI) said about each electronic-invoice file, kept in a
// sheet the program owns, RicevuteSDI: one row per event, keyed by the invoice's
// register ID: the file written by the export, then each receipt read for it. The
// rows keep every file an invoice went to, so an invoice rejected and exported again
// shows both. An invoice's state is the furthest event of the last file it went to,
// unless that file never reached the client and an earlier one did: a copy rejected
// as a duplicate does not undo a delivery. Widget-free.

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "registers/invoice_extras.h"
#include "registers/sheet_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
class WorkbookStore;
}  // namespace store

namespace registers {

inline const QString kSdiHistorySheet = QStringLiteral("RicevuteSDI");

// In the order a file's life runs: written, then rejected or handed on, then the end
// of the public client's time to answer, then its answer, which is final.
enum class SdiEvent { Exported, Rejected, NotDelivered, Delivered, Attested, Outcome, Deadline };

// The code kept in the sheet: EXP, NS, MC, RC, AT, NE, DT.
QString eventCode(SdiEvent event);
std::optional<SdiEvent> eventFromCode(const QString& code);

// The public client's answer in an outcome (NE).
inline const QString kOutcomeAccepted = QStringLiteral("EC01");
inline const QString kOutcomeRefused = QStringLiteral("EC02");

struct SdiRecord {
    QString invoiceId;
    QString file;  // the invoice file's name, as exported
    SdiEvent event = SdiEvent::Exported;
    // Of a receipt: delivery, or reception by the system; of an export, the day the
    // file was written (none in a row kept before exports carried it).
    QDate date;
    QString sdiId;       // the number the system gave the file
    QString messageId;   // the receipt's own; empty for an export
    QString outcome;     // NE: EC01 or EC02
    QStringList errors;  // NS: "00404 Fattura duplicata"; NE and MC: their description

    // "Consegnata il 05/02/2025", "Scartata: 00404 Fattura duplicata", ...
    QString stateText() const;
    // The client has the invoice, or can have it: exporting it again sends it twice.
    bool reachedClient() const;
    bool operator==(const SdiRecord&) const = default;
};

// The errors of a receipt as the history keeps them, one a line in one cell: all of
// them when they fit, else the first that fit and a last line "… e altri 73 errori".
QStringList errorsFittingACell(const QStringList& errors);

const SheetLayout& sdiHistoryLayout();

// Adds the sheet after the others when it is missing and writes its header row.
void prepareSdiHistorySheet(store::WorkbookStore& store);

// The sheet; an error in a store from before it existed.
store::Result<store::Worksheet> sdiHistorySheet(store::Workbook& book);

// Emptying the register starts its IDs again from 1: the history of the old IDs
// goes with them.
void forgetSdiHistory(store::WorkbookStore& store);

// The sheet read once; `record` writes through.
class SdiHistory {
  public:
    explicit SdiHistory(store::Worksheet sheet);

    const std::vector<SdiRecord>& records() const { return records_; }

    // The invoice a file went to; empty when the history does not know the file.
    QString invoiceOfFile(const QString& file) const;
    // Whether this receipt (its kind, file and message) is kept already.
    bool holds(const SdiRecord& record) const;
    // Appends the event; an error only when the sheet is full.
    store::Result<store::Done> record(const SdiRecord& record);

    // The state of invoice `id`, whose last file is `lastFile`: the furthest event of
    // that file (of two alike the later by date, then by the system's message number),
    // or the export alone when no receipt came for it; when that file never reached the
    // client, the state of an earlier file of the invoice that did. The order receipts
    // were read in makes no difference. None when it was never exported.
    std::optional<SdiRecord> stateOf(const QString& id, const QString& lastFile) const;

  private:
    void index(const SdiRecord& record);
    // The furthest event of invoice `id`'s file `file`; null when none is kept.
    const SdiRecord* furthestOf(const QString& id, const QString& file) const;

    store::Worksheet sheet_;
    std::vector<SdiRecord> records_;
    int nextRow_ = 2;                             // the first without an ID
    QHash<QString, QString> invoiceOfFile_;       // file, folded -> register ID
    QHash<QString, std::vector<int>> byFile_;     // file, folded -> indexes into records_
    QHash<QString, std::vector<int>> byInvoice_;  // register ID -> indexes into records_
    QSet<QString> receipts_;
};

// The state of each invoice of a store, read when asked: the history over the name
// of the file each invoice last went to, kept beside the register.
class SdiStates {
  public:
    // Without either sheet (a store from before them) no invoice has a state.
    explicit SdiStates(store::Workbook& book);

    std::optional<SdiRecord> of(const QString& id) const;

  private:
    std::optional<InvoiceExtras> extras_;
    std::optional<SdiHistory> history_;
};

}  // namespace registers
