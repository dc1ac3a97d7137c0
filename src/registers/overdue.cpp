#include "registers/overdue.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <optional>

#include "registers/collection_cell.h"
#include "registers/due_dates.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_register.h"
#include "store/typed_entry.h"
#include "store/workbook.h"

namespace registers::overdue {

namespace {

namespace col = invoice;

// The days of each payment item, looked up once per list: a register names few
// items, and the codes sheet is read at each look-up.
class PaymentDays {
  public:
    explicit PaymentDays(store::Workbook& book) : book_(book) {}

    int of(const QString& item) {
        if (const auto found = days_.constFind(item); found != days_.cend())
            return *found;
        const int days = paymentDaysOf(book_, item);
        days_.insert(item, days);
        return days;
    }

  private:
    store::Workbook& book_;
    QHash<QString, int> days_;
};

// An invoice (or a credit note standing alone) and the credit notes under it.
struct Group {
    Line head;
    std::vector<Line> notes;

    Amount owed() const {
        Amount sum = head.net;
        for (const Line& note : notes)
            sum = sum + note.net;
        return sum;
    }
};

// An identifier cell as the register shows it ("7"): a whole number is written
// without going through its number format, thousands of times per list.
QString identifierOf(const store::Worksheet& sheet, int row, int column) {
    const store::Value value = sheet.value(row, column);
    if (value.isNumber()) {
        const double n = *value.toNumber();
        if (n == std::floor(n) && std::abs(n) < 1e15)
            return QString::number(qint64(n));
    }
    return sheet.text(row, column);
}

// The register row as a line; none, with the reason counted, when it cannot be read.
std::optional<Line> readLine(const store::Worksheet& sheet, int row,
                             const std::optional<InvoiceExtras>& extras, PaymentDays& days,
                             List& list) {
    // A date cell read as the day it holds, whatever format shows it.
    const std::optional<QDate> date =
        store::dateOfCell(sheet.value(row, col::Date), sheet.workbook().model().date1904);
    if (!date || !date->isValid()) {
        ++list.unreadableDates;
        return std::nullopt;
    }
    const std::optional<Amount> total = amountOfCell(sheet.value(row, col::Total));
    const std::optional<Amount> net = amountOfCell(sheet.value(row, col::Net));
    if (!total || !net) {
        ++list.unreadableAmounts;
        return std::nullopt;
    }
    Line line;
    line.row = row;
    line.id = identifierOf(sheet, row, col::Id);
    line.client = sheet.text(row, col::Client);
    line.clientId = identifierOf(sheet, row, col::ClientId);
    line.number = sheet.text(row, col::Number);
    line.date = *date;
    line.due =
        dueDateOf(line.id, line.date, extras, days.of(sheet.text(row, col::PaidBy).trimmed()));
    line.total = *total;
    line.net = *net;
    if (extras) {
        if (const std::optional<CorrectedInvoice> corrected = extras->corrects(line.id)) {
            line.creditNote = true;
            line.correctedId = corrected->id;
            line.correctedNumber = corrected->number;
        }
    }
    return line;
}

}  // namespace

store::Result<List> overdueList(store::Workbook& book, const QDate& today) {
    const auto found = invoiceSheet(book);
    if (!found)
        return found.error();
    const store::Worksheet sheet = *found;
    const auto extrasSheet = invoiceExtrasSheet(book);
    const std::optional<InvoiceExtras> extras =
        extrasSheet ? std::optional(InvoiceExtras(*extrasSheet)) : std::nullopt;
    PaymentDays days(book);

    List list;
    std::vector<Group> groups;
    std::vector<Line> notes;
    QHash<QString, std::size_t> groupOfInvoice;
    const int end = col::kFirstRow + InvoiceRegister(sheet).rowCount();
    for (int row = col::kFirstRow; row < end; ++row) {
        const CollectionState collection = collectionOf(sheet, row).state;
        if (collection == CollectionState::Unreadable)
            list.unreadableCollections << invoiceNamed(sheet, row);
        if (collection != CollectionState::ToCollect)
            continue;
        std::optional<Line> line = readLine(sheet, row, extras, days, list);
        if (!line)
            continue;
        if (line->creditNote) {
            notes.push_back(std::move(*line));
        } else {
            groupOfInvoice.insert(line->id, groups.size());
            groups.push_back({std::move(*line), {}});
        }
    }
    // A credit note whose invoice is still to be collected goes under it and falls
    // due with it; one whose invoice was collected stands on its own.
    for (Line& note : notes) {
        const auto invoice = groupOfInvoice.constFind(note.correctedId);
        if (invoice == groupOfInvoice.cend()) {
            groups.push_back({std::move(note), {}});
            continue;
        }
        Group& group = groups[*invoice];
        note.underInvoice = true;
        note.due = group.head.due;
        group.notes.push_back(std::move(note));
    }

    std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
        if (a.head.due != b.head.due)
            return a.head.due > b.head.due;
        return a.head.row > b.head.row;
    });
    for (Group& group : groups) {
        group.head.daysLate = int(group.head.due.daysTo(today));
        if (group.head.isLate()) {
            list.overdue = list.overdue + group.owed();
            ++list.overdueInvoices;
        } else {
            list.notYetDue = list.notYetDue + group.owed();
            ++list.notYetDueInvoices;
        }
        list.lines.push_back(std::move(group.head));
        for (Line& note : group.notes) {
            note.daysLate = list.lines.back().daysLate;
            list.lines.push_back(std::move(note));
        }
    }
    return list;
}

std::vector<std::size_t> groupOf(const List& list, std::size_t index) {
    std::size_t head = index;
    while (head > 0 && list.lines[head].underInvoice)
        --head;
    std::vector<std::size_t> group{head};
    for (std::size_t i = head + 1; i < list.lines.size() && list.lines[i].underInvoice; ++i)
        group.push_back(i);
    return group;
}

std::vector<Line> lateLinesOf(const List& list, const QString& clientId) {
    std::vector<Line> lines;
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const Line& line = list.lines[i];
        if (line.underInvoice || !line.isLate() || line.clientId != clientId)
            continue;
        for (const std::size_t member : groupOf(list, i))
            lines.push_back(list.lines[member]);
    }
    return lines;
}

}  // namespace registers::overdue
