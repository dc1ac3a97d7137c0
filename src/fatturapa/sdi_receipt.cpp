#include "fatturapa/sdi_receipt.h"

#include "fatturapa/signed_envelope.h"
#include "registers/entered_values.h"

#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fatturapa {

namespace {

using registers::SdiEvent;

// A receipt is a few kilobytes; anything far larger is not one.
constexpr qint64 kLargestReceipt = 4 * 1024 * 1024;

constexpr std::array<std::pair<const char*, SdiEvent>, 6> kRoots = {{
    {"RicevutaConsegna", SdiEvent::Delivered},
    {"NotificaMancataConsegna", SdiEvent::NotDelivered},
    {"NotificaScarto", SdiEvent::Rejected},
    {"NotificaEsito", SdiEvent::Outcome},
    {"AttestazioneTrasmissioneFattura", SdiEvent::Attested},
    {"NotificaDecorrenzaTermini", SdiEvent::Deadline},
}};

store::Error unreadable(const QString& why) {
    return store::Error{store::Error::Kind::Unreadable, why};
}

// The date of an xs:dateTime ("2025-02-05T10:15:00.000+01:00"): the day the system
// wrote, as it wrote it.
QDate dayOf(const QString& dateTime) {
    return QDate::fromString(dateTime.left(10), Qt::ISODate);
}

// The children of the current element, each handed to `child` by local name; what
// `child` leaves unread is passed over.
template <class Child>
void readChildren(QXmlStreamReader& xml, Child child) {
    while (xml.readNextStartElement()) {
        if (!child(xml.name()))
            xml.skipCurrentElement();
    }
}

QString text(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
}

void readErrors(QXmlStreamReader& xml, SdiReceipt& receipt) {
    readChildren(xml, [&](QStringView name) {
        if (name != u"Errore")
            return false;
        QString code;
        QString description;
        readChildren(xml, [&](QStringView part) {
            if (part == u"Codice")
                code = text(xml);
            else if (part == u"Descrizione")
                description = text(xml);
            else
                return false;
            return true;
        });
        receipt.errors << (code + u' ' + description).trimmed();
        return true;
    });
}

// The time the signature says the receipt was signed (XAdES SigningTime), read from
// within the signature element; empty when it says none.
QString signingTime(QXmlStreamReader& xml) {
    QString time;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (time.isEmpty() && xml.name() == u"SigningTime")
                    time = text(xml);
                else
                    ++depth;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            default:
                break;
        }
    }
    return time;
}

void readOutcome(QXmlStreamReader& xml, SdiReceipt& receipt) {
    readChildren(xml, [&](QStringView name) {
        if (name == u"Esito")
            receipt.outcome = text(xml);
        else if (name == u"Descrizione")
            receipt.errors << text(xml);
        else
            return false;
        return true;
    });
}

// What a receipt must say to be matched and kept; empty when it says it.
QString missingPart(const SdiReceipt& r) {
    if (r.sdiId.isEmpty())
        return QStringLiteral("IdentificativoSdI");
    if (r.invoiceFile.isEmpty())
        return QStringLiteral("NomeFile");
    if (r.messageId.isEmpty())
        return QStringLiteral("MessageId");
    if (r.event == SdiEvent::Rejected && r.errors.isEmpty())
        return QStringLiteral("ListaErrori");
    if (r.event == SdiEvent::Outcome && r.outcome != registers::kOutcomeAccepted &&
        r.outcome != registers::kOutcomeRefused)
        return QStringLiteral("Esito (EC01 o EC02)");
    return {};
}

// Reads up to the root element. A receipt has no document type: a DTD could declare
// entities whose expansion costs time and memory out of all proportion to the file,
// so one is refused before anything it declares is used.
store::Result<store::Done> readToRoot(QXmlStreamReader& xml) {
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return unreadable(QStringLiteral(
                "contiene una dichiarazione DOCTYPE (DTD, entità), che nessuna ricevuta ha: "
                "per sicurezza non è stato letto."));
        if (token == QXmlStreamReader::StartElement)
            return store::Done{};
    }
    return unreadable(QStringLiteral("non è un file XML leggibile (riga %1: %2).")
                          .arg(xml.lineNumber())
                          .arg(xml.errorString()));
}

