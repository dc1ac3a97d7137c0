// The workbook store on disk: open, lock, save, reopen.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <optional>

#include <gtest/gtest.h>

#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"
#include "xls/reader.h"

namespace {

using store::Error;
using store::StoreLock;
using store::WorkbookStore;

const QString kPassword = QString::fromLatin1(store::kStorePassword);

class Store : public ::testing::Test {
  protected:
    QTemporaryDir folder;
    QString storePath() const { return folder.filePath(QStringLiteral("Gestione.xls")); }
    QString lockPath() const { return StoreLock::lockPathFor(storePath()); }

    // A store with one sheet, as a user might have left it, written with `password`.
    void makeStore(const QString& password) {
        store::Engine engine;
        store::Workbook& book = engine.create();
        ASSERT_TRUE(book.activeSheet().setName(QStringLiteral("Anagrafe")).ok());
        EXPECT_TRUE(book.activeSheet().setValue(2, 2, QStringLiteral("ROSSI")).ok());
        ASSERT_TRUE(book.saveAs(storePath(), password).ok());
    }
    QByteArray fileBytes() const {
        QFile f(storePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Store, MissingStoreIsAnErrorAndLocksNothing) {
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    EXPECT_FALSE(store::isFileInUse(s.path()));
    const auto opened = s.open();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, Error::Kind::Missing);
    EXPECT_FALSE(QFile::exists(lockPath()));
}

TEST_F(Store, WrongPasswordOrDamagedFileIsUnreadableAndUntouched) {
    makeStore(QStringLiteral("altra"));
    const QByteArray before = fileBytes();
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    const auto opened = s.open();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, Error::Kind::Unreadable);
    EXPECT_FALSE(opened.error().message.isEmpty());
    EXPECT_FALSE(QFile::exists(lockPath()));  // released again
    EXPECT_EQ(fileBytes(), before);

