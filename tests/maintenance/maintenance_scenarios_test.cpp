// Whole maintenance flows on a program folder: the emptying, the backup and the
// restore, each checked on the files they leave, read back with the codec, and at
// the next start of the program.
#include "maintenance_window.h"

#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/invoice_layout.h"
#include "registers/sdi_history.h"
#include "registers/settings_lists.h"
#include "store/engine.h"
#include "store/range.h"

#include <QRegularExpression>

#include <sys/resource.h>
#include <csignal>
#include <functional>

namespace {

using namespace maintenance_test;

// The first sheet of a workbook file opened plain, or with `password`.
std::optional<QString> plainText(const QString& path, const QString& sheet, int row, int column,
                                 const QString& password = {}) {
    store::Engine engine;
    auto opened = engine.open(path, password);
    if (!opened)
        return std::nullopt;
    auto found = (*opened)->sheet(sheet);
    if (!found)
        return std::nullopt;
    return found->text(row, column);
}

class Scenario : public MaintenanceWindow {
  protected:
    // Five invoices in rows 2 to 6, their counters, and a scratch cell in AA.
    void fillInvoices() {
        const store::Worksheet invoices = sheet(store::kInvoicesSheet);
        for (int row = 2; row <= 6; ++row) {
            for (int column = 1; column <= 17; ++column)
                ASSERT_TRUE(
                    invoices.setIdentifier(row, column, QStringLiteral("f%1").arg(row)).ok());
        }
        ASSERT_TRUE(store::setCounter(invoices, registers::invoice::kRecordCounterColumn, 6).ok());
        ASSERT_TRUE(store::setCounter(invoices, registers::invoice::kNumberCounterColumn, 6).ok());
        ASSERT_TRUE(invoices.setValue(2, registers::invoice::kScratchFirstColumn, "elenco").ok());
    }
    void addClient(const QString& name) {
        ASSERT_TRUE(sheet(store::kClientsSheet).setValue(2, 2, name).ok());
    }
    void backUp() {
        boxes.expect(kBackupQuestion, Answer::Yes).expect(kBackupDone);
        window->Check4->click();
        EXPECT_FALSE(window->Check4->isChecked());
    }
    // Ticks Check5 and scripts what "Ripristina" shows first: its notice, then the
    // dialog that picks `file` (nothing: cancelled). What follows is scripted next.
    void chooseForRestore(const std::optional<QString>& file) {
        window->Check5->click();
        boxes.expect(kRestoreNotice)
            .expectOpenFile(
                {"Seleziona il file da ripristinare", folder.backupFolder(), "Excel (*.xls)"},
                file);
    }
    // The dated copy of the store that a restore at the fixed clock's time keeps.
    QString keptCopy() const {
        return QDir(folder.backupFolder()).filePath("Gestione_2024-03-05_09-07-30.xls");
    }
    void expectRestored() {
        boxes
            .expect({"Ripristino eseguito correttamente.\nIl database precedente è stato "
                     "conservato nel file " +
                         QDir::toNativeSeparators(keptCopy()) + ".",
                     kTitle})
            .expect(kRestoredClosing);
    }
};

TEST_F(Scenario, EmptyingTheInvoiceRegisterEndsTheProgramAndTheNextStartNumbersFromOne) {
    fillInvoices();
    addClient("ROSSI");
    registers::InvoiceExtras(sheet(registers::kInvoiceExtrasSheet)).setStampDutyCharged("1", true);
    registers::SdiRecord delivered{
        "1", "IT_00001.xml", registers::SdiEvent::Delivered, {}, {}, "1", {}, {}};
    ASSERT_TRUE(registers::SdiHistory(sheet(registers::kSdiHistorySheet)).record(delivered).ok());
    boxes.expect(kEmptyQuestion, Answer::Yes).expect(kEmptiedClosing);
    window->Check1->click();
    ASSERT_TRUE(ended);
    EXPECT_FALSE(QFile::exists(folder.lockPath()));

    test_support::SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    for (int row = 1; row <= 6; ++row) {
        for (int column = 1; column <= 17; ++column)
            EXPECT_EQ(saved.text(store::kInvoicesSheet, row, column), "") << row << "," << column;
    }
    EXPECT_EQ(saved.text(store::kInvoicesSheet, 1, registers::invoice::kRecordCounterColumn), "");
    EXPECT_EQ(saved.text(store::kInvoicesSheet, 1, registers::invoice::kNumberCounterColumn), "");
    EXPECT_EQ(saved.text(store::kInvoicesSheet, 2, registers::invoice::kScratchFirstColumn),
              "elenco");
    EXPECT_EQ(saved.text(store::kClientsSheet, 2, 2), "ROSSI");
    // A new invoice 1 does not inherit the old one's stamp duty.
    EXPECT_EQ(saved.text(registers::kInvoiceExtrasSheet, 2, 1), "");
    EXPECT_EQ(saved.text(registers::kInvoiceExtrasSheet, 2, 2), "");
    // Nor the old one's receipts.
    EXPECT_EQ(saved.text(registers::kSdiHistorySheet, 2, 1), "");
    EXPECT_EQ(saved.text(registers::kSdiHistorySheet, 2, 3), "");

    start();
    const store::Worksheet invoices = sheet(store::kInvoicesSheet);
    EXPECT_EQ(invoices.text(1, 1), "ID");
    EXPECT_EQ(invoices.text(1, 17), "Tramite");
    EXPECT_EQ(store::firstFreeRow(invoices, 1), 2);
    EXPECT_FALSE(store::counter(invoices, registers::invoice::kRecordCounterColumn));
    EXPECT_FALSE(store::counter(invoices, registers::invoice::kNumberCounterColumn));
}

TEST_F(Scenario, EmptyingTheSettingsListsEmptiesEveryListAlsoBelowColumnA) {
    const store::Worksheet lists = sheet(store::kSettingsSheet);
    ASSERT_TRUE(lists.setIdentifier(3, registers::kInpsColumn, "4").ok());
    for (int row = 3; row <= 7; ++row)
        ASSERT_TRUE(
            lists.setIdentifier(row, registers::kPaymentColumn, QStringLiteral("P%1").arg(row))
                .ok());
    boxes.expect(kEmptyQuestion, Answer::Yes).expect(kEmptiedClosing);
    window->Check3->click();
    ASSERT_TRUE(ended);

    test_support::SavedStore saved(folder.storePath());
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= 5; ++column)
            EXPECT_EQ(saved.text(store::kSettingsSheet, row, column), "") << row << "," << column;
    }
    start();
    for (int column = registers::kInpsColumn; column <= registers::kExemptionColumn; ++column)
        EXPECT_EQ(registers::loadList(sheet(store::kSettingsSheet), column), QStringList{"*"});
}

