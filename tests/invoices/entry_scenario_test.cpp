// Whole flows of the entry window, each checked in the saved Gestione.xls read back
// with the codec.
#include "entry_window.h"

#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "store/sheet_idioms.h"

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

// What the codes window says of the surcharge item decides the withholding's base,
// on screen and in the register's N and O columns.
TEST_F(EntryScenario, TheWithholdingBaseFollowsTheKindOfSurcharge) {
    struct Row {
        const char* cassaType;
        const char* withholding;
        const char* net;
    };
    for (const Row& row : {Row{"TC22", "208,00", "1.060,80"}, Row{"TC04", "200,00", "1.068,80"},
                           Row{"", "200,00", "1.068,80"}}) {
        registers::prepareEinvoiceCodesSheet(data.store());
        registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
            .setCodes(registers::CodedList::Cassa, "4", {row.cassaType, {}});
        // Codes are set in the codes window, from the main menu: the entry window is
        // opened again after them.
        navigator.backToMainMenu(window.get());
        navigator.go(&menu, window.get());
        fillWorkedExample();
        EXPECT_EQ(ui->Text14->text(), row.withholding) << row.cassaType;
        EXPECT_EQ(ui->Text4->text(), row.net) << row.cassaType;
        const int registered = *store::firstFreeRow(invoices(), Id);
        registerAnsweringYes();
        EXPECT_EQ(invoices().text(registered, Withholding), row.withholding);
        EXPECT_EQ(invoices().text(registered, Net), row.net);
    }
}

// Before the question of "Registra": what the regime forbids is refused, and a
// withholding on a client without a VAT number must be confirmed.
TEST_F(EntryScenario, RegistraRefusesWhatTheRegimeForbidsAndAsksAboutAWithholdingAgent) {
    registers::ClientSheet clients(data.sheet(store::kClientsSheet));
    addClient(clients, "CONDOMINIO VIA VERDI 3", "VIA VERDI 3", "56017", "PISA", "PI",
              "93012345678", "");
    addClient(clients, "MUELLER GMBH", "HAUPTSTRASSE 5", "80331", "MÜNCHEN", "", "", "");
    window->activate();
    registers::prepareEinvoiceCodesSheet(data.store());
    // The GmbH is in Germany, as the codes window says.
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
        .setAddressing(registers::ClientSheet(data.sheet(store::kClientsSheet))
                           .rows()
                           .back()[registers::client::Id],
                       "MUELLER GMBH", {"0000000", "", "DE", "DE123456789"});
    const app::Message question{
        QStringLiteral("Il cliente non ha partita IVA: la ritenuta d'acconto si applica solo se "
                       "è un sostituto d'imposta (un condominio, un ente non commerciale), mai a "
                       "un privato.\nRegistrare la fattura con la ritenuta ?"),
        QStringLiteral("Gestione"), app::Icon::Question, app::Buttons::YesNo};
    struct Row {
        const char* what;
        const char* regime;
        const char* client;
        std::vector<std::pair<app::Message, app::Answer>> prompts;
        bool registered;
    };
    const Row rows[] = {
        {"flat rate with VAT and withholding",
         "RF19",
         "ROSSI MARIO",
         {{notice("La fattura non è stata registrata:\n- con il regime forfettario (RF19) la "
                  "fattura non ha IVA, ma l'IVA è 228,80: scegliere \"*\" come IVA e la voce di "
                  "esenzione del regime\n- con il regime forfettario (RF19) la fattura non ha "
                  "ritenuta d'acconto, ma la ritenuta è 200,00: scegliere \"*\" come ritenuta",
                  "Gestione", app::Icon::Warning),
           app::Answer::Ok}},
         false},
        {"withholding on a company abroad",
         "RF01",
         "MUELLER GMBH",
         {{notice("La fattura non è stata registrata:\n- il cliente è all'estero (DE): non è un "
                  "sostituto d'imposta italiano e non applica la ritenuta d'acconto: scegliere "
                  "\"*\" come ritenuta",
                  "Gestione", app::Icon::Warning),
           app::Answer::Ok}},
         false},
        {"no VAT number, the user says No",
         "RF01",
         "CONDOMINIO VIA VERDI 3",
         {{question, app::Answer::No}},
         false},
        {"no VAT number, the user says Yes",
         "RF01",
         "CONDOMINIO VIA VERDI 3",
         {{question, app::Answer::Yes},
          {kQuestion, app::Answer::Yes},
          {kRegistered, app::Answer::Ok}},
         true},
    };
    for (const Row& row : rows) {
        registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
            .setTaxRegime(row.regime);
        ui->XPButton5->click();
        fillWorkedExample();
        choose(ui->Combo1, QString::fromUtf8(row.client));
        const int free = *store::firstFreeRow(invoices(), Id);
        for (const auto& [prompt, answer] : row.prompts)
            boxes.expect(prompt, answer);
        ui->XPButton4->click();
        EXPECT_EQ(!invoices().text(free, Id).isEmpty(), row.registered) << row.what;
    }
}

