#include "registers/receivables_lists.h"

#include "registers/cell_writes.h"
#include "registers/collection_cell.h"
#include "registers/credit_notes.h"
#include "registers/invoice_register.h"
#include "store/number_format.h"
#include "store/number_text.h"
#include "store/range.h"
#include "store/typed_entry.h"
#include "store/workbook.h"

#include <array>
#include <optional>

namespace registers::receivables {

namespace {

namespace reg = invoice;

// A cell the list chose itself: inside the sheet by construction.
store::Range cellOf(const store::Worksheet& sheet, int row, int column) {
    auto cell = sheet.cell(row, column);
    Q_ASSERT_X(cell.ok(), "receivables list", "the list's own cells lie inside the sheet");
    return *cell;
}

// Which register column each scratch column copies, from AA on.
constexpr std::array<int, 7> kCopiedColumns = {reg::Id,    reg::Client, reg::Number,    reg::Date,
                                               reg::Total, reg::Net,    reg::Collection};

// Empties the values of every scratch row a list used (row 2 down to the last row
// the sheet holds), the formats stay; then writes the headers.
void startList(const store::Worksheet& sheet, ListKind kind) {
    const int last = kind == ListKind::ClientPosition ? kLastPositionColumn : Net;
    sheet.range(cellOf(sheet, kFirstListRow, Id), cellOf(sheet, xls::kMaxRows, last))
        .clearContents();
    const QStringList headers = scratchHeaders(kind);
    for (int i = 0; i < headers.size(); ++i)
        expectWritten(sheet.setIdentifier(1, Id + i, headers[i]));
}

// Copies register row `from` into scratch row `to`, AA to `lastColumn`.
void copyRow(const store::Worksheet& sheet, int from, int to, int lastColumn) {
    for (int column = Id; column <= lastColumn; ++column) {
        const int source = kCopiedColumns[std::size_t(column - Id)];
        cellOf(sheet, to, column).pasteValueAndNumberFormat(cellOf(sheet, from, source));
    }
}

// Walks the register from `fromRow` to its last invoice and copies every row `take`
// accepts; answers how many were copied.
template <class Take>
int copyMatching(const store::Worksheet& sheet, int fromRow, int lastColumn, Take&& take) {
    int next = kFirstListRow;
    const int end = reg::kFirstRow + InvoiceRegister(sheet).rowCount();
    for (int row = fromRow; row < end; ++row) {
        if (take(row)) {
            copyRow(sheet, row, next, lastColumn);
            ++next;
        }
    }
    return next - kFirstListRow;
}

// A register without invoices has nothing for any list.
bool emptyRegister(const store::Worksheet& sheet) {
    return InvoiceRegister(sheet).rowCount() == 0;
}

}  // namespace

int lastListColumn(ListKind kind) {
    return kind == ListKind::ClientPosition ? Collected : Net;
}

QStringList scratchHeaders(ListKind kind) {
    QStringList headers{QStringLiteral("ID"),         QStringLiteral("CLIENTE"),
                        QStringLiteral("N.FATT."),    QStringLiteral("DATA"),
                        QStringLiteral("TOTALE FT "), QStringLiteral("NETTO FT ")};
    if (kind == ListKind::ClientPosition)
        headers << QStringLiteral("INCASSATO ");
    return headers;
}

Built buildClientPosition(const store::Worksheet& invoices, const QString& clientId) {
    startList(invoices, ListKind::ClientPosition);
    if (emptyRegister(invoices))
        return Built::EmptyRegister;
    const double wanted = store::readLeadingNumber(clientId);
    const int copied = copyMatching(invoices, reg::kFirstRow, Collected, [&](int row) {
        const store::Value id = invoices.value(row, reg::ClientId);
        return id.isNumber() && *id.toNumber() == wanted;
    });
    formatAmountColumns(invoices, ListKind::ClientPosition);
    return copied > 0 ? Built::Listed : Built::NothingListed;
}

Built buildToCollect(const store::Worksheet& invoices) {
    startList(invoices, ListKind::ToCollect);
    if (emptyRegister(invoices))
        return Built::EmptyRegister;
    const int copied = copyMatching(invoices, reg::kFirstRow, Net, [&](int row) {
        return collectionOf(invoices, row).state == CollectionState::ToCollect;
    });
    // The invoice date as a date, also where the register holds it as a text.
    for (int row = kFirstListRow; row < kFirstListRow + copied; ++row) {
        const store::Range date = cellOf(invoices, row, Date);
        if (const std::optional<QDate> day =
                store::dateOfCell(date.value(), invoices.workbook().model().date1904))
            date.setDate(*day);
    }
    formatAmountColumns(invoices, ListKind::ToCollect);
    return copied > 0 ? Built::Listed : Built::NothingListed;
}

Built buildCollected(const store::Worksheet& invoices) {
    startList(invoices, ListKind::Collected);
    if (emptyRegister(invoices))
        return Built::EmptyRegister;
    const int copied = copyMatching(invoices, reg::kFirstRow, Net, [&](int row) {
        return collectionOf(invoices, row).state == CollectionState::Collected;
    });
    formatAmountColumns(invoices, ListKind::Collected);
    return copied > 0 ? Built::Listed : Built::NothingListed;
}

void markCreditNotes(const store::Worksheet& invoices, const InvoiceExtras& extras) {
    const QString mark = listedNumber(QString(), true);
    const int end = kFirstListRow + listedCount(invoices);
    for (int row = kFirstListRow; row < end; ++row) {
        const QString number = invoices.text(row, Number);
        if (extras.isCreditNote(invoices.text(row, Id)) && !number.endsWith(mark))
            expectWritten(invoices.setIdentifier(row, Number, listedNumber(number, true)));
    }
}

void formatAmountColumns(const store::Worksheet& invoices, ListKind kind) {
    const int last = kind == ListKind::ClientPosition ? kLastPositionColumn : Net;
    auto columns = invoices.columns(Total, last);
    Q_ASSERT(columns.ok());
    const store::Range amounts = *columns;
    amounts.setHorizontalAlignment(xls::HAlign::Right);
    amounts.setVerticalAlignment(xls::VAlign::Bottom);
    amounts.setWrapText(false);
    amounts.setOrientation(0);
    amounts.setIndentLevel(0);
    amounts.setShrinkToFit(false);
    amounts.setReadingOrder(0);
    amounts.setMergeCells(false);
}

int listedCount(const store::Worksheet& invoices) {
    int row = kFirstListRow;
    while (row <= xls::kMaxRows && !invoices.value(row, Id).isEmpty())
        ++row;
    return row - kFirstListRow;
}

QStringList listedRow(const store::Worksheet& invoices, int row, int lastColumn) {
    QStringList texts;
    texts.reserve(lastColumn - Id + 1);
    for (int column = Id; column <= lastColumn; ++column)
        texts << invoices.text(row, column);
    return texts;
}

ListTotals listTotals(const store::Worksheet& invoices) {
    ListTotals totals;
    totals.invoices = listedCount(invoices);
    const auto add = [&totals](const store::Value& cell, Amount& sum) {
        if (const std::optional<Amount> amount = amountOfCell(cell))
            sum = sum + *amount;
        else
            ++totals.unreadable;
    };
    for (int row = kFirstListRow; row < kFirstListRow + totals.invoices; ++row) {
        add(invoices.value(row, Total), totals.total);
        add(invoices.value(row, Net), totals.net);
    }
    return totals;
}

}  // namespace registers::receivables
