// Writing a workbook straight into a file: the same bytes as in memory, read back
// whole with its password, and a clear error for a file that cannot take them.

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <thread>

#include "writer_test_support.h"

namespace {

// Enough rows for the stream to span many encryption blocks and SST CONTINUEs.
xls::Workbook invoiceRegister(int rows) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Sheet sheet;
    sheet.name = QStringLiteral("Fatture");
    sheet.rows.resize(std::size_t(rows));
    for (int r = 0; r < rows; ++r) {
        auto& cells = sheet.rows[std::size_t(r)].cells;
        cells.resize(3);
        cells[0].setNumber(r + 0.25);
        cells[1].setText(QStringLiteral("Cliente %1 città").arg(r % 97));
        cells[2].setText(QStringLiteral("Fattura n. %1").arg(r));
    }
    wb.sheets.push_back(std::move(sheet));
    return wb;
}

QByteArray saved(const QString& path, const xls::Workbook& wb, const QString& password) {
    QSaveFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const xls::Result<brisvel::Done> written = xls::writeWorkbook(wb, file, password);
    EXPECT_TRUE(written.ok()) << (written ? "" : qPrintable(written.error().message));
    EXPECT_TRUE(file.commit());
    QFile back(path);
    EXPECT_TRUE(back.open(QIODevice::ReadOnly));
    return back.readAll();
}

TEST(WriterToFile, PlainFileHasTheBytesWrittenInMemory) {
    QTemporaryDir dir;
    const xls::Workbook wb = invoiceRegister(3000);
    const xls::Result<QByteArray> inMemory = xls::writeWorkbook(wb);
    ASSERT_TRUE(inMemory.ok());
    EXPECT_EQ(saved(dir.filePath(QStringLiteral("a.xls")), wb, {}), *inMemory);
}

TEST(WriterToFile, EncryptedFileReadsBackWithItsPassword) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Gestione.xls"));
    // Large enough to be deciphered on a second thread while it is parsed.
    const xls::Workbook wb = invoiceRegister(12000);
    const QByteArray bytes = saved(path, wb, QStringLiteral("Pesk1987"));
    EXPECT_FALSE(bytes.contains("Fattura n. 1"));
    const xls::Result<xls::Workbook> back = xls::readWorkbookFile(path, QStringLiteral("Pesk1987"));
    ASSERT_TRUE(back.ok()) << qPrintable(back.error().message);
    ASSERT_EQ(back->sheets.size(), 1u);
    writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
}

// A copy reads a file and writes it again, building the stream in the memory the
// read stream was in: the same file comes out, plain or under its password.
TEST(WriterToFile, ACopyThroughTheReadStreamsMemoryGivesTheSameWorkbook) {
    QTemporaryDir dir;
    const xls::Workbook wb = invoiceRegister(5000);
    for (const QString& password : {QString(), QStringLiteral("Pesk1987")}) {
        SCOPED_TRACE(qPrintable(password));
        const QString from = dir.filePath(QStringLiteral("da.xls"));
        const QByteArray first = saved(from, wb, password);
        QByteArray memory;
        const xls::Result<xls::Workbook> read = xls::readWorkbookFile(from, password, &memory);
        ASSERT_TRUE(read.ok()) << qPrintable(read.error().message);
        EXPECT_GT(memory.size(), 5000 * 14);

        const QString to = dir.filePath(QStringLiteral("a.xls"));
        QSaveFile file(to);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(xls::writeWorkbook(*read, file, password, std::move(memory)).ok());
        ASSERT_TRUE(file.commit());
        if (password.isEmpty()) {
            QFile back(to);
            ASSERT_TRUE(back.open(QIODevice::ReadOnly));
            EXPECT_EQ(back.readAll(), first);
        }
        const xls::Result<xls::Workbook> again = xls::readWorkbookFile(to, password);
        ASSERT_TRUE(again.ok()) << qPrintable(again.error().message);
        writertest::expectSameCells(wb.sheets[0], again->sheets[0]);
    }
}

// A file that cannot be positioned (a pipe) gives the same cells as the file on
// disk.
TEST(WriterToFile, AWorkbookThroughAPipeReadsAsOnDisk) {
    QTemporaryDir dir;
    const xls::Workbook wb = invoiceRegister(2000);
    for (const QString& password : {QString(), QStringLiteral("Pesk1987")}) {
        SCOPED_TRACE(qPrintable(password));
        const QByteArray bytes = saved(dir.filePath(QStringLiteral("a.xls")), wb, password);
        const QString pipe = dir.filePath(QStringLiteral("tubo"));
        QFile::remove(pipe);
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        std::thread feeding([&] {
            QFile into(pipe);
            if (into.open(QIODevice::WriteOnly))
                into.write(bytes);
        });
        const xls::Result<xls::Workbook> back = xls::readWorkbookFile(pipe, password);
        feeding.join();
        ASSERT_TRUE(back.ok()) << qPrintable(back.error().message);
        writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
    }
}

TEST(WriterToFile, AFileNotOpenForWritingIsAnIoError) {
    QTemporaryDir dir;
    QFile closed(dir.filePath(QStringLiteral("chiuso.xls")));
    const xls::Result<brisvel::Done> written = xls::writeWorkbook(invoiceRegister(3), closed);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().kind, xls::Error::Kind::Io);
    EXPECT_FALSE(closed.exists());
}

}  // namespace
