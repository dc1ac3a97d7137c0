// How the program reaches a core sheet and what a register change gives back:
// each accessor finds its sheet and never adds a missing one; each refused change
// says why, with nothing written.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "registers/client_sheet.h"
#include "registers/invoice_register.h"
#include "registers/register_emptying.h"
#include "registers/settings_lists.h"
#include "registers/user_data.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "store/workbook_store.h"
#include "support/prepared_store.h"

namespace {

using Accessor = std::function<store::Result<store::Worksheet>(store::Workbook&)>;

struct AccessRow {
    const char* sheet;
    Accessor reach;
    const char* unavailable;  // how the message starts when the sheet is missing
};

class CoreSheetAccess : public testing::TestWithParam<AccessRow> {};

TEST_P(CoreSheetAccess, FindsItsSheetAndNeverAddsAMissingOne) {
    const AccessRow& row = GetParam();
    test_support::PreparedStore data;
    const auto found = row.reach(data.store().workbook());
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(found->name(), QString::fromUtf8(row.sheet));

    store::Engine engine;
    store::Workbook& bare = engine.create();
    const int sheets = bare.sheetCount();
    const auto missing = row.reach(bare);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, store::Error::Kind::NoSuchSheet);
    EXPECT_TRUE(missing.error().message.startsWith(QString::fromUtf8(row.unavailable)))
        << missing.error().message.toStdString();
    EXPECT_EQ(bare.sheetCount(), sheets);
}

INSTANTIATE_TEST_SUITE_P(
    Registers, CoreSheetAccess,
    testing::Values(
        AccessRow{"Anagrafe", registers::clientSheet, "L'archivio dei clienti non è disponibile: "},
        AccessRow{"Fatture", registers::invoiceSheet,
                  "Il registro delle fatture non è disponibile: "},
        AccessRow{"Utilità", registers::settingsSheet,
                  "Gli elenchi delle impostazioni non sono disponibili: "},
        AccessRow{"Utente", registers::userSheet, "I dati Utente non sono disponibili: "}));

// Maintenance empties a register whose sheet a store lacks: the sheet stays missing.
class EmptyingAMissingSheet : public testing::TestWithParam<const registers::SheetLayout* (*)()> {};

TEST_P(EmptyingAMissingSheet, LeavesItMissing) {
    QTemporaryDir folder;
    {
        store::Engine maker;
        ASSERT_TRUE(
            maker.create()
                .saveAs(QDir(folder.path()).filePath(QString::fromLatin1(store::kStoreFileName)),
                        test_support::kPassword)
                .ok());
    }
    store::Engine engine;
    store::WorkbookStore store(engine, folder.path());
    ASSERT_TRUE(store.open().ok());
    const int sheets = store.workbook().sheetCount();
    const registers::SheetLayout& layout = *GetParam()();
    registers::emptyRegister(store, layout);
    EXPECT_EQ(store.workbook().sheetCount(), sheets);
    EXPECT_FALSE(store.workbook().sheet(layout.sheet).ok());
}

INSTANTIATE_TEST_SUITE_P(Registers, EmptyingAMissingSheet,
                         testing::Values([] { return &registers::clientLayout(); },
                                         [] { return &registers::invoiceLayout(); },
                                         [] { return &registers::settingsLayout(); }));

// A change a register refuses: what it was asked, and the reason it gives.
struct RefusalRow {
    const char* what;
    std::function<registers::RowChange(store::Workbook&)> change;
    store::Error::Kind kind;
    const char* message;
};

registers::InvoiceRecord invoiceWithId(const char* id) {
    registers::InvoiceRecord invoice;
    invoice[registers::invoice::Id] = QString::fromUtf8(id);
    invoice[registers::invoice::Client] = QStringLiteral("ROSSI");
    return invoice;
}

class RefusedChange : public testing::TestWithParam<RefusalRow> {};

TEST_P(RefusedChange, SaysWhyAndWritesNothing) {
    const RefusalRow& row = GetParam();
    test_support::PreparedStore data;
    registers::InvoiceRegister invoices(data.sheet(store::kInvoicesSheet));
    ASSERT_TRUE(invoices.append(invoiceWithId("1")).ok());
    registers::ClientSheet clients(data.sheet(store::kClientsSheet));
    registers::ClientRecord client;
    client[registers::client::Name] = QStringLiteral("ROSSI");
    ASSERT_TRUE(clients.add(client).ok());
    const auto invoicesBefore = invoices.rows();
    const auto clientsBefore = clients.rows();

    const registers::RowChange change = row.change(data.store().workbook());
    ASSERT_FALSE(change.ok()) << row.what;
    EXPECT_EQ(change.error().kind, row.kind) << row.what;
    EXPECT_EQ(change.error().message, QString::fromUtf8(row.message)) << row.what;
    EXPECT_EQ(invoices.rows(), invoicesBefore) << row.what;
    EXPECT_EQ(clients.rows(), clientsBefore) << row.what;
}

registers::InvoiceRegister invoicesOf(store::Workbook& book) {
    return registers::InvoiceRegister(*registers::invoiceSheet(book));
}

registers::ClientSheet clientsOf(store::Workbook& book) {
    return registers::ClientSheet(*registers::clientSheet(book));
}

INSTANTIATE_TEST_SUITE_P(
    Registers, RefusedChange,
    testing::Values(
        RefusalRow{
            "an invoice rewritten under a record number no row carries",
            [](store::Workbook& book) { return invoicesOf(book).rewrite(invoiceWithId("9")); },
            store::Error::Kind::NoSuchRecord,
            "La fattura con ID 9 non è più nel registro: nessuna modifica è stata "
            "registrata."},
        RefusalRow{
            "an invoice rewritten with no record number",
            [](store::Workbook& book) { return invoicesOf(book).rewrite(invoiceWithId("")); },
            store::Error::Kind::NoSuchRecord,
            "La fattura con ID  non è più nel registro: nessuna modifica è stata "
            "registrata."},
        RefusalRow{"a client removed by an identifier no row carries",
                   [](store::Workbook& book) { return clientsOf(book).removeIdentifier(7); },
                   store::Error::Kind::NoSuchRecord,
                   "Nessun cliente ha l'identificativo 7: nessun cliente è stato eliminato."}));

}  // namespace