    QFile damaged(storePath());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("questo non è un foglio di calcolo");
    damaged.close();
    store::Engine other;
    WorkbookStore again(other, folder.path());
    EXPECT_EQ(again.open().error().kind, Error::Kind::Unreadable);
}

TEST_F(Store, EnsureSheetAddsMissingSheetsAfterTheLast) {
    makeStore(kPassword);
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    ASSERT_TRUE(s.open().ok());
    const store::Worksheet anagrafe = s.ensureSheet(QStringLiteral("Anagrafe"));
    EXPECT_EQ(anagrafe.value(2, 2), QStringView(u"ROSSI"));  // left untouched
    for (const char* name : {"Fatture", "Utilità", "Utente"})
        s.ensureSheet(QString::fromUtf8(name));
    EXPECT_EQ(s.workbook().sheetCount(), 4);
    EXPECT_EQ(s.workbook().sheetAt(4)->name(), "Utente");
    EXPECT_EQ(s.ensureSheet(QStringLiteral("Utente")).index(), 4);
    EXPECT_EQ(s.workbook().sheetCount(), 4);
    ASSERT_TRUE(s.shutdown().ok());
}

TEST_F(Store, SavedStoreReopensWithEverything) {
    makeStore(kPassword);
    {
        store::Engine engine;
        WorkbookStore s(engine, folder.path());
        ASSERT_TRUE(s.open().ok());
        const store::Worksheet sheet = s.ensureSheet(QStringLiteral("Anagrafe"));
        EXPECT_TRUE(sheet.setValue(1, 2, QStringLiteral("Ragione Sociale/Cognome Nome")).ok());
        sheet.range(u"H:H")->setNumberFormat(QStringLiteral("@"));
        EXPECT_TRUE(sheet.setValue(2, 8, QStringLiteral("0612345678")).ok());
        EXPECT_TRUE(sheet.setValue(2, 3, QStringLiteral("07/03/2009")).ok());
        EXPECT_TRUE(sheet.setValue(2, 7, QStringLiteral("1.234,50")).ok());
        EXPECT_TRUE(store::setCounter(sheet, store::columnOf("IV"), 8).ok());
        sheet.freezePanes(2);
        s.autoFitSheets();
        auto& page = sheet.pageSetup();
        ASSERT_TRUE(sheet.setPrintArea(u"$P$1:$A$2").ok());
        sheet.setCenterHeader(QStringLiteral("Stampa  Elenco Clienti"));
        page.landscape = true;
        page.leftMargin = page.rightMargin = page.bottomMargin = 0.21;
        page.topMargin = 0.5;
        page.scale = 80;
        page.fitToPage = true;
        page.fitWidth = page.fitHeight = 1;
        page.paperSize = 9;
        page.printGridlines = true;
        page.hCenter = true;
        ASSERT_TRUE(s.shutdown().ok());
        EXPECT_FALSE(QFile::exists(lockPath()));
    }
    // Encrypted: nothing without the password.
    EXPECT_FALSE(xls::readWorkbookFile(storePath()).ok());

    store::Engine engine;
    auto opened = engine.open(storePath(), kPassword);
    ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    const store::Worksheet sheet = *(*opened)->sheet(QStringLiteral("Anagrafe"));
    EXPECT_EQ(sheet.value(2, 8), store::Value::text(QStringLiteral("0612345678")));
    EXPECT_EQ(sheet.text(2, 3), "07/03/2009");
    EXPECT_EQ(sheet.text(2, 7), "1.234,50");
    EXPECT_EQ(sheet.range(u"H500")->numberFormat(), "@");
    EXPECT_EQ(store::counter(sheet, store::columnOf("IV")), 8.0);
    EXPECT_EQ(sheet.frozenRows(), 1);
    EXPECT_GT(sheet.columnWidth(2), 25 * 256);
    const auto& page = sheet.pageSetup();
    EXPECT_EQ(page.printArea, (xls::CellRect{0, 1, 0, 15}));
    EXPECT_EQ(sheet.centerHeader(), "Stampa  Elenco Clienti");
    EXPECT_TRUE(page.landscape);
    EXPECT_DOUBLE_EQ(page.leftMargin, 0.21);
    EXPECT_DOUBLE_EQ(page.topMargin, 0.5);
    EXPECT_EQ(page.scale, 80);
    EXPECT_TRUE(page.fitToPage);
    EXPECT_TRUE(page.printGridlines);
    EXPECT_TRUE(page.hCenter);
}

TEST_F(Store, APlainStoreIsSavedEncrypted) {
    makeStore(QString());
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    ASSERT_TRUE(s.open().ok());
    ASSERT_TRUE(s.saveStore().ok());
    EXPECT_FALSE(xls::readWorkbookFile(storePath()).ok());
    EXPECT_TRUE(xls::readWorkbookFile(storePath(), kPassword).ok());
    // The backup copy has no password and leaves the store its own file.
    const QString copy = folder.filePath(QStringLiteral("copia.xls"));
    ASSERT_TRUE(s.workbook().saveCopyAs(copy).ok());
    EXPECT_TRUE(xls::readWorkbookFile(copy).ok());
    EXPECT_EQ(s.workbook().path(), storePath());
    ASSERT_TRUE(s.shutdown().ok());
}

TEST_F(Store, AFailedSaveLeavesThePreviousFileWhole) {
    makeStore(kPassword);
    const QByteArray before = fileBytes();
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    ASSERT_TRUE(s.open().ok());
    const store::Worksheet sheet = s.ensureSheet(QStringLiteral("Anagrafe"));
    for (int r = 2; r < 3000; ++r)
        EXPECT_TRUE(sheet.setValue(r, 2, QStringLiteral("CLIENTE NUMERO %1").arg(r)).ok());

    // Files may not grow past 4 KiB: the write stops half way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto saved = s.shutdown();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().kind, Error::Kind::Io);
    EXPECT_EQ(fileBytes(), before);
    // A shutdown whose save failed keeps the store open and locked, changes and all.
    EXPECT_TRUE(s.isOpen());
    EXPECT_TRUE(QFile::exists(lockPath()));
    auto reread = xls::readWorkbookFile(storePath(), kPassword);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->sheets[0].rows.size(), 2u);
    // Nothing but the store and its lock is left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // With room again the same shutdown succeeds.
    ASSERT_TRUE(s.shutdown().ok());
    EXPECT_GT(fileBytes().size(), before.size());
    EXPECT_FALSE(s.isOpen());
    EXPECT_FALSE(QFile::exists(lockPath()));
}

