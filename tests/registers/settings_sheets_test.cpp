// The sheet work behind the settings frame and the user-data window.
#include "registers/einvoice_codes.h"
#include "registers/item_use.h"
#include "registers/settings_lists.h"
#include "registers/starter_lists.h"
#include "registers/user_data.h"
#include "support/invoice_rows.h"
#include "support/prepared_store.h"

#include "store/engine.h"
#include "store/workbook.h"

#include <gtest/gtest.h>

namespace {

using namespace registers;

class SettingsSheets : public testing::Test {
  protected:
    test_support::PreparedStore temp;
    store::Worksheet lists = temp.sheet(store::kSettingsSheet);
};

TEST_F(SettingsSheets, AFreshStoreHasTheSinglePlaceholderInEveryList) {
    for (int column = kInpsColumn; column <= kExemptionColumn; ++column)
        EXPECT_EQ(loadList(lists, column), QStringList{"*"}) << column;
}

TEST_F(SettingsSheets, InsertGoesToTheFirstFreeRowAndKeepsTheTextAsTyped) {
    ASSERT_TRUE(lists.setValue(3, kInpsColumn, "4").ok());
    const auto row = insertItem(lists, kInpsColumn, "02");
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(*row, 4);
    EXPECT_EQ(loadList(lists, kInpsColumn), (QStringList{"*", "4", "02"}));
    EXPECT_TRUE(lists.value(4, kInpsColumn).isText());
    EXPECT_EQ(*insertItem(lists, kInpsColumn, "4,5"), 5);
    EXPECT_EQ(lists.text(5, kInpsColumn), "4,5");
    // The other lists are untouched.
    EXPECT_EQ(loadList(lists, kVatColumn), QStringList{"*"});
    EXPECT_EQ(lists.text(1, kInpsColumn), "INPS/CASSA");
}

TEST_F(SettingsSheets, AnItemNeverTakesTheHeadersPlace) {
    ASSERT_TRUE(lists.setIdentifier(1, kPaymentColumn, "").ok());
    EXPECT_EQ(*insertItem(lists, kPaymentColumn, "BONIFICO"), 3);
    EXPECT_TRUE(lists.value(1, kPaymentColumn).isEmpty());
}

TEST_F(SettingsSheets, AFullColumnGetsAMessageAndNothingIsWritten) {
    for (int row = 3; row <= 65536; ++row)
        ASSERT_TRUE(lists.setNumber(row, kWithholdingColumn, 20).ok());
    const auto row = insertItem(lists, kWithholdingColumn, "30");
    ASSERT_FALSE(row.ok());
    EXPECT_TRUE(row.error().message.contains("pieno"));
    EXPECT_EQ(lists.text(65536, kWithholdingColumn), "20");
}

TEST_F(SettingsSheets, ReplaceWritesAtTheListPositionPlusTwo) {
    for (const QString item : {"10", "22"})
        ASSERT_TRUE(insertItem(lists, kVatColumn, item).ok());
    const auto row = replaceItem(lists, kVatColumn, 2, "21");
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(*row, 4);
    EXPECT_EQ(loadList(lists, kVatColumn), (QStringList{"*", "10", "21"}));
    EXPECT_EQ(lists.text(1, kVatColumn), "IVA");
}

// What a list takes: a rate list only a number from 0 to 100, every list no blank item;
// a refused item leaves the list as it was, whether inserted or written over an item.
TEST_F(SettingsSheets, EachListTakesOnlyWhatItsAmountStepsCanRead) {
    const struct {
        int column;
        const char* typed;
        const char* kept;  // nullptr: refused
    } cases[] = {
        {kVatColumn, "22", "22"},
        {kVatColumn, " 4,5 ", "4,5"},
        {kInpsColumn, "0", "0"},
        {kWithholdingColumn, "100", "100"},
        {kVatColumn, "22%", nullptr},
        {kVatColumn, "-1", nullptr},
        {kVatColumn, "abc", nullptr},
        {kVatColumn, " ", nullptr},
        {kInpsColumn, "100,5", nullptr},
        {kWithholdingColumn, "", nullptr},
        {kPaymentColumn, "RIBA 30 GG", "RIBA 30 GG"},
        {kPaymentColumn, "  ", nullptr},
        {kExemptionColumn, "", nullptr},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        const QStringList before = loadList(lists, c.column);
        const auto inserted = insertItem(lists, c.column, typed);
        // Written over the item just inserted, or over the placeholder when refused.
        const int position = inserted.ok() ? int(before.size()) : 0;
        const auto replaced = replaceItem(lists, c.column, position, typed);
        if (c.kept) {
            EXPECT_TRUE(inserted.ok() && replaced.ok()) << c.typed;
            EXPECT_EQ(loadList(lists, c.column), before + QStringList{c.kept}) << c.typed;
        } else {
            ASSERT_FALSE(inserted.ok()) << c.typed;
            ASSERT_FALSE(replaced.ok()) << c.typed;
            EXPECT_EQ(inserted.error().kind, store::Error::Kind::Refused) << c.typed;
            EXPECT_EQ(loadList(lists, c.column), before) << c.typed;
        }
    }
}

// An item the list already has is refused, inserted or written over another item;
// written over itself it is taken.
TEST_F(SettingsSheets, AnItemTheListHasIsRefused) {
    const struct {
        int column;
        const char* listed;
        const char* typed;
        bool refused;
    } cases[] = {
        {kVatColumn, "22", "22", true},
        {kVatColumn, "22", " 22,0 ", true},
        {kVatColumn, "22", "22,5", false},
        {kPaymentColumn, "Bonifico 30 gg", "BONIFICO  30 GG", true},
        {kPaymentColumn, "Bonifico", "Bonifico 30 gg", false},
        {kExemptionColumn, "Art. 15", "art. 15", true},
    };
    for (const auto& c : cases) {
        test_support::PreparedStore fresh;
        const store::Worksheet sheet = fresh.sheet(store::kSettingsSheet);
        ASSERT_TRUE(insertItem(sheet, c.column, "1").ok());
        ASSERT_TRUE(insertItem(sheet, c.column, QString::fromUtf8(c.listed)).ok());
        const QStringList before = loadList(sheet, c.column);
        const auto inserted = insertItem(sheet, c.column, QString::fromUtf8(c.typed));
        EXPECT_EQ(!inserted.ok(), c.refused) << c.typed;
        if (c.refused) {
            EXPECT_TRUE(inserted.error().message.contains("è già nell'elenco")) << c.typed;
            EXPECT_EQ(loadList(sheet, c.column), before) << c.typed;
            EXPECT_FALSE(replaceItem(sheet, c.column, 1, QString::fromUtf8(c.typed)).ok())
                << c.typed;
            EXPECT_TRUE(replaceItem(sheet, c.column, 2, QString::fromUtf8(c.typed)).ok())
                << c.typed;
        }
    }
}

TEST_F(SettingsSheets, RemovingAnItemMovesTheOnesBelowUpAndNeverTakesThePlaceholder) {
    for (const QString item : {"4", "10", "22"})
        ASSERT_TRUE(insertItem(lists, kVatColumn, item).ok());
    EXPECT_EQ(*removeItem(lists, kVatColumn, 2), 4);
    EXPECT_EQ(loadList(lists, kVatColumn), (QStringList{"*", "4", "22"}));
    EXPECT_TRUE(lists.value(5, kVatColumn).isEmpty());
    EXPECT_EQ(*removeItem(lists, kVatColumn, 2), 4);
    EXPECT_EQ(loadList(lists, kVatColumn), (QStringList{"*", "4"}));
    const auto placeholder = removeItem(lists, kVatColumn, 0);
    ASSERT_FALSE(placeholder.ok());
    EXPECT_EQ(placeholder.error().kind, store::Error::Kind::Refused);
    EXPECT_EQ(loadList(lists, kVatColumn), (QStringList{"*", "4"}));
}

// An item stays while an invoice uses it: payment types and exemption items by their
// text in the register, rates by the rate the invoice's amounts were made with.
TEST_F(SettingsSheets, OnlyAnItemNoInvoiceUsesIsRemoved) {
    const store::Worksheet invoices = temp.sheet(store::kInvoicesSheet);
    test_support::writeInvoice(invoices, 2,
                               {1, "ROSSI", "1", "1", "05/03/2026", "122,00", "122,00", "*"});
    ASSERT_TRUE(invoices.setValue(2, invoice::Taxable, "100,00").ok());
    ASSERT_TRUE(invoices.setValue(2, invoice::TotalTaxable, "100,00").ok());
    ASSERT_TRUE(invoices.setValue(2, invoice::Vat, "22,00").ok());
    const struct {
        int column;
        const char* item;
        bool used;
    } cases[] = {
        {kPaymentColumn, "BONIFICO", true},
        {kPaymentColumn, "CONTANTI", false},
        {kVatColumn, "22", true},
        {kVatColumn, "10", false},
        {kExemptionColumn, "Art. 15", false},
        {kWithholdingColumn, "20", false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(insertItem(lists, c.column, QString::fromUtf8(c.item)).ok()) << c.item;
        const int position = int(loadList(lists, c.column).size()) - 1;
        const auto removed = removeUnusedItem(temp.store().workbook(), c.column, position);
        EXPECT_EQ(!removed.ok(), c.used) << c.item;
        EXPECT_EQ(loadList(lists, c.column).contains(QString::fromUtf8(c.item)), c.used) << c.item;
        if (c.used) {
            EXPECT_TRUE(removed.error().message.contains("la fattura n. 1 del 05/03/2026"))
                << c.item;
        }
    }
}

TEST(SettingsSheetsMissing, AStoreWithoutTheSheetsSaysSo) {
    store::Engine engine;
    store::Workbook& book = engine.create();
    const auto lists = settingsSheet(book);
    ASSERT_FALSE(lists.ok());
    EXPECT_TRUE(lists.error().message.contains("Utilità"));
    const auto user = userSheet(book);
    ASSERT_FALSE(user.ok());
    EXPECT_TRUE(user.error().message.contains("Utente"));
}

TEST_F(SettingsSheets, UserDataAreWrittenAsTextsBesideTheLabels) {
    const store::Worksheet user = temp.sheet(store::kUserSheet);
    UserData values;
    values[0] = "STUDIO ROSSI";
    values[4] = "00185";
    values[6] = "01234567890";
    values[7] = "12/03/2001";
    writeUserData(user, values);
    EXPECT_EQ(readUserData(user), values);
    EXPECT_TRUE(user.value(5, 2).isText());
    EXPECT_TRUE(user.value(8, 2).isText());
    EXPECT_TRUE(user.value(2, 2).isEmpty());
    EXPECT_EQ(user.text(5, 1), "CAP");

    values[0].clear();
    writeUserData(user, values);
    EXPECT_TRUE(user.value(1, 2).isEmpty());
}

// The lists a newcomer is offered: written by the lists' own writer into an empty
// store, with the codes the electronic invoice needs; never into a store with lists.
class StarterLists : public SettingsSheets {
  protected:
    StarterLists() { prepareEinvoiceCodesSheet(temp.store()); }
    EinvoiceCodes codes() { return EinvoiceCodes(temp.sheet(kEinvoiceCodesSheet)); }
};

TEST_F(StarterLists, AnEmptyStoreTakesTheUsualListsWithTheirCodes) {
    ASSERT_TRUE(settingsListsEmpty(lists));
    ASSERT_TRUE(addStarterLists(temp.store().workbook()).ok());
    EXPECT_FALSE(settingsListsEmpty(lists));
    EXPECT_EQ(loadList(lists, kVatColumn), (QStringList{"*", "22", "10", "5", "4"}));
    EXPECT_EQ(loadList(lists, kInpsColumn), (QStringList{"*", "4", "2", "5"}));
    EXPECT_EQ(loadList(lists, kWithholdingColumn), (QStringList{"*", "20"}));
    EXPECT_EQ(loadList(lists, kPaymentColumn).size(), 8);
    EXPECT_EQ(loadList(lists, kExemptionColumn).size(), 5);
    const struct {
        CodedList list;
        const char* item;
        ItemCodes codes;
        int days;  // -1: not a payment type
    } rows[] = {
        {CodedList::Withholding, "20", {"RT01", "A"}, -1},
        {CodedList::Payment, "Bonifico vista fattura", {"MP05", ""}, 0},
        {CodedList::Payment, "Bonifico 30 gg d.f.", {"MP05", ""}, 30},
        {CodedList::Payment, "Bonifico 60 gg d.f.", {"MP05", ""}, 60},
        {CodedList::Payment, "RiBa 30 gg d.f.", {"MP12", ""}, 30},
        {CodedList::Payment, "Assegno", {"MP02", ""}, 0},
        {CodedList::Payment, "Contanti", {"MP01", ""}, 0},
        {CodedList::Payment, "Carta di pagamento", {"MP08", ""}, 0},
        {CodedList::Exemption, "Regime forfettario art. 1 c. 54-89 L. 190/2014", {"N2.2", ""}, -1},
        {CodedList::Exemption, "Non soggetta art. 7-ter DPR 633/72", {"N2.1", ""}, -1},
        {CodedList::Exemption, "Esente art. 10 DPR 633/72", {"N4", ""}, -1},
        {CodedList::Exemption, "Esclusa art. 15 DPR 633/72", {"N1", ""}, -1},
        // Which fund a surcharge is, the user says: it decides the withholding.
        {CodedList::Cassa, "4", {}, -1},
    };
    const EinvoiceCodes stored = codes();
    for (const auto& row : rows) {
        const QString item = QString::fromUtf8(row.item);
        const int column = row.list == CodedList::Payment       ? kPaymentColumn
                           : row.list == CodedList::Exemption   ? kExemptionColumn
                           : row.list == CodedList::Withholding ? kWithholdingColumn
                                                                : kInpsColumn;
        EXPECT_TRUE(loadList(lists, column).contains(item)) << row.item;
        EXPECT_EQ(stored.codes(row.list, item), row.codes) << row.item;
        if (row.days >= 0) {
            EXPECT_EQ(stored.paymentDays(item), row.days) << row.item;
        }
    }
}

TEST_F(StarterLists, AStoreWithAListTakesNothing) {
    for (int column = kInpsColumn; column <= kExemptionColumn; ++column) {
        test_support::PreparedStore fresh;
        prepareEinvoiceCodesSheet(fresh.store());
        const store::Worksheet own = fresh.sheet(store::kSettingsSheet);
        ASSERT_TRUE(insertItem(own, column, "3").ok());
        EXPECT_FALSE(settingsListsEmpty(own)) << column;
        ASSERT_TRUE(addStarterLists(fresh.store().workbook()).ok());
        for (int other = kInpsColumn; other <= kExemptionColumn; ++other)
            EXPECT_EQ(loadList(own, other),
                      other == column ? QStringList({"*", "3"}) : QStringList{"*"})
                << column << " " << other;
    }
}

TEST_F(SettingsSheets, WithoutTheCodesSheetTheStarterListsAreRefusedWhole) {
    EXPECT_FALSE(addStarterLists(temp.store().workbook()).ok());
    EXPECT_TRUE(settingsListsEmpty(lists));
}

}  // namespace