// The stamp duty charged to the client: added to the total and the net at
// "Registra", kept beside the register by the invoice's ID, shown again when the
// invoice is chosen for modification, and dropped by a modification that unticks it.
TEST_F(EntryScenario, TheStampDutyLineIsChargedKeptAndShownAgain) {
    registers::prepareInvoiceExtrasSheet(data.store());
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("1000"));
    choose(ui->Combo5, QStringLiteral("4"));
    ui->Check4->click();
    EXPECT_EQ(ui->Text8->text(), "1.042,00") << "the line enters the total at once";
    ui->Check4->click();
    EXPECT_EQ(ui->Text8->text(), "1.040,00");
    ui->Check4->click();
    registerAnsweringYes();
    EXPECT_FALSE(ui->Check4->isChecked()) << "cleared with the window";
    EXPECT_EQ(invoices().text(2, Total), "1.042,00");
    EXPECT_EQ(invoices().text(2, Net), "1.042,00");
    EXPECT_EQ(invoices().text(1, 18), "") << "nothing beside the register";
    const auto extras = [&] {
        return registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet));
    };
    EXPECT_EQ(extras().stampDutyCharged("1"), registers::kStampDuty);

    ui->XPButton3->click();
    chooseLine(0);
    EXPECT_TRUE(ui->Check4->isChecked());
    ui->Check4->click();
    EXPECT_EQ(ui->Text4->text(), "1.040,00");
    boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_TRUE(extras().stampDutyCharged("1").isZero());
}

// The due date: proposed from the invoice date and the payment item's days as the
// user types, kept by the invoice's ID as registered (changed or not), shown again
// for modification; one that is not a calendar date is refused and nothing written.
TEST_F(EntryScenario, TheDueDateIsProposedKeptAndShownAgain) {
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::prepareEinvoiceCodesSheet(data.store());
    const store::Worksheet settings = data.sheet(store::kSettingsSheet);
    ASSERT_TRUE(registers::insertItem(settings, registers::kPaymentColumn, "RIBA 30 GG").ok());
    ASSERT_TRUE(registers::insertItem(settings, registers::kPaymentColumn, "RIBA 60 GG").ok());
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet))
        .setPaymentDays("RIBA 60 GG", 90);
    window->activate();
    const auto extras = [&] {
        return registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet));
    };
    struct Row {
        const char* what;
        const char* paidBy;
        const char* proposed;
        const char* typed;                // what the user writes over the proposal, or nothing
        QDate kept;                       // invalid: refused, nothing registered
        const char* collected = nullptr;  // the collection date typed, or nothing
        QString refusal = {};             // "%1" stands for the invoice's number
    };
    const QString notADate = QStringLiteral(
        "Il campo \"Scadenza\" non contiene una data valida: \"31/04/2024\".\nScrivere un "
        "giorno del calendario come gg/mm/aaaa, per esempio 05/03/2026: nulla è stato "
        "registrato.");
    const Row rows[] = {
        {"days from the item's text", "RIBA 30 GG", "06/04/2024", nullptr, QDate(2024, 4, 6)},
        {"days set in the codes window", "RIBA 60 GG", "05/06/2024", nullptr, QDate(2024, 6, 5)},
        {"no days: the invoice date", "Bonifico", "07/03/2024", nullptr, QDate(2024, 3, 7)},
        {"changed by the user", "RIBA 30 GG", "06/04/2024", "30/04/2024", QDate(2024, 4, 30)},
        {"emptied by the user: the proposal", "RIBA 30 GG", "06/04/2024", "", QDate(2024, 4, 6)},
        {"not a calendar date", "RIBA 30 GG", "06/04/2024", "31/04/2024", QDate(), nullptr,
         notADate},
        {"before the invoice", "RIBA 30 GG", "06/04/2024", "01/01/2020", QDate(), nullptr,
         QStringLiteral("La scadenza 01/01/2020 precede la data della fattura n. %1 del "
                        "07/03/2024: scrivere il giorno in cui il pagamento è dovuto.")},
        {"collected before the invoice", "Bonifico", "07/03/2024", nullptr, QDate(), "06/03/2024",
         QStringLiteral("La data dell'incasso 06/03/2024 precede la data della fattura n. %1 "
                        "del 07/03/2024: scrivere la data in cui è stata incassata.")},
        {"collected on the invoice's day", "Bonifico", "07/03/2024", nullptr, QDate(2024, 3, 7),
         "07/03/2024"},
    };
    // Today is the invoice's day, so a collection on it is no collection to come.
    clock.set(QDateTime(QDate(2024, 3, 7), QTime(9, 0)));
    for (const Row& row : rows) {
        ui->XPButton5->click();
        fillWorkedExample();
        choose(ui->Combo2, QString::fromUtf8(row.paidBy));
        EXPECT_EQ(ui->Text16->text(), row.proposed) << row.what;
        if (row.typed)
            ui->Text16->setText(QString::fromUtf8(row.typed));
        if (row.collected)
            ui->Text13->setText(QString::fromUtf8(row.collected));
        const int free = *store::firstFreeRow(invoices(), Id);
        const QString id = ui->Text10->text();
        if (row.refusal.isEmpty()) {
            registerAnsweringYes();
        } else {
            boxes.expect(app::Message{
                row.refusal.contains(u"%1") ? row.refusal.arg(ui->Text1->text()) : row.refusal,
                QStringLiteral("Gestione"), app::Icon::Warning});
            ui->XPButton4->click();
        }
        EXPECT_EQ(invoices().text(free, Id).isEmpty(), !row.kept.isValid()) << row.what;
        EXPECT_EQ(extras().dueDate(id), row.kept) << row.what;
    }

    // Chosen for modification, the kept date is shown; a new one replaces it.
    ui->XPButton5->click();
    ui->XPButton3->click();
    chooseLine(3);
    EXPECT_EQ(ui->Text16->text(), "30/04/2024");
    ui->Text16->setText(QStringLiteral("15/05/2024"));
    boxes.expect(kModified);
    ui->XPButton3->click();
    EXPECT_EQ(extras().dueDate("4"), QDate(2024, 5, 15));
}

