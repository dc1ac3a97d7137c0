// The line under the year's totals that counts what was left out, and the printed
// list's rows for the flat-rate limit.
#include "year/year_report.h"

#include <gtest/gtest.h>

namespace {

struct LeftOutCase {
    const char* what;
    int dates;
    int collections;
    int amounts;
    const char* line;
};

class LeftOut : public testing::TestWithParam<LeftOutCase> {};

TEST_P(LeftOut, IsCountedInOneLine) {
    registers::YearFigures f;
    f.unreadableDates = GetParam().dates;
    f.unreadableCollections = GetParam().collections;
    f.unreadableAmounts = GetParam().amounts;
    EXPECT_EQ(year::leftOutText(f), QString::fromUtf8(GetParam().line));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Counts, LeftOut, testing::Values(
    LeftOutCase{"nothing left out, no line", 0, 0, 0, ""},
    LeftOutCase{"one date", 1, 0, 0, "Non conteggiate: 1 fattura con data illeggibile"},
    LeftOutCase{"dates", 3, 0, 0, "Non conteggiate: 3 fatture con data illeggibile"},
    LeftOutCase{"a collection date", 0, 1, 0,
                "Non conteggiate: 1 data di incasso illeggibile"},
    LeftOutCase{"all three", 2, 2, 1,
                "Non conteggiate: 2 fatture con data illeggibile, 2 date di incasso illeggibili, "
                "1 importo illeggibile"}),
    [](const testing::TestParamInfo<LeftOutCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

struct ListCase {
    const char* what;
    bool flatRate;
    int unreadableDates;
    std::size_t rows;
    const char* lastRow;
};

class PrintedYear : public testing::TestWithParam<ListCase> {};

TEST_P(PrintedYear, EndsWithWhatTheUserNeedsToKnow) {
    registers::YearFigures f;
    f.year = 2025;
    f.feesCollected = registers::Amount::fromCents(4'250'000);
    f.unreadableDates = GetParam().unreadableDates;
    f.topClients = {{"7", "ROSSI SRL", registers::Amount::fromCents(4'250'000)}};
    const printing::PrintedList list =
        year::yearList(f, GetParam().flatRate, QDateTime(QDate(2025, 12, 1), QTime(9, 0)));
    EXPECT_EQ(list.title, QStringLiteral("Andamento 2025 01/12/2025 09:00:00"));
    ASSERT_EQ(list.rows.size(), GetParam().rows);
    EXPECT_EQ(list.rows.back().front(), QString::fromUtf8(GetParam().lastRow));
    for (const QStringList& row : list.rows)
        EXPECT_LE(row.size(), list.columnHeadings.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lists, PrintedYear, testing::Values(
    ListCase{"an ordinary user: the clients last", false, 0, 23, "ROSSI SRL"},
    ListCase{"a flat-rate user: the limit last", true, 0, 25,
             "Regime forfettario: Incassato 42.500,00 € su 85.000,00 € (50%)"},
    ListCase{"what was left out comes under the totals", false, 2, 24, "ROSSI SRL"}),
    [](const testing::TestParamInfo<ListCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

}  // namespace
