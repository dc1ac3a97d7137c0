// The client choice the entry, client and receivables windows share: after the
// sheet changed under a loaded list, an item (and the chosen client) still names
// the client it showed or none; a typed text counts only as an item's exact name.
#include "registers/client_choice.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "support/prepared_store.h"

namespace {

namespace col = registers::client;

struct SheetChange {
    std::string name;
    std::function<void(registers::ClientSheet&)> change;
    // Where item 1 (BIANCHI, identifier 9, loaded from row 3) is found afterwards.
    std::optional<int> rowOfItem1;
    bool item1InPlace;
};

class ClientChoiceAfterAChange : public testing::TestWithParam<SheetChange> {
  protected:
    test_support::PreparedStore data;
    store::Worksheet cells = data.sheet(store::kClientsSheet);
    registers::ClientSheet sheet{cells};

    void rows(std::initializer_list<std::pair<int, const char*>> clients) {
        int r = col::kFirstRow;
        for (const auto& [id, name] : clients) {
            EXPECT_TRUE(cells.setNumber(r, col::Id, id).ok());
            EXPECT_TRUE(cells.setValue(r, col::Name, QString::fromUtf8(name)).ok());
            ++r;
        }
    }
};

TEST_P(ClientChoiceAfterAChange, FindsTheClientOfTheItem) {
    rows({{7, "ROSSI"}, {9, "BIANCHI"}, {12, "VERDI"}});
    registers::ClientChoice choice;
    ASSERT_EQ(choice.load(sheet), (QStringList{"ROSSI", "BIANCHI", "VERDI"}));
    choice.choose(1);
    GetParam().change(sheet);
    EXPECT_EQ(choice.rowOf(sheet, 1), GetParam().rowOfItem1);
    EXPECT_EQ(choice.chosenRow(sheet), GetParam().rowOfItem1);
    EXPECT_EQ(choice.inPlace(sheet, 1), GetParam().item1InPlace);
    EXPECT_EQ(choice.chosenIdentifier(), "9");
    // Loading again keeps the chosen client chosen.
    choice.load(sheet);
    EXPECT_EQ(choice.chosenRow(sheet), GetParam().rowOfItem1);
}

INSTANTIATE_TEST_SUITE_P(
    Registers, ClientChoiceAfterAChange,
    testing::Values(
        SheetChange{"Unchanged", [](registers::ClientSheet&) {}, 3, true},
        SheetChange{"Sorted", [](registers::ClientSheet& s) { s.sortByName(); }, 2, false},
        SheetChange{"ARowAboveRemoved", [](registers::ClientSheet& s) { s.removeRow(2); }, 2,
                    false},
        SheetChange{"ItselfRemoved", [](registers::ClientSheet& s) { s.removeRow(3); },
                    std::nullopt, false},
        SheetChange{
            "Renamed",
            [](registers::ClientSheet& s) {
                ASSERT_TRUE(
                    s.worksheet().setValue(3, col::Name, QStringLiteral("BIANCHI SRL")).ok());
            },
            std::nullopt, false}),
    [](const testing::TestParamInfo<SheetChange>& info) { return info.param.name; });

struct TypedText {
    std::string name;
    const char* text;
    int current;
    std::optional<int> position;
};

TEST(ClientChoice, ATypedTextIsAnItemOnlyWhenItIsItsName) {
    const TypedText cases[] = {
        {"ExactName", "BIANCHI", -1, 1},
        {"TheCurrentOfTwoAlike", "ROSSI", 3, 3},
        {"TheFirstOfTwoAlike", "ROSSI", 1, 0},
        {"PartOfAName", "ROSS", -1, std::nullopt},
        {"AnotherCase", "bianchi", 1, std::nullopt},
        {"Empty", "", -1, std::nullopt},
        {"CurrentOutOfRange", "VERDI", 9, 2},
    };
    test_support::PreparedStore data;
    store::Worksheet cells = data.sheet(store::kClientsSheet);
    int r = col::kFirstRow;
    for (const char* name : {"ROSSI", "BIANCHI", "VERDI", "ROSSI"}) {
        ASSERT_TRUE(cells.setNumber(r, col::Id, r).ok());
        ASSERT_TRUE(cells.setValue(r, col::Name, QString::fromUtf8(name)).ok());
        ++r;
    }
    registers::ClientChoice choice;
    choice.load(registers::ClientSheet(cells));
    for (const TypedText& c : cases) {
        EXPECT_EQ(choice.positionOf(QString::fromUtf8(c.text), c.current), c.position) << c.name;
        if (c.position) {
            EXPECT_EQ(choice.identifier(*c.position), QString::number(col::kFirstRow + *c.position))
                << c.name;
        }
    }
    EXPECT_EQ(choice.identifier(4), QString());
}

}  // namespace
