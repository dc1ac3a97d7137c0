#include "registers/register_csv.h"

#include <QStringList>

#include "registers/invoice_layout.h"
#include "registers/year_figures.h"

namespace registers {

namespace {

using namespace invoice;

constexpr int kHeaderRow = 1;

QString field(const QString& text) {
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString cellText(const store::Worksheet& invoices, int row, int column) {
    if (row != kHeaderRow && isAmountColumn(column)) {
        // The grouping dots of the sheet's format would read as decimals elsewhere.
        if (const auto amount = registerAmount(invoices.value(row, column)))
            return amount->text().remove(u'.');
    }
    return invoices.text(row, column);
}

}  // namespace

std::vector<int> rowsDatedBetween(const store::Worksheet& invoices, const QDate& first,
                                  const QDate& last) {
    std::vector<int> rows;
    for (int row = kFirstRow; !invoices.value(row, Id).isEmpty(); ++row) {
        const QDate date = registerDate(invoices.value(row, Date));
        if (date.isValid() && date >= first && date <= last)
            rows.push_back(row);
    }
    return rows;
}

QByteArray registerCsv(const store::Worksheet& invoices, const std::vector<int>& rows) {
    QByteArray csv("\xEF\xBB\xBF");
    const auto line = [&](int row) {
        QStringList fields;
        for (int column = Id; column <= kColumns; ++column)
            fields << field(cellText(invoices, row, column));
        csv += fields.join(u';').toUtf8() + "\r\n";
    };
    line(kHeaderRow);
    for (int row : rows)
        line(row);
    return csv;
}

}  // namespace registers
