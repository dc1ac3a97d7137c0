// A year's figures over a small register worked out by hand: credit notes count
// against, a collection counts in the year it was made, an unreadable date leaves
// the invoice out and is counted.
#include "registers/year_figures.h"

#include <gtest/gtest.h>

#include "registers/invoice_layout.h"
#include "support/prepared_store.h"

namespace {

namespace col = registers::invoice;
using registers::Amount;

// One register row as typed: amounts "1.268,80", dates dd/mm/yyyy, "*" for none.
struct Row {
    const char* clientId;
    const char* client;
    const char* date;
    const char* taxable;
    const char* surcharge;
    const char* vat;
    const char* total;
    const char* withholding;
    const char* net;
    const char* collection;
};

// Taxable 1.000, INPS 40, VAT 22 %, withholding 20 % on 1.040.
const Row kRossiJanuary{"7",      "ROSSI SRL", "15/01/2025", "1.000,00", "40,00",
                        "228,80", "1.268,80",  "208,00",     "1.060,80", "10/02/2025"};
const Row kBianchiMarch{"8",      "BIANCHI SNC", "20/03/2025", "500,00", "*",
                        "110,00", "610,00",      "100,00",     "510,00", "*"};
// A partial credit note of the invoice above: both stay to collect.
const Row kBianchiCreditNote{"8",      "BIANCHI SNC", "25/03/2025", "-200,00", "*",
                             "-44,00", "-244,00",     "-40,00",     "-204,00", "*"};
// Invoiced in December, collected in January of the next year.
const Row kRossiDecember{"7",      "ROSSI SRL", "10/12/2024", "2.000,00", "*",
                         "440,00", "2.440,00",  "0,00",       "2.440,00", "15/01/2025"};
const Row kVerdiNoDate{"9",     "VERDI", "31/02/2025", "50,00", "*",
                       "11,00", "61,00", "0,00",       "61,00", "*"};
const Row kVerdiBadCollection{"9",    "VERDI",  "05/05/2025", "300,00", "*",
                              "0,00", "300,00", "0,00",       "300,00", "pagata"};
const Row kRossiNovember{"7",    "ROSSI SRL", "01/11/2025", "100,00", "*",
                         "0,00", "100,00",    "0,00",       "100,00", "03/01/2026"};
// A credit note of the whole invoice settles both on its date.
const Row kNeriInvoice{"10",    "NERI SPA", "02/06/2025", "400,00", "*",
                       "88,00", "488,00",   "80,00",      "408,00", "09/06/2025"};
const Row kNeriCreditNote{"10",     "NERI SPA", "09/06/2025", "-400,00", "*",
                          "-88,00", "-488,00",  "-80,00",     "-408,00", "09/06/2025"};

class YearFiguresRegister : public testing::Test {
  protected:
    test_support::PreparedStore data;
    store::Worksheet sheet = data.sheet(store::kInvoicesSheet);

