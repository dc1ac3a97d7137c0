#include "einvoice/einvoice_export.h"

#include "einvoice/fattura_pa.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <unordered_set>

namespace einvoice {

namespace {

// The highest progressive of this sender's files already in the folder.
qint64 highestInFolder(const QDir& folder, const QString& sender) {
    qint64 highest = 0;
    const QStringList names =
        folder.entryList({QStringLiteral("IT") + sender + QStringLiteral("_*.xml")}, QDir::Files);
    for (const QString& name : names)
        highest = std::max(highest, progressiveOf(name, sender).value_or(0));
    return highest;
}

store::Error ioError(const QString& message) {
    return store::Error{store::Error::Kind::Io, message};
}

}  // namespace

QString defaultExportFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("FatturePA"));
}

store::Result<ExportOutcome> exportInvoices(store::Workbook& book, const std::vector<int>& rows,
                                            const QString& folderPath,
                                            const ExportProgress& progress) {
    const auto invoiceSheet = book.sheet(store::kInvoicesSheet);
    if (!invoiceSheet)
        return invoiceSheet.error();
    auto sources = readExportSources(book);
    if (!sources)
        return sources.error();
    if (!QDir().mkpath(folderPath))
        return ioError(QStringLiteral("Non è possibile creare la cartella %1.")
                           .arg(QDir::toNativeSeparators(folderPath)));
    const QDir folder(folderPath);

    const std::unordered_set<int> chosen(rows.begin(), rows.end());
    std::vector<RegisteredInvoice> invoices = readRegister(*invoiceSheet);
    std::erase_if(invoices, [&](const RegisteredInvoice& i) { return !chosen.contains(i.row); });

    ExportOutcome outcome;
    outcome.folder = folder.absolutePath();
    const QString sender = senderId(sources->user);
    qint64 next = std::max(sources->codes.lastProgressive(), highestInFolder(folder, sender)) + 1;
    const int total = int(invoices.size());
    for (int done = 0; done < total; ++done) {
        if (progress && !progress(done, total))
            break;
        auto document = assembleDocument(invoices[std::size_t(done)], *sources);
        if (!document) {
            outcome.refusals.push_back(document.error());
            continue;
        }
        if (next > kLastProgressive)
            return ioError(QStringLiteral("I progressivi dei file sono esauriti."));
        document->progressive = progressiveText(next);
        const QString name = fileName(sender, document->progressive);
        QSaveFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(writeFatturaPA(*document)) < 0 ||
            !file.commit())
            return ioError(QStringLiteral("Non è possibile scrivere il file %1: %2")
                               .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        sources->codes.setLastProgressive(next++);
        outcome.written << name;
    }
    if (progress)
        progress(total, total);
    return outcome;
}

QString outcomeMessage(const ExportOutcome& outcome) {
    QString text;
    if (outcome.written.isEmpty())
        text = QStringLiteral("Nessuna fattura è stata esportata.");
    else if (outcome.written.size() == 1)
        text = QStringLiteral("È stato creato il file %1 nella cartella %2.")
                   .arg(outcome.written.front(), QDir::toNativeSeparators(outcome.folder));
    else
        text = QStringLiteral("Sono stati creati %1 file nella cartella %2.")
                   .arg(outcome.written.size())
                   .arg(QDir::toNativeSeparators(outcome.folder));
    for (const Refusal& refusal : outcome.refusals)
        text += QStringLiteral("\n\n") + refusal.message();
    return text;
}

}  // namespace einvoice
