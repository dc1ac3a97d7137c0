#include "registers/invoice_register.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <set>

#include "registers/amount.h"
#include "registers/cell_writes.h"
#include "store/number_text.h"
#include "store/range.h"
#include "store/sheet_idioms.h"

namespace registers {

using namespace invoice;

namespace {

constexpr int kHeaderRow = 1;
constexpr int kLastRow = 65536;

// Columns whose text is kept exactly as written: a client called "2000", a
// description "1,5 ore" or an exemption item stay texts.
bool keptAsText(InvoiceColumn column) {
    return column == Client || column == Description || column == Exemption || column == PaidBy;
}

// The counter's value as the fields show it ("7"), set to 1 first when it holds no number.
QString ensuredCounter(const store::Worksheet& sheet, int column) {
    std::optional<double> next = store::counter(sheet, column);
    if (!next) {
        expectWritten(store::setCounter(sheet, column, 1));
        next = 1;
    }
    return store::formatGeneral(*next);
}

void advanceCounter(const store::Worksheet& sheet, int column, const QString& written) {
    if (const auto number = store::readRegionalNumber(written))
        expectWritten(store::setCounter(sheet, column, *number + 1));
}

}  // namespace

InvoiceCounters InvoiceRegister::ensureCounters() {
    InvoiceCounters counters;
    counters.record = ensuredCounter(sheet_, kRecordCounterColumn);
    counters.number = ensuredCounter(sheet_, kNumberCounterColumn);
    return counters;
}

QStringList InvoiceRegister::headers() const {
    QStringList out;
    for (int column = Id; column <= kColumns; ++column)
        out << sheet_.text(kHeaderRow, column);
    return out;
}

int InvoiceRegister::rowCount() const {
    int r = kFirstRow;
    while (r <= kLastRow && !sheet_.value(r, Id).isEmpty())
        ++r;
    return r - kFirstRow;
}

InvoiceRecord InvoiceRegister::row(int row) const {
    InvoiceRecord invoice;
    for (int column = Id; column <= kColumns; ++column)
        invoice[Column(column)] = sheet_.text(row, column);
    return invoice;
}

std::vector<InvoiceRecord> InvoiceRegister::rows() const {
    const int count = rowCount();
    std::vector<InvoiceRecord> out;
    out.reserve(std::size_t(count));
    for (int r = kFirstRow; r < kFirstRow + count; ++r)
        out.push_back(row(r));
    return out;
}

namespace {

// An invoice number as a whole number; none for anything else.
std::optional<qint64> wholeNumber(const QString& text) {
    bool read = false;
    const qint64 n = text.trimmed().toLongLong(&read);
    return read ? std::optional<qint64>(n) : std::nullopt;
}

// The same from a cell: numbers are read as they are, without formatting them to
// text first (a register walks tens of thousands of them at each registration).
std::optional<qint64> wholeNumber(const store::Value& cell) {
    if (cell.isNumber()) {
        const double n = *cell.toNumber();
        if (n == std::floor(n) && std::abs(n) < 1e15)
            return qint64(n);
        return std::nullopt;
    }
    return cell.isText() ? wholeNumber(cell.toString()) : std::nullopt;
}

bool sameNumber(const store::Value& cell, const QString& number) {
    const auto x = wholeNumber(cell);
    const auto y = wholeNumber(number);
    return x && y ? *x == *y : cell.toString().trimmed() == number.trimmed();
}

// The year of a register date: a date cell is a day number, a text is dd/mm/yyyy;
// 0 for anything else.
int yearOf(const store::Value& cell) {
    if (cell.isNumber()) {
        const QDate day = QDate(1899, 12, 30).addDays(qint64(*cell.toNumber()));
        return day.isValid() ? day.year() : 0;
    }
    const QDate d = QDate::fromString(cell.toString().trimmed(), QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? d.year() : 0;
}

}  // namespace

std::optional<InvoiceRecord> InvoiceRegister::numbered(const QString& number, int year,
                                                       const QString& exceptId) const {
    const int end = kFirstRow + rowCount();
    for (int r = kFirstRow; r < end; ++r) {
        if (sameNumber(sheet_.value(r, Number), number) && yearOf(sheet_.value(r, Date)) == year &&
            (exceptId.isEmpty() || !sameNumber(sheet_.value(r, Id), exceptId)))
            return row(r);
    }
    return std::nullopt;
}

QString InvoiceRegister::firstFreeNumber(const QString& number, int year, qint64 issuedUpTo) const {
    const std::optional<qint64> proposed = wholeNumber(number);
    if (!proposed)
        return number;
    std::set<qint64> used;
    const int end = kFirstRow + rowCount();
    for (int r = kFirstRow; r < end; ++r) {
        if (yearOf(sheet_.value(r, Date)) != year)
            continue;
        if (const auto n = wholeNumber(sheet_.value(r, Number)))
            used.insert(*n);
    }
    qint64 free = std::max(*proposed, issuedUpTo + 1);
    while (used.count(free))
        ++free;
    return QString::number(free);
}

std::map<int, qint64> InvoiceRegister::lastNumbers() const {
    std::map<int, qint64> last;
    const int end = kFirstRow + rowCount();
    for (int r = kFirstRow; r < end; ++r) {
        const int year = yearOf(sheet_.value(r, Date));
        const auto n = wholeNumber(sheet_.value(r, Number));
        if (year == 0 || !n)
            continue;
        const auto [at, added] = last.try_emplace(year, *n);
        if (!added)
            at->second = std::max(at->second, *n);
    }
    return last;
}

void InvoiceRegister::writeCell(int row, InvoiceColumn column, const QString& text) {
    // Each cell is written on its own; only an address outside the sheet could
    // refuse a write, and the register chose these.
    if (keptAsText(column)) {
        expectWritten(sheet_.setIdentifier(row, column, text));
        return;
    }
    // An amount as the window formats it ("1.234,50", "40,00") is stored as its
    // exact number and keeps showing two decimals; "0" and "*" are stored as typed.
    if (isAmountColumn(column) && text.contains(u',')) {
        const auto cell = sheet_.cell(row, column);
        if (const auto amount = Amount::parse(text); amount && cell.ok()) {
            cell->setNumber(amount->toNumber());
            cell->setNumberFormat(QStringLiteral("#,##0.00"));
            return;
        }
    }
    expectWritten(sheet_.setValue(row, column, text));
}

RowChange InvoiceRegister::append(const InvoiceRecord& invoice) {
    const std::optional<int> free = store::firstFreeRow(sheet_, Id);
    if (!free)
        return store::Error{store::Error::Kind::Full,
                            QStringLiteral("Il registro delle fatture è pieno: la fattura non è "
                                           "stata registrata.")};
    for (int column = Id; column <= kColumns; ++column)
        writeCell(*free, Column(column), invoice[Column(column)]);
    if (invoice[Collection].isEmpty())
        writeCell(*free, Collection, kStarMark);
    advanceCounter(sheet_, kRecordCounterColumn, invoice[Id]);
    advanceCounter(sheet_, kNumberCounterColumn, invoice[Number]);
    return *free;
}

RowChange InvoiceRegister::rowOfRecord(const QString& id) const {
    const std::optional<double> record = store::readRegionalNumber(id);
    const std::optional<int> found =
        record ? store::findRowByNumber(sheet_, Id, *record, kFirstRow) : std::nullopt;
    if (!found)
        return store::Error{store::Error::Kind::NoSuchRecord,
                            QStringLiteral("La fattura con ID %1 non è più nel registro: "
                                           "nessuna modifica è stata registrata.")
                                .arg(id)};
    return *found;
}

RowChange InvoiceRegister::setCollection(const QString& id, const QString& date) {
    const RowChange found = rowOfRecord(id);
    if (found)
        writeCell(*found, Collection, date.isEmpty() ? kStarMark : date);
    return found;
}

RowChange InvoiceRegister::rewrite(const InvoiceRecord& invoice) {
    const RowChange found = rowOfRecord(invoice[Id]);
    if (!found)
        return found;
    for (int column = Client; column <= kColumns; ++column)
        writeCell(*found, Column(column), invoice[Column(column)]);
    if (invoice[Surcharge].isEmpty())
        writeCell(*found, Surcharge, kStarMark);
    if (invoice[ExemptAmount].isEmpty())
        writeCell(*found, ExemptAmount, kStarMark);
    if (invoice[Collection].isEmpty())
        writeCell(*found, Collection, kStarMark);
    return *found;
}

}  // namespace registers