TEST_F(Store, CloseGivesUpTheChangesAndTheLock) {
    makeStore(kPassword);
    const QByteArray before = fileBytes();
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    ASSERT_TRUE(s.open().ok());
    EXPECT_TRUE(
        s.ensureSheet(QStringLiteral("Anagrafe")).setValue(2, 2, QStringLiteral("ROSSI")).ok());
    s.close();
    EXPECT_FALSE(s.isOpen());
    EXPECT_FALSE(QFile::exists(lockPath()));
    EXPECT_EQ(fileBytes(), before);
}

// Runs `child` in a forked process that reports through a pipe and then waits
// for the parent's word; returns the child's pid and the two pipe ends.
struct Child {
    pid_t pid = -1;
    int fromChild = -1;
    int toChild = -1;
};

template <class F>
Child fork(F&& child) {
    int up[2], down[2];
    if (pipe(up) != 0 || pipe(down) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        close(up[0]);
        close(down[1]);
        const char report = child() ? 'y' : 'n';
        (void)!write(up[1], &report, 1);
        char word = 0;
        (void)!read(down[0], &word, 1);
        _exit(word == 'q' ? 0 : 3);  // no clean-up: a crash leaves its lock file behind
    }
    close(up[1]);
    close(down[0]);
    return {pid, up[0], down[1]};
}

char readReport(const Child& c) {
    char report = 0;
    return read(c.fromChild, &report, 1) == 1 ? report : 0;
}

void finish(const Child& c) {
    const char word = 'q';
    (void)!write(c.toChild, &word, 1);
    int status = 0;
    waitpid(c.pid, &status, 0);
    close(c.fromChild);
    close(c.toChild);
}

TEST_F(Store, ASecondProcessFindsTheStoreInUseThenTakesOverAStaleLock) {
    makeStore(kPassword);
    const QString path = storePath();
    const Child holder = fork([&] {
        static std::optional<StoreLock> held;
        auto lock = StoreLock::acquire(path);
        if (!lock)
            return false;
        held.emplace(std::move(lock).value());
        return true;
    });
    ASSERT_GT(holder.pid, 0);
    ASSERT_EQ(readReport(holder), 'y');

    EXPECT_TRUE(store::isFileInUse(path));
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    const auto refused = s.open();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, Error::Kind::InUse);
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(engine.workbookCount(), 0);

    // The holder ends without releasing, as a crash would.
    finish(holder);
    ASSERT_TRUE(QFile::exists(lockPath()));
    EXPECT_FALSE(store::isFileInUse(path));
    ASSERT_TRUE(s.open().ok());
    QFile lock(lockPath());
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    const QByteArray line = lock.readAll();
    EXPECT_TRUE(line.startsWith("Brisvel,")) << line.constData();
    EXPECT_TRUE(line.endsWith(';'));
    EXPECT_EQ(line.count(','), 4);
    // This process holds it now: a second opener in it is refused too.
    store::Engine second;
    WorkbookStore again(second, folder.path());
    EXPECT_EQ(again.open().error().kind, Error::Kind::InUse);
    ASSERT_TRUE(s.shutdown().ok());
    EXPECT_FALSE(QFile::exists(lockPath()));
}

TEST_F(Store, ASpreadsheetProgramsLockMeansInUse) {
    makeStore(kPassword);
    const QByteArray office =
        ",mario,ufficio,07.03.2009 10:15,file:///home/mario/.config/libreoffice/4;";
    QFile lock(lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(office);
    lock.close();
    EXPECT_TRUE(store::isFileInUse(storePath()));
    store::Engine engine;
    WorkbookStore s(engine, folder.path());
    EXPECT_EQ(s.open().error().kind, Error::Kind::InUse);
    // Their lock file stays as it was.
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    EXPECT_EQ(lock.readAll(), office);
}

}  // namespace
