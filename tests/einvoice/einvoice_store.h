#pragma once

// A prepared store with the electronic invoice's codes sheet, a user, settings lists
// and helpers that register clients and invoices as the windows write them, then
// export into a folder of the test's own.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <vector>

#include "fatturapa/einvoice_export.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "registers/sdi_history.h"
#include "registers/settings_lists.h"
#include "registers/user_data.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"
#include "support/prepared_store.h"

namespace einvoice_test {

namespace client = registers::client;
namespace col = registers::invoice;

inline const QString kForfettario =
    QStringLiteral("Regime forfettario art. 1 c. 54-89 L. 190/2014");
inline const QString kEsenteArt10 = QStringLiteral("Esente art. 10 DPR 633/72");
inline const QString kSpeseArt15 = QStringLiteral("Spese anticipate art. 15");
inline const QString kSpeseVarie = QStringLiteral("Spese varie");

// A company with a VAT number and a recipient code, and a private person with only a
// tax code and a PEC.
enum class ClientKind { Company, Person };

// The amounts of a register row as the entry window writes them, G to O and Q.
struct Amounts {
    QString taxable, surcharge, totalTaxable, vat, exemption, exempt, total, withholding, net,
        paidBy;
};

class EinvoiceStore {
  public:
    EinvoiceStore() {
        registers::prepareEinvoiceCodesSheet(data.store());
        registers::prepareInvoiceExtrasSheet(data.store());
        registers::prepareSdiHistorySheet(data.store());
        user = {QStringLiteral("STUDIO BIANCHI LUIGI"),
                QStringLiteral("VIA ROMA 1"),
                QStringLiteral("MILANO"),
                QStringLiteral("MI"),
                QStringLiteral("20121"),
                QStringLiteral("BNCLGU70A01H501Y"),
                QStringLiteral("12345678903"),
                QStringLiteral("ORDINE INGEGNERI MI"),
                QStringLiteral("BANCA DI PROVA"),
                QStringLiteral("IT60 X054 2811 1010 0000 0123 456")};
        writeUser();
        const store::Worksheet settings = data.sheet(store::kSettingsSheet);
        for (const auto& [column, item] :
             std::vector<std::pair<int, QString>>{{registers::kInpsColumn, "4"},
                                                  {registers::kInpsColumn, "2"},
                                                  {registers::kVatColumn, "10"},
                                                  {registers::kVatColumn, "22"},
                                                  {registers::kWithholdingColumn, "20"},
                                                  {registers::kPaymentColumn, "Bonifico"},
                                                  {registers::kPaymentColumn, "Contanti"},
                                                  {registers::kExemptionColumn, kForfettario},
                                                  {registers::kExemptionColumn, kEsenteArt10},
                                                  {registers::kExemptionColumn, kSpeseArt15},
                                                  {registers::kExemptionColumn, kSpeseVarie}})
            EXPECT_TRUE(registers::insertItem(settings, column, item).ok());
        // The user said in the codes window that 4 % is the INPS separate scheme.
        codes().setCodes(registers::CodedList::Cassa, "4", {"TC22", {}});
    }

    registers::InvoiceExtras extras() {
        return registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet));
    }

    void writeUser() { registers::writeUserData(data.sheet(store::kUserSheet), user); }

    registers::EinvoiceCodes codes() {
        return registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet));
    }

    static registers::ClientRecord clientOf(ClientKind kind) {
        registers::ClientRecord c;
        if (kind == ClientKind::Company) {
            c[client::Name] = QStringLiteral("ROSSI & FIGLI SRL");
            c[client::Address] = QStringLiteral("CORSO ITALIA 10");
            c[client::PostalCode] = QStringLiteral("00185");
            c[client::Town] = QStringLiteral("ROMA");
            c[client::Province] = QStringLiteral("RM");
            c[client::TaxCode] = QStringLiteral("01234567897");
            c[client::VatNumber] = QStringLiteral("01234567897");
        } else {
            c[client::Name] = QStringLiteral("ROSSI MARIO");
            c[client::Address] = QStringLiteral("VIA VERDI 3");
            c[client::PostalCode] = QStringLiteral("56017");
            c[client::Town] = QStringLiteral("SAN GIULIANO TERME");
            c[client::Province] = QStringLiteral("PI");
            c[client::TaxCode] = QStringLiteral("RSSMRA85T10A562S");
        }
        return c;
    }

    // Registers the client (and its delivery data); its identifier.
    QString addClient(ClientKind kind, registers::ClientRecord record) {
        registers::ClientSheet clients(data.sheet(store::kClientsSheet));
        const auto row = clients.add(record);
        EXPECT_TRUE(row.ok());
        const QString id = clients.row(*row)[client::Id];
        auto codes = this->codes();
        if (kind == ClientKind::Company)
            codes.setAddressing(id, record[client::Name], {QStringLiteral("ABC1234"), {}});
        else
            codes.setAddressing(
                id, record[client::Name],
                {registers::kNoRecipientCode, QStringLiteral("mario.rossi@pec.it")});
        return id;
    }
    QString addClient(ClientKind kind) { return addClient(kind, clientOf(kind)); }

    // Appends a register row as the entry window writes it; its row.
    int addInvoice(const QString& clientId, const QString& clientName, const Amounts& a,
                   const QString& description = QStringLiteral("Consulenza tecnica: progetto "
                                                               "dell'impianto")) {
        const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
        const int row = *store::firstFreeRow(sheet, col::Id);
        const QString number = QString::number(row - 1);
        const std::array<QString, col::kColumns> cells = {number,
                                                          clientName,
                                                          clientId,
                                                          number,
                                                          QStringLiteral("03/02/2025"),
                                                          description,
                                                          a.taxable,
                                                          a.surcharge,
                                                          a.totalTaxable,
                                                          a.vat,
                                                          a.exemption,
                                                          a.exempt,
                                                          a.total,
                                                          a.withholding,
                                                          a.net,
                                                          QStringLiteral("*"),
                                                          a.paidBy};
        for (int c = 0; c < col::kColumns; ++c) {
            const auto written = c == col::Description - 1 || c == col::Client - 1
                                     ? sheet.setIdentifier(row, c + 1, cells[std::size_t(c)])
                                     : sheet.setValue(row, c + 1, cells[std::size_t(c)]);
            EXPECT_TRUE(written.ok());
        }
        return row;
    }

    store::Result<fatturapa::ExportOutcome> exportRows(const std::vector<int>& rows) {
        return fatturapa::exportInvoices(data.store().workbook(), rows, folder(), exportDay);
    }
    // The day every export of the test is made on.
    QDate exportDay = QDate(2025, 2, 10);

    QString folder() const { return out.filePath(QStringLiteral("FatturePA")); }
    QStringList files() const {
        return QDir(folder()).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    }
    QByteArray file(const QString& name) const {
        QFile f(QDir(folder()).filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return f.readAll();
    }

    test_support::PreparedStore data;
    registers::UserData user;

  private:
    QTemporaryDir out;
};

}  // namespace einvoice_test
