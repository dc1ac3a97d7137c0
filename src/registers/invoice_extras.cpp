#include "registers/invoice_extras.h"

#include "registers/cell_writes.h"
#include "registers/invoice_register.h"
#include "store/address.h"
#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/typed_entry.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace registers {

namespace {

constexpr int kFirstRow = 2;
constexpr int kIdColumn = 1;         // A
constexpr int kStampDutyColumn = 2;  // B
constexpr int kExportedColumn = 3;   // C
constexpr int kDueDateColumn = 4;    // D, dd/mm/yyyy
constexpr int kKindColumn = 5;       // E, "TD04" for a credit note
constexpr int kCorrectedIdColumn = 6;
constexpr int kCorrectedNumberColumn = 7;
constexpr int kCorrectedDateColumn = 8;  // dd/mm/yyyy
// The settings items the invoice's amounts were made with.
constexpr int kSurchargeRateColumn = 9;
constexpr int kVatRateColumn = 10;
constexpr int kWithholdingRateColumn = 11;
// Apart from the rows by ID: the last number each year gave, kept when the register
// is emptied, one year a row.
constexpr int kYearColumn = 12;
constexpr int kLastNumberColumn = 13;

}  // namespace

const SheetLayout& invoiceExtrasLayout() {
    static const SheetLayout layout{
        kInvoiceExtrasSheet,
        {QStringLiteral("ID FATTURA"), QStringLiteral("RIMBORSO BOLLO"),
         QStringLiteral("FILE ESPORTATO"), QStringLiteral("SCADENZA"),
         QStringLiteral("TIPO DOCUMENTO"), QStringLiteral("ID FATTURA STORNATA"),
         QStringLiteral("N. FATTURA STORNATA"), QStringLiteral("DATA FATTURA STORNATA"),
         QStringLiteral("ALIQUOTA INPS/CASSA"), QStringLiteral("ALIQUOTA IVA"),
         QStringLiteral("ALIQUOTA RITENUTA"), QStringLiteral("ANNO"),
         QStringLiteral("ULTIMO NUMERO")},
        false,
        {kIdColumn, kStampDutyColumn, kExportedColumn, kDueDateColumn, kKindColumn,
         kCorrectedIdColumn, kCorrectedNumberColumn, kCorrectedDateColumn, kSurchargeRateColumn,
         kVatRateColumn, kWithholdingRateColumn, kYearColumn, kLastNumberColumn},
        {},
    };
    return layout;
}

void prepareInvoiceExtrasSheet(store::WorkbookStore& store) {
    const SheetLayout& layout = invoiceExtrasLayout();
    writeLayout(store.ensureSheet(layout.sheet), layout);
}

store::Result<store::Worksheet> invoiceExtrasSheet(store::Workbook& book) {
    auto sheet = book.sheet(kInvoiceExtrasSheet);
    if (!sheet) {
        return store::Error{sheet.error().kind,
                            QStringLiteral("I dati aggiuntivi delle fatture non sono "
                                           "disponibili: ") +
                                sheet.error().message};
    }
    return *sheet;
}

void forgetInvoiceExtras(store::WorkbookStore& store) {
    clearBelowHeader(store.workbook(), invoiceExtrasLayout(), kIdColumn, kWithholdingRateColumn);
}

namespace {

// Each year's kept last number, by the row it is kept in.
QHash<int, std::pair<int, qint64>> keptLastNumbers(const store::Worksheet& sheet) {
    QHash<int, std::pair<int, qint64>> kept;
    for (int row = kFirstRow;; ++row) {
        bool isYear = false;
        const int year = sheet.text(row, kYearColumn).toInt(&isYear);
        if (!isYear)
            break;
        kept.insert(year, {row, sheet.text(row, kLastNumberColumn).toLongLong()});
    }
    return kept;
}

// Keeps in `sheet` each year's number of `last` that is higher than the one kept.
void keepHigher(const store::Worksheet& sheet, const std::map<int, qint64>& last) {
    const QHash<int, std::pair<int, qint64>> kept = keptLastNumbers(sheet);
    int freeRow = kFirstRow + int(kept.size());
    for (const auto& [year, number] : last) {
        const auto found = kept.constFind(year);
        if (found != kept.cend() && found->second >= number)
            continue;
        const int row = found != kept.cend() ? found->first : freeRow++;
        expectWritten(sheet.setIdentifier(row, kYearColumn, QString::number(year)));
        expectWritten(sheet.setIdentifier(row, kLastNumberColumn, QString::number(number)));
    }
}

// The last number each year of `book` gave: in its register, or kept from before.
std::map<int, qint64> issuedNumbers(store::Workbook& book) {
    std::map<int, qint64> last;
    if (const auto invoices = invoiceSheet(book))
        last = InvoiceRegister(*invoices).lastNumbers();
    if (const auto sheet = invoiceExtrasSheet(book)) {
        const QHash<int, std::pair<int, qint64>> kept = keptLastNumbers(*sheet);
        for (auto at = kept.cbegin(); at != kept.cend(); ++at)
            last[at.key()] = std::max(last[at.key()], at.value().second);
    }
    return last;
}

}  // namespace

void keepIssuedNumbers(store::WorkbookStore& store) {
    if (const auto sheet = invoiceExtrasSheet(store.workbook()))
        keepHigher(*sheet, issuedNumbers(store.workbook()));
}

void keepIssuedNumbers(store::Workbook& current, store::Workbook& restored) {
    keepHigher(restored.ensureSheet(kInvoiceExtrasSheet), issuedNumbers(current));
}

