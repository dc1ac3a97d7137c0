#pragma once

// The invoice form Fattura.xls: which cell receives which field of the invoice
// entry window, the letterhead cells that receive the user's data, the filling of
// a form, and the program's own template. Widget-free: the document window fills
// a copy in memory and the brisvel-xls tool writes the template.

#include <QString>

#include "registers/invoice_fields.h"
#include "registers/user_data.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace xls {
struct Workbook;
}

namespace registers {

// Whether an invoice declares the stamp duty: its amounts without VAT (the total
// taxable when there is no VAT, and the exempt amount) exceed 77,47, or it charges
// the duty to the client.
bool declaresStampDuty(const QString& totalTaxable, const QString& vat, const QString& exempt,
                       bool charged);
inline const QString kStampDutyNote = QStringLiteral("Imposta di bollo assolta in modo virtuale");

// The labels of the payment terms under the bank details.
inline const QString kPaymentLabel = QStringLiteral("Pagamento");
inline const QString kDueLabel = QStringLiteral("Scadenza");

// The name of the form beside the program.
inline constexpr const char* kInvoiceFormFileName = "Fattura.xls";

// The cells the form may be reached in while it is shown.
inline constexpr const char* kInvoiceFormScrollArea = "A1:P50";

// Fills the form's sheet: unprotects it, limits its scroll area, writes the
// invoice's cells one by one, then the user's data into those letterhead cells
// that are empty, and protects it again (no password).
void fillInvoiceForm(const store::Worksheet& form, const InvoiceFields& invoice,
                     const UserData& user);

// The program's own template: an A4 invoice form with a letterhead area, the
// client block, the invoice cells with their labels, borders and fonts, the
// description spread over the rows below B20 with wrap, the amounts on the right.
xls::Workbook makeInvoiceTemplate();

// Writes the program's template at `path`, without a password, atomically.
store::Result<store::Done> writeInvoiceTemplate(const QString& path);

}  // namespace registers
