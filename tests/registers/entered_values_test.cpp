// What a register can hold: dates of the calendar and texts that fit a cell, with
// the messages that refuse the rest.
#include "registers/entered_values.h"

#include <gtest/gtest.h>

namespace {

using registers::calendarDate;
using registers::dateRefusal;
using registers::kCellTextLimit;
using registers::overlongTextRefusal;

struct DateCase {
    const char* typed;
    QDate date;  // invalid: refused
};

class TypedDate : public testing::TestWithParam<DateCase> {};

TEST_P(TypedDate, IsADayOfTheCalendarOrRefused) {
    const QString typed = QString::fromUtf8(GetParam().typed);
    const std::optional<QDate> read = calendarDate(typed);
    if (GetParam().date.isValid()) {
        ASSERT_TRUE(read) << GetParam().typed;
        EXPECT_EQ(*read, GetParam().date) << GetParam().typed;
        EXPECT_FALSE(dateRefusal(QStringLiteral("Data"), typed)) << GetParam().typed;
    } else {
        EXPECT_FALSE(read) << GetParam().typed;
        EXPECT_TRUE(dateRefusal(QStringLiteral("Data"), typed)) << GetParam().typed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AsTyped, TypedDate,
    testing::Values(
        // Days the register stores as dates.
        DateCase{"05/03/2026", QDate(2026, 3, 5)}, DateCase{"5/3/2026", QDate(2026, 3, 5)},
        DateCase{"29/02/2024", QDate(2024, 2, 29)}, DateCase{"31/12/2026", QDate(2026, 12, 31)},
        DateCase{" 07/03/2024 ", QDate(2024, 3, 7)}, DateCase{"7/3/24", QDate(2024, 3, 7)},
        DateCase{"01/01/1900", QDate(1900, 1, 1)}, DateCase{"31/12/9999", QDate(9999, 12, 31)},
        // Days that do not exist.
        DateCase{"31/02/2026", {}}, DateCase{"29/02/2026", {}}, DateCase{"31/04/2026", {}},
        DateCase{"00/01/2026", {}}, DateCase{"32/01/2026", {}}, DateCase{"15/13/2026", {}},
        DateCase{"15/00/2026", {}},
        // Before the first day a sheet stores as a date.
        DateCase{"31/12/1899", {}}, DateCase{"01/01/0001", {}},
        // Texts that are no date at all.
        DateCase{"abc", {}}, DateCase{"05-03-2026", {}}, DateCase{"05/03", {}},
        DateCase{"05/03/2026/1", {}}, DateCase{"5/3/20261", {}}, DateCase{"   ", {}},
        DateCase{"05/03/2O26", {}}));

TEST(DateRefusal, AnEmptyDateFieldIsNoDateAndAccepted) {
    EXPECT_FALSE(dateRefusal(QStringLiteral("Data Riscossione"), QString()));
}

TEST(DateRefusal, NamesTheFieldAndRepeatsWhatWasTyped) {
    const auto refusal = dateRefusal(QStringLiteral("Data Fattura"), QStringLiteral("31/02/2026"));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal,
              "Il campo \"Data Fattura\" non contiene una data valida: \"31/02/2026\".\n"
              "Scrivere un giorno del calendario come gg/mm/aaaa, per esempio 05/03/2026: "
              "nulla è stato registrato.");
}

TEST(DateRefusal, ALongTextIsRepeatedOnlyInPart) {
    const auto refusal = dateRefusal(QStringLiteral("Data"), QString(500, u'x'));
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->contains(QString(20, u'x') + QChar(0x2026) + u'"'));
    EXPECT_LT(refusal->size(), 200);
}

struct LengthCase {
    int length;
    bool refused;
};

class CellText : public testing::TestWithParam<LengthCase> {};

TEST_P(CellText, FitsACellUpToTheFormatsLimit) {
    const QString text(GetParam().length, u'a');
    EXPECT_EQ(overlongTextRefusal(QStringLiteral("Descrizione"), text).has_value(),
              GetParam().refused)
        << GetParam().length;
}

INSTANTIATE_TEST_SUITE_P(AroundTheLimit, CellText,
                         testing::Values(LengthCase{0, false}, LengthCase{1, false},
                                         LengthCase{kCellTextLimit - 1, false},
                                         LengthCase{kCellTextLimit, false},
                                         LengthCase{kCellTextLimit + 1, true},
                                         LengthCase{40000, true}));

TEST(CellText, TheRefusalNamesTheFieldTheLengthAndTheLimit) {
    const auto refusal = overlongTextRefusal(QStringLiteral("Descrizione"), QString(40000, u'a'));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal,
              "Il campo \"Descrizione\" contiene 40.000 caratteri: Gestione.xls ne conserva "
              "al massimo 32.767 per campo.\n"
              "Accorciare il testo: nulla è stato registrato.");
}

}  // namespace

namespace {

struct CollectionCase {
    const char* typed;
    bool asked;
};

class CollectionDate : public testing::TestWithParam<CollectionCase> {};

TEST_P(CollectionDate, AfterTodayIsAskedFirst) {
    const auto question =
        registers::futureCollectionQuestion(QString::fromUtf8(GetParam().typed), QDate(2026, 3, 5));
    EXPECT_EQ(question.has_value(), GetParam().asked) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    AgainstTheFifthOfMarch, CollectionDate,
    testing::Values(CollectionCase{"", false}, CollectionCase{"04/03/2026", false},
                    CollectionCase{"05/03/2026", false}, CollectionCase{"06/03/2026", true},
                    CollectionCase{"5/3/27", true}, CollectionCase{"31/02/2027", false},
                    CollectionCase{"domani", false}));

TEST(CollectionDateQuestion, NamesTheDateAndToday) {
    EXPECT_EQ(registers::futureCollectionQuestion(QStringLiteral("6/3/2026"), QDate(2026, 3, 5)),
              "La data dell'incasso 06/03/2026 è successiva a oggi (05/03/2026): l'incasso non "
              "è ancora avvenuto.\nRegistrarla lo stesso?");
}

}  // namespace
