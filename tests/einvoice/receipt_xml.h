#pragma once

// Receipts of the exchange system as the tests build them: each kind with its
// elements in the schema's order, a signature element of the right shape, and the
// namespace on the root only, as the system writes them.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace einvoice_test {

enum class Kind { RC, NS, MC, NE, AT, DT };

struct ReceiptContent {
    Kind kind = Kind::RC;
    QString invoiceFile = QStringLiteral("ITBNCLGU70A01H501Y_00001.xml");
    QString messageId = QStringLiteral("1234567");
    QString sdiId = QStringLiteral("111222333");
    QString received = QStringLiteral("2025-02-04T10:15:00.000+01:00");
    QString delivered = QStringLiteral("2025-02-05T09:00:00.000+01:00");
    QString recipientCode = QStringLiteral("ABC123");  // six characters: what the schema allows
    std::vector<std::pair<QString, QString>> errors = {
        {QStringLiteral("00404"), QStringLiteral("Fattura duplicata")}};
    QString outcome = QStringLiteral("EC01");
    QString description;  // MC, NE, DT
    QString signingTime;  // in the signature, when given
};

inline QString receiptRoot(Kind kind) {
    switch (kind) {
        case Kind::RC:
            return QStringLiteral("RicevutaConsegna");
        case Kind::NS:
            return QStringLiteral("NotificaScarto");
        case Kind::MC:
            return QStringLiteral("NotificaMancataConsegna");
        case Kind::NE:
            return QStringLiteral("NotificaEsito");
        case Kind::AT:
            return QStringLiteral("AttestazioneTrasmissioneFattura");
        case Kind::DT:
            return QStringLiteral("NotificaDecorrenzaTermini");
    }
    return {};
}

inline QByteArray receiptXml(const ReceiptContent& r) {
    const auto element = [](const char* name, const QString& text) {
        return QStringLiteral("<%1>%2</%1>").arg(QString::fromLatin1(name), text.toHtmlEscaped());
    };
    const QString recipient = QStringLiteral("<Destinatario>") +
                              element("Codice", r.recipientCode) +
                              element("Descrizione", QStringLiteral("ROSSI & FIGLI SRL")) +
                              QStringLiteral("</Destinatario>");
    const QString description =
        r.description.isEmpty() ? QString() : element("Descrizione", r.description);
    QString body = element("IdentificativoSdI", r.sdiId);
    switch (r.kind) {
        case Kind::RC:
            body += element("NomeFile", r.invoiceFile) + element("DataOraRicezione", r.received) +
                    element("DataOraConsegna", r.delivered) + recipient;
            break;
        case Kind::NS: {
            body += element("NomeFile", r.invoiceFile) + element("DataOraRicezione", r.received);
            if (!r.errors.empty()) {
                body += QStringLiteral("<ListaErrori>");
                for (const auto& [code, text] : r.errors)
                    body += QStringLiteral("<Errore>") + element("Codice", code) +
                            element("Descrizione", text) + QStringLiteral("</Errore>");
                body += QStringLiteral("</ListaErrori>");
            }
            break;
        }
        case Kind::MC:
            body += element("NomeFile", r.invoiceFile) + element("DataOraRicezione", r.received) +
                    description;
            break;
        case Kind::NE:
            body += element("NomeFile", r.invoiceFile) +
                    QStringLiteral("<EsitoCommittente versione=\"1.0\">") +
                    element("IdentificativoSdI", r.sdiId) + element("Esito", r.outcome) +
                    description + QStringLiteral("</EsitoCommittente>");
            break;
        case Kind::AT:
            // The archive reference names another file: only the receipt's own
            // NomeFile says which file it answers.
            body += element("NomeFile", r.invoiceFile) + element("DataOraRicezione", r.received) +
                    QStringLiteral("<RiferimentoArchivio>") + element("IdentificativoSdI", "999") +
                    element("NomeFile", QStringLiteral("ARCHIVIO.zip")) +
                    QStringLiteral("</RiferimentoArchivio>") + recipient;
            break;
        case Kind::DT:
            body += element("NomeFile", r.invoiceFile) + description;
            break;
    }
    body += element("MessageId", r.messageId);
    if (r.kind == Kind::AT)
        body += element("HashFileOriginale", QStringLiteral("0a1b2c"));
    body += QStringLiteral(
        "<ds:Signature xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\"><ds:SignedInfo>"
        "<ds:CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
        "<ds:SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
        "<ds:Reference URI=\"\"><ds:DigestMethod "
        "Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
        "<ds:DigestValue>AAAA</ds:DigestValue></ds:Reference></ds:SignedInfo>"
        "<ds:SignatureValue>AAAA</ds:SignatureValue>");
    if (!r.signingTime.isEmpty())
        body += QStringLiteral(
                    "<ds:Object><xades:QualifyingProperties "
                    "xmlns:xades=\"http://uri.etsi.org/01903/v1.3.2#\" Target=\"#firma\">"
                    "<xades:SignedProperties><xades:SignedSignatureProperties><xades:SigningTime>"
                    "%1</xades:SigningTime></xades:SignedSignatureProperties>"
                    "</xades:SignedProperties></xades:QualifyingProperties></ds:Object>")
                    .arg(r.signingTime);
    body += QStringLiteral("</ds:Signature>");
    const QString root = receiptRoot(r.kind);
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<types:%1 "
                           "xmlns:types=\"http://www.fatturapa.gov.it/sdi/messaggi/v1.0\" "
                           "versione=\"1.0\">")
                .arg(root) +
            body + QStringLiteral("</types:%1>").arg(root))
        .toUtf8();
}

// The file name the system gives a receipt about `invoiceFile`.
inline QString receiptName(const QString& invoiceFile, Kind kind, int counter = 1) {
    QString stem = invoiceFile;
    stem.chop(4);  // ".xml"
    const char* codes[] = {"RC", "NS", "MC", "NE", "AT", "DT"};
    return QStringLiteral("%1_%2_%3.xml")
        .arg(stem, QString::fromLatin1(codes[int(kind)]))
        .arg(counter, 3, 10, QLatin1Char('0'));
}

}  // namespace einvoice_test
