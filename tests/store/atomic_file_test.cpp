// A file replaced through a writer: the new contents whole, or the old ones.
#include "store/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Replacement {
    const char* what;
    QByteArray written;  // what the writer writes before it answers
    bool writerSucceeds;
    QByteArray fileAfter;  // the file's contents afterwards
    QString message;       // the error returned, empty on success
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(AtomicFile, TheFileIsReplacedWholeOrLeftAsItWas) {
    const QByteArray old("vecchio contenuto");
    const std::vector<Replacement> cases{
        {"a writer that writes everything replaces the file", "nuovo", true, "nuovo", {}},
        {"a writer that fails half-way leaves the old file", "nuo", false, old,
         QStringLiteral("Disco pieno.")},
        {"a writer that fails before writing leaves the old file",
         {},
         false,
         old,
         QStringLiteral("Disco pieno.")},
    };
    for (const Replacement& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Gestione.xls"));
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const auto result =
            store::writeFileAtomically(path, [&](QFileDevice& file) -> store::Result<store::Done> {
                file.write(c.written);
                if (!c.writerSucceeds)
                    return store::Error{store::Error::Kind::Io, QStringLiteral("Disco pieno.")};
                return store::Done{};
            });
        EXPECT_EQ(result.ok(), c.message.isEmpty());
        if (!result.ok()) {
            EXPECT_EQ(result.error().message, c.message);
        }
        EXPECT_EQ(contents(path), c.fileAfter);
        // No temporary file is left beside the store.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("Gestione.xls")});
    }
}

TEST(AtomicFile, AFolderThatCannotBeWrittenIsReportedWithTheFileName) {
    const auto result = store::writeFileAtomically(
        QStringLiteral("/cartella/inesistente/Gestione.xls"),
        [](QFileDevice&) -> store::Result<store::Done> { return store::Done{}; });
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().message.startsWith(
        QStringLiteral("Impossibile salvare il file Gestione.xls: ")));
}

}  // namespace
