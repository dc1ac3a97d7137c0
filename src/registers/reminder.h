#pragma once

// A payment reminder (sollecito) to a client: a one-page letter on the user's
// letterhead listing the client's overdue invoices and what they add up to, and the
// same text as an e-mail message. Widget-free: printing draws the letter, the
// window opens the message.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <vector>

#include "registers/client_sheet.h"
#include "registers/overdue.h"
#include "registers/user_data.h"

namespace registers {

struct ReminderLetter {
    QStringList letterhead;  // the user's name first, then address and tax identifiers
    QStringList recipient;   // the client's name and address
    QString placeAndDate;    // "Milano, 08/12/2026"
    QString subject;
    QString greeting;
    QString opening;                // the sentence before the table
    QStringList columns;            // the table's headings
    std::vector<QStringList> rows;  // one per invoice or credit note
    QString total;                  // the line under the table
    QStringList closing;            // the paragraphs after the table
    QString signature;
};

// The letter to `client` about `lateLines` (overdue::lateLinesOf), written on `today`.
ReminderLetter reminderLetter(const UserData& user, const ClientRecord& client,
                              const std::vector<overdue::Line>& lateLines, const QDate& today);

// The letter as the text of an e-mail message: greeting, sentences, one line per
// invoice, total and signature, lines ended by CR LF.
QString reminderMessage(const ReminderLetter& letter);

// A mailto: address that opens the message to `address` with the letter's subject
// and text, every character outside the unreserved set percent-encoded (UTF-8).
QUrl reminderMailUrl(const QString& address, const ReminderLetter& letter);

}  // namespace registers