store::Result<SdiReceipt> readXml(const QByteArray& bytes) {
    if (bytes.trimmed().isEmpty())
        return unreadable(QStringLiteral("il file è vuoto."));
    QXmlStreamReader xml(bytes);
    if (const auto root = readToRoot(xml); !root)
        return root.error();
    SdiReceipt receipt;
    const auto root = std::find_if(kRoots.begin(), kRoots.end(), [&](const auto& known) {
        return xml.name() == QLatin1String(known.first);
    });
    if (xml.namespaceUri() != kReceiptNamespace || root == kRoots.end()) {
        return unreadable(
            QStringLiteral("non è una ricevuta del Sistema di Interscambio sulle fatture inviate "
                           "(il suo elemento principale è %1).")
                .arg(xml.qualifiedName()));
    }
    receipt.event = root->second;
    QString received;
    QString delivered;
    QString signedAt;
    readChildren(xml, [&](QStringView name) {
        if (name == u"IdentificativoSdI")
            receipt.sdiId = text(xml);
        else if (name == u"NomeFile")
            receipt.invoiceFile = text(xml);
        else if (name == u"MessageId")
            receipt.messageId = text(xml);
        else if (name == u"DataOraRicezione")
            received = text(xml);
        else if (name == u"DataOraConsegna")
            delivered = text(xml);
        else if (name == u"Descrizione")
            receipt.errors << text(xml);
        else if (name == u"ListaErrori")
            readErrors(xml, receipt);
        else if (name == u"EsitoCommittente")
            readOutcome(xml, receipt);
        else if (name == u"Signature")
            signedAt = signingTime(xml);
        else
            return false;
        return true;
    });
    // What follows the root, too, must be well formed.
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError())
        return unreadable(QStringLiteral("il file è danneggiato (riga %1: %2).")
                              .arg(xml.lineNumber())
                              .arg(xml.errorString()));
    if (const QString missing = missingPart(receipt); !missing.isEmpty())
        return unreadable(
            QStringLiteral("la ricevuta è incompleta: manca l'elemento %1.").arg(missing));
    // Its texts are kept in cells of the history: one longer than a cell holds would
    // make every later save of the store fail. Such a text is beyond what the schema
    // allows; the schema's 200 errors of 255 characters together are not, and are cut
    // to fit a cell rather than refused.
    for (const QString& kept :
         QStringList{receipt.sdiId, receipt.invoiceFile, receipt.messageId, receipt.outcome} +
             receipt.errors) {
        if (kept.size() > registers::kCellTextLimit)
            return unreadable(QStringLiteral("un suo testo è lungo %1 caratteri, più di quanti una "
                                             "cella ne tenga (%2): non è una ricevuta valida.")
                                  .arg(kept.size())
                                  .arg(registers::kCellTextLimit));
    }
    receipt.errors = registers::errorsFittingACell(receipt.errors);
    // An outcome and the end of its term carry no date of their own but their signature's.
    receipt.date = dayOf(!delivered.isEmpty()  ? delivered
                         : !received.isEmpty() ? received
                                               : signedAt);
    return receipt;
}

store::Error cannotOpen(int error) {
    const QString why = error == ENOENT   ? QStringLiteral("non esiste")
                        : error == EACCES ? QStringLiteral("manca il permesso di leggerlo")
                                          : qt_error_string(error);
    return store::Error{store::Error::Kind::Io,
                        QStringLiteral("il file non si può leggere (%1).").arg(why)};
}

}  // namespace

store::Result<SdiReceipt> readReceipt(const QByteArray& bytes) {
    if (!looksSigned(bytes))
        return readXml(bytes);
    const auto content = signedContent(bytes);
    if (!content)
        return content.error();
    return readXml(*content);
}

store::Result<SdiReceipt> readReceiptFile(const QString& path) {
    // Without blocking: a named pipe would wait for a writer. Whether the file is a
    // regular one is asked of the descriptor opened, so a link swapped in between
    // cannot lead elsewhere; a device such as /dev/zero never ends.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return cannotOpen(errno);
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return cannotOpen(errno);
    if (!S_ISREG(st.st_mode))
        return unreadable(QStringLiteral(
            "non è un file ordinario (è una cartella, un dispositivo o una coda): non si legge."));
    // Never more than a receipt can be, whatever size the file claims.
    QByteArray bytes(kLargestReceipt + 1, Qt::Uninitialized);
    qint64 size = 0;
    while (size < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + size, std::size_t(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return cannotOpen(errno);
        if (got == 0)
            break;
        size += got;
    }
    if (size > kLargestReceipt)
        return unreadable(QStringLiteral("il file è troppo grande per essere una ricevuta."));
    bytes.truncate(size);
    return readReceipt(bytes);
}

bool isReceiptFileName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^.+_(RC|NS|MC|NE|AT|DT)_[A-Za-z0-9]{3}\\.xml(\\.p7m)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

}  // namespace fatturapa