TEST_F(Scenario, NoToAnEmptyingQuestionReturnsToTheMenuAndChangesNothing) {
    addClient("ROSSI");
    ASSERT_TRUE(session->store().saveStore().ok());
    const QByteArray before = bytes(folder.storePath());
    boxes.expect(kEmptyQuestion, Answer::No);
    window->Check2->click();
    EXPECT_FALSE(ended);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(window->Check2->isChecked());
    EXPECT_EQ(sheet(store::kClientsSheet).text(2, 2), "ROSSI");
    EXPECT_EQ(sheet(store::kClientsSheet).text(1, 1), "ID");
    EXPECT_EQ(bytes(folder.storePath()), before);
    // The box stays ticked only until the window comes back.
    navigator.go(&menu, window.get());
    EXPECT_FALSE(window->Check2->isChecked());
}

TEST_F(Scenario, ABackupHoldsTheUnsavedChangesPlainAndTheSecondKeepsTheFirstDated) {
    const QByteArray storeBefore = bytes(folder.storePath());
    addClient("ROSSI");
    backUp();
    EXPECT_EQ(plainText(backupPath(), store::kClientsSheet, 2, 2), "ROSSI");
    EXPECT_EQ(bytes(folder.storePath()), storeBefore);  // the store itself is not saved

    addClient("BIANCHI");
    backUp();
    EXPECT_EQ(plainText(backupPath(), store::kClientsSheet, 2, 2), "BIANCHI");
    const QStringList files = backupFolderFiles();
    ASSERT_EQ(files.size(), 2);
    const QString dated = files
                              .filter(QRegularExpression(
                                  "^Gestione_\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}\\.xls$"))
                              .value(0);
    ASSERT_FALSE(dated.isEmpty()) << files.join(u' ').toStdString();
    EXPECT_EQ(plainText(QDir(folder.backupFolder()).filePath(dated), store::kClientsSheet, 2, 2),
              "ROSSI");
    // Later saves go to the store, never to the copy.
    const QByteArray copy = bytes(backupPath());
    ASSERT_TRUE(session->store().saveStore().ok());
    EXPECT_EQ(bytes(backupPath()), copy);
    EXPECT_EQ(test_support::SavedStore(folder.storePath()).text(store::kClientsSheet, 2, 2),
              "BIANCHI");
}

