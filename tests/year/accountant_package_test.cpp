// The invoices of a period packed for the accountant: which files the ZIP holds,
// read back with libzip; electronic invoices made now where never made, a refused one
// named; giving the run up, or a ZIP that cannot be written, leaves nothing behind.
#include "year/accountant_package.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "einvoice/einvoice_store.h"
#include "registers/credit_notes.h"
#include "registers/invoice_rates.h"
#include "registers/register_csv.h"
#include "support/pdf_words.h"
#include "support/shots.h"
#include "year/zip_entries.h"

namespace {

using namespace einvoice_test;

const Amounts kAmounts{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};
// No VAT item gives 99,99 on 1.040,00: the export refuses the invoice.
const Amounts kNoVatItem{"1.000,00", "40,00",    "1.040,00", "99,99",  "*",
                         "0",        "1.139,99", "208,00",   "931,99", "Bonifico"};

class AccountantPackage : public testing::Test {
  protected:
    AccountantPackage() {
        const QString id = data.addClient(ClientKind::Company);
        const QString name = QStringLiteral("ROSSI & FIGLI SRL");
        const auto invoice = [&](const char* date, const Amounts& amounts) {
            const int row = data.addInvoice(id, name, amounts);
            EXPECT_TRUE(sheet().setValue(row, col::Date, QString::fromLatin1(date)).ok());
            return row;
        };
        const int first = invoice("03/02/2025", kAmounts);
        invoice("20/02/2025", kAmounts);
        invoice("10/03/2025", kNoVatItem);
        invoice("05/07/2025", kAmounts);
        invoice("03/02/2024", kAmounts);
        // The first went to a file before, into the folder every export proposes.
        const auto earlier =
            fatturapa::exportInvoices(book(), {first}, exportFolder(), QDate(2025, 2, 4));
        EXPECT_TRUE(earlier.ok() && earlier->written.size() == 1);
        EXPECT_TRUE(zipFolder.isValid());
    }

    store::Workbook& book() { return data.data.store().workbook(); }
    store::Worksheet sheet() { return data.data.sheet(store::kInvoicesSheet); }
    QString exportFolder() { return fatturapa::defaultExportFolder(data.data.folder()); }
    QString zipPath() { return zipFolder.filePath(QStringLiteral("commercialista.zip")); }

    year::PackageRequest request(int periodIndex) {
        return {year::periodsOf(2025)[std::size_t(periodIndex)], zipPath(), data.data.folder(),
                QDate(2025, 12, 1)};
    }
    // The entry names with "{n}" standing for the file invoice n went to.
    QStringList expected(const std::vector<const char*>& names) {
        const registers::InvoiceExtras extras = data.extras();
        QStringList out;
        for (const char* name : names) {
            QString entry = QString::fromUtf8(name);
            for (int id = 1; id <= 5; ++id)
                entry.replace(QStringLiteral("{%1}").arg(id),
                              extras.exportedAs(QString::number(id)));
            out << entry;
        }
        out.sort();
        return out;
    }

