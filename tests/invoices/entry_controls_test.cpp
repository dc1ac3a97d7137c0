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
        {window->Combo1, "Seleziona Cliente"},
        {window->Text1, "Numero Fattura"},
        {window->Check1, "Calendario Data"},
        {window->Text2, "Data"},
        {window->Text15, "Descrizione"},
        {window->Text9, "Imponibile"},
        {window->Combo5, "Rivalsa INPS/Cassa %"},
        {window->Text3, "Importo Rivalsa"},
        {window->Text5, "Totale Imponibile"},
        {window->Combo6, "IVA %"},
        {window->Text6, "Importo IVA"},
        {window->Combo3, "Esenzione"},
        {window->Text7, "Importo Esenzione"},
        {window->Check4, "Rimborso imposta di bollo 2,00"},
        {window->Text8, "Totale Fattura"},
        {window->Combo7, "Ritenuta Acconto"},
        {window->Text14, "Importo Ritenuta"},
        {window->Check2, "Calendario Data Riscossione"},
        {window->Text13, "Data Riscossione"},
        {window->Combo2, "Tramite"},
        {window->Text10, "ID"},
        {window->Text12, "ID Cliente"},
        {window->Text4, "Netto"},
        {window->Check3, "Cambia Nr.Fattura"},
        {window->XPButton4, "Registra"},
        {window->XPButton3, "Seleziona"},
        {window->XPButton5, "Pulisci"},
        {window->XPButton6, "Visualizza Fattura"},
        {window->XPButton2, "Esci"},
        {window->ListView3, "Registro Fatture"},
    };
    for (const auto& [widget, name] : expected)
        EXPECT_EQ(spoken(widget).toStdString(), name) << widget->objectName().toStdString();
    // Labels that show a client's details speak what they show.
    choose(window->Combo1, QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(spoken(window->Label13), "VIA ROMA 1");
    EXPECT_EQ(spoken(window->Label26), "01234567890");
    EXPECT_TRUE(spoken(window->Label15).startsWith("Ore..."));
}

