#include "registers/sdi_history.h"

#include "registers/cell_writes.h"
#include "registers/entered_values.h"
#include "store/sheet_idioms.h"
#include "store/typed_entry.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <array>

namespace registers {

namespace {

constexpr int kFirstRow = 2;
constexpr int kIdColumn = 1;         // A
constexpr int kFileColumn = 2;       // B
constexpr int kEventColumn = 3;      // C
constexpr int kDateColumn = 4;       // D, dd/mm/yyyy
constexpr int kSdiIdColumn = 5;      // E
constexpr int kMessageIdColumn = 6;  // F
constexpr int kOutcomeColumn = 7;    // G
constexpr int kErrorsColumn = 8;     // H, one error a line

constexpr std::array<std::pair<SdiEvent, const char*>, 7> kCodes = {{
    {SdiEvent::Exported, "EXP"},
    {SdiEvent::Rejected, "NS"},
    {SdiEvent::NotDelivered, "MC"},
    {SdiEvent::Delivered, "RC"},
    {SdiEvent::Attested, "AT"},
    {SdiEvent::Outcome, "NE"},
    {SdiEvent::Deadline, "DT"},
}};

// A file's answers come in this order. The public client's answer is final over the
// end of its time to answer, whichever was read first.
int rank(SdiEvent event) {
    switch (event) {
        case SdiEvent::Deadline:
            return int(SdiEvent::Outcome);
        case SdiEvent::Outcome:
            return int(SdiEvent::Outcome) + 1;
        default:
            return int(event);
    }
}

// The system numbers its messages as it sends them: a longer number is a later one.
bool messageBefore(const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Whether `a` is overtaken by `b` as a file's state: a further event, or of two alike
// the later by date (when both carry one), then by message number.
bool overtakenBy(const SdiRecord& a, const SdiRecord& b) {
    if (rank(a.event) != rank(b.event))
        return rank(a.event) < rank(b.event);
    if (a.date.isValid() && b.date.isValid() && a.date != b.date)
        return a.date < b.date;
    return messageBefore(a.messageId, b.messageId);
}

// File names compare as the system compares them: without case.
QString folded(const QString& file) {
    return file.toLower();
}

QString receiptKey(const SdiRecord& r) {
    return eventCode(r.event) + u'|' + folded(r.file) + u'|' + r.messageId;
}

// The state of a file no receipt came for.
SdiRecord exportOnly(const QString& id, const QString& file) {
    SdiRecord exported;
    exported.invoiceId = id;
    exported.file = file;
    return exported;
}

QString onDate(const QDate& date) {
    return date.isValid() ? QStringLiteral(" il ") + store::italianDateText(date) : QString();
}

}  // namespace

QStringList errorsFittingACell(const QStringList& errors) {
    if (errors.join(u'\n').size() <= kCellTextLimit)
        return errors;
    // Room for the last line, whatever count it says.
    const qsizetype room = kCellTextLimit - 40;
    QStringList kept;
    qsizetype used = 0;
    for (const QString& error : errors) {
        if (used + error.size() + 1 > room)
            break;
        kept << error;
        used += error.size() + 1;
    }
    const qsizetype left = errors.size() - kept.size();
    kept << (left == 1 ? QStringLiteral("… e un altro errore")
                       : QStringLiteral("… e altri %1 errori").arg(left));
    return kept;
}

QString eventCode(SdiEvent event) {
    for (const auto& [e, code] : kCodes)
        if (e == event)
            return QString::fromLatin1(code);
    Q_UNREACHABLE();
}

std::optional<SdiEvent> eventFromCode(const QString& code) {
    for (const auto& [e, text] : kCodes)
        if (code == QLatin1String(text))
            return e;
    return std::nullopt;
}

QString SdiRecord::stateText() const {
    const QString details = errors.join(QStringLiteral("; "));
    const QString withDetails = details.isEmpty() ? QString() : QStringLiteral(": ") + details;
    switch (event) {
        case SdiEvent::Exported:
            return QStringLiteral("Esportata") + onDate(date);
        case SdiEvent::Rejected:
            return QStringLiteral("Scartata") + onDate(date) + withDetails;
        case SdiEvent::NotDelivered:
            return QStringLiteral("Non consegnata") + onDate(date) +
                   QStringLiteral(": è nell'area riservata del cliente, che va avvisato");
        case SdiEvent::Delivered:
            return QStringLiteral("Consegnata") + onDate(date);
        case SdiEvent::Attested:
            return QStringLiteral("Trasmissione attestata") + onDate(date) +
                   QStringLiteral(": non recapitata al cliente");
        case SdiEvent::Outcome:
            return (outcome == kOutcomeRefused ? QStringLiteral("Rifiutata dal cliente")
                                               : QStringLiteral("Accettata dal cliente")) +
                   withDetails;
        case SdiEvent::Deadline:
            return QStringLiteral("Decorsi i termini senza esito del cliente");
    }
    Q_UNREACHABLE();
}

bool SdiRecord::reachedClient() const {
    return event != SdiEvent::Exported && event != SdiEvent::Rejected;
}

const SheetLayout& sdiHistoryLayout() {
    static const SheetLayout layout{
        kSdiHistorySheet,
        {QStringLiteral("ID FATTURA"), QStringLiteral("FILE"), QStringLiteral("EVENTO"),
         QStringLiteral("DATA"), QStringLiteral("ID SDI"), QStringLiteral("ID MESSAGGIO"),
         QStringLiteral("ESITO"), QStringLiteral("ERRORI")},
        false,
        {kIdColumn, kFileColumn, kEventColumn, kDateColumn, kSdiIdColumn, kMessageIdColumn,
         kOutcomeColumn, kErrorsColumn},
        {},
    };
    return layout;
}

void prepareSdiHistorySheet(store::WorkbookStore& store) {
    const SheetLayout& layout = sdiHistoryLayout();
    writeLayout(store.ensureSheet(layout.sheet), layout);
}

store::Result<store::Worksheet> sdiHistorySheet(store::Workbook& book) {
    auto sheet = book.sheet(kSdiHistorySheet);
    if (!sheet) {
        return store::Error{sheet.error().kind,
                            QStringLiteral("Lo storico delle ricevute SDI non è disponibile: ") +
                                sheet.error().message};
    }
    return *sheet;
}

void forgetSdiHistory(store::WorkbookStore& store) {
    clearBelowHeader(store.workbook(), sdiHistoryLayout(), kIdColumn, kErrorsColumn);
}

SdiHistory::SdiHistory(store::Worksheet sheet) : sheet_(sheet) {
    for (int row = kFirstRow;; ++row) {
        SdiRecord r;
        r.invoiceId = sheet_.text(row, kIdColumn);
        if (r.invoiceId.isEmpty()) {
            nextRow_ = row;
            break;
        }
        // A row a user spoiled by hand is passed over, not guessed at.
        const std::optional<SdiEvent> event = eventFromCode(sheet_.text(row, kEventColumn));
        r.file = sheet_.text(row, kFileColumn);
        if (!event || r.file.isEmpty())
            continue;
        r.event = *event;
        r.date = store::readItalianDate(sheet_.text(row, kDateColumn)).value_or(QDate());
        r.sdiId = sheet_.text(row, kSdiIdColumn);
        r.messageId = sheet_.text(row, kMessageIdColumn);
        r.outcome = sheet_.text(row, kOutcomeColumn);
        const QString errors = sheet_.text(row, kErrorsColumn);
        if (!errors.isEmpty())
            r.errors = errors.split(u'\n');
        index(r);
    }
}

void SdiHistory::index(const SdiRecord& r) {
    records_.push_back(r);
    const int at = int(records_.size()) - 1;
    byFile_[folded(r.file)].push_back(at);
    byInvoice_[r.invoiceId].push_back(at);
    invoiceOfFile_.insert(folded(r.file), r.invoiceId);
    if (r.event != SdiEvent::Exported)
        receipts_.insert(receiptKey(r));
}

QString SdiHistory::invoiceOfFile(const QString& file) const {
    return invoiceOfFile_.value(folded(file));
}

bool SdiHistory::holds(const SdiRecord& record) const {
    return receipts_.contains(receiptKey(record));
}

store::Result<store::Done> SdiHistory::record(const SdiRecord& r) {
    const int row = nextRow_;
    // Only a sheet filled to its last row refuses the first cell; the others follow.
    if (!sheet_.setIdentifier(row, kIdColumn, r.invoiceId))
        return store::Error{store::Error::Kind::Full,
                            QStringLiteral("Lo storico delle ricevute SDI è pieno.")};
    ++nextRow_;
    const auto write = [&](int column, const QString& text) {
        expectWritten(sheet_.setIdentifier(row, column, text));
    };
    write(kFileColumn, r.file);
    write(kEventColumn, eventCode(r.event));
    write(kDateColumn, r.date.isValid() ? store::italianDateText(r.date) : QString());
    write(kSdiIdColumn, r.sdiId);
    write(kMessageIdColumn, r.messageId);
    write(kOutcomeColumn, r.outcome);
    write(kErrorsColumn, r.errors.join(u'\n'));
    index(r);
    return store::Done{};
}

const SdiRecord* SdiHistory::furthestOf(const QString& id, const QString& file) const {
    const SdiRecord* furthest = nullptr;
    for (const int at : byFile_.value(folded(file))) {
        const SdiRecord& r = records_[std::size_t(at)];
        if (r.invoiceId == id && (!furthest || overtakenBy(*furthest, r)))
            furthest = &r;
    }
    return furthest;
}

std::optional<SdiRecord> SdiHistory::stateOf(const QString& id, const QString& lastFile) const {
    if (lastFile.isEmpty())
        return std::nullopt;
    const SdiRecord* last = furthestOf(id, lastFile);
    if (last && last->reachedClient())
        return *last;
    // The client has an earlier file: that one tells where the invoice stands.
    const SdiRecord* reached = nullptr;
    for (const int at : byInvoice_.value(id)) {
        const SdiRecord& r = records_[std::size_t(at)];
        if (folded(r.file) == folded(lastFile) || !r.reachedClient())
            continue;
        if (const SdiRecord* state = furthestOf(id, r.file);
            !reached || overtakenBy(*reached, *state))
            reached = state;
    }
    if (reached)
        return *reached;
    return last ? *last : exportOnly(id, lastFile);
}

SdiStates::SdiStates(store::Workbook& book) {
    if (const auto extras = invoiceExtrasSheet(book))
        extras_.emplace(*extras);
    if (const auto history = sdiHistorySheet(book))
        history_.emplace(*history);
}

std::optional<SdiRecord> SdiStates::of(const QString& id) const {
    if (!extras_)
        return std::nullopt;
    const QString lastFile = extras_->exportedAs(id);
    if (lastFile.isEmpty())
        return std::nullopt;
    return history_ ? history_->stateOf(id, lastFile) : exportOnly(id, lastFile);
}

}  // namespace registers
