// Whole flows of the entry window, each checked in the saved Gestione.xls read back
// with the codec.
#include "entry_window.h"

namespace {

using namespace invoices_test;

class EntryScenario : public EntryWindowTest {};

TEST_F(EntryScenario, TheFirstInvoiceGoesToRowTwoAndTheCountersMoveOn) {
    fillWorkedExample();
    EXPECT_EQ(ui->Text3->text(), "40,00");
    EXPECT_EQ(ui->Text5->text(), "1.040,00");
    EXPECT_EQ(ui->Text6->text(), "228,80");
    EXPECT_EQ(ui->Text8->text(), "1.268,80");
    EXPECT_EQ(ui->Text14->text(), "200,00");
    EXPECT_EQ(ui->Text4->text(), "1.068,80");
    registerAnsweringYes();
    // The window is cleared and proposes the next numbers.
    EXPECT_EQ(ui->Text10->text(), "2");
    EXPECT_EQ(ui->Text1->text(), "2");
    EXPECT_EQ(ui->Combo5->currentText(), "*");
    EXPECT_EQ(ui->Combo3->currentText(), "*");
    EXPECT_EQ(ui->Combo1->currentText(), "Seleziona");
    EXPECT_EQ(ui->Combo2->currentText(), "Seleziona");
    EXPECT_TRUE(ui->Label13->text().isEmpty());
    EXPECT_TRUE(ui->Text12->text().isEmpty());
    saveThroughTheList();

    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Id), "1");
    EXPECT_EQ(saved.text(2, Client), "ROSSI MARIO");
    EXPECT_EQ(saved.text(2, ClientId), "1");
    EXPECT_EQ(saved.text(2, Number), "1");
    EXPECT_EQ(saved.text(2, Date), "07/03/2024");
    EXPECT_EQ(saved.text(2, Description), "Consulenza\nmarzo");
    EXPECT_EQ(saved.text(2, Taxable), "1.000,00");
    EXPECT_EQ(saved.text(2, Surcharge), "40,00");
    EXPECT_EQ(saved.text(2, Vat), "228,80");
    EXPECT_EQ(saved.text(2, Exemption), "*");
    EXPECT_EQ(saved.text(2, ExemptAmount), "0");
    EXPECT_EQ(saved.text(2, Total), "1.268,80");
    EXPECT_EQ(saved.text(2, Withholding), "200,00");
    EXPECT_EQ(saved.text(2, Net), "1.068,80");
    EXPECT_EQ(saved.text(2, Collection), "*");
    EXPECT_EQ(saved.text(2, PaidBy), "Bonifico");
    EXPECT_EQ(saved.value(2, Net).toNumber(), 1068.8);
    EXPECT_EQ(saved.value(1, kRecordCounterColumn).toNumber(), 2);
    EXPECT_EQ(saved.value(1, kNumberCounterColumn).toNumber(), 2);
}

TEST_F(EntryScenario, AHandChangedNumberSetsTheNextOne) {
    fillWorkedExample();
    ui->Check3->click();
    EXPECT_FALSE(ui->Text1->isReadOnly());
    EXPECT_EQ(ui->Text1->palette().color(QPalette::Base), QColor(255, 255, 128));
    ui->Text1->selectAll();
    QTest::keyClicks(ui->Text1, "12a0");  // only digits enter
    EXPECT_EQ(ui->Text1->text(), "120");
    registerAnsweringYes();
    EXPECT_EQ(ui->Text1->text(), "121");
    ui->Check3->click();
    EXPECT_TRUE(ui->Text1->isReadOnly());
    saveThroughTheList();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Number), "120");
    EXPECT_EQ(saved.value(1, kNumberCounterColumn).toNumber(), 121);
}

TEST_F(EntryScenario, NoToTheQuestionClearsAndWritesNothing) {
    fillWorkedExample();
    ui->Text6->clear();
    boxes.expect(kQuestion, app::Answer::No);
    ui->XPButton4->click();
    EXPECT_TRUE(ui->Text9->text().isEmpty());
    EXPECT_EQ(ui->Combo1->currentText(), "Seleziona");
    saveThroughTheList();
    EXPECT_TRUE(data.reopened(store::kInvoicesSheet).value(2, Id).isEmpty());
}