TEST_F(EntryControls, CaptionsTipsAndTheButtonsOfLaterWork) {
    EXPECT_EQ(window->windowTitle(), "Brisvel Lavoratore Autonomo");
    EXPECT_EQ(window->XPButton4->toolTip(), "Inserisci la fattura");
    EXPECT_EQ(window->XPButton3->toolTip(), "Seleziona fatture registrate");
    EXPECT_EQ(window->XPButton5->toolTip(), "Pulisci i campi");
    // "Visualizza Fattura" waits for the program to hand it the invoice document;
    // the register list prints at once.
    EXPECT_FALSE(window->XPButton6->isEnabled());
    invoices::InvoiceForm shown;
    window->setInvoiceDocument([&shown](const invoices::InvoiceForm& form) { shown = form; });
    EXPECT_TRUE(window->XPButton6->isEnabled());
    window->Text15->setPlainText(QStringLiteral("Consulenza"));
    window->XPButton6->click();
    EXPECT_EQ(shown.description, QStringLiteral("Consulenza"));
    EXPECT_TRUE(window->XPButton8->isEnabled());
    EXPECT_EQ(window->XPButton8->text(), "Stampa");
    EXPECT_EQ(window->Frame1->title(), "Registro Fatture");
    EXPECT_FALSE(window->Label28->isVisibleTo(window.get()));
    EXPECT_FALSE(window->Text7->isEnabled());
    EXPECT_EQ(window->Label15->text(), "Ore...09:07:30   del   05/03/2024");
    EXPECT_EQ(window->Text1->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(window->Text9->alignment() & Qt::AlignRight);
}

TEST_F(EntryControls, TabFollowsTheWindowsOrder) {
    const QStringList walk = test_support::names(test_support::tabWalk(window->Combo1));
    EXPECT_EQ(
        walk.join(u' '),
        "Combo1 Text1 Check1 Text2 Text15 Text9 Combo5 Text3 Text5 Combo6 Text6 Check4 "
        "Text8 Combo7 Text14 Check2 Text13 Combo2 Text10 Text12 Combo3 Text4 Check3 XPButton4 "
        "XPButton3 XPButton5 XPButton2");
}

TEST_F(EntryControls, ActivationReadsCountersAndListsAndKeepsWhatWasTyped) {
    EXPECT_EQ(window->Text10->text(), "1");
    EXPECT_EQ(window->Text1->text(), "1");
    EXPECT_EQ(invoices().value(1, kRecordCounterColumn).toNumber(), 1);
    EXPECT_EQ(window->Combo5->count(), 3);  // "*", 4, 2
    EXPECT_EQ(window->Combo3->itemText(1), "Art. 15 DPR 633/72");
    EXPECT_EQ(window->Combo2->currentText(), "Seleziona");
    EXPECT_EQ(window->Combo1->currentText(), "Seleziona");
    EXPECT_EQ(window->Combo1->count(), 2);
    choose(window->Combo1, QStringLiteral("BIANCHI SRL"));
    type(window->Text9, QStringLiteral("500"));
    choose(window->Combo6, QStringLiteral("22"));
    registers::ClientSheet clients(data.sheet(store::kClientsSheet));
    addClient(clients, "VERDI", "", "", "", "", "", "");
    navigator.backToMainMenu(window.get());
    navigator.go(&menu, window.get());
    EXPECT_EQ(window->Combo1->count(), 3);
    EXPECT_EQ(window->Combo1->currentText(), "BIANCHI SRL");
    EXPECT_EQ(window->Text12->text(), "2");
    EXPECT_EQ(window->Text6->text(), "110,00");
    EXPECT_EQ(window->Combo6->currentText(), "*");
}

TEST_F(EntryControls, TheRegisterListHasTheSheetsHeadersWidthsAndAlignment) {
    ASSERT_TRUE(invoices().setValue(1, Description, QStringLiteral("Oggetto")).ok());
    fillWorkedExample();
    registerAnsweringYes();
    window->XPButton3->click();
    const QAbstractItemModel* model = window->ListView3->model();
    ASSERT_EQ(model->columnCount(), 17);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "ID");
    EXPECT_EQ(model->headerData(5, Qt::Horizontal).toString(), "Oggetto");
    EXPECT_EQ(model->headerData(16, Qt::Horizontal).toString(), "Tramite");
    const int pixels[] = {53,  200, 53,  60,  100, 267, 133, 133, 133,
                          133, 200, 133, 133, 133, 133, 100, 133};
    const bool right[] = {false, false, false, false, true, false, true, true, true,
                          true,  true,  true,  true,  true, true,  true, false};
    for (int c = 0; c < 17; ++c) {
        EXPECT_EQ(window->ListView3->columnWidth(c), pixels[c]) << c;
        const auto align =
            model->data(model->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(bool(align & Qt::AlignRight), right[c]) << c;
    }
    EXPECT_EQ(model->data(model->index(0, 5)).toString(), "Consulenza marzo");
    EXPECT_EQ(model->data(model->index(0, 12)).toString(), "1.268,80");
    // The frame's Esci closes the list and returns to new-invoice mode.
    window->XPButton1->click();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(window->Check3->isVisibleTo(window.get()));
    EXPECT_FALSE(window->Frame1->isVisibleTo(window.get()));
}

TEST_F(EntryControls, TheCalendarWritesTheDateItWasOpenedFor) {
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(2024, 3, 5));
    window->Check1->click();
    EXPECT_TRUE(window->MonthView1->isVisibleTo(window.get()));
    emit window->MonthView1->clicked(QDate(2024, 3, 9));
    EXPECT_EQ(window->Text2->text(), "09/03/2024");
    EXPECT_FALSE(window->Check1->isChecked());
    EXPECT_FALSE(window->MonthView1->isVisibleTo(window.get()));

    window->Check1->click();
    window->Check2->click();
    EXPECT_FALSE(window->Check1->isChecked());
    EXPECT_TRUE(window->MonthView1->isVisibleTo(window.get()));
    emit window->MonthView1->clicked(QDate(2024, 4, 15));
    EXPECT_EQ(window->Text13->text(), "15/04/2024");
    EXPECT_EQ(window->Text2->text(), "09/03/2024");
    // Unticking without a pick leaves the field as it was.
    window->Check2->click();
    window->Check2->click();
    EXPECT_FALSE(window->MonthView1->isVisibleTo(window.get()));
    EXPECT_EQ(window->Text13->text(), "15/04/2024");
}

