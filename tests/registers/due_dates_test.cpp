// An invoice's due date: the one kept beside the register by its ID, else its date
// plus its payment item's days; kept through a save, forgotten with the register.
#include "registers/due_dates.h"

#include "registers/einvoice_codes.h"
#include "store/workbook_store.h"
#include "support/prepared_store.h"

#include <gtest/gtest.h>

namespace {

namespace col = registers::invoice;

registers::InvoiceRecord invoice(const char* id, const char* date, const char* paidBy) {
    registers::InvoiceRecord r;
    r[col::Id] = QString::fromUtf8(id);
    r[col::Date] = QString::fromUtf8(date);
    r[col::PaidBy] = QString::fromUtf8(paidBy);
    return r;
}

TEST(DueDates, KeptOrTheInvoiceDatePlusTheItemsDays) {
    test_support::PreparedStore data;
    registers::prepareEinvoiceCodesSheet(data.store());
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
        .setPaymentDays("RIBA 60 GG", 45);
    store::Workbook& book = data.store().workbook();
    ASSERT_TRUE(
        registers::recordDueDate(book, invoice("2", "10/01/2025", "Bonifico"), QDate(2025, 3, 31))
            .ok());
    ASSERT_TRUE(data.store().saveStore().ok());
    const std::optional<registers::InvoiceExtras> extras(
        data.reopened(registers::kInvoiceExtrasSheet));
    const registers::EinvoiceCodes codes(data.reopened(registers::kEinvoiceCodesSheet));

    struct Row {
        const char* what;
        registers::InvoiceRecord invoice;
        QDate expected;
    };
    const Row rows[] = {
        {"registered before: date + days from the text", invoice("1", "31/01/2025", "RIBA 30 GG"),
         QDate(2025, 3, 2)},
        {"kept for its ID", invoice("2", "10/01/2025", "Bonifico"), QDate(2025, 3, 31)},
        {"days set for the item", invoice("3", "10/01/2025", "RIBA 60 GG"), QDate(2025, 2, 24)},
        {"an item without days", invoice("4", "29/02/2024", "Contanti"), QDate(2024, 2, 29)},
        {"across the year", invoice("5", "15/12/2024", "RIBA 30 GG"), QDate(2025, 1, 14)},
        {"an unreadable date", invoice("6", "31/02/2025", "RIBA 30 GG"), QDate()},
    };
    for (const Row& row : rows)
        EXPECT_EQ(
            registers::dueDateOf(row.invoice, extras, codes.paymentDays(row.invoice[col::PaidBy])),
            row.expected)
            << row.what;
}

TEST(DueDates, WithoutTheSheetOnlyAChangedDateIsRefused) {
    test_support::PreparedStore data;
    store::Workbook& book = data.store().workbook();
    const registers::InvoiceRecord riba = invoice("1", "31/01/2025", "RIBA 30 GG");
    EXPECT_TRUE(registers::recordDueDate(book, riba, QDate(2025, 3, 2)).ok()) << "as it falls";
    EXPECT_FALSE(registers::recordDueDate(book, riba, QDate(2025, 3, 3)).ok()) << "would be lost";

    registers::prepareInvoiceExtrasSheet(data.store());
    ASSERT_TRUE(registers::recordDueDate(book, riba, QDate(2025, 3, 3)).ok());
    EXPECT_EQ(registers::dueDateOf(book, riba), QDate(2025, 3, 3));
    registers::forgetInvoiceExtras(data.store());
    EXPECT_EQ(registers::dueDateOf(book, riba), QDate(2025, 3, 2)) << "a new invoice 1";
    EXPECT_EQ(data.sheet(registers::kInvoiceExtrasSheet).text(1, 4), "SCADENZA");
}

}  // namespace
