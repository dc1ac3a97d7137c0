#pragma once

// The invoices still to be collected (collection column "*" or empty) with the day each
// falls due and how late it is on a given day, and what clients owe: overdue and
// not yet due. A credit note still to be collected lowers what its invoice's
// client owes: it is listed under that invoice and falls due with it. Amounts are
// the net to be paid (register column O), exact to the cent. Widget-free.

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

#include "registers/amount.h"
#include "store/store_error.h"

namespace store {
class Workbook;
}

namespace registers::overdue {

struct Line {
    int row = 0;  // in the register sheet
    QString id;
    QString client;
    QString clientId;
    QString number;
    QDate date;
    QDate due;
    // Days past the due date on the day asked about; zero or less while not due.
    int daysLate = 0;
    Amount total;  // register column M
    Amount net;    // register column O: what the client pays
    // A credit note names the invoice it corrects.
    bool creditNote = false;
    QString correctedId;
    QString correctedNumber;
    // A credit note listed under the invoice it corrects, which is still to be
    // collected too; it shares that invoice's due date.
    bool underInvoice = false;

    bool isLate() const { return daysLate > 0; }
};

struct List {
    // Latest due date first (the higher register ID first on the same day); each
    // credit note right under the invoice it corrects.
    std::vector<Line> lines;
    Amount overdue;    // net owed on invoices past their due date
    Amount notYetDue;  // net owed on the others
    int overdueInvoices = 0;
    int notYetDueInvoices = 0;
    // Rows still to be collected that are left out: a date that does not read as
    // one, an amount that does not read as one.
    int unreadableDates = 0;
    int unreadableAmounts = 0;
    // The invoices whose collection cell reads neither as a date nor as "to be
    // collected", named ("7 del 05/03/2024"): whether they are owed is unknown.
    QStringList unreadableCollections;
};

// The list on `today`, from the register of `book` and what is kept beside it (due
// dates, credit notes); an error only when the register cannot be reached.
store::Result<List> overdueList(store::Workbook& book, const QDate& today);

// The positions in `list.lines` of the group that line `index` belongs to: an
// invoice and the credit notes under it, which are collected together.
std::vector<std::size_t> groupOf(const List& list, std::size_t index);

// The lines of client `clientId` that are past due, with the credit notes under them.
std::vector<Line> lateLinesOf(const List& list, const QString& clientId);

}  // namespace registers::overdue
