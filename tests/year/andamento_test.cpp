// The year window: the figures it shows for the year chosen, the flat-rate limit
// only for a flat-rate user, the printout saved as PDF, the accountant's ZIP from
// it, every input named for screen readers, and a picture to look at.
#include "year/andamento.h"

#include <QAccessible>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "controls/xpbutton.h"
#include "einvoice/einvoice_store.h"
#include "registers/registration_checks.h"
#include "support/fake_printers.h"
#include "support/pdf_words.h"
#include "support/scripted_message_boxes.h"
#include "support/shots.h"
#include "year/zip_entries.h"

namespace {

using namespace einvoice_test;

// A register row: its date, amounts (taxable, VAT, total, withholding, net) and
// collection mark; the surcharge stays "*".
struct Line {
    const char* date;
    const char* taxable;
    const char* vat;
    const char* total;
    const char* withholding;
    const char* net;
    const char* collection;
};

class YearWindow : public testing::Test {
  protected:
    YearWindow() {
        rossi = data.addClient(ClientKind::Company);
        bianchi = data.addClient(ClientKind::Person);
    }

    void add(const QString& client, const char* name, const Line& l) {
        const int row = data.addInvoice(client, QString::fromUtf8(name),
                                        {l.taxable, "*", l.taxable, l.vat, "*", "*", l.total,
                                         l.withholding, l.net, "Bonifico"});
        const store::Worksheet sheet = data.data.sheet(store::kInvoicesSheet);
        EXPECT_TRUE(sheet.setValue(row, col::Date, QString::fromLatin1(l.date)).ok());
        EXPECT_TRUE(sheet.setValue(row, col::Collection, QString::fromLatin1(l.collection)).ok());
    }

    void flatRate() { data.codes().setTaxRegime(registers::kFlatRateRegime); }

    year::Andamento& open() {
        window = std::make_unique<year::Andamento>(services);
        window->show();
        window->activate();
        return *window;
    }
    template <class T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }

    EinvoiceStore data;
    QString rossi;
    QString bianchi;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 12, 1), QTime(9, 30))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};
    std::unique_ptr<year::Andamento> window;
};

TEST_F(YearWindow, ShowsTheYearChosenWithItsTotalsChartAndClients) {
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/01/2025", "1.000,00", "220,00", "1.220,00", "200,00", "1.020,00", "10/02/2025"});
    add(bianchi, "ROSSI MARIO",
        {"20/03/2025", "500,00", "110,00", "610,00", "0,00", "610,00", "*"});
    // A credit note of part of it, and an invoice with a date that does not exist.
    add(bianchi, "ROSSI MARIO",
        {"25/03/2025", "-100,00", "-22,00", "-122,00", "0,00", "-122,00", "*"});
    add(rossi, "ROSSI & FIGLI SRL",
        {"31/02/2025", "300,00", "66,00", "366,00", "0,00", "366,00", "*"});
    add(rossi, "ROSSI & FIGLI SRL",
        {"10/12/2024", "2.000,00", "440,00", "2.440,00", "400,00", "2.040,00", "15/01/2025"});
    open();

    auto* years = child<QComboBox>("Anno");
    ASSERT_EQ(years->count(), 2);
    EXPECT_EQ(years->itemText(0), QStringLiteral("2025"));
    EXPECT_EQ(years->currentText(), QStringLiteral("2025"));
    EXPECT_EQ(text("Imponibile"), QStringLiteral("1.400,00 €"));
    EXPECT_EQ(text("Iva"), QStringLiteral("308,00 €"));
    EXPECT_EQ(text("TotaleFatturato"), QStringLiteral("1.708,00 €"));
    EXPECT_EQ(text("Incassato"), QStringLiteral("3.660,00 €"));
    EXPECT_EQ(text("Ritenute"), QStringLiteral("600,00 €"));
    EXPECT_EQ(text("NettoIncassato"), QStringLiteral("3.060,00 €"));
    EXPECT_EQ(text("NonConteggiate"),
              QStringLiteral("Non conteggiate: 1 fattura con data illeggibile"));

    auto* chart = child<QChartView>("Grafico")->chart();
    const auto sets = chart->findChildren<QBarSet*>();
    ASSERT_EQ(sets.size(), 2);
    for (QBarSet* set : sets) {
        if (set->label() == QStringLiteral("Fatturato")) {
            EXPECT_EQ(set->at(0), 1220.0);
            EXPECT_EQ(set->at(2), 488.0);
        } else {
            EXPECT_EQ(set->at(0), 2440.0);
            EXPECT_EQ(set->at(1), 1220.0);
        }
    }

    auto* clients = child<QTreeWidget>("ClientiPrincipali");
    ASSERT_EQ(clients->topLevelItemCount(), 2);
    EXPECT_EQ(clients->topLevelItem(0)->text(0), QStringLiteral("ROSSI & FIGLI SRL"));
    EXPECT_EQ(clients->topLevelItem(1)->text(1), QStringLiteral("488,00 €"));
    EXPECT_TRUE(child<QGroupBox>("Forfettario")->isHidden());

    // The year before: what was invoiced then, collected only the year after.
    years->setCurrentIndex(1);
    emit years->activated(1);
    EXPECT_EQ(text("TotaleFatturato"), QStringLiteral("2.440,00 €"));
    EXPECT_EQ(text("Incassato"), QStringLiteral("0,00 €"));
    // A date that does not read belongs to no year: every year says it.
    EXPECT_EQ(text("NonConteggiate"),
              QStringLiteral("Non conteggiate: 1 fattura con data illeggibile"));
    // Coming back to the window keeps the year the user chose.
    window->activate();
    EXPECT_EQ(years->currentText(), QStringLiteral("2024"));
}