// Under the flat-rate regime an invoice above 77,47 is offered the stamp duty line.
TEST_F(EntryScenario, TheFlatRateOffersTheStampDutyLineAtRegistra) {
    registers::prepareEinvoiceCodesSheet(data.store());
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet)).setTaxRegime("RF19");
    const app::Message offer{
        QStringLiteral("La fattura supera 77,47 senza IVA: è dovuta l'imposta di bollo di 2,00.\n"
                       "Addebitarla al cliente come rimborso ?"),
        QStringLiteral("Gestione"), app::Icon::Question, app::Buttons::YesNo};
    for (const auto& [answer, total] :
         {std::pair{app::Answer::Yes, "1.002,00"}, std::pair{app::Answer::No, "1.000,00"}}) {
        choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
        ui->Text2->setText(QStringLiteral("07/03/2024"));
        ui->Text15->setPlainText(QStringLiteral("Consulenza"));
        type(ui->Text9, QStringLiteral("1000"));
        const int free = *store::firstFreeRow(invoices(), Id);
        boxes.expect(offer, answer);
        registerAnsweringYes();
        EXPECT_EQ(invoices().text(free, Total), total);
        EXPECT_EQ(registers::InvoiceExtras(data.sheet(registers::kInvoiceExtrasSheet))
                      .stampDutyCharged(invoices().text(free, Id))
                      .isZero(),
                  answer == app::Answer::No);
    }
}

