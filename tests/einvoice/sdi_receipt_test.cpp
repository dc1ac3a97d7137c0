// Each kind of receipt read by its elements: the answer, the file it answers, the
// numbers, the date and what it says; receipts of the shape the schema allows are
// validated against it first. Files that are no receipt, hostile ones among them,
// are told apart by why; a file is read only when it is a regular one, and never
// past the size a receipt can have.
#include "fatturapa/sdi_receipt.h"

#include "fattura_xml.h"
#include "receipt_xml.h"
#include "registers/entered_values.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

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
        Reading{"an outcome dated by its signature's signing time",
                [](ReceiptContent& s) { s.signingTime = "2025-02-20T11:00:00Z"; },
                Kind::NE,
                true,
                SdiEvent::Outcome,
                QDate(2025, 2, 20),
                {},
                "EC01"},
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

// A delivery receipt whose DOCTYPE declares one entity of 4,000 characters, used
// 100,000 times in a note: 305 KB that would expand to 400 million characters.
QByteArray quadraticExpansion() {
    QByteArray xml = of(Kind::RC);
    xml.insert(xml.indexOf('\n') + 1, "<!DOCTYPE types:RicevutaConsegna [<!ENTITY e \"" +
                                          QByteArray(4000, 'x') + "\">]>\n");
    QByteArray uses;
    for (int i = 0; i < 100'000; ++i)
        uses += "&e;";
    return xml.replace("<MessageId>", "<Note>" + uses + "</Note><MessageId>");
}

QByteArray fixture(const char* name) {
    return test_support::fileBytes(QStringLiteral(BRISVEL_FIXTURES "/receipts/") +
                                   QString::fromLatin1(name));
}

const char* kNoDoctype = "contiene una dichiarazione DOCTYPE (DTD, entità)";

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
        Refused{"an entity expanded quadratically", quadraticExpansion(), kNoDoctype},
        Refused{"a harmless entity: no receipt has a DOCTYPE", fixture("internal-entity.xml"),
                kNoDoctype},
        Refused{"an external entity", fixture("external-entity.xml"), kNoDoctype},
        Refused{"billion laughs", fixture("billion-laughs.xml"), kNoDoctype},
        Refused{"a signed file without the signer's certificate",
                fixture("no-signer-certificate.xml.p7m"),
                "non contiene il certificato di chi l'ha firmato"},
        Refused{"a detached signature", fixture("detached-signature.xml.p7m"),
                "contiene solo la firma, non la ricevuta firmata"},
        Refused{"an error text longer than a cell holds",
                of(Kind::NS,
                   [](ReceiptContent& s) {
                       s.errors = {{QStringLiteral("00404"), QString(40'000, u'x')}};
                   }),
                "più di quanti una cella ne tenga"},
        Refused{"a signed file that is not one", QByteArray("\x30\x82\x01\x00garbage", 12),
                "non è un file firmato leggibile"}),
    [](const testing::TestParamInfo<Refused>& info) { return std::to_string(info.index); });

TEST(ReceiptReading, KeepsTheSchemasMostErrorsCutToFitACell) {
    ReceiptContent content;
    content.kind = Kind::NS;
    content.errors.clear();
    for (int i = 1; i <= 200; ++i)
        content.errors.emplace_back(QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')),
                                    QString(255, QLatin1Char('a' + i % 26)));
    const QByteArray xml = receiptXml(content);
    EXPECT_EQ(schemaErrorsAgainst(BRISVEL_RECEIPTS_SCHEMA, xml), QStringList());

    const auto read = fatturapa::readReceipt(xml);
    ASSERT_TRUE(read.ok()) << read.error().message.toStdString();
    const qsizetype kept = read->errors.size() - 1;
    EXPECT_GT(kept, 100);
    for (qsizetype i = 0; i < kept; ++i)
        EXPECT_EQ(read->errors[i], content.errors[std::size_t(i)].first + u' ' +
                                       content.errors[std::size_t(i)].second);
    EXPECT_EQ(read->errors.last(), QStringLiteral("… e altri %1 errori").arg(200 - kept));
    EXPECT_LE(read->errors.join(u'\n').size(), registers::kCellTextLimit);
}

struct OnDisk {
    const char* what;
    // Makes the file to read in `folder`; its path.
    std::function<QString(const QDir& folder)> make;
    const char* refusal;  // nullptr: read as the delivery receipt
};

class ReceiptOnDisk : public testing::TestWithParam<OnDisk> {};

TEST_P(ReceiptOnDisk, IsReadOnlyFromARegularFileOfAReceiptsSize) {
    const OnDisk& d = GetParam();
    QTemporaryDir folder;
    const auto read = fatturapa::readReceiptFile(d.make(QDir(folder.path())));
    if (!d.refusal) {
        ASSERT_TRUE(read.ok()) << d.what << ": " << read.error().message.toStdString();
        EXPECT_EQ(read->invoiceFile, "ITBNCLGU70A01H501Y_00001.xml") << d.what;
        EXPECT_EQ(read->event, SdiEvent::Delivered) << d.what;
        return;
    }
    ASSERT_FALSE(read.ok()) << d.what;
    EXPECT_TRUE(read.error().message.contains(QString::fromUtf8(d.refusal)))
        << d.what << ": " << read.error().message.toStdString();
}

const char kReceiptName[] = "ITBNCLGU70A01H501Y_00001_RC_001.xml";
const char* kNotRegular = "non è un file ordinario";

INSTANTIATE_TEST_SUITE_P(
    Einvoice, ReceiptOnDisk,
    testing::Values(
        OnDisk{"a link to /dev/zero named as a receipt",
               [](const QDir& folder) {
                   QFile::link("/dev/zero", folder.filePath(kReceiptName));
                   return folder.filePath(kReceiptName);
               },
               kNotRegular},
        OnDisk{"a named pipe no one writes to",
               [](const QDir& folder) {
                   ::mkfifo(QFile::encodeName(folder.filePath(kReceiptName)).constData(), 0600);
                   return folder.filePath(kReceiptName);
               },
               kNotRegular},
        OnDisk{"one byte past 4 MB",
               [](const QDir& folder) {
                   QFile file(folder.filePath(kReceiptName));
                   EXPECT_TRUE(file.open(QIODevice::WriteOnly));
                   file.resize(4 * 1024 * 1024 + 1);
                   return file.fileName();
               },
               "troppo grande"},
        OnDisk{"a file that is not there",
               [](const QDir& folder) { return folder.filePath(kReceiptName); }, "non esiste"},
        OnDisk{"signed and armoured as PEM CMS",
               [](const QDir&) {
                   return QStringLiteral(BRISVEL_FIXTURES "/receipts/pem-cms.xml.p7m");
               },
               nullptr},
        OnDisk{"signed and armoured as PEM PKCS7",
               [](const QDir&) {
                   return QStringLiteral(BRISVEL_FIXTURES "/receipts/pem-pkcs7.xml.p7m");
               },
               nullptr}),
    [](const testing::TestParamInfo<OnDisk>& info) { return std::to_string(info.index); });

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
