// A payment reminder: the letter's parts from the user's and the client's data and
// the client's late invoices, and the mailto: address that carries the same text.
#include "registers/reminder.h"

#include <gtest/gtest.h>

namespace {

using registers::Amount;
namespace ov = registers::overdue;

registers::UserData user() {
    return {"STUDIO BIANCHI LUIGI",
            "VIA ROMA 1",
            "MILANO",
            "MI",
            "20121",
            "BNCLGU70A01H501Y",
            "12345678903",
            "",
            "BANCA DI MILANO",
            "IT60X0542811101000000123456"};
}

registers::ClientRecord client() {
    registers::ClientRecord c;
    c[registers::client::Id] = "7";
    c[registers::client::Name] = "ROSSI & FIGLI SRL";
    c[registers::client::Address] = "VIA VERDI 3";
    c[registers::client::PostalCode] = "00185";
    c[registers::client::Town] = "ROMA";
    c[registers::client::Province] = "RM";
    c[registers::client::Email] = "amministrazione@rossi.it";
    return c;
}

ov::Line invoice(const char* number, QDate date, QDate due, int daysLate, qint64 netCents) {
    ov::Line line;
    line.number = QString::fromLatin1(number);
    line.date = date;
    line.due = due;
    line.daysLate = daysLate;
    line.net = Amount::fromCents(netCents);
    return line;
}

ov::Line creditNote(const char* number, QDate date, const char* corrected, qint64 netCents) {
    ov::Line line = invoice(number, date, {}, 0, netCents);
    line.creditNote = true;
    line.underInvoice = true;
    line.correctedNumber = QString::fromLatin1(corrected);
    return line;
}

const QDate kToday(2024, 4, 15);

const std::vector<ov::Line> kLate = {
    invoice("3", QDate(2024, 3, 1), QDate(2024, 3, 31), 15, 204000),
    creditNote("4", QDate(2024, 3, 10), "3", -20400),
    invoice("1", QDate(2024, 1, 5), QDate(2024, 1, 5), 101, 102000),
};

TEST(ReminderLetter, TheLetterSpeaksOfTheClientsLateInvoicesAndTheirTotal) {
    const registers::ReminderLetter letter =
        registers::reminderLetter(user(), client(), kLate, kToday);
    EXPECT_EQ(letter.letterhead,
              QStringList({"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "20121 MILANO (MI)",
                           "Codice Fiscale BNCLGU70A01H501Y - Partita IVA 12345678903"}));
    EXPECT_EQ(letter.recipient,
              QStringList({"Spett.le", "ROSSI & FIGLI SRL", "VIA VERDI 3", "00185 ROMA (RM)"}));
    EXPECT_EQ(letter.placeAndDate, "MILANO, 15/04/2024");
    const std::vector<QStringList> rows = {
        {"Fattura n. 3", "01/03/2024", "31/03/2024", "15", "2.040,00"},
        {"Nota di credito n. 4 (storno fattura n. 3)", "10/03/2024", "", "", "-204,00"},
        {"Fattura n. 1", "05/01/2024", "05/01/2024", "101", "1.020,00"},
    };
    EXPECT_EQ(letter.rows, rows);
    EXPECT_EQ(letter.total, "Totale da pagare: 2.856,00 €");
    EXPECT_TRUE(letter.opening.contains("le fatture seguenti risultano scadute"));
    EXPECT_EQ(letter.closing.first(),
              "Vi preghiamo di provvedere al pagamento al più presto con bonifico sul conto IBAN "
              "IT60X0542811101000000123456 presso BANCA DI MILANO.");
    EXPECT_EQ(letter.signature, "STUDIO BIANCHI LUIGI");
}

TEST(ReminderLetter, WhatTheUserOrClientLeftEmptyIsLeftOutOfTheLetter) {
    struct Row {
        const char* what;
        registers::UserField emptied;
        QStringList letterhead;
        const char* placeAndDate;
        const char* request;
    };
    const Row rows[] = {
        {"no town",
         registers::UserTown,
         {"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "20121 (MI)",
          "Codice Fiscale BNCLGU70A01H501Y - Partita IVA 12345678903"},
         "15/04/2024",
         "Vi preghiamo di provvedere al pagamento al più presto con bonifico sul conto IBAN "
         "IT60X0542811101000000123456 presso BANCA DI MILANO."},
        {"no IBAN",
         registers::UserIban,
         {"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "20121 MILANO (MI)",
          "Codice Fiscale BNCLGU70A01H501Y - Partita IVA 12345678903"},
         "MILANO, 15/04/2024",
         "Vi preghiamo di provvedere al pagamento al più presto."},
        {"no VAT number",
         registers::UserVatNumber,
         {"STUDIO BIANCHI LUIGI", "VIA ROMA 1", "20121 MILANO (MI)",
          "Codice Fiscale BNCLGU70A01H501Y"},
         "MILANO, 15/04/2024",
         "Vi preghiamo di provvedere al pagamento al più presto con bonifico sul conto IBAN "
         "IT60X0542811101000000123456 presso BANCA DI MILANO."},
    };
    for (const Row& row : rows) {
        registers::UserData data = user();
        data[row.emptied].clear();
        const auto letter = registers::reminderLetter(data, client(), {kLate.back()}, kToday);
        EXPECT_EQ(letter.letterhead, row.letterhead) << row.what;
        EXPECT_EQ(letter.placeAndDate, QString::fromUtf8(row.placeAndDate)) << row.what;
        EXPECT_EQ(letter.closing.first(), QString::fromUtf8(row.request)) << row.what;
        EXPECT_TRUE(letter.opening.contains("la fattura seguente risulta scaduta")) << row.what;
    }
    registers::ClientRecord bare;
    bare[registers::client::Name] = "CLIENTE SENZA INDIRIZZO";
    EXPECT_EQ(registers::reminderLetter(user(), bare, kLate, kToday).recipient,
              QStringList({"Spett.le", "CLIENTE SENZA INDIRIZZO"}));
}

TEST(ReminderMail, TheMessageCarriesTheLettersText) {
    const auto letter = registers::reminderLetter(user(), client(), kLate, kToday);
    const QStringList lines = registers::reminderMessage(letter).split(QStringLiteral("\r\n"));
    const QStringList expected = {
        "Gentile Cliente,",
        letter.opening,
        "",
        "Fattura n. 3 del 01/03/2024, scaduta il 31/03/2024 (15 giorni di ritardo): 2.040,00 €",
        "Nota di credito n. 4 (storno fattura n. 3) del 10/03/2024: -204,00 €",
        "Fattura n. 1 del 05/01/2024, scaduta il 05/01/2024 (101 giorni di ritardo): 1.020,00 €",
        "",
        "Totale da pagare: 2.856,00 €",
        "",
        letter.closing[0],
        letter.closing[1],
        letter.closing[2],
        "",
        "STUDIO BIANCHI LUIGI",
        "VIA ROMA 1",
        "20121 MILANO (MI)",
        "Codice Fiscale BNCLGU70A01H501Y - Partita IVA 12345678903",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ReminderMail, TheAddressSubjectAndTextArePercentEncoded) {
    registers::ReminderLetter letter;
    letter.subject = "Sollecito di pagamento";
    letter.greeting = "Gentile Cliente,";
    letter.opening = "perché & come? 100% = sì";
    letter.total = "Totale da pagare: 1.020,00 €";
    letter.letterhead = {"STUDIO"};
    const QByteArray body =
        "Gentile%20Cliente%2C%0D%0Aperch%C3%A9%20%26%20come%3F%20100%25%20%3D%20s%C3%AC%0D%0A%0D%0A"
        "%0D%0ATotale%20da%20pagare%3A%201.020%2C00%20%E2%82%AC%0D%0A%0D%0A%0D%0ASTUDIO";
    const std::pair<const char*, QByteArray> rows[] = {
        {"amministrazione@rossi.it", "mailto:amministrazione@rossi.it"},
        {"  a@b.it ; c@d.it ", "mailto:a@b.it,c@d.it"},
        {"a@b.it,c@d.it\nx@y.it", "mailto:a@b.it,c@d.it,x@y.it"},
        {"mario+fatture@b.it", "mailto:mario%2Bfatture@b.it"},
    };
    for (const auto& [address, start] : rows) {
        const QUrl url = registers::reminderMailUrl(QString::fromLatin1(address), letter);
        EXPECT_TRUE(url.isValid()) << address;
        EXPECT_EQ(url.scheme(), "mailto") << address;
        EXPECT_EQ(url.toEncoded(), start + "?subject=Sollecito%20di%20pagamento&body=" + body)
            << address;
    }
}

}  // namespace
