// "Gestione Incassi": the two exclusive check boxes, the to-collect and collected
// lists, their messages, and a long list followed by a short one.
#include "incassi_window.h"

namespace {

using namespace receivables_test;
using test_support::InvoiceRow;
namespace rl = registers::receivables;

InvoiceRow invoice(int id, const char* collection) {
    return {id,
            QStringLiteral("CLIENTE %1").arg(id),
            QString::number(id),
            QString::number(id),
            QStringLiteral("0%1/03/2024").arg(id),
            QStringLiteral("2.000,00"),
            QStringLiteral("1.800,00"),
            QString::fromLatin1(collection)};
}

class Collections : public IncassiTest {
  protected:
    Collections() { openCollections(); }
    void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton); }
};

TEST_F(Collections, TheWindowOpensOnTheTwoBoxes) {
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(window.Frame1->title(), QStringLiteral("Visualizza"));
    EXPECT_TRUE(window.Check1->isVisible());
    EXPECT_TRUE(window.Check2->isVisible());
    for (QWidget* hidden : std::initializer_list<QWidget*>{window.Combo1, window.Label1,
                                                           window.Text1, window.XPButton3})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_TRUE(showsChoice());
    EXPECT_FALSE(window.XPButton2->isEnabled());  // nothing to print yet
}

TEST_F(Collections, TheToCollectListShowsOnlyUncollectedInvoices) {
    invoices({invoice(1, "*"), invoice(2, "10/04/2024"), invoice(3, "*")});
    tick(window.Check1);
    EXPECT_TRUE(window.Check1->isChecked());
    EXPECT_FALSE(window.Check2->isChecked());
    ASSERT_TRUE(showsList());
    EXPECT_EQ(headers(),
              (QStringList{"ID", "CLIENTE", "N.FATT.", "DATA", "TOTALE FT", "NETTO FT"}));
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(line(0), (QStringList{"1", "CLIENTE 1", "1", "01/03/2024", "2.000,00", "1.800,00"}));
    EXPECT_EQ(line(1)[0], QStringLiteral("3"));
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("2 fatture     TOTALE FT: 4.000,00     NETTO FT: 3.600,00"));
    EXPECT_TRUE(window.XPButton2->isEnabled());
    EXPECT_EQ(window.Elenco->text(), QStringLiteral("Fatture da incassare"));

    const store::Worksheet file = saved();
    EXPECT_EQ(file.text(1, rl::Net), QStringLiteral("NETTO FT "));
    EXPECT_EQ(file.text(3, rl::Id), QStringLiteral("3"));
    EXPECT_TRUE(file.value(3, rl::Date).isNumber());
    EXPECT_EQ(file.text(3, rl::Date), QStringLiteral("03/03/2024"));
    EXPECT_TRUE(file.value(4, rl::Id).isEmpty());
}

TEST_F(Collections, TheCollectedListShowsOnlyCollectedInvoices) {
    invoices({invoice(1, "*"), invoice(2, "10/04/2024"), invoice(3, "*")});
    tick(window.Check2);
    EXPECT_FALSE(window.Check1->isChecked());
    ASSERT_TRUE(showsList());
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(line(0), (QStringList{"2", "CLIENTE 2", "2", "02/03/2024", "2.000,00", "1.800,00"}));
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("1 fattura     TOTALE FT: 2.000,00     NETTO FT: 1.800,00"));
    EXPECT_EQ(window.Elenco->text(), QStringLiteral("Fatture incassate"));
}

TEST_F(Collections, AnEmptyRegisterSendsEitherBoxBackToTheMenu) {
    boxes.expect(kToCollectRegisterEmpty);
    tick(window.Check1);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());

    openCollections();
    EXPECT_FALSE(window.Check1->isChecked());
    boxes.expect(kCollectedRegisterEmpty);
    tick(window.Check2);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(Collections, WithEveryInvoiceCollectedTheBoxesComeBackUnticked) {
    invoices({invoice(1, "10/04/2024"), invoice(2, "11/04/2024")});
    boxes.expect(kNothingToCollect);
    tick(window.Check1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(showsChoice());
    EXPECT_FALSE(window.Check1->isChecked());
    EXPECT_FALSE(window.Check2->isChecked());
    EXPECT_FALSE(window.XPButton2->isEnabled());
    EXPECT_EQ(boxes.failures(), 0);
}

TEST_F(Collections, WithNoInvoiceCollectedTheBoxesComeBackUnticked) {
    invoices({invoice(1, "*"), invoice(2, "*")});
    boxes.expect(kNothingCollected);
    tick(window.Check2);
    EXPECT_TRUE(showsChoice());
    EXPECT_FALSE(window.Check2->isChecked());
    EXPECT_EQ(boxes.failures(), 0);
}

// A store edited in a spreadsheet program: an emptied collection cell is still to be
// collected and stops no list; one that cannot be read is in neither list, and
// each list names it under its totals.
TEST_F(Collections, EveryInvoiceIsListedOrNamedUnderTheTotals) {
    invoices({invoice(1, "*"), invoice(2, "*"), invoice(3, "* "), invoice(4, "ieri"),
              invoice(5, "10/04/2024")});
    ASSERT_TRUE(register_().setValue(3, registers::invoice::Collection, QString()).ok());
    const QString named = QStringLiteral(
        "\nEscluse dall'elenco: 1 data di incasso illeggibile (fattura n. 4 del 04/03/2024). "
        "Correggerle nel registro delle fatture.");
    tick(window.Check1);
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("3 fatture     TOTALE FT: 6.000,00     NETTO FT: 5.400,00") + named);
    tick(window.Check2);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("1 fattura     TOTALE FT: 2.000,00     NETTO FT: 1.800,00") + named);
}

TEST_F(Collections, ANewVisitStartsOnTheBoxesAgain) {
    invoices({invoice(1, "*")});
    tick(window.Check1);
    ASSERT_TRUE(showsList());
    QTest::mouseClick(window.XPButton1, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    openCollections();
    EXPECT_TRUE(showsChoice());
    EXPECT_FALSE(window.Check1->isChecked());
    EXPECT_EQ(lines(), 0);
    EXPECT_TRUE(window.Totali->isHidden());
    EXPECT_TRUE(window.Elenco->isHidden());
}

TEST_F(Collections, AListOf1200InvoicesThenAListOf3ShowsExactly3Lines) {
    test_support::writeInvoices(register_(), 2, 1200, 1, QStringLiteral("4"), false);
    test_support::writeInvoices(register_(), 1202, 3, 1201, QStringLiteral("5"), true);
    tick(window.Check1);
    ASSERT_EQ(lines(), 1200);
    EXPECT_EQ(line(1199)[0], QStringLiteral("1200"));
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("1200 fatture     TOTALE FT: 120.120,00     NETTO FT: 96.096,00"));
    QTest::mouseClick(window.XPButton1, Qt::LeftButton);

    openCollections();
    tick(window.Check2);
    ASSERT_EQ(lines(), 3);
    EXPECT_EQ(line(2)[0], QStringLiteral("1203"));
    EXPECT_EQ(window.Totali->text(),
              QStringLiteral("3 fatture     TOTALE FT: 300,30     NETTO FT: 240,24"));

    const store::Worksheet file = saved();
    EXPECT_EQ(file.text(4, rl::Id), QStringLiteral("1203"));
    for (int row : {5, 999, 1000, 1001, 1201})
        EXPECT_TRUE(file.value(row, rl::Id).isEmpty()) << row;
}

}  // namespace
