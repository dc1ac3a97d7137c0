// Real workbooks written by other programs read to the values those programs see.

#include <QFile>
#include <QJsonObject>

#include <cmath>

#include <gtest/gtest.h>

#include "../../tools/brisvel-xls/dump.h"
#include "xls/reader.h"

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(BRISVEL_FIXTURES "/xls/") + name;
}

QJsonDocument expected(const QString& stem) {
    QFile f(fixture(stem + ".expected.json"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(f.readAll());
}

// Sheets in the same order, the same cells, numbers equal to 1e-9.
void expectSameValues(const QByteArray& actualText, const QJsonDocument& want) {
    const QJsonDocument got = QJsonDocument::fromJson(actualText);
    ASSERT_TRUE(got.isObject()) << actualText.left(200).toStdString();
    const QStringList wantSheets = want.object().keys();
    ASSERT_EQ(got.object().keys(), wantSheets);
    for (const QString& sheet : wantSheets) {
        const QJsonObject a = got.object().value(sheet).toObject();
        const QJsonObject b = want.object().value(sheet).toObject();
        EXPECT_EQ(a.keys(), b.keys()) << sheet.toStdString();
        for (const QString& cell : b.keys()) {
            const QJsonValue x = a.value(cell), y = b.value(cell);
            if (y.isDouble()) {
                EXPECT_TRUE(x.isDouble()) << cell.toStdString();
                EXPECT_NEAR(x.toDouble(), y.toDouble(), 1e-9)
                    << sheet.toStdString() << "!" << cell.toStdString();
            } else {
                EXPECT_EQ(x, y) << sheet.toStdString() << "!" << cell.toStdString();
            }
        }
    }
}

struct Case {
    const char* file;
    const char* expected;
    const char* password;
    QStringList sheets;  // in workbook order
};

const QStringList kStoreSheets = {"Anagrafe", "Fatture", "Utilità", "Utente"};

class FixtureTest : public ::testing::TestWithParam<Case> {};

TEST_P(FixtureTest, ReadsTheValuesOfItsExpectedFile) {
    const Case c = GetParam();
    auto book = xls::readWorkbookFile(fixture(c.file), QString::fromUtf8(c.password));
    ASSERT_TRUE(book.ok()) << book.error().message.toStdString();
    expectSameValues(brisvel::dumpWorkbookText(*book), expected(c.expected));
    QStringList names;
    for (const auto& sheet : book->sheets)
        names << sheet.name;
    EXPECT_EQ(names, c.sheets);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, FixtureTest,
    ::testing::Values(
        Case{"calc-store-small.xls", "calc-store-small", "Pesk1987", kStoreSheets},
        Case{"calc-store-small-plain.xls", "calc-store-small", "", kStoreSheets},
        Case{"excel-rc4cryptoapi.xls", "excel-rc4cryptoapi", "Password1234_", {"Sheet1"}},
        Case{"excel-rc4cryptoapi-plain.xls", "excel-rc4cryptoapi", "", {"Sheet1"}},
        Case{"excel-xor.xls", "excel-xor", "123456789012345", {"420"}},
        Case{"excel-xor-plain.xls", "excel-xor", "", {"420"}},
        Case{"excel-plain.xls", "excel-plain", "", {"Sheet1"}}));

TEST(Dump, WritesTheExpectedFilesShapeExactly) {
    // Sheets and cells in workbook order, numbers as "39448.0", texts in UTF-8.
    auto book = xls::readWorkbookFile(fixture("calc-store-small-plain.xls"));
    ASSERT_TRUE(book.ok());
    QFile f(fixture("calc-store-small.expected.json"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(brisvel::dumpWorkbookText(*book), f.readAll());
}

TEST(Dump, NumbersBooleansAndErrorsTakeJsonForms) {
    xls::Workbook book = xls::Workbook::withDefaults();
    book.sheets.resize(1);
    book.sheets[0].name = "S";
    auto& cells = book.sheets[0].rows.emplace_back().cells;
    cells.resize(6);
    cells[0].setNumber(0.1);
    cells[1].setNumber(-1e-7);
    cells[2].setNumber(1e16);
    cells[3].setBoolean(true);
    cells[4].setError(std::uint8_t(xls::ErrorCode::Div0));
    cells[5].setText("a\"b\n");
    EXPECT_EQ(brisvel::dumpWorkbookText(book),
              "{\"S\": {\"A1\": 0.1, \"B1\": -1e-07, \"C1\": 1e+16, \"D1\": true, "
              "\"E1\": \"#DIV/0!\", \"F1\": \"a\\\"b\\n\"}}\n");
}

}  // namespace
