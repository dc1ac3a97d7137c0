// The entry window's controls: names, captions, accessible names, tab order, the
// register list's columns, activation, the calendar, the clock, the close box.
#include "entry_window.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>

#include "support/reading_order.h"

namespace {

using namespace invoices_test;

class EntryControls : public EntryWindowTest {};

// An editable combo box on Linux speaks its text as its name (Qt gives its caption
// through the label relation); its own name is the property.
QString spoken(QWidget* w) {
    if (qobject_cast<QComboBox*>(w))
        return w->accessibleName();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

TEST_F(EntryControls, EveryInputSaysWhatItIs) {
    const std::pair<QWidget*, const char*> expected[] = {
        {ui->Combo1, "Seleziona Cliente"},
        {ui->Text1, "Numero Fattura"},
        {ui->Check1, "Calendario Data"},
        {ui->Text2, "Data"},
        {ui->Text15, "Descrizione"},
        {ui->Text9, "Imponibile"},
        {ui->Combo5, "Rivalsa INPS/Cassa %"},
        {ui->Text3, "Importo Rivalsa"},
        {ui->Text5, "Totale Imponibile"},
        {ui->Combo6, "IVA %"},
        {ui->Text6, "Importo IVA"},
        {ui->Combo3, "Esenzione"},
        {ui->Text7, "Importo Esenzione"},
        {ui->Check4, "Rimborso imposta di bollo 2,00"},
        {ui->Text8, "Totale Fattura"},
        {ui->Combo7, "Ritenuta Acconto"},
        {ui->Text14, "Importo Ritenuta"},
        {ui->Check2, "Calendario Data Riscossione"},
        {ui->Text13, "Data Riscossione"},
        {ui->Combo2, "Tramite"},
        {ui->Text16, "Scadenza"},
        {ui->Text10, "ID"},
        {ui->Text12, "ID Cliente"},
        {ui->Text4, "Netto"},
        {ui->Check3, "Cambia Nr.Fattura"},
        {ui->XPButton4, "Registra"},
        {ui->XPButton3, "Seleziona"},
        {ui->XPButton5, "Pulisci"},
        {ui->XPButton6, "Visualizza Fattura"},
        {ui->XPButton2, "Esci"},
        {ui->ListView3, "Registro Fatture"},
    };
    for (const auto& [widget, name] : expected)
        EXPECT_EQ(spoken(widget).toStdString(), name) << widget->objectName().toStdString();
    // Labels that show a client's details speak what they show.
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(spoken(ui->Label13), "VIA ROMA 1");
    EXPECT_EQ(spoken(ui->Label26), "01234567890");
    EXPECT_TRUE(spoken(ui->Label15).startsWith("Ore..."));
}

TEST_F(EntryControls, CaptionsTipsAndTheButtonsOfLaterWork) {
    EXPECT_EQ(window->windowTitle(), "Brisvel Lavoratore Autonomo");
    EXPECT_EQ(ui->XPButton4->toolTip(), "Inserisci la fattura");
    EXPECT_EQ(ui->XPButton3->toolTip(), "Seleziona fatture registrate");
    EXPECT_EQ(ui->XPButton5->toolTip(), "Pulisci i campi");
    // "Visualizza Fattura" waits for the program to hand it the invoice document;
    // the register list prints at once.
    EXPECT_FALSE(ui->XPButton6->isEnabled());
    registers::InvoiceFields shown;
    window->setInvoiceDocument([&shown](const registers::InvoiceFields& form) { shown = form; });
    EXPECT_TRUE(ui->XPButton6->isEnabled());
    fillWorkedExample();
    ui->XPButton6->click();
    EXPECT_EQ(shown.description, QStringLiteral("Consulenza\nmarzo"));
    EXPECT_TRUE(ui->XPButton8->isEnabled());
    EXPECT_EQ(ui->XPButton8->text(), "Stampa");
    EXPECT_EQ(ui->Frame1->title(), "Registro Fatture");
    EXPECT_FALSE(ui->Label28->isVisibleTo(window.get()));
    EXPECT_FALSE(ui->Text7->isEnabled());
    EXPECT_EQ(ui->Label15->text(), "Ore...09:07:30   del   05/03/2024");
    EXPECT_EQ(ui->Text1->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(ui->Text9->alignment() & Qt::AlignRight);
}

TEST_F(EntryControls, TabFollowsTheWindowsOrder) {
    const QStringList walk = test_support::names(test_support::tabWalk(ui->Combo1));
    EXPECT_EQ(walk.join(u' '),
              "Combo1 Text1 Check1 Text2 Text15 Text9 Combo5 Text3 Text5 Combo6 Text6 Check4 "
              "Text8 Combo7 Text14 Check2 Text13 Combo2 Text16 Text10 Text12 Combo3 Text4 Check3 "
              "XPButton4 "
              "XPButton3 XPButton5 XPButton2");
}

TEST_F(EntryControls, ActivationReadsCountersAndListsAndKeepsWhatWasTyped) {
    EXPECT_EQ(ui->Text10->text(), "1");
    EXPECT_EQ(ui->Text1->text(), "1");
    EXPECT_EQ(invoices().value(1, kRecordCounterColumn).toNumber(), 1);
    EXPECT_EQ(ui->Combo5->count(), 3);  // "*", 4, 2
    EXPECT_EQ(ui->Combo3->itemText(1), "Art. 15 DPR 633/72");
    EXPECT_EQ(ui->Combo2->currentText(), "Seleziona");
    EXPECT_EQ(ui->Combo1->currentText(), "Seleziona");
    EXPECT_EQ(ui->Combo1->count(), 2);
    choose(ui->Combo1, QStringLiteral("BIANCHI SRL"));
    type(ui->Text9, QStringLiteral("500"));
    choose(ui->Combo6, QStringLiteral("22"));
    registers::ClientSheet clients(data.sheet(store::kClientsSheet));
    addClient(clients, "VERDI", "", "", "", "", "", "");
    navigator.backToMainMenu(window.get());
    navigator.go(&menu, window.get());
    EXPECT_EQ(ui->Combo1->count(), 3);
    EXPECT_EQ(ui->Combo1->currentText(), "BIANCHI SRL");
    EXPECT_EQ(ui->Text12->text(), "2");
    EXPECT_EQ(ui->Text6->text(), "110,00");
    EXPECT_EQ(ui->Combo6->currentText(), "*");
}

TEST_F(EntryControls, TheRegisterListHasTheSheetsHeadersWidthsAndAlignment) {
    ASSERT_TRUE(invoices().setValue(1, Description, QStringLiteral("Oggetto")).ok());
    fillWorkedExample();
    registerAnsweringYes();
    ui->XPButton3->click();
    const QAbstractItemModel* model = ui->ListView3->model();
    // The register's seventeen columns, then the state of the invoice's electronic file.
    ASSERT_EQ(model->columnCount(), 18);
    EXPECT_EQ(model->headerData(17, Qt::Horizontal).toString(), "Stato SDI");
    EXPECT_EQ(model->data(model->index(0, 17)).toString(), "") << "never exported";
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "ID");
    EXPECT_EQ(model->headerData(5, Qt::Horizontal).toString(), "Oggetto");
    EXPECT_EQ(model->headerData(16, Qt::Horizontal).toString(), "Tramite");
    const int pixels[] = {53,  200, 53,  60,  100, 267, 133, 133, 133,
                          133, 200, 133, 133, 133, 133, 100, 133};
    const bool right[] = {false, false, false, false, true, false, true, true, true,
                          true,  true,  true,  true,  true, true,  true, false};
    for (int c = 0; c < 17; ++c) {
        EXPECT_EQ(ui->ListView3->columnWidth(c), pixels[c]) << c;
        const auto align =
            model->data(model->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(bool(align & Qt::AlignRight), right[c]) << c;
    }
    EXPECT_EQ(model->data(model->index(0, 5)).toString(), "Consulenza marzo");
    EXPECT_EQ(model->data(model->index(0, 12)).toString(), "1.268,80");
    // The frame's Esci closes the list and returns to new-invoice mode.
    ui->XPButton1->click();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(ui->Check3->isVisibleTo(window.get()));
    EXPECT_FALSE(ui->Frame1->isVisibleTo(window.get()));
}

TEST_F(EntryControls, TheCalendarWritesTheDateItWasOpenedFor) {
    EXPECT_EQ(ui->MonthView1->selectedDate(), QDate(2024, 3, 5));
    ui->Check1->click();
    EXPECT_TRUE(ui->MonthView1->isVisibleTo(window.get()));
    emit ui->MonthView1->clicked(QDate(2024, 3, 9));
    EXPECT_EQ(ui->Text2->text(), "09/03/2024");
    EXPECT_FALSE(ui->Check1->isChecked());
    EXPECT_FALSE(ui->MonthView1->isVisibleTo(window.get()));

    ui->Check1->click();
    ui->Check2->click();
    EXPECT_FALSE(ui->Check1->isChecked());
    EXPECT_TRUE(ui->MonthView1->isVisibleTo(window.get()));
    emit ui->MonthView1->clicked(QDate(2024, 4, 15));
    EXPECT_EQ(ui->Text13->text(), "15/04/2024");
    EXPECT_EQ(ui->Text2->text(), "09/03/2024");
    // Unticking without a pick leaves the field as it was.
    ui->Check2->click();
    ui->Check2->click();
    EXPECT_FALSE(ui->MonthView1->isVisibleTo(window.get()));
    EXPECT_EQ(ui->Text13->text(), "15/04/2024");
}

TEST_F(EntryControls, TheVatTurnsRedUntilItsRateIsChosenAgain) {
    type(ui->Text9, QStringLiteral("1000"));
    choose(ui->Combo6, QStringLiteral("22"));
    choose(ui->Combo5, QStringLiteral("*"));
    EXPECT_EQ(ui->Text6->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(ui->Text6->text().isEmpty());
    choose(ui->Combo6, QStringLiteral("22"));
    // Back to the theme's own colours.
    EXPECT_EQ(ui->Text6->palette().color(QPalette::Base), window->palette().color(QPalette::Base));
    EXPECT_EQ(ui->Text6->text(), "220,00");
    EXPECT_EQ(ui->Text4->text(), "1.220,00");
}

TEST_F(EntryControls, AmountBoxesTakeDigitsCommasAndThousandsDots) {
    ui->Text9->setFocus();
    QTest::keyClicks(ui->Text9, "1.234,5-x");
    EXPECT_EQ(ui->Text9->text(), "1.234,5");
    ui->Text15->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ui->Text9->text(), "1.234,50");
    EXPECT_EQ(ui->Text4->text(), "1.234,50");
    choose(ui->Combo3, QStringLiteral("Art. 15 DPR 633/72"));
    ASSERT_TRUE(ui->Text7->isEnabled());
    type(ui->Text7, QStringLiteral("3,5"));
    EXPECT_EQ(ui->Text7->text(), "3,5");
    EXPECT_EQ(ui->Text8->text(), "1.238,00");
}

TEST_F(EntryControls, CtrlEnterBreaksTheDescriptionEnterAndTabLeaveIt) {
    ui->Text15->setFocus();
    QTest::keyClicks(ui->Text15, "Consulenza");
    QTest::keyClick(ui->Text15, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(ui->Text15, "marzo");
    EXPECT_EQ(ui->Text15->toPlainText().toStdString(), "Consulenza\nmarzo");
    for (const Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter}) {
        ui->Text15->setFocus();
        QTest::keyClick(ui->Text15, leave);
        EXPECT_EQ(QApplication::focusWidget(), ui->Text9) << leave;
    }
    EXPECT_EQ(ui->Text15->toPlainText().toStdString(), "Consulenza\nmarzo");
}

TEST_F(EntryControls, TheCloseBoxIsRefusedAndEsciClearsAndLeaves) {
    QCloseEvent close;
    QApplication::sendEvent(window.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(window->isVisible());
    type(ui->Text9, QStringLiteral("100"));
    ui->Check3->click();
    ui->XPButton2->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(ui->Text9->text().isEmpty());
    EXPECT_FALSE(ui->Check3->isChecked());
}

TEST_F(EntryControls, PulisciEmptiesTheWindowAndKeepsTheCounters) {
    fillWorkedExample();
    ui->Text13->setText(QStringLiteral("01/04/2024"));
    ui->XPButton5->click();
    for (QLineEdit* f : {ui->Text2, ui->Text9, ui->Text3, ui->Text5, ui->Text6, ui->Text8,
                         ui->Text14, ui->Text4, ui->Text13, ui->Text12})
        EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
    EXPECT_TRUE(ui->Text15->toPlainText().isEmpty());
    EXPECT_EQ(ui->Text10->text(), "1");
    EXPECT_EQ(ui->Combo7->currentText(), "*");
    EXPECT_EQ(ui->Combo2->currentText(), "Seleziona");
    EXPECT_TRUE(ui->Label24->text().isEmpty());
}

// "Fattura Elettronica" of the register list hands over the register rows of the
// chosen lines; the program's root sends them to the electronic invoice's export.
TEST_F(EntryControls, FatturaElettronicaHandsOverTheChosenRegisterRows) {
    fillWorkedExample();
    registerAnsweringYes();
    ui->XPButton3->click();
    QSignalSpy requests(window.get(), &invoices::Entrata::electronicInvoiceRequested);
    ui->XPButton9->click();
    ui->ListView3->selectionModel()->select(
        ui->ListView3->model()->index(0, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui->XPButton9->click();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0][0].value<QList<int>>(), QList<int>());
    EXPECT_EQ(requests[1][0].value<QList<int>>(), QList<int>{2});
}

}  // namespace
