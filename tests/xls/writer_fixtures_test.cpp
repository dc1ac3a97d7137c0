// Every workbook another program wrote, copied through the codec, reads back
// with the same cells and formats.

#include <QDir>
#include <QFile>

#include <cctype>
#include <string>

#include "../../tools/brisvel-xls/dump.h"
#include "writer_test_support.h"

namespace {

struct Fixture {
    const char* file;
    const char* password;
};

class WriterFixtures : public ::testing::TestWithParam<Fixture> {};

TEST_P(WriterFixtures, CopyKeepsEverythingTheReaderSees) {
    const QString path = QDir(QStringLiteral(BRISVEL_FIXTURES "/xls")).filePath(GetParam().file);
    const QString password = QString::fromLatin1(GetParam().password);
    xls::Result<xls::Workbook> original = xls::readWorkbookFile(path, password);
    ASSERT_TRUE(original.ok()) << qPrintable(original.error().message);

    for (const QString& outPassword : {QString(), QStringLiteral("Pesk1987")}) {
        const xls::Workbook copy = writertest::roundTrip(*original, outPassword);
        EXPECT_EQ(brisvel::dumpWorkbookText(copy), brisvel::dumpWorkbookText(*original));
        ASSERT_EQ(copy.sheets.size(), original->sheets.size());
        for (std::size_t i = 0; i < copy.sheets.size(); ++i) {
            writertest::expectSameCells(original->sheets[i], copy.sheets[i]);
            EXPECT_EQ(copy.sheets[i].merged, original->sheets[i].merged);
            EXPECT_EQ(copy.sheets[i].frozenRows, original->sheets[i].frozenRows);
            EXPECT_EQ(copy.sheets[i].columns.size(), original->sheets[i].columns.size());
            EXPECT_EQ(copy.sheets[i].extraRecords.size(), original->sheets[i].extraRecords.size());
        }
        EXPECT_EQ(copy.xfs, original->xfs);
        EXPECT_EQ(copy.fonts, original->fonts);
        EXPECT_EQ(copy.formats, original->formats);
        EXPECT_EQ(copy.extraGlobals.size(), original->extraGlobals.size());
        EXPECT_EQ(copy.date1904, original->date1904);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFixtures, WriterFixtures,
                         ::testing::Values(Fixture{"calc-store-small.xls", "Pesk1987"},
                                           Fixture{"calc-store-small-plain.xls", ""},
                                           Fixture{"excel-plain.xls", ""},
                                           Fixture{"excel-rc4cryptoapi.xls", "Password1234_"},
                                           Fixture{"excel-xor.xls", "123456789012345"},
                                           Fixture{"excel-xor-plain.xls", ""}),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

}  // namespace
