#pragma once

// The codes of the electronic invoice that the four core sheets do not hold, kept
// in a sheet of their own, FatturaPA, so that those sheets stay as they always were:
// beside each settings item its official code (cassa type, Natura, withholding type
// and payment reason, payment method), each client's recipient code or PEC, the
// user's tax regime and, in IV1, the last progressive given to a file. Items are
// found by their text, clients by their identifier; an entry is never dropped, so an
// invoice that still names a renamed item keeps its code. Widget-free.

#include <QHash>
#include <QString>
#include <QStringList>

#include "registers/sheet_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
class WorkbookStore;
}  // namespace store

namespace registers {

inline const QString kEinvoiceCodesSheet = QStringLiteral("FatturaPA");

const SheetLayout& einvoiceCodesLayout();

// Adds the sheet FatturaPA after the others when it is missing, and writes its
// header row; the other sheets are not touched.
void prepareEinvoiceCodesSheet(store::WorkbookStore& store);

store::Result<store::Worksheet> einvoiceCodesSheet(store::Workbook& book);

// Maintenance empties the clients and their numbering starts again from 1: the
// recipient codes and PECs stored for the old identifiers go with them, so that a
// new client never receives an old client's delivery address. The codes of the
// settings items, the regime and the last progressive stay.
void forgetClientAddressing(store::WorkbookStore& store);

// A restored backup may be older than the files already sent: the restored
// workbook keeps the higher of the two last progressives, so that no file name is
// given twice. The codes sheet is added to a backup made before it existed.
void keepLastProgressive(store::Workbook& current, store::Workbook& restored);

// The settings lists that carry a code.
enum class CodedList { Cassa, Exemption, Withholding, Payment };

// An item's code; `reason` is the payment reason of a withholding item (A, B, ...).
struct ItemCodes {
    QString code;
    QString reason;
    bool operator==(const ItemCodes&) const = default;
};

inline const QString kItaly = QStringLiteral("IT");

// Where the client's invoices are delivered: a seven-character recipient code
// ("0000000" when the client has none) and, optionally, a certified e-mail; and
// where the client is: its country (ISO 3166 alpha-2) and, outside Italy, the
// VAT number its own country gave it, or none.
struct ClientAddressing {
    QString recipientCode;
    QString pec;
    QString country = kItaly;
    QString foreignVat = {};
    bool operator==(const ClientAddressing&) const = default;
};

inline const QString kNoRecipientCode = QStringLiteral("0000000");
inline const QString kOrdinaryRegime = QStringLiteral("RF01");

// The INPS separate-scheme surcharge: part of the fee, so it bears withholding too.
inline const QString kInpsSeparateScheme = QStringLiteral("TC22");

// The code a common item gets until the user sets one: 20 % of withholding RT01 with
// reason A, "Bonifico" MP05, and the like; empty when the item's text says nothing
// known. A surcharge item never gets one: 4 % may be INPS or a fund, and the
// withholding depends on which, so the user says it in the codes window.
ItemCodes defaultCodes(CodedList list, const QString& item);

// A payment item's days to payment run from 0 to a year.
inline constexpr int kMostPaymentDays = 366;

// The days to payment a payment item proposes: the first number in its text
// ("RIBA 30 GG" gives 30), 0 when it has none or one beyond a year.
int proposedPaymentDays(const QString& item);

// The sheet read once (an export of a thousand invoices looks codes up often);
// setters write through to the sheet.
class EinvoiceCodes {
  public:
    explicit EinvoiceCodes(store::Worksheet sheet);

    // The stored code, or the item's default when none is stored.
    ItemCodes codes(CodedList list, const QString& item) const;
    void setCodes(CodedList list, const QString& item, const ItemCodes& codes);
    // The surcharge item is coded as the INPS separate scheme.
    bool surchargeWithheld(const QString& cassaItem) const;

    // The days from an invoice's date to its payment: stored beside the payment
    // item's code, else proposed from its text.
    int paymentDays(const QString& paymentItem) const;
    void setPaymentDays(const QString& paymentItem, int days);

    // "0000000" and no PEC for a client with nothing stored.
    ClientAddressing addressing(const QString& clientId) const;
    // `clientName` is written beside the identifier for whoever reads the sheet.
    void setAddressing(const QString& clientId, const QString& clientName,
                       const ClientAddressing& addressing);
    // The identifiers whose stored addressing is other than "0000000", no PEC, Italy.
    QStringList addressedClients() const;

    // RF01 while nothing is stored.
    QString taxRegime() const;
    // The user has saved a regime in the codes window (RF01 included).
    bool taxRegimeChosen() const;
    void setTaxRegime(const QString& regime);

    // 0 before the first file.
    qint64 lastProgressive() const;
    void setLastProgressive(qint64 progressive);

  private:
    int upsertRow(int keyColumn, const QString& key, QHash<QString, int>& rows);

    store::Worksheet sheet_;
    QHash<QString, int> rows_[4];  // per list: item text -> row
    QHash<QString, int> clientRows_;
};

}  // namespace registers
