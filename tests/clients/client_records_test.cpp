// Inserting, choosing, changing and deleting clients in the window, and what the
// saved store then holds.
#include "client_window.h"

#include <functional>
#include <string>

namespace {

using namespace clients_test;
namespace col = registers::client;

class ClientRecords : public ClientWindowTest {};

TEST_F(ClientRecords, OpeningWithoutCounterSetsItToOne) {
    EXPECT_EQ(sheet().value(1, kCounterColumn), store::Value::number(1));
    EXPECT_EQ(text("Text10"), "1");
    EXPECT_TRUE(control("Text10")->isReadOnly());
    EXPECT_TRUE(control<QComboBox>("Combo4")->currentText().isEmpty());
    EXPECT_EQ(control<QComboBox>("Combo4")->lineEdit()->placeholderText(), "Seleziona");
    EXPECT_TRUE(control<QTreeWidget>("ListView3")->isHidden());
    EXPECT_TRUE(control<controls::XPButton>("XPButton8")->isHidden());
}

TEST_F(ClientRecords, OpeningShowsAnExistingCounter) {
    EXPECT_TRUE(sheet().setNumber(1, kCounterColumn, 41).ok());
    window->activate();
    EXPECT_EQ(text("Text10"), "41");
}

TEST_F(ClientRecords, TwoClientsInARowGetConsecutiveIdentifiersAndAreSaved) {
    type("Text26", "rossi mario");
    type("Text24", "00185");
    type("Text23", "roma");
    type("Text22", "rm");
    type("Text21", "0612345678");
    type("Text2", "01234567897");
    type("Text1", "it60x0542811101000000123456");
    type("Text16", "Mario@Example.it");
    control("Text18")->setText(QStringLiteral("07/03/2009"));
    boxes.expect(kInsertQuestion, app::Answer::Yes).expect(kAdded);
    click("XPButton4");
    // The window is cleared and the new client is in the selection list.
    EXPECT_TRUE(text("Text26").isEmpty());
    EXPECT_TRUE(text("Text24").isEmpty());
    EXPECT_EQ(text("Text10"), "2");
    EXPECT_EQ(comboItems(), QStringList{"ROSSI MARIO"});

    insert(QStringLiteral("Bianchi Srl"));
    EXPECT_EQ(text("Text10"), "3");
    EXPECT_EQ(comboItems(), (QStringList{"ROSSI MARIO", "BIANCHI SRL"}));

    esci();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window->isVisible());

    const store::Worksheet saved = data.reopened(store::kClientsSheet);
    EXPECT_EQ(saved.value(2, col::Id), store::Value::number(1));
    EXPECT_EQ(saved.value(3, col::Id), store::Value::number(2));
    EXPECT_EQ(saved.value(1, kCounterColumn), store::Value::number(3));
    EXPECT_EQ(saved.text(2, col::Name), "ROSSI MARIO");
    EXPECT_EQ(saved.text(3, col::Name), "BIANCHI SRL");
    EXPECT_EQ(saved.value(2, col::PostalCode), store::Value::text(QStringLiteral("00185")));
    EXPECT_EQ(saved.text(2, col::Town), "ROMA");
    EXPECT_EQ(saved.text(2, col::Province), "RM");
    EXPECT_EQ(saved.value(2, col::Phone), store::Value::text(QStringLiteral("0612345678")));
    EXPECT_EQ(saved.value(2, col::VatNumber), store::Value::text(QStringLiteral("01234567897")));
    EXPECT_EQ(saved.text(2, col::Iban), "IT60X0542811101000000123456");
    EXPECT_EQ(saved.text(2, col::Email), "Mario@Example.it");
    EXPECT_TRUE(saved.value(2, col::Date).isNumber());
    EXPECT_EQ(saved.text(2, col::Date), "07/03/2009");
    EXPECT_TRUE(saved.value(4, col::Id).isEmpty());
}

