// Amounts that no longer agree never reach the register: each row is what a user
// does in the entry window before "Registra" (or, on an invoice loaded from the
// register list, before "Modifica"), and either the row then registered or the
// refusal that leaves the register as it was.
#include "entry_window.h"

#include <string>
#include <vector>

namespace {

using namespace invoices_test;

struct Step {
    enum Kind { Type, Choose, TypeRate, OpenAgain } kind;
    const char* control = "";
    const char* text = "";
};
Step typed(const char* field, const char* text) {
    return {Step::Type, field, text};
}
Step chosen(const char* combo, const char* item) {
    return {Step::Choose, combo, item};
}

struct AgreementRow {
    std::string name;
    bool modifying;  // on the worked example loaded from the register list
    std::vector<Step> steps;
    const char* refusal;  // none: the invoice is written
    const char* total = "";
    const char* net = "";
};

class EntryAgreement : public EntryWindowTest, public testing::WithParamInterface<AgreementRow> {
  protected:
    void run(const Step& step) {
        switch (step.kind) {
            case Step::Type:
                type(ui->find<QLineEdit>(step.control), QString::fromUtf8(step.text));
                return;
            case Step::Choose:
                choose(ui->find<QComboBox>(step.control), QString::fromUtf8(step.text));
                return;
            case Step::TypeRate:
                ui->find<QComboBox>(step.control)->setEditText(QString::fromUtf8(step.text));
                return;
            case Step::OpenAgain:
                navigator.backToMainMenu(window.get());
                navigator.go(&menu, window.get());
                QApplication::setActiveWindow(window.get());
                return;
        }
    }
};

TEST_P(EntryAgreement, OnlyAmountsThatAgreeAreWritten) {
    const AgreementRow& row = GetParam();
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    if (row.modifying) {
        fillWorkedExample();
        registerAnsweringYes();
        ui->XPButton3->click();
        chooseLine(0);
        ASSERT_EQ(ui->XPButton3->text(), "Modifica");
    }
    for (const Step& step : row.steps)
        run(step);
    const QString totalBefore = invoices().text(2, Total);

    if (!row.modifying)
        boxes.expect(kQuestion, app::Answer::Yes);
    if (row.refusal)
        boxes.expect(notice(row.refusal, "Gestione"));
    else
        boxes.expect(row.modifying ? kModified : kRegistered);
    (row.modifying ? ui->XPButton3 : ui->XPButton4)->click();

    if (row.refusal) {
        EXPECT_EQ(invoices().text(2, Total), totalBefore);
        EXPECT_TRUE(invoices().value(3, Id).isEmpty());
        return;
    }
    EXPECT_EQ(invoices().text(2, Total), row.total);
    EXPECT_EQ(invoices().text(2, Net), row.net);
}

const Step kOpenAgain{Step::OpenAgain};

INSTANTIATE_TEST_SUITE_P(
    Invoices, EntryAgreement,
    testing::Values(
        AgreementRow{"TheTaxableChangedAfterTheVat",
                     false,
                     {typed("Text9", "1000"), chosen("Combo5", "4"), chosen("Combo6", "22"),
                      chosen("Combo7", "20"), typed("Text9", "2000")},
                     nullptr,
                     "2.537,60",
                     "2.137,60"},
        // The rates are no longer shown: the amounts cannot follow the new taxable.
        AgreementRow{"TheTaxableChangedAfterTheWindowOpenedAgain",
                     false,
                     {typed("Text9", "1000"), chosen("Combo5", "4"), chosen("Combo6", "22"),
                      chosen("Combo7", "20"), kOpenAgain, typed("Text9", "2000")},
                     "L'importo \"Importo Rivalsa\" va ricalcolato: scegliere di nuovo "
                     "\"Rivalsa INPS/Cassa %\"."},
        AgreementRow{
            "TheRatesChosenAgainAfterANewTaxable",
            false,
            {typed("Text9", "1000"), chosen("Combo5", "4"), chosen("Combo6", "22"), kOpenAgain,
             typed("Text9", "2000"), chosen("Combo5", "4"), chosen("Combo6", "22")},
            nullptr,
            "2.537,60",
            "2.537,60"},
        AgreementRow{"AnExemptAmountTypedBeforeTheInpsRate",
                     false,
                     {typed("Text9", "1000"), chosen("Combo3", "Art. 15 DPR 633/72"),
                      typed("Text7", "50"), chosen("Combo5", "4")},
                     nullptr,
                     "1.090,00",
                     "1.090,00"},
        // Left as it was, the VAT would be 0 under "IVA % 22".
        AgreementRow{"TheInpsRateChosenAgainAfterTheVat",
                     false,
                     {typed("Text9", "1000"), chosen("Combo5", "4"), chosen("Combo6", "22"),
                      chosen("Combo5", "4")},
                     "L'importo \"Importo IVA\" va ricalcolato: scegliere di nuovo \"IVA %\"."},
        AgreementRow{"AVatRateTypedAfterTheVat",
                     false,
                     {typed("Text9", "1000"),
                      chosen("Combo5", "4"),
                      chosen("Combo6", "22"),
                      {Step::TypeRate, "Combo6", "10"}},
                     "L'importo \"Importo IVA\" (228,80) non è il 10 % di 1.040,00: scegliere di "
                     "nuovo \"IVA %\"."},
        AgreementRow{
            "AModificationOfTheDescriptionOnly", true, {}, nullptr, "1.268,80", "1.068,80"},
        // "Registra" refuses the same state with the same words.
        AgreementRow{"AModificationWhoseNetIgnoresTheWithholding",
                     true,
                     {chosen("Combo6", "22")},
                     " Errore - In presenza di un valore  nel campo ritenuta , occorre "
                     "rilsezionare il conteggio della ritenuta !"},
        // Loaded with the rates it was made with, a new taxable is computed by them.
        AgreementRow{"AModificationOfTheTaxableAlone",
                     true,
                     {typed("Text9", "1500")},
                     nullptr,
                     "1.903,20",
                     "1.603,20"},
        AgreementRow{"AModificationOfTheTaxableWithItsRates",
                     true,
                     {typed("Text9", "1500"), chosen("Combo5", "4"), chosen("Combo6", "22"),
                      chosen("Combo7", "20")},
                     nullptr,
                     "1.903,20",
                     "1.603,20"}),
    [](const testing::TestParamInfo<AgreementRow>& info) { return info.param.name; });

}  // namespace
