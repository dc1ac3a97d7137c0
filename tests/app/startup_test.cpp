// The program's start and end on a program folder of its own: the backup folder,
// the in-use and missing stores, the core sheets, and the save at the end.
#include "app/session.h"
#include "app/store_folder.h"
#include "support/scripted_message_boxes.h"

#include <QDir>
#include <QFileInfo>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <optional>

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;
using app::Message;
using app::StartOutcome;
using test_support::SavedStore;
using test_support::ScriptedMessageBoxes;
using test_support::StoreFolder;

const QStringList kCoreSheets = {QStringLiteral("Anagrafe"), QStringLiteral("Fatture"),
                                 QStringLiteral("Utilità"), QStringLiteral("Utente")};

// The in-use message, with what the lock file says of its holder.
Message inUseMessage(const QString& holder) {
    return {QStringLiteral("ERRORE: Risulta che il database Gestione.xls è già aperto\n"
                           " Occorre chiuderlo e  poi si potrà riaprire l'applicazione !") +
                holder,
            QStringLiteral("Gestione"), Icon::Critical, Buttons::Ok};
}

Message missingMessage(const QString& folder) {
    return {QStringLiteral("Impossibile eseguire il programma\r\nIl file ") + folder +
                QStringLiteral("/Gestione.xls non è stato trovato."),
            QStringLiteral("Brisvel"), Icon::None, Buttons::Ok};
}

Message unreadableMessage(const QString& why) {
    return {QStringLiteral("Impossibile aprire il database Gestione.xls.\n") + why +
                QStringLiteral("\n\nIl file non è stato modificato. Il programma verrà chiuso."),
            QStringLiteral("Brisvel"), Icon::Critical, Buttons::Ok};
}

Message saveFailedQuestion(const QString& why) {
    return {QStringLiteral("Impossibile salvare il database Gestione.xls.\n") + why +
                QStringLiteral("\n\nVuoi chiudere il programma senza salvare?\n"
                               "Le modifiche dall'ultimo salvataggio andranno perse.\n"
                               "Scegli No per restare nel programma e riprovare più tardi."),
            QStringLiteral("Brisvel"), Icon::Warning, Buttons::YesNo};
}

// Another running copy of the program: a child process that holds the store's lock
// until it is told to end.
class OtherCopy {
  public:
    explicit OtherCopy(const QString& storePath) {
        int up[2], down[2];
        if (pipe(up) != 0 || pipe(down) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            auto lock = store::StoreLock::acquire(storePath);
            const char report = lock.ok() ? 'y' : 'n';
            (void)!write(up[1], &report, 1);
            char word = 0;
            (void)!read(down[0], &word, 1);
            _exit(0);
        }
        close(up[1]);
        close(down[0]);
        fromChild_ = up[0];
        toChild_ = down[1];
        char report = 0;
        holds_ = read(fromChild_, &report, 1) == 1 && report == 'y';
    }
    ~OtherCopy() {
        if (pid_ <= 0)
            return;
        (void)!write(toChild_, "q", 1);
        waitpid(pid_, nullptr, 0);
        close(fromChild_);
        close(toChild_);
    }
    bool holds() const { return holds_; }

  private:
    pid_t pid_ = -1;
    int fromChild_ = -1;
    int toChild_ = -1;
    bool holds_ = false;
};

class StartUp : public testing::Test {
  protected:
    StartOutcome start() {
        session.emplace(folder.path());
        return session->start(boxes);
    }
    void writeCoreStore(const std::function<void(store::Workbook&)>& fill = {}) {
        folder.writeStore(kCoreSheets, fill);
    }
    bool backupFolderExists() const { return QFileInfo(folder.backupFolder()).isDir(); }

    StoreFolder folder;
    ScriptedMessageBoxes boxes;
    std::optional<app::Session> session;
};

TEST_F(StartUp, AMissingStoreIsToldAsNotFoundAfterTheBackupFolderIsMade) {
    boxes.expect(missingMessage(folder.path()));
    EXPECT_EQ(start(), StartOutcome::Missing);
    EXPECT_TRUE(backupFolderExists());
    EXPECT_FALSE(QFile::exists(folder.storePath()));
    EXPECT_FALSE(QFile::exists(folder.lockPath()));
    EXPECT_FALSE(session->isRunning());
}

