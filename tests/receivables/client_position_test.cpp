// "Posizione Cliente": the client choice, "Ricerca", the list of one client's
// invoices with its totals, and "Esci".
#include "incassi_window.h"

#include <string>

namespace {

using namespace receivables_test;
using test_support::InvoiceRow;
namespace rl = registers::receivables;

InvoiceRow invoice(int id, const char* clientId, const char* collection,
                   const char* total = "1.268,80", const char* net = "1.015,04") {
    return {id,
            QStringLiteral("CLIENTE %1").arg(clientId),
            QString::fromLatin1(clientId),
            QString::number(10 + id),
            QStringLiteral("05/03/2024"),
            QString::fromLatin1(total),
            QString::fromLatin1(net),
            QString::fromLatin1(collection)};
}

using ClientPosition = IncassiTest;

TEST_F(ClientPosition, WithNoClientStoredTheChoiceIsEmpty) {
    boxes.expect(kNoClients);
    openClientPosition();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Gestione Incassi"));
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Posizione Cliente"));
    EXPECT_EQ(window.Combo1->count(), 0);
    for (QWidget* shown : std::initializer_list<QWidget*>{window.Combo1, window.Label1,
                                                          window.Text1, window.XPButton3})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    EXPECT_TRUE(window.Check1->isHidden());
    EXPECT_TRUE(window.Check2->isHidden());
    EXPECT_TRUE(showsChoice());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(ClientPosition, TheChoiceStartsWithTheHeaderAndEndsAtABlankName) {
    clients({{7, "ROSSI"}, {9, "BIANCHI"}, {12, "VERDI"}});
    ASSERT_TRUE(
        data.sheet(store::kClientsSheet).setIdentifier(4, registers::client::Name, QString()).ok());
    openClientPosition();
    EXPECT_EQ(choices(), (QStringList{"Ragione Sociale/Cognome Nome", "ROSSI", "BIANCHI"}));
    EXPECT_TRUE(window.Combo1->currentText().isEmpty());
    EXPECT_TRUE(window.Text1->text().isEmpty());
}

TEST_F(ClientPosition, TheHeaderChoiceIsRefused) {
    clients({{7, "ROSSI"}});
    invoices({invoice(1, "7", "*")});
    openClientPosition();
    choose(0);
    boxes.expect(kChooseClient);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    EXPECT_TRUE(showsChoice());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(ClientPosition, TheThirdChoiceGivesTheIdentifierOfRowThree) {
    clients({{7, "ROSSI"}, {9, "BIANCHI"}});
    openClientPosition();
    choose(2);
    EXPECT_EQ(window.Text1->text(),
              data.sheet(store::kClientsSheet).text(3, registers::client::Id));
    EXPECT_EQ(window.Text1->text(), QStringLiteral("9"));
}

TEST_F(ClientPosition, AChoiceNamesTheClientItWasLoadedWith) {
    clients({{7, "ROSSI"}, {9, "BIANCHI"}});
    openClientPosition();
    // The rows move under the open choice (a sort in a spreadsheet program).
    clients({{9, "BIANCHI"}, {7, "ROSSI"}});
    choose(1);
    EXPECT_EQ(window.Text1->text(), QStringLiteral("7"));
}

TEST_F(ClientPosition, AnEmptyIdentifierSearchesForZero) {
    clients({{7, "ROSSI"}});
    invoices({invoice(1, "7", "*"), invoice(2, "0", "*"), invoice(3, "7", "*")});
    openClientPosition();
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    ASSERT_TRUE(showsList());
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(line(0)[0], QStringLiteral("2"));
    EXPECT_EQ(window.Elenco->text(), QStringLiteral("Posizione Cliente"));
}

TEST_F(ClientPosition, OneClientsInvoicesWithTheirMarkTotalsAndScratchCells) {
    clients({{7, "ROSSI"}, {9, "BIANCHI"}});
    invoices({invoice(1, "7", "*", "1.268,80", "1.015,04"), invoice(2, "9", "*"),
              invoice(3, "7", "10/04/2024", "0,10", "0,08")});
    openClientPosition();
    choose(1);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    ASSERT_TRUE(showsList());
    EXPECT_EQ(headers(), (QStringList{"ID", "CLIENTE", "N.FATT.", "DATA", "TOTALE FT", "NETTO FT",
                                      "INCASSATO"}));
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(line(0),
              (QStringList{"1", "CLIENTE 7", "11", "05/03/2024", "1.268,80", "1.015,04", "*"}));
    EXPECT_EQ(line(1),
              (QStringList{"3", "CLIENTE 7", "13", "05/03/2024", "0,1", "0,08", "10/04/2024"}));
    EXPECT_EQ(list()->index(0, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(window.ListView3->columnWidth(1), 200);  // 3000 twips
    EXPECT_EQ(window.ListView3->columnWidth(6), 100);
    EXPECT_TRUE(window.Totali->isVisible());
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("2 fatture     TOTALE FT: 1.268,90     NETTO FT: 1.015,12"));
    EXPECT_EQ(window.Totali->accessibleName(), window.Totali->text());
    EXPECT_EQ(window.Elenco->text(), QStringLiteral("Posizione Cliente: ROSSI"));

    const store::Worksheet file = saved();
    EXPECT_EQ(file.text(1, rl::Collected), QStringLiteral("INCASSATO "));
    EXPECT_EQ(file.text(1, rl::Total), QStringLiteral("TOTALE FT "));
    EXPECT_EQ(file.text(2, rl::Total), QStringLiteral("1.268,80"));
    EXPECT_TRUE(file.value(2, rl::Total).isNumber());
    EXPECT_EQ(file.text(3, rl::Collected), QStringLiteral("10/04/2024"));
    EXPECT_TRUE(file.value(4, rl::Id).isEmpty());
    EXPECT_EQ(file.cell(3, rl::Net)->horizontalAlignment(), xls::HAlign::Right);
}

TEST_F(ClientPosition, ARowAfterABlankClientIdentifierIsListedAllTheSame) {
    clients({{7, "ROSSI"}});
    invoices({invoice(1, "7", "*"), invoice(2, "7", "*"), invoice(3, "7", "*")});
    ASSERT_TRUE(register_().setValue(3, registers::invoice::ClientId, QString()).ok());
    openClientPosition();
    choose(1);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    EXPECT_EQ(lines(), 2);
}

TEST_F(ClientPosition, AClientWithoutInvoicesGoesBackToTheMenu) {
    clients({{7, "ROSSI"}, {9, "BIANCHI"}});
    invoices({invoice(1, "7", "*")});
    openClientPosition();
    choose(2);
    boxes.expect(kNoInvoiceForClient);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Posizione Cliente"));

    // Coming back in the collections: the two boxes, and no word about clients.
    openCollections();
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Visualizza"));
    EXPECT_TRUE(window.Check1->isVisible());
    EXPECT_TRUE(window.Combo1->isHidden());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(ClientPosition, TheNoClientNoticeComesOnceAndOnlyInTheClientPosition) {
    invoices({invoice(1, "5", "*")});
    boxes.expect(kNoClients);
    openClientPosition();
    // An empty identifier searches for 0: no invoice, back to the menu, the
    // window left in the client position.
    boxes.expect(kNoInvoiceForClient);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    ASSERT_TRUE(menu.isVisible());
    // In again: the activation reloads the clients without a word, the way in tells.
    boxes.expect(kNoClients);
    openClientPosition();
    EXPECT_EQ(boxes.pending(), 0u);
    boxes.expect(kNoInvoiceForClient);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    // Nor is there a word about clients before the collections show.
    openCollections();
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Visualizza"));
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(ClientPosition, AnEmptyRegisterLeavesTheWindowAsItIs) {
    clients({{7, "ROSSI"}});
    openClientPosition();
    choose(1);
    boxes.expect(kNoInvoice);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(showsChoice());
    EXPECT_EQ(window.Text1->text(), QStringLiteral("7"));
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(ClientPosition, EsciRestoresTheCollectionsLayout) {
    clients({{7, "ROSSI"}});
    invoices({invoice(1, "7", "*")});
    openClientPosition();
    choose(1);
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    QTest::mouseClick(window.XPButton1, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Visualizza"));
    EXPECT_FALSE(window.Check1->isHidden());
    EXPECT_TRUE(window.Combo1->isHidden());
    EXPECT_TRUE(window.Text1->isHidden());
    EXPECT_TRUE(window.XPButton3->isHidden());

    // Back in: the choice again, loaded afresh, no client chosen.
    openClientPosition();
    EXPECT_TRUE(showsChoice());
    EXPECT_TRUE(window.Text1->text().isEmpty());
    EXPECT_EQ(window.Combo1->count(), 2);
}

TEST_F(ClientPosition, EveryInputControlHasAnAccessibleName) {
    clients({{7, "ROSSI"}});
    openClientPosition();
    EXPECT_EQ(window.Combo1->accessibleName(), QStringLiteral("Seleziona il Cliente"));
    EXPECT_EQ(window.Label1->buddy(), window.Combo1);
    EXPECT_EQ(window.Text1->accessibleName(), QStringLiteral("ID Cliente"));
    EXPECT_EQ(window.XPButton3->accessibleName(), QStringLiteral("Ricerca"));
    EXPECT_FALSE(window.ListView3->accessibleName().isEmpty());
    EXPECT_EQ(window.Check1->text(), QStringLiteral("Da incassare"));
    EXPECT_EQ(window.Check2->text(), QStringLiteral("Incassato"));
}

// "Ricerca" with a name typed into the choice: the client whose item the text is,
// whatever was chosen before; a text that is no item's says so and lists nothing.
struct TypedSearch {
    std::string name;
    int chosenFirst;  // the item chosen before typing; -1 for none
    const char* typed;
    const char* listedClient;  // the client identifier of the lines; none: refused
};

class SearchByTypedName : public IncassiTest, public testing::WithParamInterface<TypedSearch> {};

TEST_P(SearchByTypedName, ListsTheClientTheTextNames) {
    const TypedSearch& row = GetParam();
    clients({{7, "ROSSI"}, {9, "BIANCHI"}, {12, "ROSSI ANNA"}});
    invoices({invoice(1, "7", "*"), invoice(2, "9", "*"), invoice(3, "9", "*")});
    openClientPosition();
    if (row.chosenFirst >= 0)
        choose(row.chosenFirst);
    window.Combo1->setEditText(QString::fromUtf8(row.typed));
    if (!row.listedClient)
        boxes.expect(app::Message{QStringLiteral("Nessun cliente si chiama \"%1\": scegliere il "
                                                 "cliente nell'elenco.")
                                      .arg(QString::fromUtf8(row.typed)),
                                  QStringLiteral("Gestione"), app::Icon::Warning,
                                  app::Buttons::Ok});
    QTest::mouseClick(window.XPButton3, Qt::LeftButton);
    EXPECT_EQ(boxes.failures(), 0);
    if (!row.listedClient) {
        EXPECT_TRUE(showsChoice());
        return;
    }
    ASSERT_TRUE(showsList());
    ASSERT_GT(lines(), 0);
    for (int i = 0; i < lines(); ++i)
        EXPECT_EQ(line(i)[1], QStringLiteral("CLIENTE %1").arg(row.listedClient));
    EXPECT_EQ(window.Text1->text(), QString::fromUtf8(row.listedClient));
    EXPECT_EQ(window.Elenco->text(),
              QStringLiteral("Posizione Cliente: ") + QString::fromUtf8(row.typed));
}

INSTANTIATE_TEST_SUITE_P(
    Receivables, SearchByTypedName,
    testing::Values(TypedSearch{"AnotherClientTypedOverTheChosenOne", 1, "BIANCHI", "9"},
                    TypedSearch{"AClientTypedWithNoneChosen", -1, "BIANCHI", "9"},
                    TypedSearch{"TheChosenClientItself", 2, "BIANCHI", "9"},
                    TypedSearch{"ANameThatStartsAnother", 3, "ROSSI", "7"},
                    TypedSearch{"PartOfAName", 1, "ROSS", nullptr},
                    TypedSearch{"ANameInAnotherCase", 2, "bianchi", nullptr},
                    TypedSearch{"ANameOfNoClient", -1, "VERDI", nullptr}),
    [](const testing::TestParamInfo<TypedSearch>& info) { return info.param.name; });

}  // namespace