TEST_F(ClientRecords, NoToTheInsertQuestionClearsTheFieldsAndWritesNothing) {
    type("Text26", "rossi");
    type("Text25", "via roma 1");
    type("Text21", "06123");
    control<QPlainTextEdit>("Text12")->setPlainText(QStringLiteral("nota"));
    boxes.expect(kInsertQuestion, app::Answer::No);
    click("XPButton4");
    for (const char* field : {"Text26", "Text25", "Text21"})
        EXPECT_TRUE(text(field).isEmpty()) << field;
    EXPECT_TRUE(control<QPlainTextEdit>("Text12")->toPlainText().isEmpty());
    EXPECT_EQ(text("Text10"), "1");
    EXPECT_TRUE(sheet().value(2, col::Id).isEmpty());
    EXPECT_TRUE(sheet().value(2, col::Name).isEmpty());
}

TEST_F(ClientRecords, EveryCommandNeedsAName) {
    boxes.expect(
        notice(" ERRORE- Il Campo RAGIONE SOCIALE/COGNOME deve essere compilato", "Gestione"));
    click("XPButton4");
    EXPECT_TRUE(control("Text26")->hasFocus());
    boxes.expect(notice(" Il campo :  COGNOME/RAGIONE SOCIALE    deve essere compilato",
                        "Gestione ", app::Icon::Information));
    click("XPButton1");
    boxes.expect(notice("Bisogna Selezionare il Cliente................ .......", "Gestione ",
                        app::Icon::Information));
    click("XPButton3");
    EXPECT_TRUE(sheet().value(2, col::Id).isEmpty());
}

TEST_F(ClientRecords, ChoosingShowsTheClientAndItsIdentifier) {
    insert(QStringLiteral("rossi"));
    type("Text26", "bianchi");
    type("Text24", "00100");
    control<QPlainTextEdit>("Text12")->setPlainText(QStringLiteral("prima\nseconda"));
    boxes.expect(kInsertQuestion, app::Answer::Yes).expect(kAdded);
    click("XPButton4");

    choose(1);
    EXPECT_EQ(text("Text26"), "BIANCHI");
    EXPECT_EQ(text("Text24"), "00100");
    EXPECT_EQ(control<QPlainTextEdit>("Text12")->toPlainText(), "PRIMA\nSECONDA");
    EXPECT_EQ(text("Text10"), "2");
}

TEST_F(ClientRecords, ModifyWritesTheChosenRowKeepingItsIdentifier) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(1);
    EXPECT_EQ(text("Text10"), "2");
    control("Text26")->setText(QStringLiteral("bianchi srl"));
    type("Text24", "00185");
    // Resetting the counter meanwhile must not renumber the client.
    tick("Check6");
    EXPECT_EQ(text("Text10"), "1");
    boxes.expect(kModified);
    click("XPButton1");
    EXPECT_TRUE(text("Text26").isEmpty());
    EXPECT_EQ(comboItems(), (QStringList{"ROSSI", "BIANCHI SRL"}));

    EXPECT_EQ(sheet().text(3, col::Name), "BIANCHI SRL");
    EXPECT_EQ(sheet().value(3, col::Id), store::Value::number(2));
    EXPECT_EQ(sheet().value(3, col::PostalCode), store::Value::text(QStringLiteral("00185")));
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
    EXPECT_EQ(sheet().text(1, col::Name), "Ragione Sociale/Cognome Nome");

    esci();
    EXPECT_EQ(data.reopened(store::kClientsSheet).text(3, col::Name), "BIANCHI SRL");
}

TEST_F(ClientRecords, ModifyWithNothingChosenWritesNothingAndSaysWhy) {
    insert(QStringLiteral("rossi"));
    type("Text26", "verdi");
    type("Text23", "milano");
    const app::Message nothingChosen = notice(
        "Nessun cliente scelto: scegliere nell'elenco \"Seleziona Cliente\" il cliente da "
        "modificare. Nulla è stato modificato.",
        "Gestione ", app::Icon::Information);
    boxes.expect(nothingChosen);
    click("XPButton1");
    // Nothing typed is lost, and no row (the header least of all) is written.
    EXPECT_EQ(text("Text26"), "VERDI");
    EXPECT_EQ(text("Text23"), "MILANO");
    EXPECT_EQ(sheet().text(1, col::Name), "Ragione Sociale/Cognome Nome");
    EXPECT_EQ(sheet().text(1, col::Id), "ID");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
    EXPECT_TRUE(sheet().value(3, col::Name).isEmpty());

    // The same after the "Pulisci" button, and with text typed into the list.
    click("XPButton2");
    type("Text26", "verdi");
    control<QComboBox>("Combo4")->setEditText(QStringLiteral("ROSSI"));
    boxes.expect(nothingChosen);
    click("XPButton1");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
    EXPECT_TRUE(sheet().value(3, col::Name).isEmpty());
}