struct LimitCase {
    const char* what;
    bool flatRate;
    const char* collected;  // one invoice of that total, collected in the year
    bool shown;
    int bar;
    const char* barText;
    const char* line;
};

class FlatRateLimit : public YearWindow, public testing::WithParamInterface<LimitCase> {};

TEST_P(FlatRateLimit, ShowsWhatWasCollectedAgainstTheLimit) {
    const LimitCase& c = GetParam();
    if (c.flatRate)
        flatRate();
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/01/2025", c.collected, "0,00", c.collected, "0,00", c.collected, "20/01/2025"});
    // Invoiced, not collected: not counted against the limit.
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/02/2025", "9.000,00", "0,00", "9.000,00", "0,00", "9.000,00", "*"});
    open();
    EXPECT_EQ(child<QGroupBox>("Forfettario")->isVisible(), c.shown);
    EXPECT_EQ(child<QProgressBar>("LimiteForfettario")->value(), c.bar);
    EXPECT_EQ(child<QProgressBar>("LimiteForfettario")->text(), QString::fromUtf8(c.barText));
    EXPECT_EQ(text("IncassatoForfettario"), QString::fromUtf8(c.line));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Regimes, FlatRateLimit, testing::Values(
    LimitCase{"an ordinary user sees no limit", false, "42.500,00", false, 50, "50%",
              "Incassato 42.500,00 € su 85.000,00 € (50%)"},
    LimitCase{"half the limit", true, "42.500,00", true, 50, "50%",
              "Incassato 42.500,00 € su 85.000,00 € (50%)"},
    LimitCase{"a cent short of the limit", true, "84.999,99", true, 99, "99%",
              "Incassato 84.999,99 € su 85.000,00 € (99%)"},
    LimitCase{"the limit itself is still within", true, "85.000,00", true, 100, "100%",
              "Incassato 85.000,00 € su 85.000,00 € (100%)"},
    LimitCase{"beyond the limit the bar is full and the excess said", true, "93.500,00", true,
              100, "110%",
              "Incassato 93.500,00 € su 85.000,00 € (110%): oltre il limite di 8.500,00 €"}),
    [](const testing::TestParamInfo<LimitCase>& info) {
        return "Case" + std::to_string(info.index);
    });
// clang-format on

TEST_F(YearWindow, SavesItsFiguresAsAPdfList) {
    flatRate();
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/01/2025", "1.000,00", "0,00", "1.000,00", "0,00", "1.000,00", "10/02/2025"});
    open();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("andamento.pdf"));
    boxes.expectSaveFile({QStringLiteral("Salva l'andamento in PDF"),
                          QDir::home().filePath(QStringLiteral("Andamento 2025.pdf")),
                          QStringLiteral("PDF (*.pdf)")},
                         pdf);
    QTest::mouseClick(child<controls::XPButton>("SalvaPdf"), Qt::LeftButton);
    EXPECT_EQ(boxes.failures(), 0);
    // The months, the totals, the clients and the limit on one page, numbered in Italian.
    const auto pages = test_support::readPdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const auto words = [&pages](std::size_t page) {
        QStringList all;
        for (const auto& word : pages[page].words)
            all << word.text;
        return all.join(u' ').toStdString();
    };
    for (const char* word : {"ANDAMENTO", "Pagina", "Gen", "Dic", "1.000,00", "Netto", "CLIENTI",
                             "ROSSI", "forfettario:", "85.000,00"})
        EXPECT_TRUE(pages[0].has(QString::fromUtf8(word))) << word << " in " << words(0);
    EXPECT_FALSE(pages[0].has(QStringLiteral("Page")));
}

