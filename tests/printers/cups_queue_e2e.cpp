// The client list printout through a real CUPS queue: two chosen pages go to the
// cups-pdf queue of a scheduler the test starts, and the PDFs CUPS wrote are read.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "printers/printer_window_opener.h"
#include "printers/stampa_p.h"
#include "printing/printer_catalogue.h"
#include "registers/client_sheet.h"
#include "support/pdf_words.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

#include <QComboBox>

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;

class CupsQueue : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (::geteuid() != 0) {
            reason_ = "the cups-pdf backend runs only for a scheduler started as root";
            return;
        }
        if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) ||
            !QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
            reason_ = "cups and printer-driver-cups-pdf are not installed (scripts/install-deps)";
            return;
        }
        // A short path: the scheduler's socket name must fit a socket address.
        folder_ = new QTemporaryDir(QStringLiteral("/tmp/brisvel-cups-XXXXXX"));
        QProcess start;
        start.start(QStringLiteral(CUPS_QUEUE_SCRIPT), {QStringLiteral("start"), folder_->path()});
        if (!start.waitForFinished(30000) || start.exitCode() != 0) {
            reason_ = "the private CUPS scheduler did not start: " +
                      start.readAllStandardError().toStdString();
            return;
        }
        qputenv("CUPS_SERVER", start.readAllStandardOutput().trimmed());
    }

    static void TearDownTestSuite() {
        if (folder_) {
            QProcess::execute(QStringLiteral(CUPS_QUEUE_SCRIPT),
                              {QStringLiteral("stop"), folder_->path()});
            delete folder_;
            folder_ = nullptr;
        }
    }

    void SetUp() override {
        if (!reason_.empty())
            GTEST_FAIL() << reason_;
    }

    // Whether cups-pdf has finished the file: the file appears as soon as the job
    // starts, and its end-of-file marker comes last.
    static bool written(const QString& path) {
        QFile pdf(path);
        if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16)
            return false;
        pdf.seek(pdf.size() - 16);
        return pdf.read(16).contains("%%EOF");
    }

    // The time of each PDF in the queue's output folder.
    using PdfTimes = QHash<QString, QDateTime>;
    static PdfTimes pdfsNow() {
        PdfTimes times;
        const QDir out(QDir::homePath() + QStringLiteral("/PDF"));
        for (const QFileInfo& pdf : out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            times.insert(pdf.filePath(), pdf.lastModified());
        return times;
    }

    // PDFs that cups-pdf wrote whole since `before`, waiting for `count` of them. A
    // new scheduler numbers its jobs from 1 again, so a file of an earlier run may
    // be written again under its name: a changed time counts as new.
    static QStringList newPdfs(const PdfTimes& before, int count) {
        QElapsedTimer waited;
        waited.start();
        QStringList found;
        while (waited.elapsed() < 60000) {
            found.clear();
            const PdfTimes now = pdfsNow();
            for (auto pdf = now.cbegin(); pdf != now.cend(); ++pdf)
                if (before.value(pdf.key()) != pdf.value() && written(pdf.key()))
                    found << pdf.key();
            if (found.size() >= count)
                break;
            QThread::msleep(200);
        }
        found.sort();
        return found;
    }

    static inline std::string reason_;
    static inline QTemporaryDir* folder_ = nullptr;
};

TEST_F(CupsQueue, ClientListPrintsTwoChosenPagesOnTheQueue) {
    printing::SystemPrinters system;
    ASSERT_TRUE(system.names().contains(QStringLiteral("BrisvelPDF")));
    EXPECT_EQ(system.defaultName(), QStringLiteral("BrisvelPDF"));

    test_support::PreparedStore data;
    registers::ClientSheet clients(data.sheet(QStringLiteral("Anagrafe")));
    for (int i = 1; i <= 4; ++i) {
        registers::ClientRecord client;
        client[registers::client::Name] = QStringLiteral("CLIENTE %1").arg(i);
        client[registers::client::Email] = QStringLiteral("posta%1@esempio.it").arg(i);
        ASSERT_TRUE(clients.add(client).ok());
    }
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
    app::AreaWindow caller;
    navigator.setMainMenu(&caller);
    navigator.go(nullptr, &caller);
    const app::Services services{data.store(), boxes, clock, navigator, system};
    printers::PrinterWindowOpener opener(services);

    const auto question = [](int page) {
        return app::Message{
            QStringLiteral("Vuoi Procedere alla stampa   ?  Pagine     %1    di    2").arg(page),
            QStringLiteral("Stampa Risultato "), Icon::None, Buttons::YesNo};
    };
    boxes
        .expectInput({QStringLiteral("Digita la percentuale di Zoom della Stampa "
                                     "50-60-70-80-90-100.................."),
                      QStringLiteral("Gestione "), QStringLiteral("70")},
                     QStringLiteral("100"))
        .expect({QStringLiteral(" Vuoi la Stampa Verticale "
                                "?........................................................."),
                 QStringLiteral("Brisvel"), Icon::None, Buttons::YesNo},
                Answer::Yes)
        .expect(question(1), Answer::Yes)
        .expect(question(2), Answer::Yes);

    const PdfTimes before = pdfsNow();
    opener.open(&caller, app::Printout::ClientList);
    opener.window()->Combo1->setCurrentText(QStringLiteral("BrisvelPDF"));
    opener.window()->XPButton2->click();

    const QStringList written = newPdfs(before, 2);
    ASSERT_EQ(written.size(), 2) << "CUPS wrote no PDF into " << qPrintable(QDir::homePath());
    // The queue's PDF renders text through Type 3 fonts of its own, so the words
    // do not read back as letters: each job is checked to be one A4 portrait page
    // with the list's texts on it, the first page with more of them (the names).
    std::vector<std::size_t> wordCounts;
    for (const QString& pdf : written) {
        const auto pages = test_support::readPdfWords(pdf);
        ASSERT_EQ(pages.size(), 1u) << qPrintable(pdf);
        EXPECT_NEAR(pages[0].width, 595, 2);
        EXPECT_NEAR(pages[0].height, 842, 2);
        wordCounts.push_back(pages[0].words.size());
        if (qEnvironmentVariableIsEmpty("BRISVEL_KEEP_PDF"))
            QFile::remove(pdf);
    }
    EXPECT_GT(wordCounts[0], 20u);
    EXPECT_GT(wordCounts[1], 5u);
}

}  // namespace