TEST_F(EntryScenario, AnEmptyVatWithNoVatRateIsStoredAsZero) {
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("1000"));
    ui->Text6->clear();
    boxes.expect(kQuestion, app::Answer::Yes).expect(kRegistered);
    ui->XPButton4->click();
    EXPECT_EQ(invoices().text(2, Vat), "0");
}

TEST_F(EntryScenario, AWithholdingNotChosenLastIsRefusedThenRegisteredWhenChosenAgain) {
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("1000"));
    choose(ui->Combo5, QStringLiteral("4"));
    choose(ui->Combo7, QStringLiteral("20"));
    choose(ui->Combo6, QStringLiteral("22"));
    EXPECT_EQ(ui->Text4->text(), ui->Text8->text());
    boxes.expect(kQuestion, app::Answer::Yes).expect(kWithholding);
    ui->XPButton4->click();
    EXPECT_TRUE(ui->Text14->text().isEmpty());
    EXPECT_EQ(ui->Text9->text(), "1.000,00");
    EXPECT_TRUE(invoices().value(2, Id).isEmpty());

    choose(ui->Combo7, QStringLiteral("20"));
    EXPECT_EQ(ui->Text4->text(), "1.068,80");
    registerAnsweringYes();
    saveThroughTheList();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Net), "1.068,80");
    EXPECT_EQ(saved.text(2, Withholding), "200,00");
}

TEST_F(EntryScenario, AModificationWritesTheCollectionDateOrAStar) {
    fillWorkedExample();
    registerAnsweringYes();
    ui->XPButton3->click();
    ASSERT_TRUE(ui->Frame1->isVisibleTo(window.get()));
    EXPECT_FALSE(ui->Check3->isVisibleTo(window.get()));
    ASSERT_EQ(ui->ListView3->model()->rowCount(), 1);
    chooseLine(0);
    EXPECT_FALSE(ui->Frame1->isVisibleTo(window.get()));
    EXPECT_EQ(ui->XPButton3->text(), "Modifica");
    EXPECT_FALSE(ui->XPButton4->isVisibleTo(window.get()));
    EXPECT_TRUE(ui->Label28->isVisibleTo(window.get()));
    EXPECT_EQ(ui->Text13->text(), "");
    ui->Text13->setText(QStringLiteral("15/04/2024"));
    boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_EQ(ui->XPButton3->text(), "Seleziona");
    EXPECT_TRUE(ui->XPButton4->isVisibleTo(window.get()));
    EXPECT_EQ(invoices().text(2, Collection), "15/04/2024");

    ui->XPButton3->click();
    chooseLine(0);
    EXPECT_EQ(ui->Text13->text(), "15/04/2024");
    ui->Text13->clear();
    boxes.expect(kModified);
    ui->XPButton3->click();
    saveThroughTheList();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Collection), "*");
    EXPECT_EQ(saved.value(1, kRecordCounterColumn).toNumber(), 2);
}

TEST_F(EntryScenario, AModificationWithoutChoosingTheClientAgainKeepsWhatWasLoaded) {
    fillWorkedExample();
    registerAnsweringYes();
    ui->XPButton3->click();
    chooseLine(0);
    EXPECT_EQ(ui->Combo1->currentText(), "ROSSI MARIO");
    EXPECT_EQ(ui->Text12->text(), "1");
    EXPECT_EQ(ui->Text4->text(), "1.068,80");
    ui->Text15->setPlainText(QStringLiteral("Consulenza aprile"));
    boxes.expect(kModified);
    ui->XPButton3->click();
    saveThroughTheList();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Client), "ROSSI MARIO");
    EXPECT_EQ(saved.text(2, ClientId), "1");
    EXPECT_EQ(saved.text(2, Description), "Consulenza aprile");
    EXPECT_EQ(saved.text(2, Surcharge), "40,00");
    EXPECT_EQ(saved.text(2, Total), "1.268,80");
    EXPECT_EQ(saved.text(2, Net), "1.068,80");
    EXPECT_TRUE(saved.value(3, Id).isEmpty());
}