TEST_F(YearWindow, PacksTheChosenPeriodForTheAccountant) {
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/01/2025", "1.000,00", "220,00", "1.220,00", "200,00", "1.020,00", "*"});
    open();
    auto* periods = child<QComboBox>("Periodo");
    ASSERT_EQ(periods->count(), 17);
    QTemporaryDir folder;
    const QString zip = folder.filePath(QStringLiteral("gennaio"));

    // A month without invoices is said, and no file is asked for.
    periods->setCurrentIndex(periods->findText(QStringLiteral("Agosto 2025")));
    boxes.expect({QStringLiteral("Nessuna fattura con data nel periodo Agosto 2025."),
                  QStringLiteral("Brisvel"), app::Icon::Information});
    QTest::mouseClick(child<controls::XPButton>("Pacchetto"), Qt::LeftButton);

    periods->setCurrentIndex(periods->findText(QStringLiteral("Gennaio 2025")));
    boxes.expectSaveFile({QStringLiteral("Fatture per il commercialista"),
                          QDir::home().filePath(QStringLiteral("Fatture 2025-01.zip")),
                          QStringLiteral("ZIP (*.zip)")},
                         zip);
    boxes.expect({QStringLiteral("Il file %1.zip contiene 1 fattura elettronica, 1 copia PDF e il "
                                 "registro del periodo (1 fattura).\nFatture elettroniche create "
                                 "ora: 1.")
                      .arg(QDir::toNativeSeparators(zip)),
                  QStringLiteral("Brisvel"), app::Icon::Information});
    QTest::mouseClick(child<controls::XPButton>("Pacchetto"), Qt::LeftButton);
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_EQ(year_test::zipEntries(zip + QStringLiteral(".zip")).size(), 3);

    // The same name typed again, without ".zip": the file there is not replaced
    // without a question, and No leaves it as it was.
    const QDateTime written = QFileInfo(zip + QStringLiteral(".zip")).lastModified();
    boxes.expectSaveFile({QStringLiteral("Fatture per il commercialista"),
                          QDir::home().filePath(QStringLiteral("Fatture 2025-01.zip")),
                          QStringLiteral("ZIP (*.zip)")},
                         zip);
    boxes.expect(
        {QStringLiteral("Il file %1.zip esiste già.\nVuoi sostituirlo?")
             .arg(QDir::toNativeSeparators(zip)),
         QStringLiteral("Fatture per il commercialista"), app::Icon::Warning, app::Buttons::YesNo},
        app::Answer::No);
    boxes.expectSaveFile({QStringLiteral("Fatture per il commercialista"),
                          zip + QStringLiteral(".zip"), QStringLiteral("ZIP (*.zip)")},
                         std::nullopt);
    QTest::mouseClick(child<controls::XPButton>("Pacchetto"), Qt::LeftButton);
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_EQ(QFileInfo(zip + QStringLiteral(".zip")).lastModified(), written);
    // The progressive given is in the saved store.
    EXPECT_EQ(registers::EinvoiceCodes(data.data.reopened(registers::kEinvoiceCodesSheet))
                  .lastProgressive(),
              1);
}

TEST_F(YearWindow, EveryInputIsNamedAndEveryLabelSpeaks) {
    flatRate();
    add(rossi, "ROSSI & FIGLI SRL",
        {"15/01/2025", "1.000,00", "0,00", "1.000,00", "0,00", "1.000,00", "10/02/2025"});
    open();
    for (QWidget* input : window->findChildren<QWidget*>()) {
        // A list's header is a part of the list, which carries the name.
        if (qobject_cast<QHeaderView*>(input))
            continue;
        if (!input->isVisible() ||
            !(qobject_cast<QComboBox*>(input) || qobject_cast<QAbstractButton*>(input) ||
              qobject_cast<QAbstractItemView*>(input) || qobject_cast<QProgressBar*>(input) ||
              qobject_cast<QChartView*>(input)))
            continue;
        EXPECT_FALSE(input->accessibleName().isEmpty())
            << input->metaObject()->className() << " " << input->objectName().toStdString();
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), label->text())
            << label->objectName().toStdString();
    }
}

TEST_F(YearWindow, Looks) {
    flatRate();
    const char* months[] = {"15/01/2025", "12/02/2025", "20/03/2025", "08/04/2025", "22/05/2025",
                            "30/06/2025", "10/07/2025", "05/09/2025", "14/10/2025", "18/11/2025"};
    int i = 0;
    for (const char* date : months) {
        const QString amount = registers::Amount::fromCents(250'000 + 73'000 * (i % 4)).text();
        const QByteArray text = amount.toUtf8();
        const char* collected = i < 8 ? "" : "*";
        const QByteArray collection =
            QDate::fromString(QString::fromLatin1(date), QStringLiteral("dd/MM/yyyy"))
                .addDays(35)
                .toString(QStringLiteral("dd/MM/yyyy"))
                .toLatin1();
        add(i % 3 ? rossi : bianchi, i % 3 ? "ROSSI & FIGLI SRL" : "ROSSI MARIO",
            {date, text.constData(), "0,00", text.constData(), "0,00", text.constData(),
             *collected ? collected : collection.constData()});
        ++i;
    }
    open();
    window->resize(1000, 740);
    test_support::settle(*window);
    test_support::saveWindowShot(*window, QStringLiteral("andamento"));
    EXPECT_TRUE(child<QGroupBox>("Forfettario")->isVisible());
    EXPECT_GT(child<QProgressBar>("LimiteForfettario")->value(), 0);
}

}  // namespace