TEST_F(StartUp, AnotherRunningCopyHoldingTheStoreStopsTheStartAndTouchesNothing) {
    writeCoreStore();
    const QByteArray before = folder.storeBytes();
    OtherCopy other(folder.storePath());
    ASSERT_TRUE(other.holds());

    // Our own lock names this user and machine; deleting it would not help.
    const std::optional<store::LockHolder> holder = store::StoreLock::holder(folder.storePath());
    ASSERT_TRUE(holder && holder->ours);
    boxes.expect(inUseMessage(QStringLiteral("\n\nSecondo il file di blocco è aperto da %1 sul "
                                             "computer %2 dal %3 in un'altra copia di questo "
                                             "programma.")
                                  .arg(holder->user, holder->host, holder->since)));
    EXPECT_EQ(start(), StartOutcome::InUse);
    EXPECT_TRUE(backupFolderExists());
    EXPECT_FALSE(session->isRunning());
    EXPECT_EQ(session->engine().workbookCount(), 0);
    // Ending now saves nothing either.
    EXPECT_TRUE(session->shutDown(boxes));
    EXPECT_EQ(folder.storeBytes(), before);
}

TEST_F(StartUp, AStoreOpenInASpreadsheetProgramIsInUseAndItsLockStays) {
    writeCoreStore();
    const QByteArray before = folder.storeBytes();
    const QByteArray office = ",mario,ufficio,07.03.2009 10:15,file:///home/mario/.config/office;";
    {
        QFile lock(folder.lockPath());
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(office);
    }
    boxes.expect(inUseMessage(
        QStringLiteral("\n\nSecondo il file di blocco è aperto da mario sul computer ufficio dal "
                       "07.03.2009 10:15.\nSe quel programma non è più aperto, eliminare il file "
                       "%1 e riavviare l'applicazione.")
            .arg(folder.lockPath())));
    EXPECT_EQ(start(), StartOutcome::InUse);
    EXPECT_EQ(folder.storeBytes(), before);
    QFile lock(folder.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    EXPECT_EQ(lock.readAll(), office);
}

// Runs `step` in a child process that, even as root, is held to the files' permission
// bits, as a user is; true when the child's step returned true.
bool asAUserWould(const std::function<bool()>& step) {
    const pid_t child = fork();
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct none[2] = {};
        if (syscall(SYS_capset, &header, none) != 0)
            _exit(2);
        _exit(step() ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(StartUp, AStoreThatCannotBeWrittenEndsTheStartBeforeAnyWorkIsDoneOnIt) {
    writeCoreStore();
    ASSERT_TRUE(QFile::setPermissions(folder.storePath(), QFileDevice::ReadOwner));
    const QByteArray before = folder.storeBytes();
    EXPECT_TRUE(asAUserWould([&] {
        ScriptedMessageBoxes told;
        told.expect({QStringLiteral("Il database %1 è in sola lettura: le modifiche non "
                                    "potrebbero essere salvate.\nConsentire la scrittura del file "
                                    "(o copiarlo in una cartella in cui si può scrivere) e "
                                    "riavviare l'applicazione.\n\nIl file non è stato modificato. "
                                    "Il programma verrà chiuso.")
                         .arg(folder.storePath()),
                     QStringLiteral("Brisvel"), Icon::Critical, Buttons::Ok});
        app::Session own(folder.path());
        const bool refused = own.start(told) == StartOutcome::Unreadable && !own.isRunning() &&
                             !QFile::exists(folder.lockPath());
        return refused && own.shutDown(told) && told.failures() == 0 && told.pending() == 0;
    }));
    EXPECT_EQ(folder.storeBytes(), before);
    QFile::setPermissions(folder.storePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(StartUp, ADamagedStoreOrAWrongPasswordEndsTheStartWithoutWritingOverIt) {
    const QByteArray garbage = QByteArray("questo non è un foglio di lavoro").repeated(40);
    folder.writeBytes(garbage);
    {
        store::Engine probe;
        const QString why =
            probe.open(folder.storePath(), test_support::kStorePassword).error().message;
        boxes.expect(unreadableMessage(why));
    }
    EXPECT_EQ(start(), StartOutcome::Unreadable);
    EXPECT_TRUE(session->shutDown(boxes));
    EXPECT_EQ(folder.storeBytes(), garbage);
    EXPECT_FALSE(QFile::exists(folder.lockPath()));

    folder.writeStore(kCoreSheets, {}, QStringLiteral("Altra2020"));
    const QByteArray foreign = folder.storeBytes();
    {
        store::Engine probe;
        const QString why =
            probe.open(folder.storePath(), test_support::kStorePassword).error().message;
        boxes.expect(unreadableMessage(why));
    }
    EXPECT_EQ(start(), StartOutcome::Unreadable);
    EXPECT_TRUE(session->shutDown(boxes));
    EXPECT_EQ(folder.storeBytes(), foreign);
}

TEST_F(StartUp, AStoreWithoutCoreSheetsGetsThemAfterItsLastSheetWithTheirFixedCells) {
    folder.writeStore(
        {QStringLiteral("Fatture"), QStringLiteral("Note")}, [](store::Workbook& book) {
            EXPECT_TRUE(
                book.sheet(QStringLiteral("Note"))->setValue(1, 1, QStringLiteral("mie")).ok());
        });
    ASSERT_EQ(start(), StartOutcome::Ready);

    store::Workbook& book = session->store().workbook();
    QStringList names;
    for (int i = 1; i <= book.sheetCount(); ++i)
        names << book.sheetAt(i)->name();
    EXPECT_EQ(names, QStringList({"Fatture", "Note", "Anagrafe", "Utilità", "Utente", "FatturaPA",
                                  "DatiFatture", "RicevuteSDI"}));

    const store::Worksheet user = *book.sheet(QStringLiteral("Utente"));
    const QStringList labels = {"Ragione sociale", "Domicilio",   "Città", "PR",    "CAP",
                                "Codice Fiscale",  "Partita IVA", "Albo",  "Banca", "Codice IBAN"};
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(user.text(row, 1), labels[row - 1]);
    // Nothing else on the sheet: labels only, in A1:A10.
    const store::Range used = user.usedRange();
    EXPECT_EQ(used.lastRow(), 10);
    EXPECT_EQ(used.lastColumn(), 1);
    EXPECT_EQ(book.sheet(QStringLiteral("Note"))->text(1, 1), QStringLiteral("mie"));

    for (const QString& name : kCoreSheets)
        EXPECT_EQ(book.sheet(name)->frozenRows(), 1) << name.toStdString();
}

TEST_F(StartUp, HandEditedHeadersAndPlaceholdersComeBackAndTheDataStays) {
    writeCoreStore([](store::Workbook& book) {
        const auto settings = *book.sheet(QStringLiteral("Utilità"));
        EXPECT_TRUE(settings.setValue(1, 1, QStringLiteral("Cassa")).ok());
        EXPECT_TRUE(settings.setValue(2, 2, QStringLiteral("22")).ok());
        EXPECT_TRUE(settings.setValue(3, 2, QStringLiteral("22")).ok());
        const auto invoices = *book.sheet(QStringLiteral("Fatture"));
        EXPECT_TRUE(invoices.setValue(1, 4, QStringLiteral("Numero")).ok());
        EXPECT_TRUE(invoices.setValue(2, 2, QStringLiteral("ROSSI SRL")).ok());
        const auto clients = *book.sheet(QStringLiteral("Anagrafe"));
        EXPECT_TRUE(clients.setValue(1, 2, QStringLiteral("Nome")).ok());
        EXPECT_TRUE(clients.setValue(1, 16, QString()).ok());
        const auto user = *book.sheet(QStringLiteral("Utente"));
        EXPECT_TRUE(user.setValue(3, 1, QStringLiteral("Paese")).ok());
        EXPECT_TRUE(user.setValue(3, 2, QStringLiteral("ROMA")).ok());
    });
    ASSERT_EQ(start(), StartOutcome::Ready);
    store::Workbook& book = session->store().workbook();

    const auto settings = *book.sheet(QStringLiteral("Utilità"));
    const QStringList settingsRow1 = {"INPS/CASSA", "IVA", "RITENUTA", "TIPO PAGAMENTO",
                                      "ESENZIONE IVA"};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(settings.text(1, column), settingsRow1[column - 1]);
        EXPECT_EQ(settings.text(2, column), QStringLiteral("*"));
    }
    EXPECT_EQ(settings.text(3, 2), QStringLiteral("22"));
    EXPECT_TRUE(settings.text(1, 6).isEmpty());

    const auto invoices = *book.sheet(QStringLiteral("Fatture"));
    const QStringList invoiceRow1 = {
        "ID",           "Cliente",    "ID Cliente",  "N.Fatt.", "Data",      "Descrizione",
        "Importo",      "INPS/Cassa", "Totale Imp.", "IVA",     "Esenzione", "Importo Esenzione",
        "Totale Fatt.", "Ritenuta",   "Netto",       "Incasso", "Tramite"};
    for (int column = 1; column <= 17; ++column)
        EXPECT_EQ(invoices.text(1, column), invoiceRow1[column - 1]);
    EXPECT_TRUE(invoices.text(1, 18).isEmpty());
    EXPECT_EQ(invoices.text(2, 2), QStringLiteral("ROSSI SRL"));

    const auto clients = *book.sheet(QStringLiteral("Anagrafe"));
    const QStringList clientRow1 = {"ID",
                                    "Ragione Sociale/Cognome Nome",
                                    "Data",
                                    "Indirizzo",
                                    "CAP",
                                    "Località",
                                    "PR",
                                    "Telefono",
                                    "Fax",
                                    "Cellulare",
                                    "Email",
                                    "Codice Fiscale",
                                    "Partita IVA",
                                    "IBAN",
                                    "Referente/Rappresentante",
                                    "Annotazioni"};
    for (int column = 1; column <= 16; ++column)
        EXPECT_EQ(clients.text(1, column), clientRow1[column - 1]);
    EXPECT_TRUE(clients.text(1, 17).isEmpty());

    const auto user = *book.sheet(QStringLiteral("Utente"));
    EXPECT_EQ(user.text(3, 1), QStringLiteral("Città"));
    EXPECT_EQ(user.text(3, 2), QStringLiteral("ROMA"));
}

TEST_F(StartUp, TheClientIdentifierColumnsKeepWhatIsWrittenAsText) {
    writeCoreStore();
    ASSERT_EQ(start(), StartOutcome::Ready);
    const auto clients = *session->store().workbook().sheet(QStringLiteral("Anagrafe"));
    for (int column : {8, 9, 10, 12, 13, 14, 16}) {
        EXPECT_TRUE(clients.setValue(7, column, QStringLiteral("0612345")).ok());
        EXPECT_EQ(clients.text(7, column), QStringLiteral("0612345")) << column;
    }
    // The other columns type as a spreadsheet does.
    EXPECT_TRUE(clients.setValue(7, 5, QStringLiteral("00185")).ok());
    EXPECT_EQ(clients.text(7, 5), QStringLiteral("185"));
}

TEST_F(StartUp, TheEndSavesTheStoreEncryptedWithTheRewrittenHeadersAndReleasesIt) {
    writeCoreStore([](store::Workbook& book) {
        EXPECT_TRUE(
            book.sheet(QStringLiteral("Fatture"))->setValue(1, 1, QStringLiteral("x")).ok());
    });
    ASSERT_EQ(start(), StartOutcome::Ready);
    EXPECT_TRUE(QFile::exists(folder.lockPath()));
    EXPECT_TRUE(session->store()
                    .workbook()
                    .sheet(QStringLiteral("Anagrafe"))
                    ->setValue(2, 2, QStringLiteral("BIANCHI"))
                    .ok());
    EXPECT_TRUE(session->shutDown(boxes));
    EXPECT_FALSE(session->isRunning());
    EXPECT_FALSE(QFile::exists(folder.lockPath()));

    store::Engine plain;
    EXPECT_FALSE(plain.open(folder.storePath(), QString()).ok());
    SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.text(QStringLiteral("Fatture"), 1, 1), QStringLiteral("ID"));
    EXPECT_EQ(saved.text(QStringLiteral("Utilità"), 2, 5), QStringLiteral("*"));
    EXPECT_EQ(saved.text(QStringLiteral("Anagrafe"), 2, 2), QStringLiteral("BIANCHI"));
    EXPECT_EQ(saved.book().sheet(QStringLiteral("Utente"))->frozenRows(), 1);
}

class FailedSave : public StartUp {
  protected:
    // The store's name taken by a folder: a save cannot rename over it.
    QString blockSaving() {
        EXPECT_TRUE(QFile::remove(folder.storePath()));
        EXPECT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Gestione.xls")));
        const auto failed = session->store().saveStore();
        EXPECT_FALSE(failed.ok());
        return failed.ok() ? QString() : failed.error().message;
    }
    void unblockSaving() { EXPECT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Gestione.xls"))); }
};

TEST_F(FailedSave, TheUserMayStayWithNothingLostAndEndLaterWithTheSave) {
    writeCoreStore();
    ASSERT_EQ(start(), StartOutcome::Ready);
    EXPECT_TRUE(session->store()
                    .workbook()
                    .sheet(QStringLiteral("Anagrafe"))
                    ->setValue(2, 2, QStringLiteral("VERDI"))
                    .ok());
    const QString why = blockSaving();

    boxes.expect(saveFailedQuestion(why), Answer::No);
    EXPECT_FALSE(session->shutDown(boxes));
    EXPECT_TRUE(session->isRunning());
    EXPECT_TRUE(QFile::exists(folder.lockPath()));

    unblockSaving();
    EXPECT_TRUE(session->shutDown(boxes));
    SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.text(QStringLiteral("Anagrafe"), 2, 2), QStringLiteral("VERDI"));
}

TEST_F(FailedSave, TheUserMayEndWithoutSaving) {
    writeCoreStore();
    ASSERT_EQ(start(), StartOutcome::Ready);
    const QString why = blockSaving();

    boxes.expect(saveFailedQuestion(why), Answer::Yes);
    EXPECT_TRUE(session->shutDown(boxes));
    EXPECT_FALSE(session->isRunning());
    EXPECT_FALSE(QFile::exists(folder.lockPath()));
    EXPECT_TRUE(QFileInfo(folder.storePath()).isDir());
}

}  // namespace