qint64 lastIssuedNumber(store::Workbook& book, int year) {
    const auto sheet = invoiceExtrasSheet(book);
    if (!sheet)
        return 0;
    return keptLastNumbers(*sheet).value(year, {0, 0}).second;
}

InvoiceExtras::InvoiceExtras(store::Worksheet sheet) : sheet_(sheet) {
    for (int row = kFirstRow;; ++row) {
        const QString id = sheet_.text(row, kIdColumn);
        if (id.isEmpty())
            break;
        if (rows_.contains(id))
            continue;
        rows_.insert(id, row);
        if (sheet_.text(row, kKindColumn) == kCreditNoteKind)
            notesOf_[sheet_.text(row, kCorrectedIdColumn)] << id;
    }
}

Amount InvoiceExtras::stampDutyCharged(const QString& id) const {
    const auto found = rows_.constFind(id);
    if (found == rows_.cend())
        return {};
    return Amount::parse(sheet_.text(*found, kStampDutyColumn)).value_or(Amount());
}

int InvoiceExtras::rowFor(const QString& id) {
    if (const auto found = rows_.constFind(id); found != rows_.cend())
        return *found;
    const std::optional<int> free = store::firstFreeRow(sheet_, kIdColumn, kFirstRow);
    Q_ASSERT_X(free, "InvoiceExtras", "one row per invoice never fills a sheet");
    expectWritten(sheet_.setIdentifier(*free, kIdColumn, id));
    rows_.insert(id, *free);
    return *free;
}

void InvoiceExtras::setStampDutyCharged(const QString& id, bool charged) {
    if (!charged && !rows_.contains(id))
        return;
    expectWritten(sheet_.setIdentifier(rowFor(id), kStampDutyColumn,
                                       charged ? kStampDuty.text() : QString()));
}

QString InvoiceExtras::exportedAs(const QString& id) const {
    const auto found = rows_.constFind(id);
    return found == rows_.cend() ? QString() : sheet_.text(*found, kExportedColumn);
}

void InvoiceExtras::setExportedAs(const QString& id, const QString& fileName) {
    expectWritten(sheet_.setIdentifier(rowFor(id), kExportedColumn, fileName));
}

QDate InvoiceExtras::dueDate(const QString& id) const {
    const auto found = rows_.constFind(id);
    if (found == rows_.cend())
        return {};
    return store::readItalianDate(sheet_.text(*found, kDueDateColumn)).value_or(QDate());
}

void InvoiceExtras::setDueDate(const QString& id, const QDate& due) {
    if (!due.isValid() && !rows_.contains(id))
        return;
    expectWritten(sheet_.setIdentifier(rowFor(id), kDueDateColumn,
                                       due.isValid() ? store::italianDateText(due) : QString()));
}

KeptRates InvoiceExtras::rates(const QString& id) const {
    const auto found = rows_.constFind(id);
    if (found == rows_.cend())
        return {};
    return {sheet_.text(*found, kSurchargeRateColumn), sheet_.text(*found, kVatRateColumn),
            sheet_.text(*found, kWithholdingRateColumn)};
}

void InvoiceExtras::setRates(const QString& id, const KeptRates& rates) {
    if (rates == KeptRates{} && !rows_.contains(id))
        return;
    const int row = rowFor(id);
    expectWritten(sheet_.setIdentifier(row, kSurchargeRateColumn, rates.surcharge));
    expectWritten(sheet_.setIdentifier(row, kVatRateColumn, rates.vat));
    expectWritten(sheet_.setIdentifier(row, kWithholdingRateColumn, rates.withholding));
}

std::optional<CorrectedInvoice> InvoiceExtras::corrects(const QString& id) const {
    const auto found = rows_.constFind(id);
    if (found == rows_.cend() || sheet_.text(*found, kKindColumn) != kCreditNoteKind)
        return std::nullopt;
    return CorrectedInvoice{
        sheet_.text(*found, kCorrectedIdColumn), sheet_.text(*found, kCorrectedNumberColumn),
        store::readItalianDate(sheet_.text(*found, kCorrectedDateColumn)).value_or(QDate())};
}

void InvoiceExtras::setCorrects(const QString& id, const CorrectedInvoice& corrected) {
    const int row = rowFor(id);
    expectWritten(sheet_.setIdentifier(row, kKindColumn, kCreditNoteKind));
    expectWritten(sheet_.setIdentifier(row, kCorrectedIdColumn, corrected.id));
    expectWritten(sheet_.setIdentifier(row, kCorrectedNumberColumn, corrected.number));
    expectWritten(
        sheet_.setIdentifier(row, kCorrectedDateColumn, store::italianDateText(corrected.date)));
    if (!notesOf_.value(corrected.id).contains(id))
        notesOf_[corrected.id] << id;
}

QStringList InvoiceExtras::creditNotesOf(const QString& invoiceId) const {
    return notesOf_.value(invoiceId);
}

QSet<QString> InvoiceExtras::creditNoteIds() const {
    QSet<QString> ids;
    for (const QStringList& notes : notesOf_)
        for (const QString& id : notes)
            ids.insert(id);
    return ids;
}

store::Result<store::Done> recordStampDuty(store::Workbook& book, const QString& id, bool charged) {
    const auto sheet = invoiceExtrasSheet(book);
    if (!sheet)
        return charged ? store::Result<store::Done>(sheet.error()) : store::Done{};
    InvoiceExtras(*sheet).setStampDutyCharged(id, charged);
    return store::Done{};
}

void recordRates(store::Workbook& book, const QString& id, const KeptRates& rates) {
    if (const auto sheet = invoiceExtrasSheet(book))
        InvoiceExtras(*sheet).setRates(id, rates);
}

}  // namespace registers