TEST_F(EntryControls, TheVatTurnsRedUntilItsRateIsChosenAgain) {
    type(window->Text9, QStringLiteral("1000"));
    choose(window->Combo6, QStringLiteral("22"));
    choose(window->Combo5, QStringLiteral("*"));
    EXPECT_EQ(window->Text6->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_TRUE(window->Text6->text().isEmpty());
    choose(window->Combo6, QStringLiteral("22"));
    EXPECT_EQ(window->Text6->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(window->Text6->text(), "220,00");
    EXPECT_EQ(window->Text4->text(), "1.220,00");
}

TEST_F(EntryControls, AmountBoxesTakeDigitsAndCommas) {
    window->Text9->setFocus();
    QTest::keyClicks(window->Text9, "12.5-x");
    EXPECT_EQ(window->Text9->text(), "12,5");
    window->Text15->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(window->Text9->text(), "12,50");
    EXPECT_EQ(window->Text4->text(), "12,50");
    choose(window->Combo3, QStringLiteral("Art. 15 DPR 633/72"));
    ASSERT_TRUE(window->Text7->isEnabled());
    type(window->Text7, QStringLiteral("3.5"));
    EXPECT_EQ(window->Text7->text(), "3,5");
    EXPECT_EQ(window->Text8->text(), "16,00");
}

TEST_F(EntryControls, CtrlEnterBreaksTheDescriptionAndTabLeavesIt) {
    window->Text15->setFocus();
    QTest::keyClicks(window->Text15, "Consulenza");
    QTest::keyClick(window->Text15, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(window->Text15, "marzo");
    EXPECT_EQ(window->Text15->toPlainText().toStdString(), "Consulenza\nmarzo");
    QTest::keyClick(window->Text15, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Text9);
}

TEST_F(EntryControls, TheCloseBoxIsRefusedAndEsciClearsAndLeaves) {
    QCloseEvent close;
    QApplication::sendEvent(window.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(window->isVisible());
    type(window->Text9, QStringLiteral("100"));
    window->Check3->click();
    window->XPButton2->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(window->Text9->text().isEmpty());
    EXPECT_FALSE(window->Check3->isChecked());
}

TEST_F(EntryControls, PulisciEmptiesTheWindowAndKeepsTheCounters) {
    fillWorkedExample();
    window->Text13->setText(QStringLiteral("01/04/2024"));
    window->XPButton5->click();
    for (QLineEdit* f :
         {window->Text2, window->Text9, window->Text3, window->Text5, window->Text6, window->Text8,
          window->Text14, window->Text4, window->Text13, window->Text12})
        EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
    EXPECT_TRUE(window->Text15->toPlainText().isEmpty());
    EXPECT_EQ(window->Text10->text(), "1");
    EXPECT_EQ(window->Combo7->currentText(), "*");
    EXPECT_EQ(window->Combo2->currentText(), "Seleziona");
    EXPECT_TRUE(window->Label24->text().isEmpty());
}

// "Fattura Elettronica" of the register list hands over the register rows of the
// chosen lines; the program's root sends them to the electronic invoice's export.
TEST_F(EntryControls, FatturaElettronicaHandsOverTheChosenRegisterRows) {
    fillWorkedExample();
    registerAnsweringYes();
    window->XPButton3->click();
    QSignalSpy requests(window.get(), &invoices::Entrata::electronicInvoiceRequested);
    window->XPButton9->click();
    window->ListView3->selectionModel()->select(
        window->ListView3->model()->index(0, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->XPButton9->click();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0][0].value<QList<int>>(), QList<int>());
    EXPECT_EQ(requests[1][0].value<QList<int>>(), QList<int>{2});
}

}  // namespace
