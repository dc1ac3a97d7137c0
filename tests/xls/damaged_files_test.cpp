// Damaged and hostile files give an error, never a crash or a hang.

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "../../tools/brisvel-xls/dump.h"
#include "biff_builder.h"
#include "xls/compound_file.h"
#include "xls/reader.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(BRISVEL_FIXTURES "/xls/") + name);
}

TEST(DamagedFiles, ATruncatedFileNeverGivesAPartialWorkbook) {
    // Cut anywhere, the file gives an error, or (when only sectors after the
    // workbook stream are lost) the whole workbook.
    const QByteArray whole = fixture("calc-store-small.xls");
    auto full = xls::readWorkbook(whole, "Pesk1987");
    ASSERT_TRUE(full.ok());
    const QByteArray fullValues = brisvel::dumpWorkbookText(*full);
    int errors = 0;
    for (qsizetype n = 0; n < whole.size(); n += 97) {
        auto book = xls::readWorkbook(whole.left(n), "Pesk1987");
        if (book.ok())
            EXPECT_EQ(brisvel::dumpWorkbookText(*book), fullValues) << "cut at " << n;
        else
            ++errors;
    }
    EXPECT_GT(errors, 100);
}

TEST(DamagedFiles, ATruncatedWorkbookStreamIsDamagedAtEveryLength) {
    // The container is whole; the records in it stop short.
    auto stream = xls::readWorkbookStream(fixture("calc-store-small-plain.xls"));
    ASSERT_TRUE(stream.ok());
    ASSERT_TRUE(xls::readWorkbookStreamBytes(*stream).ok());
    for (qsizetype n = 0; n < stream->size(); n += 13) {
        auto book = xls::readWorkbookStreamBytes(stream->left(n));
        ASSERT_FALSE(book.ok()) << "cut at " << n;
        EXPECT_EQ(book.error().kind, xls::Error::Kind::Damaged) << "cut at " << n;
    }
    auto inContainer = xls::readWorkbook(biff::compoundFile(stream->left(5000)));
    ASSERT_FALSE(inContainer.ok());
    EXPECT_EQ(inContainer.error().kind, xls::Error::Kind::Damaged);
}

TEST(DamagedFiles, GarbageIsNotAWorkbook) {
    QByteArray garbage(20000, 0);
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 131 + 7) % 251);
    EXPECT_EQ(xls::readWorkbook(garbage).error().kind, xls::Error::Kind::NotWorkbook);
    EXPECT_EQ(xls::readWorkbook({}).error().kind, xls::Error::Kind::NotWorkbook);
    // The compound-file signature followed by garbage.
    garbage.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    EXPECT_FALSE(xls::readWorkbook(garbage).ok());
}

std::uint32_t le32At(const QByteArray& a, qsizetype at) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(a.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

TEST(DamagedFiles, ASectorChainThatLoopsEnds) {
    // The workbook stream's first sector points back at itself in the FAT.
    QByteArray file = fixture("excel-plain.xls");
    const qsizetype sector = 512;
    const auto fatSector = le32At(file, 0x4C);
    const auto directorySector = le32At(file, 0x30);
    const qsizetype directory = sector + qsizetype(directorySector) * sector;
    qsizetype start = -1;
    for (int e = 0; e < 4; ++e) {
        const qsizetype entry = directory + e * 128;
        if (file.mid(entry, 16) == QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16))
            start = le32At(file, entry + 0x74);
    }
    ASSERT_GE(start, 0);
    const qsizetype fatEntry = sector + qsizetype(fatSector) * sector + start * 4;
    file.replace(fatEntry, 4, biff::le32(std::uint32_t(start)));
    auto book = xls::readWorkbook(file);
    EXPECT_FALSE(book.ok());
}

TEST(DamagedFiles, TheDamagedCorpusGivesErrorsOrWorkbooks) {
    // Inputs that once broke the reader, and whatever the fuzzer finds from now on:
    // each must end in a value, whichever.
    const QDir dir(QStringLiteral(BRISVEL_SOURCE_DIR "/tests/xls/damaged"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        auto book = xls::readWorkbook(readAll(dir.filePath(name)));
        if (!book.ok()) {
            EXPECT_FALSE(book.error().message.isEmpty()) << name.toStdString();
        }
    }
}

}  // namespace