TEST_F(ClientRecords, DeletingANeverInsertedClientDeletesNothing) {
    insert(QStringLiteral("rossi"));
    type("Text26", "nuovo");
    EXPECT_EQ(text("Text10"), "2");
    boxes.expect(kNothingDeleted);
    click("XPButton3");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
    EXPECT_TRUE(text("Text26").isEmpty());
    EXPECT_EQ(comboItems(), QStringList{"ROSSI"});
}

TEST_F(ClientRecords, DeletingAfterACounterResetSparesTheClientWithThatIdentifier) {
    insert(QStringLiteral("rossi"));
    tick("Check6");
    type("Text26", "altro");
    EXPECT_EQ(text("Text10"), "1");
    boxes.expect(kNothingDeleted);
    click("XPButton3");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
}

// The chosen client left the sheet behind the window's back (a spreadsheet program,
// another window): deleting says that nothing was deleted, and deletes nobody else.
struct GoneClient {
    std::string name;
    std::function<void(const store::Worksheet&)> change;
};

class DeletingAGoneClient : public ClientWindowTest,
                            public testing::WithParamInterface<GoneClient> {};

TEST_P(DeletingAGoneClient, SaysNothingWasDeleted) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(0);
    ASSERT_EQ(text("Text26"), "ROSSI");
    GetParam().change(sheet());
    const QString second = sheet().text(3, col::Name);
    boxes.expect(kNothingDeleted);
    click("XPButton3");
    EXPECT_EQ(sheet().text(3, col::Name), second);
    EXPECT_TRUE(text("Text26").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Clients, DeletingAGoneClient,
    testing::Values(GoneClient{"RowRemoved",
                               [](const store::Worksheet& s) {
                                   registers::ClientSheet(s).removeRow(2);
                                   ASSERT_TRUE(
                                       s.setValue(3, col::Name, QStringLiteral("VERDI")).ok());
                                   ASSERT_TRUE(s.setNumber(3, col::Id, 3).ok());
                               }},
                    GoneClient{"Renamed",
                               [](const store::Worksheet& s) {
                                   ASSERT_TRUE(
                                       s.setValue(2, col::Name, QStringLiteral("ROSSI SRL")).ok());
                               }},
                    GoneClient{"GivenAnotherIdentifier",
                               [](const store::Worksheet& s) {
                                   ASSERT_TRUE(s.setNumber(2, col::Id, 9).ok());
                               }}),
    [](const testing::TestParamInfo<GoneClient>& info) { return info.param.name; });

// The name overwritten in the fields but not saved: the question names the client as
// stored, the one "Sì" deletes.
TEST_F(ClientRecords, TheDeleteQuestionNamesTheClientAsStored) {
    insert(QStringLiteral("studio bianchi srl"));
    insert(QStringLiteral("rossi"));
    choose(control<QComboBox>("Combo4")->findText(QStringLiteral("STUDIO BIANCHI SRL")));
    ASSERT_EQ(text("Text26"), "STUDIO BIANCHI SRL");
    control("Text26")->selectAll();
    type("Text26", "studio verdi srl");
    const QString typed = text("Text26");
    boxes
        .expect(question(QStringLiteral("Si vuole Eliminare il Soggetto  Selezionato ?\n\nSarà "
                                        "eliminato il cliente STUDIO BIANCHI SRL come è in "
                                        "archivio: il nome scritto nei campi (%1) non è stato "
                                        "salvato.")
                             .arg(typed)
                             .toUtf8()
                             .constData(),
                         "Gestione "),
                app::Answer::Yes)
        .expect(kDeleted);
    click("XPButton3");
    EXPECT_EQ(comboItems(), QStringList{"ROSSI"});
}

