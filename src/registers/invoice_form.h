#pragma once

// The invoice form Fattura.xls: which cell receives which field of the invoice
// entry window, the letterhead cells that receive the user's data, the filling of
// a form, and the program's own template. Widget-free: the document window fills
// a copy in memory and the brisvel-xls tool writes the template.

#include <QString>

#include "registers/user_data.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace xls {
struct Workbook;
}

namespace registers {

// The texts of the entry window's fields, as they stand when the document is asked
// for (labels: their caption; text and combo boxes: their text).
struct InvoiceFields {
    QString clientName;       // Combo1
    QString address;          // Label13
    QString postalCode;       // Label22
    QString town;             // Label23
    QString province;         // Label24
    QString taxCode;          // Label25
    QString vatNumber;        // Label26
    QString clientId;         // Text12
    QString date;             // Text2
    QString number;           // Text1
    QString description;      // Text15
    QString taxable;          // Text9
    QString surchargeRate;    // Combo5
    QString surcharge;        // Text3
    QString totalTaxable;     // Text5
    QString vatRate;          // Combo6
    QString vat;              // Text6
    QString exemption;        // Combo3
    QString exempt;           // Text7
    QString total;            // Text8
    QString withholdingRate;  // Combo7
    QString withholding;      // Text14
    QString net;              // Text4
    // The stamp duty: its line when charged to the client (label and amount), and
    // the note of an invoice that declares it; empty when not.
    QString stampDutyLabel;
    QString stampDutyLine;
    QString stampDutyNote;
};

// Whether an invoice declares the stamp duty: its amounts without VAT (the total
// taxable when there is no VAT, and the exempt amount) exceed 77,47, or it charges
// the duty to the client.
bool declaresStampDuty(const QString& totalTaxable, const QString& vat, const QString& exempt,
                       bool charged);
inline const QString kStampDutyNote = QStringLiteral("Imposta di bollo assolta in modo virtuale");

// The name of the form beside the program.
inline constexpr const char* kInvoiceFormFileName = "Fattura.xls";

// The cells the form may be reached in while it is shown.
inline constexpr const char* kInvoiceFormScrollArea = "A1:P50";

// Fills the form's sheet: unprotects it, limits its scroll area, writes the
// invoice's cells in the order the original wrote them, then the letterhead from
// the user's data, and protects it again (no password).
void fillInvoiceForm(const store::Worksheet& form, const InvoiceFields& invoice,
                     const UserData& user);

// The program's own template: an A4 invoice form with a letterhead area, the
// client block, the invoice cells with their labels, borders and fonts, the
// description spread over the rows below B20 with wrap, the amounts on the right.
xls::Workbook makeInvoiceTemplate();

}  // namespace registers