// What the export would refuse is refused where it is typed, with the export's line:
// the stamp-duty refund on amounts that owe no stamp duty, when the amounts change
// and at "Registra", and a description longer than the file takes.
TEST_F(EntryScenario, WhatTheExportWouldRefuseIsRefusedAtEntry) {
    registers::prepareEinvoiceCodesSheet(data.store());
    registers::prepareInvoiceExtrasSheet(data.store());
    registers::EinvoiceCodes(data.sheet(registers::kEinvoiceCodesSheet)).setTaxRegime("RF19");
    const QString notDue = QStringLiteral(
        "il rimborso dell'imposta di bollo è addebitato, ma gli importi senza IVA non superano "
        "77,47: il bollo non è dovuto");
    choose(ui->Combo1, QStringLiteral("ROSSI MARIO"));
    ui->Text2->setText(QStringLiteral("07/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Consulenza"));
    type(ui->Text9, QStringLiteral("100"));
    ui->Check4->click();
    EXPECT_EQ(ui->Text8->text(), "102,00");
    // The taxable lowered to 50,00: the refund goes, with the reason.
    const auto warning = [](const QString& text) {
        return app::Message{text, QStringLiteral("Gestione"), app::Icon::Warning, app::Buttons::Ok};
    };
    boxes.expect(
        warning(QStringLiteral("Il rimborso dell'imposta di bollo è stato tolto:\n- ") + notDue));
    type(ui->Text9, QStringLiteral("50"));
    EXPECT_FALSE(ui->Check4->isChecked());
    EXPECT_EQ(ui->Text8->text(), "50,00");

    // Ticked again over the refusal's head (a stored invoice), "Registra" refuses it.
    ui->Check4->setChecked(true);
    const int free = *store::firstFreeRow(invoices(), Id);
    boxes.expect(warning(QStringLiteral("La fattura non è stata registrata:\n- ") + notDue));
    ui->XPButton4->click();
    EXPECT_TRUE(invoices().text(free, Id).isEmpty());

    ui->Check4->setChecked(false);
    ui->Text15->setPlainText(QString(1001, u'x'));
    boxes.expect(
        notice("Il campo Descrizione non andrebbe nella fattura elettronica: la "
               "descrizione supera i 1000 caratteri ammessi.\nCorreggerlo: nulla è "
               "stato registrato.",
               "Gestione", app::Icon::Warning));
    ui->XPButton4->click();
    EXPECT_TRUE(invoices().text(free, Id).isEmpty());
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

TEST_F(EntryScenario, NoToTheQuestionKeepsWhatWasTypedAndWritesNothing) {
    fillWorkedExample();
    ui->Text6->clear();
    boxes.expect(kQuestion, app::Answer::No);
    ui->XPButton4->click();
    EXPECT_EQ(ui->Text9->text(), "1.000,00");
    EXPECT_EQ(ui->Combo1->currentText(), "ROSSI MARIO");
    EXPECT_EQ(ui->Text12->text(), "1");
    EXPECT_EQ(ui->Text15->toPlainText(), "Consulenza\nmarzo");
    EXPECT_EQ(ui->Combo7->currentText(), "20");
    saveThroughTheList();
    EXPECT_TRUE(data.reopened(store::kInvoicesSheet).value(2, Id).isEmpty());
}

// Found again in the register, an invoice's document shows its client as the client
// sheet has it, the rates its amounts were made with (kept beside the register, else
// worked back) and its payment terms; amounts that disagree are refused as "Registra"
// refuses them.
TEST_F(EntryScenario, TheDocumentOfARegisteredInvoiceShowsItsClientRatesAndTerms) {
    std::optional<registers::InvoiceFields> shown;
    window->setInvoiceDocument([&shown](const registers::InvoiceFields& f) { shown = f; });
    struct Row {
        const char* what;
        bool keptBeside;   // the store has the sheet the rates are kept in
        bool vatItemGone;  // the item "22" was taken out of its list since
        const char* vatRate;
    };
    // One invoice a row, registered in turn: the sheet the rates are kept in comes last.
    const Row rows[] = {
        {"worked back from the amounts", false, false, "22"},
        {"none kept and no item gives it", false, true, ""},
        {"kept with the invoice", true, false, "22"},
        {"kept, though its item has gone", true, true, "22"},
    };
    for (int line = 0; line < 4; ++line) {
        const Row& row = rows[line];
        if (row.keptBeside)
            registers::prepareInvoiceExtrasSheet(data.store());
        window->activate();
        fillWorkedExample();
        registerAnsweringYes();
        if (row.vatItemGone) {
            const store::Worksheet settings = data.sheet(store::kSettingsSheet);
            const int position = registers::loadList(settings, registers::kVatColumn).indexOf("22");
            ASSERT_TRUE(registers::removeItem(settings, registers::kVatColumn, position).ok());
        }
        window->activate();
        ui->XPButton3->click();
        chooseLine(line);
        shown.reset();
        ui->XPButton6->click();
        ASSERT_TRUE(shown) << row.what;
        EXPECT_EQ(shown->clientName, "ROSSI MARIO") << row.what;
        EXPECT_EQ(shown->address, "VIA ROMA 1") << row.what;
        EXPECT_EQ(shown->town, "ROMA") << row.what;
        EXPECT_EQ(shown->vatNumber, "01234567890") << row.what;
        EXPECT_EQ(shown->surchargeRate, "4") << row.what;
        EXPECT_EQ(shown->vatRate, row.vatRate) << row.what;
        EXPECT_EQ(shown->withholdingRate, "20") << row.what;
        EXPECT_EQ(shown->paidBy, "Bonifico") << row.what;
        EXPECT_EQ(shown->due, "07/03/2024") << row.what;

        // The surcharge chosen again leaves the VAT waiting for its rate.
        choose(ui->Combo5, QStringLiteral("2"));
        shown.reset();
        boxes.expect(
            notice("L'importo \"Importo IVA\" va ricalcolato: scegliere di nuovo "
                   "\"IVA %\".",
                   "Gestione"));
        ui->XPButton6->click();
        EXPECT_FALSE(shown) << row.what;

        ui->XPButton5->click();
        if (row.vatItemGone) {
            ASSERT_TRUE(registers::insertItem(data.sheet(store::kSettingsSheet),
                                              registers::kVatColumn, "22")
                            .ok());
        }
    }
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
    clock.set(QDateTime(QDate(2024, 4, 15), QTime(9, 0)));
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