TEST_F(ClientRecords, NoToTheDeleteQuestionKeepsEverything) {
    insert(QStringLiteral("rossi"));
    choose(0);
    boxes.expect(kDeleteQuestion, app::Answer::No);
    click("XPButton3");
    EXPECT_EQ(text("Text26"), "ROSSI");
    EXPECT_EQ(sheet().text(2, col::Name), "ROSSI");
}

TEST_F(ClientRecords, DeletingTheChosenClientOfASharedIdentifierRemovesItsOwnRow) {
    // Rows 3 and 6 both carry identifier 5 (the counter was reset once).
    const char* names[] = {"A", "B", "C", "D", "E"};
    const int ids[] = {4, 5, 6, 7, 5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(sheet().setNumber(i + 2, col::Id, ids[i]).ok());
        EXPECT_TRUE(sheet().setValue(i + 2, col::Name, QString::fromLatin1(names[i])).ok());
    }
    window->activate();
    choose(4);  // E, row 6
    EXPECT_EQ(text("Text10"), "5");
    boxes.expect(kDeleteQuestion, app::Answer::Yes).expect(kDeleted);
    click("XPButton3");
    EXPECT_EQ(comboItems(), (QStringList{"A", "B", "C", "D"}));

    choose(1);  // B, row 3
    boxes.expect(kDeleteQuestion, app::Answer::Yes).expect(kDeleted);
    click("XPButton3");
    EXPECT_EQ(comboItems(), (QStringList{"A", "C", "D"}));

    esci();
    const store::Worksheet saved = data.reopened(store::kClientsSheet);
    EXPECT_EQ(saved.text(3, col::Name), "C");
    EXPECT_EQ(saved.text(4, col::Name), "D");
    EXPECT_TRUE(saved.value(5, col::Id).isEmpty());
}

TEST_F(ClientRecords, ChoosingFromAListThatNoLongerMatchesTheSheetReloadsIt) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    // Another part of the program sorts the sheet behind the window's list.
    registers::ClientSheet(sheet()).sortByName();
    boxes.expect(
        notice("L'elenco dei clienti era cambiato ed è stato ricaricato: scegliere di "
               "nuovo il cliente.",
               "Gestione", app::Icon::Information));
    choose(0);  // "ROSSI" in the old list, BIANCHI's row now
    EXPECT_TRUE(text("Text26").isEmpty());
    EXPECT_EQ(comboItems(), (QStringList{"BIANCHI", "ROSSI"}));
    choose(1);
    EXPECT_EQ(text("Text26"), "ROSSI");
    EXPECT_EQ(text("Text10"), "1");
}

TEST_F(ClientRecords, ModifyFindsTheChosenClientAfterItsRowMoved) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(0);  // ROSSI, row 2
    type("Text23", "roma");
    // The client goes to row 3 behind the window (a sort elsewhere).
    registers::ClientSheet(sheet()).sortByName();
    boxes.expect(kModified);
    click("XPButton1");
    EXPECT_EQ(sheet().text(2, col::Name), "BIANCHI");
    EXPECT_TRUE(sheet().value(2, col::Town).isEmpty());
    EXPECT_EQ(sheet().text(3, col::Name), "ROSSI");
    EXPECT_EQ(sheet().text(3, col::Town), "ROMA");
}

TEST_F(ClientRecords, ModifyOfAClientDeletedMeanwhileWritesNothing) {
    insert(QStringLiteral("rossi"));
    insert(QStringLiteral("bianchi"));
    choose(0);
    registers::ClientSheet(sheet()).removeRow(2);
    boxes.expect(notice("Il cliente scelto non è più nell'archivio: nulla è stato modificato.",
                        "Gestione ", app::Icon::Warning));
    click("XPButton1");
    EXPECT_EQ(sheet().text(2, col::Name), "BIANCHI");
    EXPECT_TRUE(sheet().value(3, col::Id).isEmpty());
    EXPECT_EQ(comboItems(), QStringList{"BIANCHI"});
}

}  // namespace
