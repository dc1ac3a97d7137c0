#pragma once

// From a registered invoice to the electronic invoice: the register row, the
// client's row of Anagrafe, the user's data of Utente and the codes of FatturaPA.
// The register keeps amounts, not rates: each rate is recovered as the settings item
// whose amount, computed by the same steps, equals the stored amount to the cent.
// Anything missing or wrong refuses the invoice with every fault found.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "base/result.h"
#include "fatturapa/fattura_pa.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_register.h"
#include "registers/user_data.h"

namespace store {
class Workbook;
}

namespace fatturapa {

// One row of the register, its seventeen cells as they are shown.
struct RegisteredInvoice {
    int row = 0;
    registers::InvoiceRecord cells;

    const QString& operator[](registers::InvoiceColumn column) const { return cells[column]; }
    QString& operator[](registers::InvoiceColumn column) { return cells[column]; }
    // "n. 12 del 03/02/2025"
    QString title() const;
};

// Every invoice of the register, from row 2 down to the first empty record number.
std::vector<RegisteredInvoice> readRegister(const store::Worksheet& invoices);

// What every invoice of an export reads, read once.
struct ExportSources {
    registers::UserData user;
    std::vector<registers::ClientRecord> clients;
    QStringList inpsItems;
    QStringList vatItems;
    QStringList withholdingItems;
    registers::EinvoiceCodes codes;
    // None in a store from before the sheet existed: no invoice charges a stamp line.
    std::optional<registers::InvoiceExtras> extras;
};

// The sheets of `book`; an error when one is missing.
store::Result<ExportSources> readExportSources(store::Workbook& book);

// Why one invoice was not exported.
struct Refusal {
    QString invoice;  // its title
    QStringList faults;
    // "Fattura n. 12 del 03/02/2025 non esportata:\n- manca ..."
    QString message() const;
};

// The user as the file's supplier.
Party supplierParty(const registers::UserData& user);

// The sender's identifier of the file name and the transmission data: the user's
// tax code, or the VAT number when there is no tax code.
QString senderId(const registers::UserData& user);

// An invoice ready to be written, and what the user is told beside its file.
struct AssembledInvoice {
    Document document;
    // Written, but worth a look: "ritenuta verso un cliente senza partita IVA ..."
    QStringList notices;
};

// The electronic invoice of `invoice` without its progressive, or every fault.
brisvel::Result<AssembledInvoice, Refusal> assembleDocument(const RegisteredInvoice& invoice,
                                                            const ExportSources& sources);

}  // namespace fatturapa
