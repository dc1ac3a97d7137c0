#pragma once

// A receipt of the exchange system (SDI) about a file sent to it, read from its XML
// by its elements: which answer it is (its root element), the file it answers, the
// number the system gave that file, its own message number, its date, and what it
// says: the errors of a rejection, the public client's answer. A signed receipt
// (.p7m) is read from its signed content. Widget-free.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include "registers/sdi_history.h"
#include "store/store_error.h"

namespace fatturapa {

inline const QString kReceiptNamespace =
    QStringLiteral("http://www.fatturapa.gov.it/sdi/messaggi/v1.0");

struct SdiReceipt {
    registers::SdiEvent event = registers::SdiEvent::Delivered;
    QString invoiceFile;  // NomeFile
    QString sdiId;        // IdentificativoSdI
    QString messageId;    // MessageId
    // The delivery (RC), else the reception by the system; of an outcome (NE) or the
    // end of its term (DT), the day the system signed it, when its signature says.
    QDate date;
    QString outcome;  // NE: EC01 or EC02
    // NS: "00404 Fattura duplicata", one an error; MC, NE, DT: their description.
    QStringList errors;
};

// The receipt in `bytes`, plain XML or signed; an error, in Italian, saying why a
// damaged file or one that is no receipt is not read.
store::Result<SdiReceipt> readReceipt(const QByteArray& bytes);

// The receipt in the file at `path`.
store::Result<SdiReceipt> readReceiptFile(const QString& path);

// Whether `name` is named as a receipt is: the invoice file's name without ".xml",
// the kind and a counter, "IT01234567890_00001_RC_001.xml", also signed (".p7m").
bool isReceiptFileName(const QString& name);

}  // namespace fatturapa
