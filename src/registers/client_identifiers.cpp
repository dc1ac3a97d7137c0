#include "registers/client_identifiers.h"

#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_register.h"

#include <QSet>
#include <QStringList>

namespace registers {

namespace {

bool sameIdentifier(const QString& a, const QString& b) {
    bool readA = false, readB = false;
    const double x = a.trimmed().toDouble(&readA);
    const double y = b.trimmed().toDouble(&readB);
    return readA && readB ? x == y : a.trimmed() == b.trimmed();
}

}  // namespace

QString IdentifierUse::invoicesDescribed() const {
    if (invoices == 0)
        return {};
    QString line = invoices == 1 ? QStringLiteral("- 1 fattura")
                                 : QStringLiteral("- %1 fatture").arg(invoices);
    if (uncollected > 0 && uncollected == invoices)
        line += invoices == 1 ? QStringLiteral(", non ancora incassata")
                              : QStringLiteral(", non ancora incassate");
    else if (uncollected > 0)
        line += uncollected == 1
                    ? QStringLiteral(", di cui 1 non ancora incassata")
                    : QStringLiteral(", di cui %1 non ancora incassate").arg(uncollected);
    return line;
}

QString IdentifierUse::described() const {
    QStringList lines;
    if (!clientName.isEmpty())
        lines << QStringLiteral("- il cliente %1").arg(clientName);
    if (invoices > 0)
        lines << invoicesDescribed();
    if (addressing)
        lines << QStringLiteral("- il codice destinatario o la PEC della fattura elettronica");
    return lines.join(u'\n');
}

IdentifierUse identifierUse(const QString& identifier, const ClientSheet& clients,
                            const InvoiceRegister& invoices, const EinvoiceCodes* codes) {
    IdentifierUse use;
    for (const ClientRecord& client : clients.rows()) {
        if (sameIdentifier(client[client::Id], identifier)) {
            use.clientName = client[client::Name];
            break;
        }
    }
    // Two columns read, not whole rows: a register may hold tens of thousands.
    const store::Worksheet sheet = invoices.worksheet();
    const int end = invoice::kFirstRow + invoices.rowCount();
    for (int row = invoice::kFirstRow; row < end; ++row) {
        if (!sameIdentifier(sheet.text(row, invoice::ClientId), identifier))
            continue;
        ++use.invoices;
        const QString collected = sheet.text(row, invoice::Collection).trimmed();
        if (collected.isEmpty() || collected == kStarMark)
            ++use.uncollected;
    }
    use.addressing = codes && codes->addressing(identifier.trimmed()) !=
                                  ClientAddressing{kNoRecipientCode, QString()};
    return use;
}

double firstFreeIdentifier(double from, const ClientSheet& clients, const InvoiceRegister& invoices,
                           const EinvoiceCodes* codes) {
    QSet<double> taken;
    const auto take = [&taken](const QString& identifier) {
        bool read = false;
        const double number = identifier.trimmed().toDouble(&read);
        if (read)
            taken.insert(number);
    };
    for (const ClientRecord& client : clients.rows())
        take(client[client::Id]);
    const store::Worksheet sheet = invoices.worksheet();
    const int end = invoice::kFirstRow + invoices.rowCount();
    for (int row = invoice::kFirstRow; row < end; ++row)
        take(sheet.text(row, invoice::ClientId));
    if (codes) {
        for (const QString& identifier : codes->addressedClients())
            take(identifier);
    }
    double free = from;
    while (taken.contains(free))
        ++free;
    return free;
}

}  // namespace registers
