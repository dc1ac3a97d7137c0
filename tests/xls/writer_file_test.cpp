// Writing a workbook straight into a file: the same bytes as in memory, read back
// whole with its password, and a clear error for a file that cannot take them.

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

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
    // Large enough for the stream to be ciphered in two halves.
    const xls::Workbook wb = invoiceRegister(12000);
    const QByteArray bytes = saved(path, wb, QStringLiteral("Pesk1987"));
    EXPECT_FALSE(bytes.contains("Fattura n. 1"));
    const xls::Result<xls::Workbook> back = xls::readWorkbookFile(path, QStringLiteral("Pesk1987"));
    ASSERT_TRUE(back.ok()) << qPrintable(back.error().message);
    ASSERT_EQ(back->sheets.size(), 1u);
    writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
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