    void write(const std::vector<Row>& rows) {
        int row = col::kFirstRow;
        for (const Row& r : rows) {
            const auto put = [&](int column, const char* text) {
                ASSERT_TRUE(sheet.setValue(row, column, QString::fromUtf8(text)).ok());
            };
            put(col::Id, QByteArray::number(row - 1).constData());
            put(col::Client, r.client);
            put(col::ClientId, r.clientId);
            put(col::Number, QByteArray::number(row).constData());
            put(col::Date, r.date);
            put(col::Description, "Consulenza");
            put(col::Taxable, r.taxable);
            put(col::Surcharge, r.surcharge);
            const Amount fees = *Amount::parse(QString::fromLatin1(r.taxable)) +
                                Amount::parse(QString::fromLatin1(r.surcharge)).value_or(Amount());
            put(col::TotalTaxable, fees.text().toUtf8().constData());
            put(col::Vat, r.vat);
            put(col::Exemption, "*");
            put(col::ExemptAmount, "*");
            put(col::Total, r.total);
            put(col::Withholding, r.withholding);
            put(col::Net, r.net);
            put(col::Collection, r.collection);
            put(col::PaidBy, "BONIFICO");
            ++row;
        }
    }
};

QString cents(Amount amount) {
    return amount.text();
}

// The figures a case checks, as their texts.
struct Expected {
    int invoices;
    const char* total;
    const char* taxable;
    const char* surcharge;
    const char* vat;
    int collectedInvoices;
    const char* collected;
    const char* withholding;
    const char* net;
    const char* fees;
    int unreadableDates;
    int unreadableCollections;
};

struct FiguresCase {
    const char* what;
    std::vector<Row> rows;
    int year;
    Expected expected;
};

class YearTotals : public YearFiguresRegister, public testing::WithParamInterface<FiguresCase> {};

TEST_P(YearTotals, AddUpAsWorkedOutByHand) {
    const FiguresCase& c = GetParam();
    write(c.rows);
    const registers::YearFigures f = registers::yearFigures(sheet, c.year);
    const Expected& e = c.expected;
    EXPECT_EQ(f.year, c.year);
    EXPECT_EQ(f.invoices, e.invoices);
    EXPECT_EQ(cents(f.total), QString::fromLatin1(e.total));
    EXPECT_EQ(cents(f.taxable), QString::fromLatin1(e.taxable));
    EXPECT_EQ(cents(f.surcharge), QString::fromLatin1(e.surcharge));
    EXPECT_EQ(cents(f.vat), QString::fromLatin1(e.vat));
    EXPECT_EQ(f.collectedInvoices, e.collectedInvoices);
    EXPECT_EQ(cents(f.collected), QString::fromLatin1(e.collected));
    EXPECT_EQ(cents(f.withholdingCollected), QString::fromLatin1(e.withholding));
    EXPECT_EQ(cents(f.netCollected), QString::fromLatin1(e.net));
    EXPECT_EQ(cents(f.feesCollected), QString::fromLatin1(e.fees));
    EXPECT_EQ(f.unreadableDates, e.unreadableDates);
    EXPECT_EQ(f.unreadableCollections, e.unreadableCollections);
    // The months add up to the year.
    Amount invoiced;
    Amount collected;
    for (int m = 0; m < 12; ++m) {
        invoiced = invoiced + f.invoicedByMonth[std::size_t(m)];
        collected = collected + f.collectedByMonth[std::size_t(m)];
    }
    EXPECT_EQ(invoiced, f.total);
    EXPECT_EQ(collected, f.collected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Register, YearTotals, testing::Values(
    FiguresCase{"one invoice collected in its own year",
        {kRossiJanuary}, 2025,
        {1, "1.268,80", "1.000,00", "40,00", "228,80", 1, "1.268,80", "208,00", "1.060,80",
         "1.040,00", 0, 0}},
    FiguresCase{"a partial credit note counts against, neither is collected",
        {kBianchiMarch, kBianchiCreditNote}, 2025,
        {2, "366,00", "300,00", "0,00", "66,00", 0, "0,00", "0,00", "0,00", "0,00", 0, 0}},
    FiguresCase{"a whole credit note settles the invoice: both collected, netting to nothing",
        {kNeriInvoice, kNeriCreditNote}, 2025,
        {2, "0,00", "0,00", "0,00", "0,00", 2, "0,00", "0,00", "0,00", "0,00", 0, 0}},
    FiguresCase{"collected the year after: invoiced in one year, collected in the next",
        {kRossiDecember}, 2025,
        {0, "0,00", "0,00", "0,00", "0,00", 1, "2.440,00", "0,00", "2.440,00", "2.000,00",
         0, 0}},
    FiguresCase{"the year before sees it invoiced, not collected",
        {kRossiDecember}, 2024,
        {1, "2.440,00", "2.000,00", "0,00", "440,00", 0, "0,00", "0,00", "0,00", "0,00", 0, 0}},
    FiguresCase{"an unreadable invoice date leaves the invoice out, counted",
        {kVerdiNoDate, kRossiJanuary}, 2025,
        {1, "1.268,80", "1.000,00", "40,00", "228,80", 1, "1.268,80", "208,00", "1.060,80",
         "1.040,00", 1, 0}},
    FiguresCase{"an unreadable collection mark is invoiced but not collected, counted",
        {kVerdiBadCollection}, 2025,
        {1, "300,00", "300,00", "0,00", "0,00", 0, "0,00", "0,00", "0,00", "0,00", 0, 1}},
    FiguresCase{"the whole small register",
        {kRossiJanuary, kBianchiMarch, kBianchiCreditNote, kRossiDecember, kVerdiNoDate,
         kVerdiBadCollection, kRossiNovember}, 2025,
        {5, "2.034,80", "1.700,00", "40,00", "294,80", 2, "3.708,80", "208,00", "3.500,80",
         "3.040,00", 1, 1}}),
    [](const testing::TestParamInfo<FiguresCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST_F(YearFiguresRegister, MonthsFollowTheInvoiceDateAndTheCollectionDate) {
    write({kRossiJanuary, kBianchiMarch, kBianchiCreditNote, kRossiDecember, kRossiNovember});
    const registers::YearFigures f = registers::yearFigures(sheet, 2025);
    const auto month = [](const std::array<Amount, 12>& months, int m) {
        return months[std::size_t(m - 1)].text();
    };
    EXPECT_EQ(month(f.invoicedByMonth, 1), QStringLiteral("1.268,80"));
    EXPECT_EQ(month(f.invoicedByMonth, 3), QStringLiteral("366,00"));
    EXPECT_EQ(month(f.invoicedByMonth, 11), QStringLiteral("100,00"));
    EXPECT_EQ(month(f.invoicedByMonth, 12), QStringLiteral("0,00"));
    EXPECT_EQ(month(f.collectedByMonth, 1), QStringLiteral("2.440,00"));
    EXPECT_EQ(month(f.collectedByMonth, 2), QStringLiteral("1.268,80"));
    EXPECT_EQ(month(f.collectedByMonth, 11), QStringLiteral("0,00"));
}

TEST_F(YearFiguresRegister, TheClientsInvoicedMostComeFirstAndCreditNotesCountAgainst) {
    const Row kGialli{"11",   "GIALLI", "01/07/2025", "366,00", "*",
                      "0,00", "366,00", "0,00",       "366,00", "*"};
    const Row kBlu{"12", "BLU", "01/07/2025", "50,00", "*", "0,00", "50,00", "0,00", "50,00", "*"};
    const Row kViola{"13",   "VIOLA", "01/07/2025", "20,00", "*",
                     "0,00", "20,00", "0,00",       "20,00", "*"};
    write({kRossiJanuary, kBianchiMarch, kBianchiCreditNote, kRossiNovember, kVerdiBadCollection,
           kNeriInvoice, kNeriCreditNote, kGialli, kBlu, kViola});
    const registers::YearFigures f = registers::yearFigures(sheet, 2025);
    std::vector<registers::ClientInvoiced> expected{
        {"7", "ROSSI SRL", *Amount::parse("1.368,80")},
        {"8", "BIANCHI SNC", *Amount::parse("366,00")},
        // Same sum: by name.
        {"11", "GIALLI", *Amount::parse("366,00")},
        {"9", "VERDI", *Amount::parse("300,00")},
        {"12", "BLU", *Amount::parse("50,00")},
    };
    // NERI nets to nothing and is not named; VIOLA is the sixth.
    EXPECT_EQ(f.topClients, expected);
}

TEST_F(YearFiguresRegister, TheYearsOfferedAreThoseOfTheDatesAndThisYear) {
    write({kRossiDecember, kRossiNovember, kVerdiNoDate});
    EXPECT_EQ(registers::registerYears(sheet, 2027), (std::vector<int>{2024, 2025, 2026, 2027}));
    EXPECT_EQ(registers::registerYears(sheet, 2025), (std::vector<int>{2024, 2025, 2026}));
}

struct CellCase {
    const char* what;
    store::Value cell;
    QDate date;
    std::optional<Amount> amount;
};

class RegisterCells : public testing::TestWithParam<CellCase> {};

TEST_P(RegisterCells, ReadAsDatesAndAmounts) {
    EXPECT_EQ(registers::registerDate(GetParam().cell), GetParam().date);
    EXPECT_EQ(registers::registerAmount(GetParam().cell), GetParam().amount);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Register, RegisterCells, testing::Values(
    CellCase{"a date cell", store::Value::number(45672), QDate(2025, 1, 15), Amount::fromCents(4567200)},
    CellCase{"a date typed as text", store::Value::text("15/01/2025"), QDate(2025, 1, 15), std::nullopt},
    CellCase{"a day that does not exist", store::Value::text("31/02/2025"), QDate(), std::nullopt},
    CellCase{"an amount typed as text", store::Value::text("1.268,80"), QDate(), Amount::fromCents(126880)},
    CellCase{"a negative amount of a credit note", store::Value::number(-244), QDate(), Amount::fromCents(-24400)},
    CellCase{"an amount that rounds as it shows", store::Value::number(1.005), QDate(1900, 1, 1), Amount::fromCents(101)},
    CellCase{"an empty cell", store::Value(), QDate(), std::nullopt},
    CellCase{"the star", store::Value::text("*"), QDate(), std::nullopt}),
    [](const testing::TestParamInfo<CellCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

}  // namespace
