// The register as CSV for an accountant: the fields a spreadsheet program reads
// back as they were, amounts with a decimal comma and no grouping dots.
#include "registers/register_csv.h"

#include <gtest/gtest.h>

#include "registers/invoice_layout.h"
#include "support/prepared_store.h"

namespace {

namespace col = registers::invoice;

struct CsvCase {
    const char* what;
    const char* description;  // typed into F
    const char* total;        // typed into M
    const char* collection;   // typed into P
    const char* line;         // the CSV line of the row, without its CR LF
};

class RegisterCsv : public testing::TestWithParam<CsvCase> {
  protected:
    test_support::PreparedStore data;
    store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
};

TEST_P(RegisterCsv, WritesTheRowAsItReadsBack) {
    const CsvCase& c = GetParam();
    const auto put = [&](int column, const char* text) {
        ASSERT_TRUE(sheet.setValue(2, column, QString::fromUtf8(text)).ok());
    };
    put(col::Id, "1");
    put(col::Client, "ROSSI SRL");
    put(col::ClientId, "7");
    put(col::Number, "12");
    put(col::Date, "05/03/2025");
    ASSERT_TRUE(sheet.setIdentifier(2, col::Description, QString::fromUtf8(c.description)).ok());
    put(col::Taxable, "1.000,00");
    put(col::Surcharge, "*");
    put(col::TotalTaxable, "1.000,00");
    put(col::Vat, "220");
    put(col::Exemption, "*");
    put(col::ExemptAmount, "*");
    put(col::Total, c.total);
    put(col::Withholding, "0");
    put(col::Net, c.total);
    put(col::Collection, c.collection);
    put(col::PaidBy, "BONIFICO");

    const QByteArray csv = registers::registerCsv(sheet, {2});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const qsizetype headerEnd = csv.indexOf("\r\n");
    EXPECT_EQ(csv.mid(3, headerEnd - 3).count(';'), col::kColumns - 1);
    EXPECT_EQ(QString::fromUtf8(csv.mid(headerEnd + 2)),
              QString::fromUtf8(c.line) + QStringLiteral("\r\n"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RegisterCsv, testing::Values(
    CsvCase{"a plain invoice: amounts without grouping dots", "Consulenza", "1.220,00", "*",
            "1;ROSSI SRL;7;12;05/03/2025;Consulenza;1000,00;*;1000,00;220,00;*;*;1220,00;0,00;"
            "1220,00;*;BONIFICO"},
    CsvCase{"a credit note keeps its sign", "Storno", "-244,00", "*",
            "1;ROSSI SRL;7;12;05/03/2025;Storno;1000,00;*;1000,00;220,00;*;*;-244,00;0,00;"
            "-244,00;*;BONIFICO"},
    CsvCase{"a description with a semicolon and quotes is quoted, its quotes doubled",
            "Progetto \"A\"; fase 2", "1.220,00", "10/04/2025",
            "1;ROSSI SRL;7;12;05/03/2025;\"Progetto \"\"A\"\"; fase 2\";1000,00;*;1000,00;220,00;"
            "*;*;1220,00;0,00;1220,00;10/04/2025;BONIFICO"},
    CsvCase{"a description over two lines stays one field", "Rilievo\npratica n. 3", "1.220,00",
            "*",
            "1;ROSSI SRL;7;12;05/03/2025;\"Rilievo\npratica n. 3\";1000,00;*;1000,00;220,00;*;*;"
            "1220,00;0,00;1220,00;*;BONIFICO"},
    CsvCase{"accented letters in UTF-8", "Attività di verifica", "1.220,00", "*",
            "1;ROSSI SRL;7;12;05/03/2025;Attività di verifica;1000,00;*;1000,00;220,00;*;*;"
            "1220,00;0,00;1220,00;*;BONIFICO"}),
    [](const testing::TestParamInfo<CsvCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST(RegisterPeriod, TakesTheRowsDatedWithinItInRegisterOrder) {
    test_support::PreparedStore data;
    const store::Worksheet sheet = data.sheet(store::kInvoicesSheet);
    const char* dates[] = {"31/01/2025", "01/02/2025", "31/02/2025",
                           "28/02/2025", "01/03/2025", "15/02/2024"};
    int row = 2;
    for (const char* date : dates) {
        ASSERT_TRUE(sheet.setValue(row, col::Id, QString::number(row - 1)).ok());
        ASSERT_TRUE(sheet.setValue(row, col::Date, QString::fromLatin1(date)).ok());
        ++row;
    }
    EXPECT_EQ(registers::rowsDatedBetween(sheet, QDate(2025, 2, 1), QDate(2025, 2, 28)),
              (std::vector<int>{3, 5}));
    EXPECT_EQ(registers::rowsDatedBetween(sheet, QDate(2025, 1, 1), QDate(2025, 12, 31)),
              (std::vector<int>{2, 3, 5, 6}));
}

}  // namespace
