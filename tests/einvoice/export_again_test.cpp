// An invoice exported once keeps the name of its file; exporting it again asks first,
// naming that file: Yes sends it again under a new progressive, No leaves it out.
#include "einvoice/export_run.h"
#include "einvoice_store.h"

#include "app/clock.h"
#include "app/navigator.h"
#include "app/services.h"
#include "registers/invoice_extras.h"
#include "support/fake_printers.h"
#include "support/scripted_message_boxes.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace einvoice_test;
using app::Icon;

const Amounts kAmounts{"1.000,00", "40,00",    "1.040,00", "228,80",   "*",
                       "0",        "1.268,80", "208,00",   "1.060,80", "Bonifico"};

app::Message againQuestion(const char* lines) {
    return {QStringLiteral("Già esportate:\n%1\n\nEsportarle di nuovo, con un nuovo file? Chi le "
                           "riceve le avrebbe due volte.\n(No: si esportano solo le altre fatture "
                           "scelte)")
                .arg(QString::fromUtf8(lines)),
            QStringLiteral("Gestione"), Icon::Warning, app::Buttons::YesNo};
}

// Invoices 1 and 2 of one client; invoice 1 was exported to file _00001. Then the
// rows `chosen` are exported again.
struct ExportAgain {
    const char* what;
    std::vector<int> chosen;            // 1: invoice 1, 2: invoice 2
    std::optional<app::Answer> answer;  // none: no question
    QStringList files;                  // in the folder afterwards
    const char* firstFile;              // what invoice 1 is marked with on disk
    const char* secondFile;             // and invoice 2
};

class ExportingAgain : public testing::TestWithParam<ExportAgain> {
  protected:
    EinvoiceStore data;
    test_support::ScriptedMessageBoxes boxes;
    app::FixedClock clock{QDateTime(QDate(2025, 2, 3), QTime(10, 0))};
    app::Navigator navigator;
    test_support::FakePrinters printers{{}, {}, {}};
    const app::Services services{data.data.store(), boxes, clock, navigator, printers};
};

TEST_P(ExportingAgain, AsksNamingTheFileAndFollowsTheAnswer) {
    const ExportAgain& e = GetParam();
    const QString id = data.addClient(ClientKind::Company);
    const int rows[] = {data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts),
                        data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts)};
    ASSERT_TRUE(data.exportRows({rows[0]}).ok());
    ASSERT_EQ(data.files(), QStringList{"ITBNCLGU70A01H501Y_00001.xml"});
    ASSERT_TRUE(data.data.store().saveStore().ok());  // as the export window does

    std::vector<int> chosen;
    for (int which : e.chosen)
        chosen.push_back(rows[which - 1]);
    if (e.answer)
        boxes.expect(againQuestion("- Fattura n. 1 del 03/02/2025: file "
                                   "ITBNCLGU70A01H501Y_00001.xml"),
                     *e.answer);
    const int exported = int(e.files.size()) - 1;
    if (exported > 0) {
        const QString proposed = QDir(data.data.folder()).filePath("FatturePA");
        boxes.expectChooseFolder({"Cartella delle fatture elettroniche", proposed, {}},
                                 data.folder());
        boxes.expect({exported == 1
                          ? QStringLiteral("È stato creato il file %1 nella cartella %2.")
                                .arg(e.files.last(), QDir::toNativeSeparators(data.folder()))
                          : QStringLiteral("Sono stati creati 2 file nella cartella %1.")
                                .arg(QDir::toNativeSeparators(data.folder())),
                      "Gestione", Icon::Information});
    }
    einvoice::exportElectronicInvoices(services, {chosen.begin(), chosen.end()}, nullptr);

    EXPECT_EQ(data.files(), e.files) << e.what;
    const registers::InvoiceExtras saved(data.data.reopened(registers::kInvoiceExtrasSheet));
    EXPECT_EQ(saved.exportedAs("1"), e.firstFile) << e.what;
    EXPECT_EQ(saved.exportedAs("2"), e.secondFile) << e.what;
}

INSTANTIATE_TEST_SUITE_P(
    Einvoice, ExportingAgain,
    testing::Values(ExportAgain{"both chosen, sent again",
                                {1, 2},
                                app::Answer::Yes,
                                {"ITBNCLGU70A01H501Y_00001.xml", "ITBNCLGU70A01H501Y_00002.xml",
                                 "ITBNCLGU70A01H501Y_00003.xml"},
                                "ITBNCLGU70A01H501Y_00002.xml",
                                "ITBNCLGU70A01H501Y_00003.xml"},
                    ExportAgain{"both chosen, the exported one left out",
                                {1, 2},
                                app::Answer::No,
                                {"ITBNCLGU70A01H501Y_00001.xml", "ITBNCLGU70A01H501Y_00002.xml"},
                                "ITBNCLGU70A01H501Y_00001.xml",
                                "ITBNCLGU70A01H501Y_00002.xml"},
                    ExportAgain{"only the exported one chosen, left out",
                                {1},
                                app::Answer::No,
                                {"ITBNCLGU70A01H501Y_00001.xml"},
                                "ITBNCLGU70A01H501Y_00001.xml",
                                ""},
                    ExportAgain{"only one never exported: no question",
                                {2},
                                std::nullopt,
                                {"ITBNCLGU70A01H501Y_00001.xml", "ITBNCLGU70A01H501Y_00002.xml"},
                                "ITBNCLGU70A01H501Y_00001.xml",
                                "ITBNCLGU70A01H501Y_00002.xml"}),
    [](const testing::TestParamInfo<ExportAgain>& info) { return std::to_string(info.index); });

TEST(ExportMarks, EmptyingTheRegisterForgetsWhereItsInvoicesWent) {
    EinvoiceStore data;
    const QString id = data.addClient(ClientKind::Company);
    const int row = data.addInvoice(id, "ROSSI & FIGLI SRL", kAmounts);
    ASSERT_TRUE(data.exportRows({row}).ok());
    ASSERT_EQ(
        registers::InvoiceExtras(data.data.sheet(registers::kInvoiceExtrasSheet)).exportedAs("1"),
        "ITBNCLGU70A01H501Y_00001.xml");
    registers::forgetInvoiceExtras(data.data.store());
    EXPECT_TRUE(registers::InvoiceExtras(data.data.sheet(registers::kInvoiceExtrasSheet))
                    .exportedAs("1")
                    .isEmpty());
}

}  // namespace