TEST_F(Scenario, NoToTheBackupQuestionWritesNothing) {
    boxes.expect(kBackupQuestion, Answer::No);
    window->Check4->click();
    EXPECT_FALSE(window->Check4->isChecked());
    EXPECT_TRUE(backupFolderFiles().isEmpty());
}

TEST_F(Scenario, ABackupThatFailsHalfWayKeepsTheEarlierOneAndSaysSo) {
    addClient("ROSSI");
    backUp();
    const QByteArray earlier = bytes(backupPath());
    const store::Worksheet clients = sheet(store::kClientsSheet);
    for (int row = 3; row < 3000; ++row)
        ASSERT_TRUE(clients.setValue(row, 2, QStringLiteral("CLIENTE NUMERO %1").arg(row)).ok());

    // Files may not grow past 4 KiB: the copy stops half way, as on a full disk.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto probe = session->store().backUp();
    if (!probe) {
        boxes.expect(kBackupQuestion, Answer::Yes)
            .expect({"Copia del database Gestione.xls non riuscita.\n" + probe.error().message +
                         "\n\nL'eventuale copia precedente in Salvataggio è rimasta intatta.",
                     kTitle, Icon::Critical});
        window->Check4->click();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(probe.ok());
    EXPECT_EQ(bytes(backupPath()), earlier);
    EXPECT_EQ(plainText(backupPath(), store::kClientsSheet, 2, 2), "ROSSI");
    EXPECT_EQ(backupFolderFiles(), QStringList{"Gestione.xls"});
    EXPECT_FALSE(window->Check4->isChecked());
}

TEST_F(Scenario, ARestoreOfABackupIsOpenedByTheNextStartAndKeepsTheOldStore) {
    addClient("ROSSI");
    backUp();
    addClient("BIANCHI");  // after the backup, never saved
    chooseForRestore(backupPath());
    expectRestored();
    window->XPButton2->click();
    ASSERT_TRUE(ended);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(folder.lockPath()));

    // The store is the backup, encrypted again; the old one is kept whole.
    EXPECT_FALSE(plainText(folder.storePath(), store::kClientsSheet, 2, 2).has_value());
    EXPECT_EQ(test_support::SavedStore(folder.storePath()).text(store::kClientsSheet, 2, 2),
              "ROSSI");
    EXPECT_EQ(plainText(keptCopy(), store::kClientsSheet, 2, 2), "BIANCHI");
    EXPECT_EQ(plainText(backupPath(), store::kClientsSheet, 2, 2), "ROSSI");

    start();
    EXPECT_EQ(sheet(store::kClientsSheet).text(2, 2), "ROSSI");
    EXPECT_EQ(sheet(store::kClientsSheet).text(1, 1), "ID");
}

TEST_F(Scenario, EmptyingTheClientsForgetsTheirRecipientCodes) {
    addClient("ROSSI");
    registers::EinvoiceCodes(sheet(registers::kEinvoiceCodesSheet))
        .setAddressing("1", "ROSSI", {"ABC1234", "rossi@pec.it"});
    boxes.expect(kEmptyQuestion, Answer::Yes).expect(kEmptiedClosing);
    window->Check2->click();
    ASSERT_TRUE(ended);

    test_support::SavedStore saved(folder.storePath());
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.text(store::kClientsSheet, 2, 2), "");
    for (int column = 10; column <= 13; ++column)
        EXPECT_EQ(saved.text(registers::kEinvoiceCodesSheet, 2, column), "") << column;
    EXPECT_EQ(saved.text(registers::kEinvoiceCodesSheet, 1, 12), "CODICE DESTINATARIO");
}

