// Writing a workbook straight into a file: the same bytes as in memory, read back
// whole with its password, the container the same however the stream is given
// to it, and a clear error for a file that cannot take them.

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <thread>

#include "writer_test_support.h"
#include "xls/compound_file.h"
#include "xls/compound_file_writer.h"
#include "xls/stream_decryption.h"

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
// disk, small or large enough to be deciphered as it is read.
TEST(WriterToFile, AWorkbookThroughAPipeReadsAsOnDisk) {
    QTemporaryDir dir;
    for (const int rows : {2000, 12000}) {
        for (const QString& password : {QString(), QStringLiteral("Pesk1987")}) {
            SCOPED_TRACE(rows);
            SCOPED_TRACE(qPrintable(password));
            const xls::Workbook wb = invoiceRegister(rows);
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
}

TEST(WriterToFile, AContainerWrittenPieceByPieceIsTheContainerWrittenAtOnce) {
    // The stream given in pieces (one, across the size where a stream leaves the
    // container's small blocks, over several write-back steps) and parts of it
    // written again once given.
    struct Row {
        const char* what;
        std::vector<std::size_t> pieces;  // sizes; the last piece takes the rest
        std::vector<std::size_t> rewritten;
    };
    const Row rows[] = {
        {"at once", {}, {}},
        {"first pieces smaller than a small-block stream", {1, 4094, 2}, {0}},
        {"megabytes at a time", {1 << 20, (1 << 20) + 3, 5}, {4, 2 << 20, 3 << 20}},
    };
    std::vector<std::uint8_t> stream(3 * (1 << 20) + 777);
    for (std::size_t i = 0; i < stream.size(); ++i)
        stream[i] = std::uint8_t(i * 31 + i / 4096);
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::uint8_t> given = stream;
        for (const std::size_t at : row.rewritten)
            given[at] = std::uint8_t(~given[at]);
        const QString path = dir.filePath(QStringLiteral("pezzi.xls"));
        std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
        ASSERT_NE(file, nullptr);
        {
            xls::CompoundFileStreamer container(file);
            std::size_t at = 0;
            for (const std::size_t size : row.pieces) {
                container.append(std::span(given).subspan(at, size));
                at += size;
            }
            container.append(std::span(given).subspan(at));
            EXPECT_EQ(container.appended(), given.size());
            for (const std::size_t at : row.rewritten)
                container.rewrite(at, std::span(stream).subspan(at, 1));
            EXPECT_TRUE(container.finish().ok());
        }
        ASSERT_EQ(std::fclose(file), 0);
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_TRUE(back.readAll() == *xls::writeCompoundFile(stream));
    }
}

TEST(WriterToFile, AFullDiskIsAnIoErrorPlainOrEncryptedSmallOrLarge) {
    // Large encrypted workbooks go out to the file while they are encrypted, on
    // the encrypting thread: its refusal is told all the same.
    for (const int rows : {3, 12000}) {
        for (const QString& password : {QString(), QStringLiteral("Pesk1987")}) {
            SCOPED_TRACE(rows);
            SCOPED_TRACE(qPrintable(password));
            QFile full(QStringLiteral("/dev/full"));
            ASSERT_TRUE(full.open(QIODevice::WriteOnly));
            const xls::Result<brisvel::Done> written =
                xls::writeWorkbook(invoiceRegister(rows), full, password);
            ASSERT_FALSE(written.ok());
            EXPECT_EQ(written.error().kind, xls::Error::Kind::Io);
            EXPECT_EQ(written.error().message,
                      QStringLiteral("Impossibile scrivere il file /dev/full."));
        }
    }
    // A workbook that cannot be written at all is told as such, full disk or not.
    xls::Workbook tooLong = invoiceRegister(3);
    tooLong.sheets[0].rows[1].cells[1].setText(QString(40000, u'a'));
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    const xls::Result<brisvel::Done> written =
        xls::writeWorkbook(tooLong, full, QStringLiteral("Pesk1987"));
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().kind, xls::Error::Kind::Io);
}

TEST(WriterToFile, ALargeEncryptedFileIsDecipheredAsItIsReadAndOpensOnlyWhole) {
    // Its deciphering starts once the first part is read: a wrong or missing
    // password is told as for any file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Gestione.xls"));
    const xls::Workbook wb = invoiceRegister(30000);
    ASSERT_GT(saved(path, wb, QStringLiteral("Pesk1987")).size(), 2 * 1024 * 1024);
    struct Row {
        QString password;
        const char* refusal;  // null: it opens
    };
    const Row rows[] = {
        {QStringLiteral("Pesk1987"), nullptr},
        {QStringLiteral("Pesk1988"), "Password errata."},
        {QString(), "Il file è protetto da una password."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(qPrintable(row.password));
        const xls::Result<xls::Workbook> back = xls::readWorkbookFile(path, row.password);
        if (!row.refusal) {
            ASSERT_TRUE(back.ok()) << qPrintable(back.error().message);
            writertest::expectSameCells(wb.sheets[0], back->sheets[0]);
            continue;
        }
        ASSERT_FALSE(back.ok());
        EXPECT_EQ(back.error().kind, xls::Error::Kind::PasswordNeeded);
        EXPECT_EQ(back.error().message, QString::fromUtf8(row.refusal));
    }

    // A file cut short by another program while its stream is read and
    // deciphered: the read is refused, and the deciphering, let go first, never
    // touches the stream's memory after it is gone.
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    ASSERT_NE(file, nullptr);
    QByteArray stream;
    {
        xls::DecryptionAsRead decryption(QStringLiteral("Pesk1987"));
        int parts = 0;
        const xls::Result<brisvel::Done> read = xls::readWorkbookStream(
            file, stream, [&](std::span<std::uint8_t> bytes, std::size_t n) {
                decryption.read(bytes, n);
                // Past the first two parts, before the rest.
                if (++parts == 2) {
                    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 3 << 19), 0);
                }
            });
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(parts, 2);
        // The deciphering was under way when the read failed.
        const xls::Result<std::unique_ptr<xls::CipherPipeline>> started = decryption.whole();
        ASSERT_TRUE(started.ok());
        EXPECT_NE(*started, nullptr);
    }
    std::fclose(file);
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
