// The invoices still to be collected on a small register whose figures were worked
// out by hand: due dates from the payment item's days or kept by ID, credit notes
// under their invoice or on their own, collected invoices, dates and amounts that
// do not read; the register collected on a date and read back from the saved file.
#include "registers/overdue.h"

#include <gtest/gtest.h>

#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_register.h"
#include "store/range.h"
#include "store/workbook_store.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"

namespace {

using registers::Amount;
namespace col = registers::invoice;
namespace ov = registers::overdue;

const QDate kToday(2024, 4, 15);

struct Registered {
    int id;
    const char* clientId;
    const char* date;
    const char* total;
    const char* net;
    const char* collection;
    const char* paidBy;
};

// The register worked out by hand; "RIBA 30 GG" falls due 30 days after the date,
// "BONIFICO" on the date.
const Registered kRegister[] = {
    {1, "7", "05/01/2024", "1.220,00", "1.020,00", "*", "BONIFICO"},
    {2, "9", "10/01/2024", "610,00", "510,00", "20/02/2024", "BONIFICO"},  // collected
    {3, "7", "01/03/2024", "2.440,00", "2.040,00", "*", "RIBA 30 GG"},
    {4, "7", "10/03/2024", "-244,00", "-204,00", "*", "RIBA 30 GG"},  // credit note of 3
    {5, "9", "05/04/2024", "610,00", "510,00", "*", "RIBA 30 GG"},
    {6, "9", "31/02/2024", "610,00", "510,00", "*", "BONIFICO"},   // no such day
    {7, "11", "12/04/2024", "100,00", "100,00", "*", "BONIFICO"},  // due date kept: today
    {8, "9", "01/03/2024", "-50,00", "-50,00", "*", "BONIFICO"},   // credit note of 2
    {9, "11", "14/04/2024", "abc", "abc", "*", "BONIFICO"},
    {10, "7", "01/04/2024", "500,00", "400,00", "03/01/2025", "BONIFICO"},  // collected later
    {11, "7", "02/01/2024", "300,00", "300,00", "05/02/2024", "BONIFICO"},
    {12, "11", "31/03/2024", "300,00", "300,00", "*", "BONIFICO"},
    {13, "11", "02/04/2024", "50,00", "50,00", "*", "BONIFICO"},              // date kept as a text
    {14, "7", "03/02/2024", "-300,00", "-300,00", "05/02/2024", "BONIFICO"},  // settles 11
};

class OverdueRegister : public testing::Test {
  protected:
    OverdueRegister() {
        registers::prepareInvoiceExtrasSheet(data.store());
        const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
        int row = col::kFirstRow;
        for (const Registered& r : kRegister) {
            test_support::writeInvoice(
                sheet, row,
                {r.id, QStringLiteral("CLIENTE %1").arg(r.clientId), r.clientId,
                 QString::number(r.id), r.date, r.total, r.net, r.collection});
            EXPECT_TRUE(sheet.setIdentifier(row, col::PaidBy, r.paidBy).ok());
            ++row;
        }
        EXPECT_TRUE(sheet.setIdentifier(col::kFirstRow + 12, col::Date, "02/04/2024").ok());
        registers::InvoiceExtras extras(data.sheet(registers::kInvoiceExtrasSheet));
        extras.setCorrects("4", {"3", "3", QDate(2024, 3, 1)});
        extras.setCorrects("8", {"2", "2", QDate(2024, 1, 10)});
        extras.setCorrects("14", {"11", "11", QDate(2024, 1, 2)});
        extras.setDueDate("7", kToday);
    }

    ov::List list() {
        auto found = ov::overdueList(data.store().workbook(), kToday);
        EXPECT_TRUE(found.ok());
        return found.ok() ? *found : ov::List{};
    }