TEST_F(Scenario, ARestoreKeepsTheProgressiveOfTheFilesSentSinceTheBackup) {
    registers::EinvoiceCodes(sheet(registers::kEinvoiceCodesSheet)).setLastProgressive(3);
    backUp();
    registers::EinvoiceCodes(sheet(registers::kEinvoiceCodesSheet)).setLastProgressive(9);
    chooseForRestore(backupPath());
    expectRestored();
    window->XPButton2->click();
    ASSERT_TRUE(ended);

    start();
    EXPECT_EQ(registers::EinvoiceCodes(sheet(registers::kEinvoiceCodesSheet)).lastProgressive(), 9);
}

TEST_F(Scenario, ACancelledRestoreReplacesNothingAndKeepsTheProgram) {
    addClient("ROSSI");
    ASSERT_TRUE(session->store().saveStore().ok());
    const QByteArray before = bytes(folder.storePath());
    chooseForRestore(std::nullopt);
    window->XPButton2->click();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(session->isRunning());
    EXPECT_EQ(bytes(folder.storePath()), before);
    EXPECT_TRUE(backupFolderFiles().isEmpty());
}

struct Refused {
    const char* what;
    std::function<void(const QString& path)> make;
    QString why;  // %1: the file as the message shows it
};

const QString kDoesNotOpen = QStringLiteral(
    "non si apre: non è una cartella di lavoro Excel, è danneggiato o è protetto da un'altra "
    "password.");

void writeWorkbook(const QString& path, const QStringList& sheets, const QString& password) {
    store::Engine engine;
    store::Workbook& book = engine.create();
    ASSERT_TRUE(book.activeSheet().setName(sheets.first()).ok());
    for (qsizetype i = 1; i < sheets.size(); ++i)
        ASSERT_TRUE(book.addSheetAfter(*book.sheetAt(int(i)), sheets[i]).ok());
    ASSERT_TRUE(book.activeSheet().setValue(2, 2, "ESTRANEO").ok());
    ASSERT_TRUE(book.saveAs(path, password).ok());
}

class RefusedRestore : public Scenario, public testing::WithParamInterface<Refused> {};

TEST_P(RefusedRestore, IsToldAndReplacesNothing) {
    addClient("ROSSI");
    ASSERT_TRUE(session->store().saveStore().ok());
    const QByteArray before = bytes(folder.storePath());
    const QString chosen = QDir(folder.backupFolder()).filePath("scelto.xls");
    GetParam().make(chosen);

    chooseForRestore(chosen);
    boxes.expect({"Ripristino non eseguito.\nIl file " + QDir::toNativeSeparators(chosen) + " " +
                      GetParam().why + "\n\nIl database Gestione.xls non è stato sostituito.",
                  kTitle, Icon::Critical});
    window->XPButton2->click();
    EXPECT_FALSE(ended);
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(session->isRunning());
    EXPECT_EQ(sheet(store::kClientsSheet).text(2, 2), "ROSSI");
    EXPECT_EQ(bytes(folder.storePath()), before);
    EXPECT_EQ(backupFolderFiles(), QStringList{"scelto.xls"});  // no dated copy either
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedRestore,
    testing::Values(
        Refused{"damaged",
                [](const QString& path) {
                    QFile file(path);
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                    file.write("questo non è un foglio di calcolo");
                },
                kDoesNotOpen},
        Refused{"foreign workbook",
                [](const QString& path) { writeWorkbook(path, {"Foglio1"}, {}); },
                "non è una copia del database Gestione.xls: mancano i fogli Anagrafe, Fatture, "
                "Utilità, Utente."},
        Refused{"a store without Utente",
                [](const QString& path) {
                    writeWorkbook(path, {"Anagrafe", "Fatture", "Utilità"}, {});
                },
                "non è una copia del database Gestione.xls: mancano i fogli Utente."},
        Refused{"another password",
                [](const QString& path) { writeWorkbook(path, store::kCoreSheets, "altra"); },
                kDoesNotOpen}),
    [](const testing::TestParamInfo<Refused>& info) { return std::to_string(info.index); });

TEST_F(Scenario, AStoreCopyWithThePasswordIsRestoredToo) {
    const QString chosen = QDir(folder.backupFolder()).filePath("vecchio.xls");
    writeWorkbook(chosen, store::kCoreSheets, test_support::kStorePassword);
    chooseForRestore(chosen);
    expectRestored();
    window->XPButton2->click();
    ASSERT_TRUE(ended);
    EXPECT_EQ(test_support::SavedStore(folder.storePath()).text(store::kClientsSheet, 2, 2),
              "ESTRANEO");
}

}  // namespace
