// The receivables lists in the register's scratch area: which invoices each list
// takes, what the scratch cells hold and show, clearing, formats and totals.
#include "registers/receivables_lists.h"

#include <gtest/gtest.h>

#include "registers/collection_cell.h"
#include "store/range.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"

namespace {

namespace rl = registers::receivables;
namespace col = registers::invoice;
using rl::Built;
using test_support::InvoiceRow;

class ReceivablesLists : public testing::Test {
  protected:
    test_support::PreparedStore data;
    store::Worksheet sheet = data.sheet(store::kInvoicesSheet);

    void rows(std::initializer_list<InvoiceRow> invoices) {
        int row = 2;
        for (const InvoiceRow& invoice : invoices)
            test_support::writeInvoice(sheet, row++, invoice);
    }
    // The record numbers the scratch list holds, in order.
    QStringList listedIds() {
        QStringList ids;
        for (int row = 2; row < 2 + rl::listedCount(sheet); ++row)
            ids << sheet.text(row, rl::Id);
        return ids;
    }
    QStringList headerRow(int lastColumn) {
        QStringList headers;
        for (int column = rl::Id; column <= lastColumn; ++column)
            headers << sheet.text(1, column);
        return headers;
    }
};

InvoiceRow invoice(int id, const char* clientId, const char* collection,
                   const char* total = "1.268,80", const char* net = "1.015,04") {
    return {id,
            QStringLiteral("ROSSI SRL"),
            QString::fromLatin1(clientId),
            QString::number(100 + id),
            QStringLiteral("05/03/2024"),
            QString::fromLatin1(total),
            QString::fromLatin1(net),
            QString::fromLatin1(collection)};
}

TEST_F(ReceivablesLists, AClientPositionCopiesEveryInvoiceOfTheClientWithItsFormats) {
    rows({invoice(1, "7", "*"), invoice(2, "8", "*"),
          invoice(3, "7", "10/04/2024", "0,10", "0,08")});
    ASSERT_EQ(rl::buildClientPosition(sheet, QStringLiteral("7")), Built::Listed);
    EXPECT_EQ(headerRow(rl::Collected), (QStringList{"ID", "CLIENTE", "N.FATT.", "DATA",
                                                     "TOTALE FT ", "NETTO FT ", "INCASSATO "}));
    EXPECT_EQ(listedIds(), (QStringList{"1", "3"}));
    EXPECT_EQ(rl::listedRow(sheet, 2, rl::Collected),
              (QStringList{"1", "ROSSI SRL", "101", "05/03/2024", "1.268,80", "1.015,04", "*"}));
    // Each as its register cell shows it: "0,10" was typed, and reads as 0,1.
    EXPECT_EQ(rl::listedRow(sheet, 3, rl::Collected),
              (QStringList{"3", "ROSSI SRL", "103", "05/03/2024", "0,1", "0,08", "10/04/2024"}));
    EXPECT_EQ(sheet.text(4, col::Total), QStringLiteral("0,1"));
    // Values, not texts: an amount stays a number a spreadsheet can add up.
    EXPECT_TRUE(sheet.value(2, rl::Total).isNumber());
    EXPECT_TRUE(sheet.value(3, rl::Collected).isNumber());
}

struct IdentifierCase {
    const char* searched;
    const char* cell;  // typed into the register's column C
    bool asText;       // written as a text cell, never read as a number
    bool listed;
};

class ClientIdentifierMatch : public ReceivablesLists,
                              public testing::WithParamInterface<IdentifierCase> {};

TEST_P(ClientIdentifierMatch, ComparesTheLeadingNumberWithNumberCellsOnly) {
    const IdentifierCase& c = GetParam();
    rows({invoice(1, "99", "*"), invoice(2, "98", "*")});
    const QString cell = QString::fromLatin1(c.cell);
    ASSERT_TRUE((c.asText ? sheet.setIdentifier(3, col::ClientId, cell)
                          : sheet.setValue(3, col::ClientId, cell))
                    .ok());
    ASSERT_TRUE(sheet.setValue(3, col::Id, QStringLiteral("3")).ok());
    const Built built = rl::buildClientPosition(sheet, QString::fromLatin1(c.searched));
    EXPECT_EQ(built, c.listed ? Built::Listed : Built::NothingListed);
    EXPECT_EQ(listedIds(), c.listed ? QStringList{"3"} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClientIdentifierMatch,
    testing::Values(IdentifierCase{"7", "7", false, true}, IdentifierCase{"007", "7", false, true},
                    IdentifierCase{" 7 ROSSI", "7", false, true},
                    IdentifierCase{"7,5", "7,5", false, true},
                    IdentifierCase{"7.5", "7", false, true},  // the dot ends the number
                    IdentifierCase{"", "0", false, true},     // an empty search is 0
                    IdentifierCase{"ROSSI", "0", false, true},
                    IdentifierCase{"", "", true, false},    // an empty cell never matches
                    IdentifierCase{"7", "7", true, false},  // a text cell never matches
                    IdentifierCase{"ID Cliente", "0", true, false},
                    IdentifierCase{"8", "7", false, false},
                    IdentifierCase{"-7", "-7", false, true}));

TEST_F(ReceivablesLists, TheHeaderCellOfTheIdentifiersNeverMatches) {
    rows({invoice(1, "5", "*")});
    // "ID Cliente" reads as 0, and the header is a text.
    EXPECT_EQ(rl::buildClientPosition(sheet, QString()), Built::NothingListed);
    EXPECT_EQ(rl::listedCount(sheet), 0);
}

TEST_F(ReceivablesLists, AnEmptyCellOnTheWayStopsNoList) {
    rows({invoice(1, "7", "*"), invoice(2, "7", "*"), invoice(3, "7", "01/02/2024")});
    ASSERT_TRUE(sheet.setValue(3, col::ClientId, QString()).ok());
    EXPECT_EQ(rl::buildClientPosition(sheet, QStringLiteral("7")), Built::Listed);
    EXPECT_EQ(listedIds(), (QStringList{"1", "3"}));

    ASSERT_TRUE(sheet.setValue(2, col::Collection, QString()).ok());
    EXPECT_EQ(rl::buildToCollect(sheet), Built::Listed);
    EXPECT_EQ(listedIds(), (QStringList{"1", "2"}));
    EXPECT_EQ(rl::buildCollected(sheet), Built::Listed);
    EXPECT_EQ(listedIds(), QStringList{"3"});
}

struct CollectionCase {
    const char* cell;  // typed into the register's column P
    bool toCollect;    // in the list of invoices to collect
    bool collected;    // in the list of invoices collected
    bool unreadable;   // named under the totals
};

class CollectionCellLists : public ReceivablesLists,
                            public testing::WithParamInterface<CollectionCase> {};

TEST_P(CollectionCellLists, EachInvoiceGoesToOneListOrIsNamedAsUnreadable) {
    const CollectionCase& c = GetParam();
    rows({invoice(1, "7", "10/04/2024"), invoice(2, "7", "*"), invoice(3, "8", "*")});
    ASSERT_TRUE(sheet.setValue(3, col::Collection, QString::fromLatin1(c.cell)).ok());
    rl::buildToCollect(sheet);
    EXPECT_EQ(listedIds().contains(QStringLiteral("2")), c.toCollect);
    EXPECT_TRUE(listedIds().contains(QStringLiteral("3")));
    rl::buildCollected(sheet);
    EXPECT_EQ(listedIds().contains(QStringLiteral("2")), c.collected);
    EXPECT_EQ(registers::unreadableCollections(sheet),
              c.unreadable ? QStringList{"102 del 05/03/2024"} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Rows, CollectionCellLists,
                         testing::Values(CollectionCase{"*", true, false, false},
                                         CollectionCase{"* ", true, false, false},
                                         CollectionCase{" *", true, false, false},
                                         CollectionCase{"", true, false, false},
                                         CollectionCase{"10/04/2024", false, true, false},
                                         CollectionCase{"ieri", false, false, true},
                                         CollectionCase{"PAGATA", false, false, true},
                                         CollectionCase{"31/02/2024", false, false, true}));

TEST_F(ReceivablesLists, EmptyRegistersAndListsWithNothingToShow) {
    EXPECT_EQ(rl::buildClientPosition(sheet, QStringLiteral("1")), Built::EmptyRegister);
    EXPECT_EQ(rl::buildToCollect(sheet), Built::EmptyRegister);
    EXPECT_EQ(rl::buildCollected(sheet), Built::EmptyRegister);
    // The headers are written all the same.
    EXPECT_EQ(sheet.text(1, rl::Total), QStringLiteral("TOTALE FT "));

    rows({invoice(1, "7", "10/04/2024")});
    EXPECT_EQ(rl::buildToCollect(sheet), Built::NothingListed);
    rows({invoice(1, "7", "*")});
    EXPECT_EQ(rl::buildCollected(sheet), Built::NothingListed);
}

TEST_F(ReceivablesLists, TheToCollectListStoresTheDateAsADateAndTheCollectedOneAsItIs) {
    rows({invoice(1, "7", "*"), invoice(2, "7", "10/04/2024")});
    // A date the register holds as a text, as a spreadsheet user may have typed it.
    ASSERT_TRUE(sheet.setIdentifier(2, col::Date, QStringLiteral("06/03/2024")).ok());
    ASSERT_TRUE(sheet.setIdentifier(3, col::Date, QStringLiteral("07/03/2024")).ok());
    ASSERT_EQ(rl::buildToCollect(sheet), Built::Listed);
    EXPECT_TRUE(sheet.value(2, rl::Date).isNumber());
    EXPECT_EQ(sheet.text(2, rl::Date), QStringLiteral("06/03/2024"));

    ASSERT_EQ(rl::buildCollected(sheet), Built::Listed);
    EXPECT_TRUE(sheet.value(2, rl::Date).isText());
    EXPECT_EQ(sheet.text(2, rl::Date), QStringLiteral("07/03/2024"));
}

TEST_F(ReceivablesLists, AValueTakesItsNumberFormatWhateverTheScratchCellShowedBefore) {
    rows({invoice(1, "7", "*"), invoice(2, "8", "*")});
    // A date in AE from an earlier list must not make the next amount a date.
    ASSERT_TRUE(sheet.setValue(2, rl::Total, QStringLiteral("05/03/2024")).ok());
    ASSERT_TRUE(sheet.setValue(2, rl::Id, QStringLiteral("01/01/2024")).ok());
    ASSERT_EQ(rl::buildToCollect(sheet), Built::Listed);
    EXPECT_EQ(sheet.text(2, rl::Total), QStringLiteral("1.268,80"));
    EXPECT_EQ(sheet.text(2, rl::Id), QStringLiteral("1"));
}

TEST_F(ReceivablesLists, ALongListLeavesNothingBehindForAShorterOne) {
    test_support::writeInvoices(sheet, 2, 1200, 1, QStringLiteral("4"), false);
    test_support::writeInvoices(sheet, 1202, 3, 1201, QStringLiteral("5"), true);
    ASSERT_EQ(rl::buildClientPosition(sheet, QStringLiteral("4")), Built::Listed);
    EXPECT_EQ(rl::listedCount(sheet), 1200);
    EXPECT_EQ(sheet.text(1201, rl::Collected), QStringLiteral("*"));

    ASSERT_EQ(rl::buildCollected(sheet), Built::Listed);
    EXPECT_EQ(listedIds(), (QStringList{"1201", "1202", "1203"}));
    for (int row : {5, 1000, 1001, 1201})
        for (int column = rl::Id; column <= rl::Net; ++column)
            EXPECT_TRUE(sheet.value(row, column).isEmpty()) << row << "," << column;
    // The client position clears AG to AI as well.
    ASSERT_EQ(rl::buildClientPosition(sheet, QStringLiteral("5")), Built::Listed);
    EXPECT_TRUE(sheet.value(1201, rl::Collected).isEmpty());
}

TEST_F(ReceivablesLists, TheAmountColumnsAreAlignedRight) {
    rows({invoice(1, "7", "*")});
    ASSERT_EQ(rl::buildClientPosition(sheet, QStringLiteral("7")), Built::Listed);
    for (int column = rl::Total; column <= rl::kLastPositionColumn; ++column)
        EXPECT_EQ(sheet.cell(2, column)->horizontalAlignment(), xls::HAlign::Right) << column;
    EXPECT_EQ(sheet.cell(2, rl::Date)->horizontalAlignment(), xls::HAlign::General);
    // Cells written later in those columns are aligned too.
    EXPECT_EQ(sheet.cell(900, rl::Net)->horizontalAlignment(), xls::HAlign::Right);
}

TEST_F(ReceivablesLists, TotalsAreExactToTheCent) {
    // 3,000 invoices of 100,10 / 80,08: summed as doubles, these drift.
    test_support::writeInvoices(sheet, 2, 3000, 1, QStringLiteral("4"), false);
    test_support::writeInvoice(sheet, 3002,
                               {3001, "BIANCHI", "4", "3001", "05/03/2024", "0,01", "*", "*"});
    ASSERT_EQ(rl::buildClientPosition(sheet, QStringLiteral("4")), Built::Listed);
    const rl::ListTotals totals = rl::listTotals(sheet);
    EXPECT_EQ(totals.invoices, 3001);
    EXPECT_EQ(totals.total.cents(), 3000 * 10010 + 1);
    EXPECT_EQ(totals.net.cents(), 3000 * 8008);
    EXPECT_EQ(totals.total.text(), QStringLiteral("300.300,01"));
    EXPECT_EQ(totals.unreadable, 1);  // the "*" net

    EXPECT_EQ(rl::buildToCollect(sheet), Built::Listed);
    EXPECT_EQ(rl::listTotals(sheet).invoices, 3001);
}

}  // namespace
