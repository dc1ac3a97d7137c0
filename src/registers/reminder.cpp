#include "registers/reminder.h"

#include "store/typed_entry.h"

#include <QRegularExpression>

namespace registers {

namespace {

// The table's columns.
enum ReminderColumn { Document, Dated, Due, DaysLate, Owed };

// "20121 Milano (MI)", leaving out what is not given.
QString townLine(const QString& postalCode, const QString& town, const QString& province) {
    QStringList parts;
    for (const QString& part : {postalCode.trimmed(), town.trimmed()})
        if (!part.isEmpty())
            parts << part;
    QString line = parts.join(u' ');
    if (!province.trimmed().isEmpty())
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) +
                QStringLiteral("(%1)").arg(province.trimmed());
    return line;
}

void addGiven(QStringList& lines, const QString& line) {
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
}

QStringList rowOf(const overdue::Line& line) {
    QStringList row(Owed + 1);
    if (line.creditNote) {
        row[Document] = QStringLiteral("Nota di credito n. %1 (storno fattura n. %2)")
                            .arg(line.number, line.correctedNumber);
    } else {
        row[Document] = QStringLiteral("Fattura n. %1").arg(line.number);
        row[Due] = store::italianDateText(line.due);
        row[DaysLate] = QString::number(line.daysLate);
    }
    row[Dated] = store::italianDateText(line.date);
    row[Owed] = line.net.text();
    return row;
}

}  // namespace

ReminderLetter reminderLetter(const UserData& user, const ClientRecord& client,
                              const std::vector<overdue::Line>& lateLines, const QDate& today) {
    ReminderLetter letter;
    addGiven(letter.letterhead, user[UserName]);
    addGiven(letter.letterhead, user[UserDomicile]);
    addGiven(letter.letterhead, townLine(user[UserPostalCode], user[UserTown], user[UserProvince]));
    QStringList identifiers;
    if (!user[UserTaxCode].trimmed().isEmpty())
        identifiers << QStringLiteral("Codice Fiscale ") + user[UserTaxCode].trimmed();
    if (!user[UserVatNumber].trimmed().isEmpty())
        identifiers << QStringLiteral("Partita IVA ") + user[UserVatNumber].trimmed();
    addGiven(letter.letterhead, identifiers.join(QStringLiteral(" - ")));

    letter.recipient << QStringLiteral("Spett.le");
    addGiven(letter.recipient, client[client::Name]);
    addGiven(letter.recipient, client[client::Address]);
    addGiven(letter.recipient,
             townLine(client[client::PostalCode], client[client::Town], client[client::Province]));

    const QString town = user[UserTown].trimmed();
    letter.placeAndDate =
        (town.isEmpty() ? QString() : town + QStringLiteral(", ")) + store::italianDateText(today);
    letter.subject = QStringLiteral("Sollecito di pagamento");
    letter.greeting = QStringLiteral("Gentile Cliente,");

    int invoices = 0;
    Amount owed;
    for (const overdue::Line& line : lateLines) {
        letter.rows.push_back(rowOf(line));
        owed = owed + line.net;
        invoices += line.creditNote ? 0 : 1;
    }
    letter.opening = invoices == 1
                         ? QStringLiteral(
                               "dalle nostre registrazioni la fattura seguente risulta scaduta e "
                               "non ancora pagata:")
                         : QStringLiteral(
                               "dalle nostre registrazioni le fatture seguenti risultano scadute "
                               "e non ancora pagate:");
    letter.columns = {QStringLiteral("Documento"), QStringLiteral("Data"),
                      QStringLiteral("Scadenza"), QStringLiteral("Giorni di ritardo"),
                      QStringLiteral("Importo")};
    letter.total = QStringLiteral("Totale da pagare: %1 €").arg(owed.text());

    const QString iban = user[UserIban].trimmed();
    const QString bank = user[UserBank].trimmed();
    QString request = QStringLiteral("Vi preghiamo di provvedere al pagamento al più presto");
    if (!iban.isEmpty()) {
        request += QStringLiteral(" con bonifico sul conto IBAN ") + iban;
        if (!bank.isEmpty())
            request += QStringLiteral(" presso ") + bank;
    }
    letter.closing << request + u'.'
                   << QStringLiteral(
                          "Se il pagamento è già stato effettuato, vi preghiamo di "
                          "non tenere conto di questa lettera.")
                   << QStringLiteral("Distinti saluti.");
    letter.signature = user[UserName].trimmed();
    return letter;
}

QString reminderMessage(const ReminderLetter& letter) {
    QStringList lines{letter.greeting, letter.opening, QString()};
    for (const QStringList& row : letter.rows) {
        QString line = row[Document] + QStringLiteral(" del ") + row[Dated];
        if (!row[Due].isEmpty())
            line += QStringLiteral(", scaduta il %1 (%2 giorni di ritardo)")
                        .arg(row[Due], row[DaysLate]);
        lines << line + QStringLiteral(": ") + row[Owed] + QStringLiteral(" €");
    }
    lines << QString() << letter.total << QString() << letter.closing;
    lines << QString() << letter.letterhead;
    return lines.join(QStringLiteral("\r\n"));
}

QUrl reminderMailUrl(const QString& address, const ReminderLetter& letter) {
    // Several addresses in the cell, however separated, become the list a mailto
    // address is.
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    const QStringList addresses = address.split(separators, Qt::SkipEmptyParts);
    QByteArray encoded = "mailto:";
    for (qsizetype i = 0; i < addresses.size(); ++i)
        encoded += (i > 0 ? "," : "") + QUrl::toPercentEncoding(addresses[i], "@");
    encoded += "?subject=" + QUrl::toPercentEncoding(letter.subject) +
               "&body=" + QUrl::toPercentEncoding(reminderMessage(letter));
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

}  // namespace registers