    test_support::PreparedStore data;
};

QStringList ids(const std::vector<ov::Line>& lines) {
    QStringList out;
    for (const ov::Line& line : lines)
        out << line.id;
    return out;
}

TEST_F(OverdueRegister, EachLineFallsDueAndIsLateAsWorkedOutByHand) {
    struct Expected {
        const char* id;
        QDate due;
        int daysLate;
        const char* net;
        bool creditNote;
        bool underInvoice;
    };
    const Expected expected[] = {
        {"5", QDate(2024, 5, 5), -20, "510,00", false, false},   // not yet due
        {"7", QDate(2024, 4, 15), 0, "100,00", false, false},    // due today: not late
        {"13", QDate(2024, 4, 2), 13, "50,00", false, false},    // a text date reads too
        {"12", QDate(2024, 3, 31), 15, "300,00", false, false},  // same day: later row first
        {"3", QDate(2024, 3, 31), 15, "2.040,00", false, false},
        {"4", QDate(2024, 3, 31), 15, "-204,00", true, true},  // under its invoice
        {"8", QDate(2024, 3, 1), 45, "-50,00", true, false},   // its invoice was collected
        {"1", QDate(2024, 1, 5), 101, "1.020,00", false, false},
    };
    const ov::List found = list();
    ASSERT_EQ(found.lines.size(), std::size(expected)) << ids(found.lines).join(u' ').toStdString();
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        const ov::Line& line = found.lines[i];
        EXPECT_EQ(line.id, QString::fromLatin1(e.id)) << i;
        EXPECT_EQ(line.due, e.due) << e.id;
        EXPECT_EQ(line.daysLate, e.daysLate) << e.id;
        EXPECT_EQ(line.isLate(), e.daysLate > 0) << e.id;
        EXPECT_EQ(line.net.text(), QString::fromLatin1(e.net)) << e.id;
        EXPECT_EQ(line.creditNote, e.creditNote) << e.id;
        EXPECT_EQ(line.underInvoice, e.underInvoice) << e.id;
    }
    EXPECT_EQ(found.lines[5].correctedNumber, QStringLiteral("3"));
    EXPECT_EQ(found.lines[0].row, 6) << "the register row, for collecting it";
}

TEST_F(OverdueRegister, TheTotalsAreWhatClientsOweToTheCent) {
    const ov::List found = list();
    // 1.020,00 + (2.040,00 - 204,00) + 300,00 + 50,00 - 50,00
    EXPECT_EQ(found.overdue, Amount::fromCents(315600));
    EXPECT_EQ(found.overdueInvoices, 5);
    // 510,00 + 100,00
    EXPECT_EQ(found.notYetDue, Amount::fromCents(61000));
    EXPECT_EQ(found.notYetDueInvoices, 2);
    EXPECT_EQ(found.unreadableDates, 1);
    EXPECT_EQ(found.unreadableAmounts, 1);
}

TEST_F(OverdueRegister, AClientsLateLinesKeepTheirCreditNotesAndLeaveTheRestOut) {
    const ov::List found = list();
    const std::pair<const char*, QStringList> rows[] = {
        {"7", {"3", "4", "1"}},  // the credit note with its invoice
        {"9", {"8"}},            // invoice 5 is not yet due
        {"11", {"13", "12"}},    // invoice 7 falls due today
        {"99", {}},
    };
    for (const auto& [client, expected] : rows)
        EXPECT_EQ(ids(ov::lateLinesOf(found, client)), expected) << client;
}

TEST_F(OverdueRegister, AnyLineOfAGroupChoosesTheInvoiceWithItsCreditNotes) {
    const ov::List found = list();
    const std::pair<std::size_t, std::vector<std::size_t>> rows[] = {
        {4, {4, 5}}, {5, {4, 5}}, {6, {6}}, {0, {0}}, {7, {7}}};
    for (const auto& [chosen, group] : rows)
        EXPECT_EQ(ov::groupOf(found, chosen), group) << chosen;
}

TEST_F(OverdueRegister, WithoutTheSheetBesideTheRegisterEveryRowIsAnInvoice) {
    ASSERT_TRUE(data.sheet(registers::kInvoiceExtrasSheet).setName("Altro").ok());
    const ov::List found = list();
    ASSERT_EQ(found.lines.size(), 8u);
    for (const ov::Line& line : found.lines)
        EXPECT_FALSE(line.creditNote) << line.id.toStdString();
    // Invoice 7 falls due on its date now, three days ago.
    EXPECT_EQ(found.lines[1].id, QStringLiteral("7"));
    EXPECT_EQ(found.lines[1].daysLate, 3);
    EXPECT_EQ(found.overdue, Amount::fromCents(315600 + 10000));
    EXPECT_EQ(found.notYetDue, Amount::fromCents(51000));
}

TEST_F(OverdueRegister, ADateCellReadsAsItsDayWhateverFormatShowsIt) {
    const store::Range date = *data.sheet(store::kInvoicesSheet).cell(2, col::Date);
    date.setNumberFormat("d mmmm yyyy");
    ASSERT_NE(date.text(), "05/01/2024");
    const ov::List found = list();
    ASSERT_EQ(found.lines.size(), 8u);
    EXPECT_EQ(found.lines.back().id, "1");
    EXPECT_EQ(found.lines.back().due, QDate(2024, 1, 5));
    EXPECT_EQ(found.unreadableDates, 1);
}

