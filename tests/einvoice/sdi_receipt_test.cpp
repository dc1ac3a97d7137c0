// Each kind of receipt read by its elements: the answer, the file it answers, the
// numbers, the date and what it says; receipts of the shape the schema allows are
// validated against it first. Files that are no receipt are told apart by why.
#include "fatturapa/sdi_receipt.h"

#include "fattura_xml.h"
#include "receipt_xml.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace einvoice_test;
using registers::SdiEvent;

struct Reading {
    const char* what;
    std::function<void(ReceiptContent&)> change;
    Kind kind;
    bool validates;  // within what the schema allows
    SdiEvent event;
    QDate date;
    QStringList errors;
    QString outcome;
};

class ReceiptReading : public testing::TestWithParam<Reading> {};

TEST_P(ReceiptReading, GivesTheAnswerTheFileAndWhatItSays) {
    const Reading& r = GetParam();
    ReceiptContent content;
    content.kind = r.kind;
    if (r.change)
        r.change(content);
    const QByteArray xml = receiptXml(content);
    if (r.validates) {
        EXPECT_EQ(schemaErrorsAgainst(BRISVEL_RECEIPTS_SCHEMA, xml), QStringList()) << r.what;
    }

    const auto read = fatturapa::readReceipt(xml);
    ASSERT_TRUE(read.ok()) << r.what << ": " << read.error().message.toStdString();
    EXPECT_EQ(read->event, r.event) << r.what;
    EXPECT_EQ(read->invoiceFile, content.invoiceFile) << r.what;
    EXPECT_EQ(read->sdiId, content.sdiId) << r.what;
    EXPECT_EQ(read->messageId, content.messageId) << r.what;
    EXPECT_EQ(read->date, r.date) << r.what;
    EXPECT_EQ(read->errors, r.errors) << r.what;
    EXPECT_EQ(read->outcome, r.outcome) << r.what;
}

const QDate kReceived(2025, 2, 4);
const QDate kDelivered(2025, 2, 5);

INSTANTIATE_TEST_SUITE_P(
    Einvoice, ReceiptReading,
    testing::Values(
        Reading{"delivered: the date is the delivery's",
                {},
                Kind::RC,
                true,
                SdiEvent::Delivered,
                kDelivered,
                {},
                {}},
        Reading{"delivered to a private client's seven-character code",
                [](ReceiptContent& s) { s.recipientCode = "ABC1234"; },
                Kind::RC,
                false,
                SdiEvent::Delivered,
                kDelivered,
                {},
                {}},
        Reading{"rejected with two errors",
                [](ReceiptContent& s) {
                    s.errors = {{"00404", "Fattura duplicata"},
                                {"00311", "1.1.4 <CodiceDestinatario> non valido"}};
                },
                Kind::NS,
                true,
                SdiEvent::Rejected,
                kReceived,
                {"00404 Fattura duplicata", "00311 1.1.4 <CodiceDestinatario> non valido"},
                {}},
        Reading{"not delivered, with the system's description",
                [](ReceiptContent& s) { s.description = "Casella PEC piena"; },
                Kind::MC,
                true,
                SdiEvent::NotDelivered,
                kReceived,
                {"Casella PEC piena"},
                {}},
        Reading{
            "accepted by the public client", {}, Kind::NE, true, SdiEvent::Outcome, {}, {}, "EC01"},
        Reading{"refused by the public client, and why",
                [](ReceiptContent& s) {
                    s.outcome = "EC02";
                    s.description = "Importo errato";
                },
                Kind::NE,
                true,
                SdiEvent::Outcome,
                {},
                {"Importo errato"},
                "EC02"},
        Reading{"transmission attested: the archive's file is not the one answered",
                {},
                Kind::AT,
                true,
                SdiEvent::Attested,
                kReceived,
                {},
                {}},
        Reading{"time to answer over", {}, Kind::DT, true, SdiEvent::Deadline, {}, {}, {}},
        Reading{"a date without milliseconds or zone",
                [](ReceiptContent& s) { s.received = "2025-03-01T08:00:00"; },
                Kind::NS,
                true,
                SdiEvent::Rejected,
                QDate(2025, 3, 1),
                {"00404 Fattura duplicata"},
                {}}),
    [](const testing::TestParamInfo<Reading>& info) { return std::to_string(info.index); });

struct Refused {
    const char* what;
    QByteArray bytes;
    const char* says;
};

