#pragma once

// What still carries a client identifier. A new client must never receive a number
// that a client row, an invoice or a stored delivery address still carries: it would
// inherit that client's invoices, position and electronic-invoice address.

#include <QString>

namespace registers {

class ClientSheet;
class EinvoiceCodes;
class InvoiceRegister;

struct IdentifierUse {
    QString clientName;  // the client row that carries it; empty when none does
    int invoices = 0;
    int uncollected = 0;      // of those, the ones with no collection date
    bool addressing = false;  // a recipient code other than "0000000", or a PEC

    bool any() const { return !clientName.isEmpty() || invoices > 0 || addressing; }
    // What carries it, in Italian, one item a line ("- il cliente ROSSI MARIO").
    QString described() const;
    // The invoices' line alone ("- 2 fatture, di cui 1 non ancora incassata"); empty
    // when no invoice carries it.
    QString invoicesDescribed() const;
};

// `codes` is null when the store has no sheet of electronic-invoice codes.
IdentifierUse identifierUse(const QString& identifier, const ClientSheet& clients,
                            const InvoiceRegister& invoices, const EinvoiceCodes* codes);

// The smallest whole number from `from` up that no client row, invoice or stored
// delivery address carries. Every place is read once, whatever the gap to cover.
double firstFreeIdentifier(double from, const ClientSheet& clients, const InvoiceRegister& invoices,
                           const EinvoiceCodes* codes);

}  // namespace registers