TEST_F(OverdueRegister, AnInvoiceIsOwedWhileItsCollectionCellIsEmptyOrAStar) {
    const struct {
        const char* cell;  // invoice 1's collection cell as a spreadsheet user left it
        bool listed;
        QStringList unreadable;
    } rows[] = {
        {"*", true, {}},
        {"* ", true, {}},
        {"", true, {}},
        {"20/02/2024", false, {}},
        {"ieri", false, {"1 del 05/01/2024"}},
    };
    const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cell);
        ASSERT_TRUE(sheet.setValue(col::kFirstRow, col::Collection, row.cell).ok());
        const ov::List found = list();
        EXPECT_EQ(ids(found.lines).contains(QStringLiteral("1")), row.listed);
        EXPECT_EQ(found.overdue,
                  row.listed ? Amount::fromCents(315600) : Amount::fromCents(213600));
        EXPECT_EQ(found.unreadableCollections, row.unreadable);
    }
}

TEST(OverdueLists, AnEmptyRegisterOwesNothing) {
    test_support::PreparedStore data;
    const auto found = ov::overdueList(data.store().workbook(), kToday);
    ASSERT_TRUE(found.ok());
    EXPECT_TRUE(found->lines.empty());
    EXPECT_TRUE(found->overdue.isZero());
    EXPECT_TRUE(found->notYetDue.isZero());
}

TEST(OverdueLists, WithoutTheRegisterSheetTheListIsAnError) {
    test_support::PreparedStore data;
    ASSERT_TRUE(data.sheet(store::kInvoicesSheet).setName("Vecchie").ok());
    EXPECT_FALSE(ov::overdueList(data.store().workbook(), kToday).ok());
}

// The collection column is written as a modification of the invoice writes it, and
// nothing else of the row changes; the saved file reads it back.
TEST(Collection, WrittenAsAModificationWritesItAndReadBackFromTheFile) {
    struct Row {
        const char* what;
        const char* date;
        const char* shown;
    };
    const Row rows[] = {
        {"a date", "20/04/2024", "20/04/2024"},
        {"a day written short", "3/5/2024", "03/05/2024"},
        {"no date: back to be collected", "", "*"},
    };
    for (const Row& row : rows) {
        test_support::PreparedStore viaCollection;
        test_support::PreparedStore viaModification;
        for (auto* data : {&viaCollection, &viaModification}) {
            const store::Worksheet sheet = data->sheet(store::kInvoicesSheet);
            test_support::writeInvoices(sheet, 2, 3, 1, QStringLiteral("7"), false);
            // An amount with more decimals than it shows.
            ASSERT_TRUE(sheet.setNumber(3, col::Taxable, 100.005).ok());
        }
        registers::InvoiceRegister byCollection(viaCollection.sheet(store::kInvoicesSheet));
        const auto written = byCollection.setCollection("2", row.date);
        ASSERT_TRUE(written.ok()) << row.what;
        EXPECT_EQ(*written, 3) << row.what;
        registers::InvoiceRegister byModification(viaModification.sheet(store::kInvoicesSheet));
        registers::InvoiceRecord modified = byModification.row(3);
        modified[col::Collection] = row.date;
        ASSERT_TRUE(byModification.rewrite(modified).ok()) << row.what;

        ASSERT_TRUE(viaCollection.store().saveStore().ok());
        ASSERT_TRUE(viaModification.store().saveStore().ok());
        const store::Worksheet saved = viaCollection.reopened(store::kInvoicesSheet);
        const store::Worksheet expected = viaModification.reopened(store::kInvoicesSheet);
        EXPECT_EQ(saved.text(3, col::Collection), QString::fromLatin1(row.shown)) << row.what;
        EXPECT_EQ(saved.value(3, col::Collection), expected.value(3, col::Collection)) << row.what;
        EXPECT_EQ((*saved.cell(3, col::Collection)).numberFormat(),
                  (*expected.cell(3, col::Collection)).numberFormat())
            << row.what;
        EXPECT_EQ(saved.value(3, col::Taxable), store::Value::number(100.005)) << row.what;
        for (int other : {2, 4})
            EXPECT_EQ(saved.text(other, col::Collection), QStringLiteral("*")) << row.what;
    }
}

TEST(Collection, AnIdNoLongerInTheRegisterWritesNothing) {
    test_support::PreparedStore data;
    const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
    test_support::writeInvoices(sheet, 2, 2, 1, QStringLiteral("7"), false);
    registers::InvoiceRegister book(sheet);
    for (const char* id : {"5", "", "abc"}) {
        const auto written = book.setCollection(id, "20/04/2024");
        ASSERT_FALSE(written.ok()) << id;
        EXPECT_EQ(written.error().kind, store::Error::Kind::NoSuchRecord) << id;
    }
    for (int row : {2, 3})
        EXPECT_EQ(sheet.text(row, col::Collection), QStringLiteral("*"));
}

}  // namespace