    EinvoiceStore data;
    QTemporaryDir zipFolder;
};

struct PackCase {
    const char* what;
    int period;  // 0 the year, 1..4 the quarters, 5..16 the months
    std::vector<const char*> entries;
    int invoices;
    int exportedNow;
    std::vector<const char*> refused;  // the titles the outcome names
};

class PackingAPeriod : public AccountantPackage, public testing::WithParamInterface<PackCase> {};

TEST_P(PackingAPeriod, HoldsItsInvoicesFilesAndRegister) {
    const PackCase& c = GetParam();
    const auto outcome = year::packInvoices(book(), request(c.period));
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    EXPECT_FALSE(outcome->cancelled);
    EXPECT_EQ(outcome->invoices, c.invoices);
    EXPECT_EQ(outcome->exportedNow, c.exportedNow);
    QStringList refused;
    for (const fatturapa::Refusal& refusal : outcome->refusals)
        refused << refusal.invoice;
    QStringList expectedRefused;
    for (const char* title : c.refused)
        expectedRefused << QString::fromUtf8(title);
    EXPECT_EQ(refused, expectedRefused);

    const QMap<QString, QByteArray> entries = year_test::zipEntries(zipPath());
    EXPECT_EQ(entries.keys(), expected(c.entries));
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (it.key().startsWith(QStringLiteral("PDF/"))) {
            EXPECT_TRUE(it->startsWith("%PDF")) << it.key().toStdString();
        } else if (it.key().startsWith(QStringLiteral("FatturePA/"))) {
            QFile file(QDir(exportFolder()).filePath(it.key().mid(10)));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(*it, file.readAll()) << it.key().toStdString();
        } else {
            // The register of the period: the header and one line per invoice.
            EXPECT_EQ(it->count("\r\n"), c.invoices + 1) << it.key().toStdString();
        }
    }
    EXPECT_EQ(outcome->xmlFiles + outcome->pdfFiles + 1, entries.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Periods, PackingAPeriod, testing::Values(
    PackCase{"a month: one invoice exported before, one made now", 6,
             {"FatturePA/{1}", "FatturePA/{2}", "PDF/Fattura 1 del 03-02-2025.pdf",
              "PDF/Fattura 2 del 20-02-2025.pdf", "Registro Febbraio 2025.csv"},
             2, 1, {}},
    PackCase{"a quarter: the invoice the export refuses has its copy and is named", 1,
             {"FatturePA/{1}", "FatturePA/{2}", "PDF/Fattura 1 del 03-02-2025.pdf",
              "PDF/Fattura 2 del 20-02-2025.pdf", "PDF/Fattura 3 del 10-03-2025.pdf",
              "Registro 1° trimestre 2025.csv"},
             3, 1, {"n. 3 del 10/03/2025"}},
    PackCase{"the year: the invoice of the year before stays out", 0,
             {"FatturePA/{1}", "FatturePA/{2}", "FatturePA/{4}",
              "PDF/Fattura 1 del 03-02-2025.pdf", "PDF/Fattura 2 del 20-02-2025.pdf",
              "PDF/Fattura 3 del 10-03-2025.pdf", "PDF/Fattura 4 del 05-07-2025.pdf",
              "Registro Anno 2025.csv"},
             4, 2, {"n. 3 del 10/03/2025"}},
    PackCase{"a month without invoices: the register's header alone", 12,
             {"Registro Agosto 2025.csv"}, 0, 0, {}}),
    [](const testing::TestParamInfo<PackCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST_F(AccountantPackage, TheRegisterInTheZipIsThePeriodsCsv) {
    ASSERT_TRUE(year::packInvoices(book(), request(6)).ok());
    const QMap<QString, QByteArray> entries = year_test::zipEntries(zipPath());
    const QByteArray csv = entries.value(QStringLiteral("Registro Febbraio 2025.csv"));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(
        lines[0].startsWith("\xEF\xBB\xBF"
                            "ID"));
    EXPECT_EQ(lines[1],
              "1;ROSSI & FIGLI SRL;1;1;03/02/2025;Consulenza tecnica: progetto dell'impianto;"
              "1000,00;40,00;1040,00;228,80;*;0,00;1268,80;208,00;1060,80;*;Bonifico\r");
    EXPECT_TRUE(lines[2].startsWith("2;ROSSI & FIGLI SRL;1;2;20/02/2025;"));
}

TEST_F(AccountantPackage, ARunAgainMakesNoFileTwice) {
    ASSERT_TRUE(year::packInvoices(book(), request(6)).ok());
    const QStringList made = QDir(exportFolder()).entryList(QDir::Files);
    const auto again = year::packInvoices(book(), request(6));
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->exportedNow, 0);
    EXPECT_EQ(again->xmlFiles, 2);
    EXPECT_EQ(QDir(exportFolder()).entryList(QDir::Files), made);
}

TEST_F(AccountantPackage, ACreditNotesCopyIsNamedAsOne) {
    data.extras().setCorrects(QStringLiteral("2"),
                              {QStringLiteral("1"), QStringLiteral("1"), QDate(2025, 2, 3)});
    ASSERT_TRUE(year::packInvoices(book(), request(6)).ok());
    const QStringList names = year_test::zipEntries(zipPath()).keys();
    EXPECT_TRUE(names.contains(QStringLiteral("PDF/Fattura 1 del 03-02-2025.pdf")));
    EXPECT_TRUE(names.contains(QStringLiteral("PDF/Nota di credito 2 del 20-02-2025.pdf")));
    EXPECT_FALSE(names.contains(QStringLiteral("PDF/Fattura 2 del 20-02-2025.pdf")));
}

TEST_F(AccountantPackage, AFileMissingFromTheExportFolderIsSaid) {
    const QString file = data.extras().exportedAs(QStringLiteral("1"));
    ASSERT_TRUE(QFile::remove(QDir(exportFolder()).filePath(file)));
    const auto outcome = year::packInvoices(book(), request(6));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->xmlFiles, 1);
    ASSERT_EQ(outcome->leftOut.size(), 1);
    EXPECT_TRUE(outcome->leftOut.front().startsWith(
        QStringLiteral("Fattura n. 1 del 03/02/2025: il file %1 non è nella cartella").arg(file)));
    EXPECT_TRUE(year::outcomeMessage(*outcome).contains(outcome->leftOut.front()));
}

// The run is given up at the n-th time it reports progress (the February run
// reports six times: twice from the export, once after it, once per invoice, and
// once with the ZIP written).
struct CancelCase {
    const char* what;
    int cancelAt;
};

class GivingUp : public AccountantPackage, public testing::WithParamInterface<CancelCase> {};

TEST_P(GivingUp, LeavesNoZipAndAFileAlreadyThereAsItWas) {
    {
        QFile earlier(zipPath());
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("the accountant's earlier file");
    }
    int calls = 0;
    const auto outcome = year::packInvoices(
        book(), request(6), [&](int, int) { return ++calls < GetParam().cancelAt; });
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->cancelled);
    QFile file(zipPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the accountant's earlier file"));
    EXPECT_EQ(QDir(zipFolder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("commercialista.zip")});
}

INSTANTIATE_TEST_SUITE_P(Steps, GivingUp,
                         testing::Values(CancelCase{"before the first export", 1},
                                         CancelCase{"once the export is done", 2},
                                         CancelCase{"before the copies", 3},
                                         CancelCase{"after the first copy", 4},
                                         CancelCase{"after the last copy", 5}),
                         [](const testing::TestParamInfo<CancelCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST_F(AccountantPackage, TheLastReportComesWithTheZipWritten) {
    int calls = 0;
    const auto outcome = year::packInvoices(book(), request(6), [&](int done, int total) {
        ++calls;
        EXPECT_LE(done, total);
        return true;
    });
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(calls, 6);
    EXPECT_FALSE(year_test::zipEntries(zipPath()).isEmpty());
}

TEST_F(AccountantPackage, AZipThatCannotBeWrittenIsAnErrorAndLeavesNothing) {
    year::PackageRequest r = request(6);
    r.zipPath = zipFolder.filePath(QStringLiteral("no such folder/commercialista.zip"));
    const auto outcome = year::packInvoices(book(), r);
    ASSERT_FALSE(outcome.ok());
    // In Italian, and the invoice made and numbered on the way is named.
    EXPECT_EQ(outcome.error().message,
              QStringLiteral("Non è possibile scrivere il file %1: non è possibile creare il "
                             "file temporaneo (la cartella non esiste).\nLa fattura elettronica "
                             "creata prima dell'errore, già numerata, resta nella cartella %2: "
                             "%3.")
                  .arg(QDir::toNativeSeparators(r.zipPath),
                       QDir::toNativeSeparators(exportFolder()), data.extras().exportedAs("2")));
    EXPECT_TRUE(QDir(zipFolder.path())
                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
}

// What the copies in the ZIP show: the rates the amounts were made with, recovered
// from the settings items, and a credit note as one, with its amounts positive and
// its electronic document a TD04 naming the invoice it corrects.
struct DocumentCase {
    const char* what;
    const char* part;  // the credit note made of invoice 1: nullptr none, "" the whole
    const char* pdf;
    std::vector<const char*> words;                            // shown on the first page
    std::vector<std::pair<const char*, const char*>> ratesBy;  // rate, beside its amount
    std::vector<const char*> xml;                              // in the electronic document
};

// The text of the nearest word left of `amount`'s on its line; empty when none.
QString wordLeftOf(const test_support::PdfPage& page, const QString& amount) {
    for (const test_support::PdfWord& word : page.words) {
        if (word.text != amount)
            continue;
        const test_support::PdfWord* nearest = nullptr;
        for (const test_support::PdfWord& other : page.words) {
            if (std::abs(other.yMin - word.yMin) < 2 && other.xMax <= word.xMin &&
                (!nearest || other.xMax > nearest->xMax))
                nearest = &other;
        }
        return nearest ? nearest->text : QString();
    }
    return {};
}

class DocumentCopies : public AccountantPackage, public testing::WithParamInterface<DocumentCase> {
  protected:
    // A credit note of invoice 1, registered as the entry window registers it.
    void creditInvoiceOne(const QString& part) {
        registers::InvoiceRegister invoices(sheet());
        const std::vector<registers::InvoiceRecord> rows = invoices.rows();
        const auto credited = registers::creditable({rows.front()}, rows, data.extras());
        ASSERT_TRUE(credited.ok());
        const auto items = registers::rateItemsOf(book());
        ASSERT_TRUE(items.has_value());
        const auto note = registers::makeCreditNote(
            *credited, *items,
            {part.isEmpty(), part, "6", "6", "25/02/2025", "Storno della fattura n. 1"});
        ASSERT_TRUE(note.ok()) << note.error().message.toStdString();
        ASSERT_TRUE(invoices.append(note->record).ok());
        data.extras().setCorrects("6", note->corrects);
    }
};

TEST_P(DocumentCopies, ShowWhatTheDocumentShows) {
    const DocumentCase& c = GetParam();
    if (c.part)
        creditInvoiceOne(QString::fromUtf8(c.part));
    const auto outcome = year::packInvoices(book(), request(6));
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->refusals.empty());
    const QMap<QString, QByteArray> entries = year_test::zipEntries(zipPath());

    const QString pdfPath = zipFolder.filePath(QStringLiteral("copia.pdf"));
    {
        QFile pdf(pdfPath);
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(entries.value(QString::fromUtf8(c.pdf)));
    }
    if (const QString shots = test_support::shotsFolder(); !shots.isEmpty()) {
        QString name =
            QString::fromLatin1(testing::UnitTest::GetInstance()->current_test_info()->name());
        QFile::copy(pdfPath, QDir(shots).filePath(
                                 QStringLiteral("zip-copy-%1.pdf").arg(name.replace(u'/', u'-'))));
    }
    const std::vector<test_support::PdfPage> pages = test_support::readPdfWords(pdfPath);
    ASSERT_FALSE(pages.empty()) << c.pdf;
    for (const char* word : c.words)
        EXPECT_TRUE(pages.front().has(QString::fromUtf8(word))) << word;
    for (const auto& [rate, amount] : c.ratesBy)
        EXPECT_EQ(wordLeftOf(pages.front(), QString::fromUtf8(amount)).toStdString(), rate)
            << amount;
    for (const test_support::PdfWord& word : pages.front().words)
        EXPECT_FALSE(word.text.size() > 1 && word.text[0] == u'-' && word.text[1].isDigit())
            << word.text.toStdString();

    const QString id = c.part ? QStringLiteral("6") : QStringLiteral("1");
    const QByteArray xml =
        entries.value(QStringLiteral("FatturePA/") + data.extras().exportedAs(id));
    for (const char* text : c.xml)
        EXPECT_TRUE(xml.contains(text)) << text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Copies, DocumentCopies, testing::Values(
    DocumentCase{"an invoice: the rates beside its amounts", nullptr,
                 "PDF/Fattura 1 del 03-02-2025.pdf",
                 {"FATTURA", "1.268,80"},
                 {{"4", "40,00"}, {"22", "228,80"}, {"20", "208,00"}},
                 {"<TipoDocumento>TD01</TipoDocumento>"}},
    DocumentCase{"a whole credit note: its title, the invoice it corrects, amounts positive", "",
                 "PDF/Nota di credito 6 del 25-02-2025.pdf",
                 {"NOTA", "CREDITO", "storno", "03/02/2025", "1.268,80", "1.060,80"},
                 {{"4", "40,00"}, {"22", "228,80"}, {"20", "208,00"}},
                 {"<TipoDocumento>TD04</TipoDocumento>", "<IdDocumento>1</IdDocumento>",
                  "<Data>2025-02-03</Data>",
                  "<ImportoTotaleDocumento>1268.80</ImportoTotaleDocumento>"}},
    DocumentCase{"a part: the invoice's rates on the part's amounts", "500",
                 "PDF/Nota di credito 6 del 25-02-2025.pdf",
                 {"NOTA", "CREDITO", "storno", "500,00", "634,40"},
                 {{"4", "20,00"}, {"22", "114,40"}, {"20", "104,00"}},
                 {"<TipoDocumento>TD04</TipoDocumento>", "<IdDocumento>1</IdDocumento>",
                  "<ImportoTotaleDocumento>634.40</ImportoTotaleDocumento>"}}),
    [](const testing::TestParamInfo<DocumentCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

struct PeriodCase {
    int index;
    const char* name;
    QDate first;
    QDate last;
    const char* zipName;
};

class Periods : public testing::TestWithParam<PeriodCase> {};

TEST_P(Periods, SpanTheirDays) {
    const year::Period period = year::periodsOf(2024)[std::size_t(GetParam().index)];
    EXPECT_EQ(period.name, QString::fromUtf8(GetParam().name));
    EXPECT_EQ(period.first, GetParam().first);
    EXPECT_EQ(period.last, GetParam().last);
    EXPECT_EQ(year::proposedZipName(period), QString::fromUtf8(GetParam().zipName));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Year2024, Periods, testing::Values(
    PeriodCase{0, "Anno 2024", QDate(2024, 1, 1), QDate(2024, 12, 31), "Fatture 2024.zip"},
    PeriodCase{1, "1° trimestre 2024", QDate(2024, 1, 1), QDate(2024, 3, 31), "Fatture 2024-T1.zip"},
    PeriodCase{4, "4° trimestre 2024", QDate(2024, 10, 1), QDate(2024, 12, 31), "Fatture 2024-T4.zip"},
    PeriodCase{6, "Febbraio 2024", QDate(2024, 2, 1), QDate(2024, 2, 29), "Fatture 2024-02.zip"},
    PeriodCase{16, "Dicembre 2024", QDate(2024, 12, 1), QDate(2024, 12, 31), "Fatture 2024-12.zip"}),
    [](const testing::TestParamInfo<PeriodCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

}  // namespace
