// The program ended by SIGKILL (a crash, a power cut, a session ended by the system)
// right after it told the user that a step was done: the next start finds the step
// in the store. The program runs in a process of its own (driven_program), through
// its real start, windows and store.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "app/session.h"
#include "registers/client_sheet.h"
#include "registers/core_sheets.h"
#include "registers/invoice_register.h"
#include "store/sheet_idioms.h"
#include "store/workbook_store.h"
#include "support/scripted_message_boxes.h"

namespace {

namespace c = registers::client;
using namespace registers::invoice;

// The program folder as a user's last session left it: one client, one invoice
// still to collect, saved.
void prepareFolder(const QString& folder) {
    {
        store::Engine maker;
        ASSERT_TRUE(maker.create()
                        .saveAs(folder + QStringLiteral("/Gestione.xls"),
                                QString::fromLatin1(store::kStorePassword))
                        .ok());
    }
    store::Engine engine;
    store::WorkbookStore gestione(engine, folder);
    ASSERT_TRUE(gestione.open().ok());
    registers::prepareCoreSheets(gestione);
    registers::ClientRecord client;
    client[c::Name] = QStringLiteral("ROSSI MARIO");
    client[c::Id] = QStringLiteral("1");
    ASSERT_TRUE(registers::ClientSheet(gestione.ensureSheet(store::kClientsSheet)).add(client));
    registers::InvoiceRecord invoice;
    invoice[Id] = QStringLiteral("1");
    invoice[Client] = QStringLiteral("ROSSI MARIO");
    invoice[ClientId] = QStringLiteral("1");
    invoice[Number] = QStringLiteral("1");
    invoice[Date] = QStringLiteral("02/03/2026");
    invoice[Description] = QStringLiteral("Parere");
    invoice[Taxable] = QStringLiteral("500,00");
    invoice[TotalTaxable] = QStringLiteral("500,00");
    invoice[Total] = QStringLiteral("500,00");
    invoice[Net] = QStringLiteral("500,00");
    ASSERT_TRUE(
        registers::InvoiceRegister(gestione.ensureSheet(store::kInvoicesSheet)).append(invoice));
    ASSERT_TRUE(gestione.shutdown().ok());
}

struct KilledAfter {
    const char* step;
    const char* message;  // the line of the message after which the program is killed
    std::function<void(store::Workbook&)> check;
};

class KilledProgram : public testing::TestWithParam<KilledAfter> {
  protected:
    // Runs the step and kills the program once `message` is shown; false when the
    // program showed something else or ended first.
    bool runUntilKilled(const QString& message) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(DRIVEN_PROGRAM),
                      {folder.path(), QString::fromLatin1(GetParam().step)});
        if (!program.waitForStarted())
            return false;
        // The program waits on each notice; the time limit only stops a test that
        // would otherwise hang.
        while (program.canReadLine() || program.waitForReadyRead(60000)) {
            const QString line = QString::fromUtf8(program.readLine()).chopped(1);
            shown << line;
            if (line == message) {
                ::kill(pid_t(program.processId()), SIGKILL);
                program.waitForFinished();
                return program.exitStatus() == QProcess::CrashExit;
            }
        }
        return false;
    }

    QTemporaryDir folder;
    QProcess program;
    QStringList shown;
};

TEST_P(KilledProgram, TheNextStartFindsWhatTheUserWasToldIsDone) {
    prepareFolder(folder.path());
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(runUntilKilled(QString::fromUtf8(GetParam().message)))
        << GetParam().step << ": " << shown.join(u'\n').toStdString()
        << program.readAllStandardError().toStdString();

    // The next start takes over the lock the killed program left, and opens the
    // store without a word.
    test_support::ScriptedMessageBoxes boxes;
    app::Session next(folder.path());
    ASSERT_EQ(next.start(boxes), app::StartOutcome::Ready);
    GetParam().check(next.store().workbook());
    EXPECT_TRUE(next.shutDown(boxes));
}

INSTANTIATE_TEST_SUITE_P(
    BySigkill, KilledProgram,
    testing::Values(
        KilledAfter{"fattura", "Gestione|Fattura Registrata.......................... !",
                    [](store::Workbook& book) {
                        const store::Worksheet sheet = *book.sheet(store::kInvoicesSheet);
                        EXPECT_EQ(sheet.text(3, Client), "ROSSI MARIO");
                        EXPECT_EQ(sheet.text(3, Number), "2");
                        EXPECT_EQ(sheet.text(3, Date), "05/03/2026");
                        EXPECT_EQ(sheet.text(3, Description), "Consulenza");
                        EXPECT_EQ(sheet.text(3, Taxable), "1.000,00");
                        EXPECT_EQ(sheet.value(1, kNumberCounterColumn).toNumber(), 3)
                            << "the invoice's number is taken";
                    }},
        KilledAfter{"incasso", "  Gestione| Registrazione  modificata",
                    [](store::Workbook& book) {
                        const store::Worksheet sheet = *book.sheet(store::kInvoicesSheet);
                        EXPECT_EQ(sheet.text(2, Collection), "15/03/2026");
                        EXPECT_EQ(sheet.text(2, Description), "Parere");
                    }},
        KilledAfter{"cliente", "Gestione| Ciente Aggiunto",
                    [](store::Workbook& book) {
                        const store::Worksheet sheet = *book.sheet(store::kClientsSheet);
                        EXPECT_EQ(sheet.text(3, c::Name), "VERDI ANNA");
                        EXPECT_EQ(sheet.text(3, c::Date), "05/03/2026");
                    }},
        KilledAfter{"svuota", "Gestione|Adesso l'applicativo si  chiuderà......................!",
                    [](store::Workbook& book) {
                        const store::Worksheet sheet = *book.sheet(store::kInvoicesSheet);
                        EXPECT_EQ(store::firstFreeRow(sheet, Id), 2) << "the register is empty";
                        EXPECT_EQ(book.sheet(store::kClientsSheet)->text(2, c::Name),
                                  "ROSSI MARIO");
                    }}));

}  // namespace
