#pragma once

// Receipts read in a batch: every file is read first, touching nothing; then each
// receipt is matched to the invoice whose exported file it names and kept in the
// receipts' history. A receipt kept before changes nothing; one naming a file this
// store never exported, and a file that is no receipt, are told, never dropped.
// Widget-free: the window picks the files, saves once and shows the outcome.

#include <QString>
#include <QStringList>

#include <vector>

#include "fatturapa/sdi_receipt.h"
#include "store/store_error.h"

namespace store {
class Workbook;
}

namespace fatturapa {

struct ReceiptFile {
    QString name;  // the file's name, without its folder
    store::Result<SdiReceipt> receipt;
};

// Reads each of `paths`; a folder among them gives the files in it named as receipts,
// in name order.
std::vector<ReceiptFile> readReceiptFiles(const QStringList& paths);

enum class ReceiptStatus { Recorded, AlreadyRead, UnknownFile, Unreadable };

struct ReceiptOutcome {
    QString receiptFile;
    ReceiptStatus status = ReceiptStatus::Unreadable;
    QString invoiceFile;  // the file the receipt names
    QString invoice;      // "n. 3 del 03/02/2025"; empty when not matched
    // The state the receipt gives ("Scartata: 00404 ..."), or why it was not kept.
    QString said;
};

// Keeps in the history of `book` each receipt of `files` not kept before, for the
// invoice whose exported file it names; an outcome per file, in their order. An
// error when the store has no history or register, or the history is full (what came
// before stays recorded). The caller saves the store.
store::Result<std::vector<ReceiptOutcome>> recordReceipts(store::Workbook& book,
                                                          const std::vector<ReceiptFile>& files);

// The message that closes a batch: how many receipts were kept, already known, for
// unknown files, and which files could not be read, and why.
QString receiptsSummary(const std::vector<ReceiptOutcome>& outcomes);

}  // namespace fatturapa
