#pragma once

// How a year went, read from the invoice register: what was invoiced and collected
// month by month, the year's totals, the clients invoiced most and, for a flat-rate
// user, what was collected against the regime's yearly limit. Invoiced counts by
// the invoice date (column E), collected by the collection date (column P). A
// credit note is registered with negative amounts, so it counts against with no
// case of its own. Widget-free.

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "registers/amount.h"
#include "store/worksheet.h"

namespace registers {

// The flat-rate regime ends for a professional who collects more than this in a year.
inline constexpr Amount kFlatRateLimit = Amount::fromCents(8'500'000);

// How many clients the year's figures name.
inline constexpr int kTopClients = 5;

struct ClientInvoiced {
    QString clientId;  // as column C shows it
    QString name;      // the client's name on its latest invoice of the year
    Amount invoiced;   // the totals of its invoices and credit notes of the year
    bool operator==(const ClientInvoiced&) const = default;
};

struct YearFigures {
    int year = 0;
    // Invoice totals (column M) by the month of the invoice date, January first.
    std::array<Amount, 12> invoicedByMonth{};
    // Invoice totals by the month they were collected in.
    std::array<Amount, 12> collectedByMonth{};

    // The invoices dated in the year (credit notes included).
    int invoices = 0;
    Amount taxable;    // G
    Amount surcharge;  // H
    Amount vat;        // J
    Amount total;      // M

    // The invoices collected in the year, whatever their own date.
    int collectedInvoices = 0;
    Amount collected;             // their totals (M)
    Amount withholdingCollected;  // N: what the clients' withholding certificates add up to
    Amount netCollected;          // O
    // The fees collected (column I, taxable plus surcharge): what the flat-rate
    // regime's limit is measured on.
    Amount feesCollected;

    // Up to kTopClients, most invoiced first; a client whose invoices and credit
    // notes net to nothing or less is not among them.
    std::vector<ClientInvoiced> topClients;

    // Rows left out: an invoice date that does not read as a date leaves the whole
    // invoice out; a collection mark that is neither "*" nor a date leaves it out
    // of what was collected; an amount that does not read leaves that amount out.
    int unreadableDates = 0;
    int unreadableCollections = 0;
    int unreadableAmounts = 0;
};

// The figures of `year` over the register `invoices` (the sheet Fatture), from row
// 2 down to its first empty record number.
YearFigures yearFigures(const store::Worksheet& invoices, int year);

// The years the register's invoice and collection dates fall in, and `thisYear`,
// in ascending order.
std::vector<int> registerYears(const store::Worksheet& invoices, int thisYear);

// A register date cell as a day: a date cell is a day number, a text is dd/mm/yyyy;
// invalid for anything else.
QDate registerDate(const store::Value& cell);

// A register amount cell in cents: a number as it shows, a text as typed; none for
// anything else, an empty cell included.
std::optional<Amount> registerAmount(const store::Value& cell);

}  // namespace registers
