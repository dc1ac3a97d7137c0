#include "registers/year_figures.h"

#include <QHash>

#include <algorithm>
#include <set>

#include "registers/collection_cell.h"
#include "registers/invoice_layout.h"
#include "registers/invoice_register.h"
#include "store/number_format.h"
#include "store/typed_entry.h"

namespace registers {

namespace {

using namespace invoice;

// The register's rows end at its first empty record number, as every list reads it.
int endRow(const store::Worksheet& sheet) {
    int row = kFirstRow;
    while (!sheet.value(row, Id).isEmpty())
        ++row;
    return row;
}

// "*" stands for "none": no surcharge, or not collected yet.
bool starOrEmpty(const store::Value& cell) {
    return cell.isEmpty() || (cell.isText() && cell.toString().trimmed() == kStarMark);
}

struct ClientSum {
    QString name;
    int lastRow = 0;
    Amount invoiced;
};

}  // namespace

QDate registerDate(const store::Value& cell) {
    if (cell.isNumber())
        return store::dateOfSerial(*cell.toNumber()).value_or(QDate());
    if (cell.isText())
        return store::readItalianDate(cell.toString().trimmed()).value_or(QDate());
    return {};
}

std::optional<Amount> registerAmount(const store::Value& cell) {
    if (cell.isNumber())
        return Amount::fromNumber(*cell.toNumber());
    if (cell.isText())
        return Amount::parse(cell.toString());
    return std::nullopt;
}

YearFigures yearFigures(const store::Worksheet& invoices, int year) {
    YearFigures figures;
    figures.year = year;
    QHash<QString, ClientSum> clients;
    const int end = endRow(invoices);
    for (int row = kFirstRow; row < end; ++row) {
        const QDate date = registerDate(invoices.value(row, Date));
        if (!date.isValid()) {
            ++figures.unreadableDates;
            continue;
        }
        // The amount of `column`, zero when it does not read (and counted).
        const auto amount = [&](Column column) {
            const std::optional<Amount> read = registerAmount(invoices.value(row, column));
            if (!read)
                ++figures.unreadableAmounts;
            return read.value_or(Amount());
        };
        const auto optionalAmount = [&](Column column) {
            return starOrEmpty(invoices.value(row, column)) ? Amount() : amount(column);
        };

        const CollectionCell collection = collectionOf(invoices, row);
        if (collection.state == CollectionState::Unreadable)
            ++figures.unreadableCollections;
        const QDate collected = collection.date;
        const bool datedInYear = date.year() == year;
        const bool collectedInYear = collected.isValid() && collected.year() == year;
        if (!datedInYear && !collectedInYear)
            continue;

        const Amount total = amount(Total);
        if (datedInYear) {
            ++figures.invoices;
            figures.invoicedByMonth[std::size_t(date.month() - 1)] =
                figures.invoicedByMonth[std::size_t(date.month() - 1)] + total;
            figures.taxable = figures.taxable + amount(Taxable);
            figures.surcharge = figures.surcharge + optionalAmount(Surcharge);
            figures.vat = figures.vat + amount(Vat);
            figures.total = figures.total + total;
            const QString clientId = invoices.value(row, ClientId).toString().trimmed();
            const QString name = invoices.value(row, Client).toString().trimmed();
            ClientSum& client = clients[clientId.isEmpty() ? name : clientId];
            client.invoiced = client.invoiced + total;
            if (row > client.lastRow) {
                client.lastRow = row;
                client.name = name;
            }
        }
        if (collectedInYear) {
            ++figures.collectedInvoices;
            figures.collectedByMonth[std::size_t(collected.month() - 1)] =
                figures.collectedByMonth[std::size_t(collected.month() - 1)] + total;
            figures.collected = figures.collected + total;
            figures.withholdingCollected = figures.withholdingCollected + amount(Withholding);
            figures.netCollected = figures.netCollected + amount(Net);
            figures.feesCollected = figures.feesCollected + amount(TotalTaxable);
        }
    }

    for (auto it = clients.cbegin(); it != clients.cend(); ++it) {
        if (it->invoiced > Amount())
            figures.topClients.push_back({it.key(), it->name, it->invoiced});
    }
    // Equal sums go by name, so the list does not change from one reading to the next.
    std::sort(figures.topClients.begin(), figures.topClients.end(),
              [](const ClientInvoiced& a, const ClientInvoiced& b) {
                  return a.invoiced != b.invoiced ? a.invoiced > b.invoiced
                                                  : a.name.localeAwareCompare(b.name) < 0;
              });
    if (figures.topClients.size() > std::size_t(kTopClients))
        figures.topClients.resize(std::size_t(kTopClients));
    return figures;
}

std::vector<int> registerYears(const store::Worksheet& invoices, int thisYear) {
    std::set<int> years{thisYear};
    const int end = endRow(invoices);
    for (int row = kFirstRow; row < end; ++row) {
        for (Column column : {Date, Collection}) {
            if (const QDate day = registerDate(invoices.value(row, column)); day.isValid())
                years.insert(day.year());
        }
    }
    return {years.begin(), years.end()};
}

}  // namespace registers
