#include "app/list_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "support/fake_printers.h"
#include "support/pdf_words.h"
#include "support/prepared_store.h"
#include "support/scripted_message_boxes.h"

namespace {

printing::PrintedList registerList(int rows) {
    printing::PrintedList list{QStringLiteral("Elenco Fatture "),
                               QStringLiteral("Brisvel"),
                               QStringLiteral("Arial"),
                               10,
                               {QStringLiteral("ID"), QStringLiteral("Cliente")},
                               {53, 200},
                               {}};
    for (int r = 1; r <= rows; ++r) {
        list.rows.push_back({QString::number(r), QStringLiteral("Bianchi")});
    }
    return list;
}

class ListPrint : public testing::Test {
  protected:
    app::Services services(printing::PrinterCatalogue& printers) {
        return {data.store(), boxes, clock, navigator, printers};
    }

    QTemporaryDir out;
    test_support::PreparedStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 30))};
    app::Navigator navigator;
};

TEST_F(ListPrint, GoesToTheDefaultPrinter) {
    test_support::FakePrinters printers({QStringLiteral("Ufficio"), QStringLiteral("Casa")},
                                        QStringLiteral("Casa"), out.path());
    EXPECT_EQ(app::printListOnDefaultPrinter(services(printers), registerList(60)), 2);
    ASSERT_EQ(printers.jobFiles().size(), 1);
    EXPECT_TRUE(printers.jobFiles().first().contains(QStringLiteral("Casa-")));
    const auto pages = test_support::readPdfWords(printers.jobFiles().first());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[1].has(QStringLiteral("05/03/2024")));
}

TEST_F(ListPrint, WithoutAnyPrinterOffersAPdfFile) {
    test_support::FakePrinters none({}, {}, out.path());
    const QString path = out.filePath(QStringLiteral("elenco"));
    boxes
        .expect({QStringLiteral("Nel sistema non è installata alcuna stampante.\n"
                                "Vuoi salvare la stampa in un file PDF?"),
                 QStringLiteral("Brisvel"), app::Icon::Question, app::Buttons::YesNo},
                app::Answer::Yes)
        .expectSaveFile({QStringLiteral("Salva la stampa in PDF"), QDir::homePath(),
                         QStringLiteral("PDF (*.pdf)")},
                        path);
    EXPECT_EQ(app::printListOnDefaultPrinter(services(none), registerList(3)), 1);
    EXPECT_EQ(test_support::readPdfWords(path + QStringLiteral(".pdf")).size(), 1u);
}

TEST_F(ListPrint, WithoutAnyPrinterAndNoPdfNothingHappens) {
    test_support::FakePrinters none({}, {}, out.path());
    boxes.expect({QStringLiteral("Nel sistema non è installata alcuna stampante.\n"
                                 "Vuoi salvare la stampa in un file PDF?"),
                  QStringLiteral("Brisvel"), app::Icon::Question, app::Buttons::YesNo},
                 app::Answer::No);
    EXPECT_EQ(app::printListOnDefaultPrinter(services(none), registerList(3)), std::nullopt);
}

TEST_F(ListPrint, FailureIsShownWithTheProgramsTitle) {
    test_support::FakePrinters printers({QStringLiteral("Ufficio")}, QStringLiteral("Ufficio"),
                                        out.path());
    auto list = registerList(3);
    list.columnWidths = {0, 0};
    boxes.expect({QStringLiteral("L'elenco non ha colonne da stampare."), QStringLiteral("Brisvel"),
                  app::Icon::Critical, app::Buttons::Ok});
    EXPECT_EQ(app::printListOnDefaultPrinter(services(printers), list), std::nullopt);
}

}  // namespace
