#include "fatturapa/receipt_batch.h"

#include "fatturapa/invoice_assembly.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "registers/sdi_history.h"
#include "store/workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace fatturapa {

namespace {

// A file the user signed before sending it keeps its name with ".p7m" after; the
// export knows it by the name it wrote. Names compare without case.
QString sentName(const QString& named) {
    QString name = named.toLower();
    if (name.endsWith(QLatin1String(".p7m")))
        name.chop(4);
    return name;
}

struct ExportedFile {
    QString invoiceId;
    QString name;  // as exported
};

// Every file the store knows it exported, by its folded name: those kept in the
// history, and the last file of each invoice of the register.
QHash<QString, ExportedFile> exportedFiles(const registers::SdiHistory& history,
                                           const std::vector<RegisteredInvoice>& invoices,
                                           const std::optional<registers::InvoiceExtras>& extras) {
    QHash<QString, ExportedFile> files;
    for (const registers::SdiRecord& r : history.records())
        files.insert(sentName(r.file), {r.invoiceId, r.file});
    if (extras) {
        for (const RegisteredInvoice& invoice : invoices) {
            const QString id = invoice[registers::invoice::Id];
            if (const QString name = extras->exportedAs(id); !name.isEmpty())
                files.insert(sentName(name), {id, name});
        }
    }
    return files;
}

}  // namespace

std::vector<ReceiptFile> readReceiptFiles(const QStringList& paths) {
    std::vector<ReceiptFile> read;
    const auto readOne = [&read](const QFileInfo& file) {
        read.push_back({file.fileName(), readReceiptFile(file.filePath())});
    };
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            readOne(info);
            continue;
        }
        for (const QFileInfo& file :
             QDir(path).entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
            if (isReceiptFileName(file.fileName()))
                readOne(file);
        }
    }
    return read;
}

store::Result<std::vector<ReceiptOutcome>> recordReceipts(store::Workbook& book,
                                                          const std::vector<ReceiptFile>& files) {
    const auto historySheet = registers::sdiHistorySheet(book);
    if (!historySheet)
        return historySheet.error();
    const auto registerSheet = registers::invoiceSheet(book);
    if (!registerSheet)
        return registerSheet.error();
    std::optional<registers::InvoiceExtras> extras;
    if (const auto extrasSheet = registers::invoiceExtrasSheet(book))
        extras.emplace(*extrasSheet);
    registers::SdiHistory history(*historySheet);
    const std::vector<RegisteredInvoice> invoices = readRegister(*registerSheet);
    QHash<QString, QString> titles;
    for (const RegisteredInvoice& invoice : invoices)
        titles.insert(invoice[registers::invoice::Id], invoice.title());
    const QHash<QString, ExportedFile> exported = exportedFiles(history, invoices, extras);

    std::vector<ReceiptOutcome> outcomes;
    for (const ReceiptFile& file : files) {
        ReceiptOutcome& outcome = outcomes.emplace_back();
        outcome.receiptFile = file.name;
        if (!file.receipt) {
            outcome.said = file.receipt.error().message;
            continue;
        }
        const SdiReceipt& receipt = *file.receipt;
        outcome.invoiceFile = receipt.invoiceFile;
        const auto found = exported.constFind(sentName(receipt.invoiceFile));
        if (found == exported.cend()) {
            outcome.status = ReceiptStatus::UnknownFile;
            outcome.said = QStringLiteral("il file %1 non risulta esportato da questo programma.")
                               .arg(receipt.invoiceFile);
            continue;
        }
        outcome.invoice =
            titles.value(found->invoiceId, QStringLiteral("ID %1").arg(found->invoiceId));
        const registers::SdiRecord record{found->invoiceId, found->name,   receipt.event,
                                          receipt.date,     receipt.sdiId, receipt.messageId,
                                          receipt.outcome,  receipt.errors};
        outcome.said = record.stateText();
        if (history.holds(record)) {
            outcome.status = ReceiptStatus::AlreadyRead;
            continue;
        }
        if (auto kept = history.record(record); !kept)
            return kept.error();
        outcome.status = ReceiptStatus::Recorded;
    }
    return outcomes;
}

QString receiptsSummary(const std::vector<ReceiptOutcome>& outcomes) {
    int counts[4] = {};
    QStringList unreadable;
    for (const ReceiptOutcome& o : outcomes) {
        ++counts[int(o.status)];
        if (o.status == ReceiptStatus::Unreadable)
            unreadable << QStringLiteral("- %1: %2").arg(o.receiptFile, o.said);
    }
    if (outcomes.empty())
        return QStringLiteral("Nessuna ricevuta da leggere.");
    QString text = QStringLiteral(
                       "Ricevute lette: %1.\nRegistrate: %2\nGià lette prima: %3\n"
                       "Di file non esportati da questo programma: %4\nNon leggibili: %5")
                       .arg(outcomes.size())
                       .arg(counts[int(ReceiptStatus::Recorded)])
                       .arg(counts[int(ReceiptStatus::AlreadyRead)])
                       .arg(counts[int(ReceiptStatus::UnknownFile)])
                       .arg(counts[int(ReceiptStatus::Unreadable)]);
    if (!unreadable.isEmpty())
        text += QStringLiteral("\n\n") + unreadable.join(u'\n');
    return text;
}

}  // namespace fatturapa
