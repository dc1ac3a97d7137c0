#pragma once

// Exports chosen invoices of the register as FatturaPA files into a folder: each
// invoice is checked and assembled; a refused one writes nothing; each file written
// takes the next progressive, which never repeats (the last one is kept in the store,
// and a folder that already holds later names moves it on). Widget-free: the window
// shows the progress and the outcome.

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "fatturapa/invoice_assembly.h"
#include "registers/sdi_history.h"
#include "store/store_error.h"

namespace store {
class Workbook;
}

namespace fatturapa {

struct ExportOutcome {
    QString folder;
    QStringList written;  // file names, in the order of the invoices
    // What to look at in files written: "Fattura n. 3 del ... (file ...): ritenuta ..."
    QStringList notices;
    std::vector<Refusal> refusals;
    // Why the export stopped before its last invoice; empty when it went through.
    QString stoppedBy;
};

// Told after each invoice; answers false to stop the export there.
using ExportProgress = std::function<bool(int done, int total)>;

// `FatturePA` in the program folder.
QString defaultExportFolder(const QString& programFolder);

// Exports the invoices of the register rows `rows` (2 and below) of `book` into
// `folder`, made when missing. An error when the sheets are missing or the folder
// cannot be made. A file that cannot be written stops the export there: the outcome
// says why, the files already written stay, and the store knows their progressives
// and, for each invoice written, the name of its file, kept in its history as
// exported on `today`.
// The caller saves the store.
store::Result<ExportOutcome> exportInvoices(store::Workbook& book, const std::vector<int>& rows,
                                            const QString& folder, const QDate& today,
                                            const ExportProgress& progress = {});

// A chosen invoice that went to a file before, the file it last went to and what
// became of that file.
struct EarlierExport {
    int row = 0;
    QString title;  // "n. 12 del 03/02/2025"
    QString file;
    registers::SdiRecord state;
};

// Those of the register rows `rows` that were exported before, in register order;
// none in a store without the invoices' own sheet.
std::vector<EarlierExport> earlierExports(store::Workbook& book, const std::vector<int>& rows);

// The message that closes an export: how many files, where, what to look at in
// them, and why each refused invoice was not exported.
QString outcomeMessage(const ExportOutcome& outcome);

}  // namespace fatturapa
