#pragma once

// The invoices of a period for the accountant, in one ZIP file: the electronic
// invoice of each (made now, with the export's checks and progressives, where it
// was never made), a PDF copy of each invoice document, and the register of the
// period as CSV. The ZIP appears whole or not at all: a run given up on, or one
// that fails, leaves nothing at its path. No windows: the caller shows progress
// and the outcome, and saves the store (the progressives given are kept in it).

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "fatturapa/invoice_assembly.h"
#include "store/store_error.h"

namespace store {
class Workbook;
}

namespace year {

// A month, a quarter or the year.
struct Period {
    QString name;  // "Marzo 2025", "1° trimestre 2025", "Anno 2025"
    QDate first;
    QDate last;
};

// The year, then its four quarters, then its twelve months.
std::vector<Period> periodsOf(int year);

// The ZIP's name proposed for the period: "Fatture 2025-03.zip", "Fatture 2025-T1.zip",
// "Fatture 2025.zip".
QString proposedZipName(const Period& period);

struct PackageOutcome {
    QString zipPath;
    int invoices = 0;  // in the period
    int xmlFiles = 0;  // electronic invoices in the ZIP
    int pdfFiles = 0;
    int exportedNow = 0;                       // electronic invoices made by this run
    std::vector<fatturapa::Refusal> refusals;  // invoices the export refused
    // What else was left out and why, one line each.
    QStringList leftOut;
    bool cancelled = false;
};

// Told after each step; answers false to give the run up.
using PackageProgress = std::function<bool(int done, int total)>;

struct PackageRequest {
    Period period;
    QString zipPath;
    QString programFolder;  // where the invoice form and the export folder are
    QDate today;            // the date on the invoice documents
};

// Packs the invoices dated in the period. An error when the register cannot be
// read or the ZIP cannot be written; a run given up on is an outcome marked
// cancelled, with no ZIP.
store::Result<PackageOutcome> packInvoices(store::Workbook& book, const PackageRequest& request,
                                           const PackageProgress& progress = {});

// What the user is told at the end of a run that was not given up on.
QString outcomeMessage(const PackageOutcome& outcome);

}  // namespace year