class ReceiptRefusal : public testing::TestWithParam<Refused> {};

TEST_P(ReceiptRefusal, SaysWhyTheFileIsNotRead) {
    const Refused& r = GetParam();
    const auto read = fatturapa::readReceipt(r.bytes);
    ASSERT_FALSE(read.ok()) << r.what;
    EXPECT_TRUE(read.error().message.contains(QString::fromUtf8(r.says)))
        << r.what << ": " << read.error().message.toStdString();
}

QByteArray without(const QByteArray& xml, const char* element) {
    QByteArray out = xml;
    const QByteArray open = QByteArray("<") + element + ">";
    const QByteArray close = QByteArray("</") + element + ">";
    const qsizetype from = out.indexOf(open);
    const qsizetype to = out.indexOf(close, from) + close.size();
    return out.remove(from, to - from);
}

QByteArray of(Kind kind, std::function<void(ReceiptContent&)> change = {}) {
    ReceiptContent content;
    content.kind = kind;
    if (change)
        change(content);
    return receiptXml(content);
}

INSTANTIATE_TEST_SUITE_P(
    Einvoice, ReceiptRefusal,
    testing::Values(
        Refused{"an empty file", "  \n", "il file è vuoto"},
        Refused{"a text file", "Ricevuta consegnata il 5 febbraio", "non è un file XML leggibile"},
        Refused{"cut short", of(Kind::RC).left(300), "il file è danneggiato"},
        Refused{"an invoice, not a receipt",
                "<?xml version=\"1.0\"?><p:FatturaElettronica "
                "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" "
                "versione=\"FPR12\"><FatturaElettronicaHeader/></p:FatturaElettronica>",
                "non è una ricevuta del Sistema di Interscambio sulle fatture inviate (il suo "
                "elemento principale è p:FatturaElettronica)"},
        Refused{"a receipt's name in another namespace",
                "<RicevutaConsegna><NomeFile>X.xml</NomeFile></RicevutaConsegna>",
                "non è una ricevuta"},
        Refused{"a message to a receiving client",
                "<t:MetadatiInvioFile xmlns:t=\"http://www.fatturapa.gov.it/sdi/messaggi/v1.0\"/>",
                "non è una ricevuta"},
        Refused{"no file named", without(of(Kind::RC), "NomeFile"), "manca l'elemento NomeFile"},
        Refused{"no message number", without(of(Kind::MC), "MessageId"),
                "manca l'elemento MessageId"},
        Refused{"no system number", without(of(Kind::DT), "IdentificativoSdI"),
                "manca l'elemento IdentificativoSdI"},
        Refused{"a rejection without errors",
                of(Kind::NS, [](ReceiptContent& s) { s.errors = {}; }),
                "manca l'elemento ListaErrori"},
        Refused{"an outcome of no known kind",
                of(Kind::NE, [](ReceiptContent& s) { s.outcome = "EC03"; }), "Esito (EC01 o EC02)"},
        Refused{"an error text longer than a cell holds",
                of(Kind::NS,
                   [](ReceiptContent& s) {
                       s.errors = {{QStringLiteral("00404"), QString(40'000, u'x')}};
                   }),
                "più di quanti una cella ne tenga"},
        Refused{"a signed file that is not one", QByteArray("\x30\x82\x01\x00garbage", 12),
                "non è un file firmato leggibile"}),
    [](const testing::TestParamInfo<Refused>& info) { return std::to_string(info.index); });

TEST(ReceiptNames, AreToldFromOtherFiles) {
    const std::pair<const char*, bool> names[] = {
        {"ITBNCLGU70A01H501Y_00001_RC_001.xml", true},
        {"ITBNCLGU70A01H501Y_00001_ns_002.xml", true},
        {"IT01234567890_0000A_MC_001.xml.p7m", true},
        {"IT01234567890_00001_DT_001.XML", true},
        {"ITBNCLGU70A01H501Y_00001.xml", false},    // the invoice itself
        {"IT01234567890_00001_MT_001.xml", false},  // a message to a receiving client
        {"IT01234567890_00001_RC_1.xml", false},
        {"note_RC_001.txt", false},
    };
    for (const auto& [name, receipt] : names)
        EXPECT_EQ(fatturapa::isReceiptFileName(QString::fromLatin1(name)), receipt) << name;
}

}  // namespace
