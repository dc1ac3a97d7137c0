// What still carries a client number: the client row, its invoices (collected or not)
// and its electronic-invoice address, each on its own.
#include "registers/client_identifiers.h"

#include <gtest/gtest.h>

#include <optional>

#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_register.h"
#include "support/prepared_store.h"

namespace {

using namespace registers;

// Client 1 (ROSSI MARIO); invoices of clients 1, 1, 2, 3, 7, 7; a recipient code
// stored for 4 and an empty one for 5.
class ClientIdentifiers : public testing::Test {
  protected:
    void SetUp() override {
        prepareEinvoiceCodesSheet(data.store());
        codes.emplace(data.sheet(kEinvoiceCodesSheet));
        fill();
    }
    void fill();

    test_support::PreparedStore data;
    ClientSheet clients{data.sheet(store::kClientsSheet)};
    InvoiceRegister invoices{data.sheet(store::kInvoicesSheet)};
    std::optional<EinvoiceCodes> codes;
};

void ClientIdentifiers::fill() {
    ClientRecord rossi;
    rossi[client::Name] = QStringLiteral("ROSSI MARIO");
    ASSERT_EQ(*clients.add(rossi), 2);  // number 1
    const struct {
        const char* clientId;
        const char* collection;
    } registered[] = {{"1", "10/02/2024"}, {"1", ""},  {"2", ""},
                      {"3", "01/03/2024"}, {"7", "*"}, {"7", ""}};
    int id = 0;
    for (const auto& r : registered) {
        InvoiceRecord invoice;
        invoice[invoice::Id] = QString::number(++id);
        invoice[invoice::Number] = QString::number(id);
        invoice[invoice::ClientId] = r.clientId;
        invoice[invoice::Client] = QStringLiteral("X");
        invoice[invoice::Date] = QStringLiteral("01/02/2024");
        invoice[invoice::Collection] = r.collection;
        ASSERT_TRUE(invoices.append(invoice).ok());
    }
    codes->setAddressing(QStringLiteral("4"), QStringLiteral("VERDI"), {"ABC1234", {}});
    codes->setAddressing(QStringLiteral("5"), QStringLiteral("NERI"), {kNoRecipientCode, {}});
}

TEST_F(ClientIdentifiers, EveryPlaceThatStillCarriesANumberIsFoundAndSaid) {
    const struct {
        const char* identifier;
        const char* described;  // "": nothing carries it
    } cases[] = {
        {"1", "- il cliente ROSSI MARIO\n- 2 fatture, di cui 1 non ancora incassata"},
        {"7", "- 2 fatture, non ancora incassate"},
        {"2", "- 1 fattura, non ancora incassata"},
        {"3", "- 1 fattura"},
        {"4", "- il codice destinatario o la PEC della fattura elettronica"},
        {"5", ""},
        {"6", ""},
    };
    for (const auto& c : cases) {
        const IdentifierUse use = identifierUse(c.identifier, clients, invoices, &*codes);
        EXPECT_EQ(use.any(), *c.described != '\0') << c.identifier;
        EXPECT_EQ(use.described().toStdString(), c.described) << c.identifier;
    }
}

TEST_F(ClientIdentifiers, TheFirstFreeNumberSkipsEveryNumberStillCarried) {
    const struct {
        double from;
        bool withCodes;
        double free;
    } cases[] = {
        {1, true, 5},   // 1 to 3 carried by the client and invoices, 4 by a recipient code
        {4, true, 5},   // an empty recipient code carries nothing
        {4, false, 4},  // a store without the codes sheet
        {6, true, 6},  {7, true, 8}, {0, true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(firstFreeIdentifier(c.from, clients, invoices, c.withCodes ? &*codes : nullptr),
                  c.free)
            << c.from << " " << c.withCodes;
    }
}

}  // namespace