// The client window sorted its sheet after this list was loaded: the item still
// gives the client it showed, and the list follows the sheet again.
TEST_F(EntryScenario, TheClientChoiceAfterTheClientSheetWasSorted) {
    registers::ClientSheet(data.sheet(store::kClientsSheet)).sortByName();
    ASSERT_EQ(ui->Combo1->itemText(0), "ROSSI MARIO");
    ui->Combo1->setCurrentIndex(0);
    emit ui->Combo1->activated(0);
    EXPECT_EQ(ui->Combo1->currentText(), "ROSSI MARIO");
    EXPECT_EQ(ui->Text12->text(), "1");
    EXPECT_EQ(ui->Label23->text(), "ROMA");
    EXPECT_EQ(ui->Label22->text(), "00185");
    EXPECT_EQ(ui->Combo1->itemText(0), "BIANCHI SRL");
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("100"));
    registerAnsweringYes();
    saveThroughTheList();
    const store::Worksheet saved = data.reopened(store::kInvoicesSheet);
    EXPECT_EQ(saved.text(2, Client), "ROSSI MARIO");
    EXPECT_EQ(saved.text(2, ClientId), "1");
}

TEST_F(EntryScenario, AClientDeletedSinceTheListWasLoadedIsNotChosen) {
    registers::ClientSheet(data.sheet(store::kClientsSheet)).removeRow(2);
    boxes.expect(
        notice("Il cliente scelto non è più in anagrafe: l'elenco dei clienti è stato "
               "ricaricato.",
               "Gestione", app::Icon::Warning));
    ui->Combo1->setCurrentIndex(0);
    emit ui->Combo1->activated(0);
    EXPECT_EQ(ui->Combo1->currentText(), "Seleziona");
    EXPECT_TRUE(ui->Text12->text().isEmpty());
    EXPECT_EQ(ui->Combo1->count(), 1);
}

TEST_F(EntryScenario, RequiredFieldsAndAHandTypedClient) {
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("100"));
    boxes.expect(kRequired);
    ui->XPButton4->click();
    // A name typed by hand is no client of the registry.
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Combo1->lineEdit()->selectAll();
    QTest::keyClicks(ui->Combo1->lineEdit(), "VERDI");
    EXPECT_TRUE(ui->Text12->text().isEmpty());
    EXPECT_TRUE(ui->Label13->text().isEmpty());
    boxes.expect(kRequired);
    ui->XPButton4->click();
    EXPECT_TRUE(invoices().value(2, Id).isEmpty());
}

// The register was emptied while the invoice was being modified: nothing is
// written and the user is told.
TEST_F(EntryScenario, AModificationOfAnInvoiceNoLongerInTheRegisterWritesNothing) {
    fillWorkedExample();
    registerAnsweringYes();
    ui->XPButton3->click();
    chooseLine(0);
    for (int column = Id; column <= kColumns; ++column)
        ASSERT_TRUE(invoices().setValue(2, column, QString()).ok());
    boxes.expect(
        notice("La fattura con ID 1 non è più nel registro: nessuna modifica è stata "
               "registrata.",
               "  Gestione", app::Icon::Warning));
    ui->XPButton3->click();
    EXPECT_TRUE(invoices().value(2, Id).isEmpty());
    EXPECT_TRUE(invoices().value(2, Client).isEmpty());
    // The fields stay for the user to decide.
    EXPECT_EQ(ui->Combo1->currentText(), "ROSSI MARIO");
}

TEST_F(EntryScenario, AFullRegisterSaysSoAndWritesNothing) {
    const store::Worksheet sheet = invoices();
    for (int row = 2; row <= 65536; ++row)
        ASSERT_TRUE(sheet.setNumber(row, Id, row - 1).ok());
    ASSERT_TRUE(sheet.setNumber(1, kRecordCounterColumn, 65536).ok());
    fillWorkedExample();
    boxes.expect(kQuestion, app::Answer::Yes)
        .expect(notice("Il registro delle fatture è pieno: la fattura non è stata registrata.",
                       "Gestione", app::Icon::Warning));
    ui->XPButton4->click();
    EXPECT_EQ(sheet.value(1, kRecordCounterColumn).toNumber(), 65536);
    EXPECT_EQ(sheet.value(1, kNumberCounterColumn).toNumber(), 1);
    EXPECT_TRUE(sheet.value(65536, Client).isEmpty());
    // Nothing the user typed is lost.
    EXPECT_EQ(ui->Text4->text(), "1.068,80");
}

}  // namespace
