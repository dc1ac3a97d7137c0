#include "fatturapa/einvoice_export.h"

#include "fatturapa/fattura_pa.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "registers/sdi_history.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_set>

namespace fatturapa {

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

// Written under a temporary name and renamed into place, so a name in the folder is
// always a whole file, and an existing file is never written over. The data reaches
// the disk with the folder's one sync at the end of the export: a sync per file
// would cost more than the whole export.
store::Result<store::Done> writeNewFile(const QDir& folder, const QString& name,
                                        const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile part(path + QStringLiteral(".part"));
    // The cause is read before the partial file goes: removing it sets an error of its own.
    const auto failed = [&] {
        const QString why = part.errorString();
        part.remove();
        return ioError(QStringLiteral("Non è possibile scrivere il file %1: %2")
                           .arg(QDir::toNativeSeparators(path), why));
    };
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        part.write(bytes) != bytes.size() || !part.flush())
        return failed();
    part.close();
    if (!part.rename(path))
        return failed();
    return store::Done{};
}

// Every file of the folder's file system to disk, before the store records their
// progressives.
void syncFolder(const QDir& folder) {
    const int fd = ::open(QFile::encodeName(folder.absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
}

}  // namespace

QString defaultExportFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("FatturePA"));
}

store::Result<ExportOutcome> exportInvoices(store::Workbook& book, const std::vector<int>& rows,
                                            const QString& folderPath, const QDate& today,
                                            const ExportProgress& progress) {
    const auto registerSheet = registers::invoiceSheet(book);
    if (!registerSheet)
        return registerSheet.error();
    auto sources = readExportSources(book);
    if (!sources)
        return sources.error();
    if (!QDir().mkpath(folderPath))
        return ioError(QStringLiteral("Non è possibile creare la cartella %1.")
                           .arg(QDir::toNativeSeparators(folderPath)));
    const QDir folder(folderPath);

    const std::unordered_set<int> chosen(rows.begin(), rows.end());
    std::vector<RegisteredInvoice> invoices = readRegister(*registerSheet);
    std::erase_if(invoices, [&](const RegisteredInvoice& i) { return !chosen.contains(i.row); });

    // Each file written joins the invoice's history, where its receipts will follow.
    std::optional<registers::SdiHistory> history;
    if (const auto historySheet = registers::sdiHistorySheet(book))
        history.emplace(*historySheet);

    ExportOutcome outcome;
    outcome.folder = folder.absolutePath();
    const QString sender = senderId(sources->user);
    qint64 next = std::max(sources->codes.lastProgressive(), highestInFolder(folder, sender)) + 1;
    const int total = int(invoices.size());
    for (int done = 0; done < total; ++done) {
        if (progress && !progress(done, total))
            break;
        const RegisteredInvoice& invoice = invoices[std::size_t(done)];
        auto assembled = assembleDocument(invoice, *sources);
        if (!assembled) {
            outcome.refusals.push_back(assembled.error());
            continue;
        }
        if (next > kLastProgressive)
            return ioError(QStringLiteral("I progressivi dei file sono esauriti."));
        Document& document = assembled->document;
        document.progressive = progressiveText(next);
        const QString name = fileName(sender, document.progressive);
        if (auto written = writeNewFile(folder, name, writeFatturaPA(document)); !written) {
            outcome.stoppedBy = written.error().message;
            break;
        }
        sources->codes.setLastProgressive(next++);
        const QString id = invoice[registers::invoice::Id];
        if (sources->extras)
            sources->extras->setExportedAs(id, name);
        if (history) {
            registers::SdiRecord exported;
            exported.invoiceId = id;
            exported.file = name;
            exported.date = today;
            if (auto kept = history->record(exported); !kept) {
                outcome.stoppedBy = kept.error().message;
                outcome.written << name;
                break;
            }
        }
        outcome.written << name;
        for (const QString& notice : assembled->notices)
            outcome.notices
                << QStringLiteral("Fattura %1 (file %2): %3").arg(invoice.title(), name, notice);
    }
    syncFolder(folder);
    if (progress && outcome.stoppedBy.isEmpty())
        progress(total, total);
    return outcome;
}

std::vector<EarlierExport> earlierExports(store::Workbook& book, const std::vector<int>& rows) {
    const auto registerSheet = registers::invoiceSheet(book);
    if (!registerSheet)
        return {};
    const registers::SdiStates states(book);
    const std::unordered_set<int> chosen(rows.begin(), rows.end());
    std::vector<EarlierExport> earlier;
    for (const RegisteredInvoice& invoice : readRegister(*registerSheet)) {
        if (!chosen.contains(invoice.row))
            continue;
        if (auto state = states.of(invoice[registers::invoice::Id]))
            earlier.push_back({invoice.row, invoice.title(), state->file, std::move(*state)});
    }
    return earlier;
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
    if (!outcome.stoppedBy.isEmpty()) {
        text += QStringLiteral(
                    "\n\nL'esportazione si è interrotta: %1\nLe fatture dei file "
                    "creati sono esportate; le altre non lo sono.")
                    .arg(outcome.stoppedBy);
    }
    if (!outcome.notices.isEmpty())
        text +=
            QStringLiteral("\n\nDa verificare:\n- ") + outcome.notices.join(QStringLiteral("\n- "));
    for (const Refusal& refusal : outcome.refusals)
        text += QStringLiteral("\n\n") + refusal.message();
    return text;
}

}  // namespace fatturapa
