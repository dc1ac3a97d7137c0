// A PDF that cannot be written names the file and why, whether a list or a sheet was
// being printed.
#include "printing/print_failure.h"
#include "printing/list_printing.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PrintFailure, APdfThatCannotBeWrittenNamesTheFileAndTheCause) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Fatture.pdf")));
    const struct {
        QString path;
        QString cause;  // empty: any cause the system gives
    } cases[] = {
        {folder.filePath(QStringLiteral("manca/Elenco.pdf")),
         QStringLiteral("la cartella %1 non esiste").arg(folder.filePath(QStringLiteral("manca")))},
        {folder.filePath(QStringLiteral("Fatture.pdf")), QString()},
    };
    const printing::PrintedList list{QStringLiteral("Elenco Fatture "), QStringLiteral("Brisvel"),
                                     QStringLiteral("Arial"),           10,
                                     {QStringLiteral("Cliente")},       {200},
                                     {{QStringLiteral("ROSSI")}}};
    for (const auto& c : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.path);
        const auto printed = printing::printList(list, printer, QDateTime());
        ASSERT_FALSE(printed.ok()) << c.path.toStdString();
        const QString said = printed.error().message;
        const QString start = QStringLiteral("Impossibile scrivere il file PDF %1: ").arg(c.path);
        EXPECT_TRUE(said.startsWith(start)) << said.toStdString();
        EXPECT_GT(said.size(), start.size() + 1) << said.toStdString();
        if (!c.cause.isEmpty()) {
            EXPECT_EQ(said, start + c.cause + u'.');
        }
        EXPECT_EQ(said, printing::printStartFailure(printer));
    }
    // Nothing was left behind by finding the cause.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("Fatture.pdf")});
}

}  // namespace
