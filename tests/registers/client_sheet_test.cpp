// The client registry on its sheet: names, rows, insertion with the counter,
// modification, deletion by identifier, sorting.
#include "registers/client_sheet.h"

#include <gtest/gtest.h>

#include "store/address.h"
#include "store/range.h"
#include "support/prepared_store.h"

namespace {

using registers::ClientRecord;
using registers::ClientSheet;
namespace col = registers::client;

constexpr int kCounter = store::columnOf("IV");

class ClientSheetTest : public testing::Test {
  protected:
    test_support::PreparedStore data;
    store::Worksheet cells = data.sheet(store::kClientsSheet);
    ClientSheet sheet{cells};

    static ClientRecord named(const QString& name) {
        ClientRecord client;
        client[col::Name] = name;
        return client;
    }
    // Client rows from row 2 with these identifiers and names, written directly.
    void rows(std::initializer_list<std::pair<int, const char*>> clients) {
        int r = 2;
        for (const auto& [id, name] : clients) {
            EXPECT_TRUE(cells.setNumber(r, col::Id, id).ok());
            EXPECT_TRUE(cells.setValue(r, col::Name, QString::fromUtf8(name)).ok());
            EXPECT_TRUE(cells.setValue(r, col::Town, QStringLiteral("town%1").arg(r)).ok());
            ++r;
        }
    }
    QStringList column(int c) {
        QStringList out;
        for (int r = 2; !cells.value(r, col::Id).isEmpty(); ++r)
            out << cells.text(r, c);
        return out;
    }
};

// The row a change gave, or 0 for a change refused.
int rowOf(const registers::RowChange& change) {
    return change.ok() ? *change : 0;
}

TEST_F(ClientSheetTest, AnEmptyRegistry) {
    EXPECT_TRUE(sheet.names().isEmpty());
    EXPECT_TRUE(sheet.rows().empty());
    EXPECT_EQ(sheet.firstFreeRow(), 2);
    EXPECT_FALSE(sheet.removeIdentifier(1));
    EXPECT_EQ(sheet.headers()[1], QStringLiteral("Ragione Sociale/Cognome Nome"));
    EXPECT_EQ(sheet.headers()[15], QStringLiteral("Annotazioni"));
    EXPECT_FALSE(sheet.counter());
}

TEST_F(ClientSheetTest, AddTakesTheCounterAndMovesItUp) {
    sheet.setCounter(7);
    ClientRecord client = named(QStringLiteral("ROSSI MARIO"));
    client[col::Id] = QStringLiteral("99");  // the counter decides, not the field
    client[col::Date] = QStringLiteral("07/03/2009");
    ASSERT_EQ(rowOf(sheet.add(client)), 2);
    EXPECT_EQ(cells.value(2, col::Id), store::Value::number(7));
    EXPECT_EQ(sheet.counter(), 8.0);
    // The date is a date: a number shown as dd/mm/yyyy.
    EXPECT_TRUE(cells.value(2, col::Date).isNumber());
    EXPECT_EQ(cells.text(2, col::Date), "07/03/2009");

    ASSERT_EQ(rowOf(sheet.add(named(QStringLiteral("BIANCHI")))), 3);
    EXPECT_EQ(cells.text(3, col::Id), "8");
    EXPECT_EQ(sheet.counter(), 9.0);
    EXPECT_EQ(sheet.names(), (QStringList{"ROSSI MARIO", "BIANCHI"}));
}

TEST_F(ClientSheetTest, AddWithoutCounterStartsFromOne) {
    // edited by hand outside the program
    EXPECT_TRUE(cells.setValue(1, kCounter, QStringLiteral("abc")).ok());
    ASSERT_EQ(rowOf(sheet.add(named(QStringLiteral("ROSSI")))), 2);
    EXPECT_EQ(cells.text(2, col::Id), "1");
    EXPECT_EQ(sheet.counter(), 2.0);
}

TEST_F(ClientSheetTest, IdentifiersAndNamesKeepTheirCharacters) {
    ClientRecord client = named(QStringLiteral("2000"));
    client[col::PostalCode] = QStringLiteral("00185");
    client[col::Phone] = QStringLiteral("0612345678");
    client[col::Mobile] = QStringLiteral("3331234567");
    client[col::VatNumber] = QStringLiteral("01234567890");
    client[col::Iban] = QStringLiteral("IT60X0542811101000000123456");
    client[col::TaxCode] = QStringLiteral("RSSMRA80A01H501U");
    client[col::Address] = QStringLiteral("12/10/2009");
    client[col::Notes] = QStringLiteral("RIGA 1\nRIGA 2");
    ASSERT_EQ(rowOf(sheet.add(client)), 2);
    for (const col::Column c : {col::Name, col::PostalCode, col::Phone, col::Mobile, col::VatNumber,
                                col::Iban, col::TaxCode, col::Address, col::Notes}) {
        EXPECT_TRUE(cells.value(2, c).isText()) << c;
        EXPECT_EQ(cells.text(2, c), client[c]) << c;
    }
    EXPECT_TRUE(cells.value(2, col::Fax).isEmpty());
}

TEST_F(ClientSheetTest, AnUnreadableDateIsLeftOutOnInsertionKeptAsTextOnUpdate) {
    ClientRecord client = named(QStringLiteral("ROSSI"));
    client[col::Date] = QStringLiteral("32/13/2009");
    ASSERT_EQ(rowOf(sheet.add(client)), 2);
    EXPECT_TRUE(cells.value(2, col::Date).isEmpty());

    client[col::Id] = QStringLiteral("1");
    sheet.update(2, client);
    EXPECT_EQ(cells.value(2, col::Date), store::Value::text(QStringLiteral("32/13/2009")));
    client[col::Date] = QStringLiteral("05/03/2024");
    sheet.update(2, client);
    EXPECT_TRUE(cells.value(2, col::Date).isNumber());
    EXPECT_EQ(cells.value(2, col::Id), store::Value::number(1));
}

TEST_F(ClientSheetTest, UpdateWritesEveryColumnOfItsRowOnly) {
    rows({{1, "ROSSI"}, {2, "BIANCHI"}});
    ClientRecord client = sheet.row(3);
    client[col::Name] = QStringLiteral("BIANCHI SRL");
    client[col::Town] = QString();
    client[col::PostalCode] = QStringLiteral("00100");
    sheet.update(3, client);
    EXPECT_EQ(sheet.row(3)[col::Name], "BIANCHI SRL");
    EXPECT_TRUE(cells.value(3, col::Town).isEmpty());
    EXPECT_EQ(cells.text(3, col::PostalCode), "00100");
    EXPECT_EQ(cells.text(3, col::Id), "2");
    EXPECT_EQ(sheet.row(2)[col::Name], "ROSSI");
    EXPECT_EQ(sheet.headers()[0], QStringLiteral("ID"));
    EXPECT_EQ(sheet.headers()[15], QStringLiteral("Annotazioni"));
}

TEST_F(ClientSheetTest, RemovingAnIdentifierTakesTheFirstRowThatCarriesIt) {
    rows({{4, "A"}, {5, "B"}, {6, "C"}, {7, "D"}, {5, "E"}});
    EXPECT_TRUE(sheet.removeIdentifier(5));
    EXPECT_EQ(column(col::Name), (QStringList{"A", "C", "D", "E"}));
    EXPECT_EQ(column(col::Town), (QStringList{"town2", "town4", "town5", "town6"}));
    EXPECT_FALSE(sheet.removeIdentifier(9));
    EXPECT_EQ(column(col::Name).size(), 4);
}

TEST_F(ClientSheetTest, FindClientNeedsIdentifierAndName) {
    rows({{5, "ROSSI"}, {5, "VERDI"}, {6, "ROSSI"}});
    EXPECT_EQ(sheet.findClient(QStringLiteral("5"), QStringLiteral("VERDI")), 3);
    EXPECT_EQ(sheet.findClient(QStringLiteral("6"), QStringLiteral("ROSSI")), 4);
    EXPECT_FALSE(sheet.findClient(QStringLiteral("6"), QStringLiteral("VERDI")));
}

TEST_F(ClientSheetTest, SortingOrdersByNameIgnoringCaseWithWholeRows) {
    rows({{1, "Rossi"}, {2, "bianchi"}, {3, "ALFA"}});
    sheet.sortByName();
    EXPECT_EQ(sheet.names(), (QStringList{"ALFA", "bianchi", "Rossi"}));
    EXPECT_EQ(column(col::Id), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(column(col::Town), (QStringList{"town4", "town3", "town2"}));
    EXPECT_EQ(sheet.headers()[0], QStringLiteral("ID"));
    EXPECT_EQ(sheet.headers()[15], QStringLiteral("Annotazioni"));
}

TEST_F(ClientSheetTest, AFullRegistryWritesNothing) {
    for (int r = 2; r <= 65536; ++r)
        EXPECT_TRUE(cells.setNumber(r, col::Id, r - 1).ok());
    sheet.setCounter(70000);
    EXPECT_FALSE(sheet.firstFreeRow());
    EXPECT_FALSE(sheet.add(named(QStringLiteral("ROSSI"))));
    EXPECT_EQ(sheet.counter(), 70000.0);
    EXPECT_TRUE(cells.value(65536, col::Name).isEmpty());
}

}  // namespace
