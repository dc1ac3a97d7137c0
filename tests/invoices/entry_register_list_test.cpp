// The register list page: which clicks load an invoice for modification and which
// only choose lines for the electronic invoice.
#include "entry_window.h"

#include <QSignalSpy>

#include <string>

namespace {

using namespace invoices_test;

struct ListClick {
    std::string name;
    Qt::KeyboardModifiers keys;
    bool loads;
    QList<int> chosenRows;  // the register rows "Fattura Elettronica" then hands over
};

class RegisterListClicks : public EntryWindowTest, public testing::WithParamInterface<ListClick> {};

TEST_P(RegisterListClicks, OnlyAPlainClickLoads) {
    const ListClick& row = GetParam();
    for (int i = 0; i < 3; ++i) {
        fillWorkedExample();
        registerAnsweringYes();
    }
    ui->XPButton3->click();
    window->resize(1000, 660);
    QApplication::processEvents();
    QTreeView* list = ui->ListView3;
    ASSERT_EQ(list->model()->rowCount(), 3);
    // A plain click on the first line chooses it; the test's click is on the third.
    const QModelIndex first = list->model()->index(0, 0);
    list->selectionModel()->setCurrentIndex(
        first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QModelIndex third = list->model()->index(2, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, row.keys, list->visualRect(third).center());

    EXPECT_EQ(ui->XPButton3->text(), row.loads ? "Modifica" : "Seleziona");
    EXPECT_EQ(ui->Frame1->isVisibleTo(window.get()), !row.loads);
    if (row.loads) {
        EXPECT_EQ(ui->Text10->text(), "3");
        return;
    }
    QSignalSpy requests(window.get(), &invoices::Entrata::electronicInvoiceRequested);
    ui->XPButton9->click();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0][0].value<QList<int>>(), row.chosenRows);
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, RegisterListClicks,
    testing::Values(ListClick{"Plain", Qt::NoModifier, true, {}},
                    ListClick{"Ctrl", Qt::ControlModifier, false, {2, 4}},
                    ListClick{"Shift", Qt::ShiftModifier, false, {2, 3, 4}},
                    ListClick{
                        "CtrlShift", Qt::ControlModifier | Qt::ShiftModifier, false, {2, 3, 4}}),
    [](const testing::TestParamInfo<ListClick>& info) { return info.param.name; });

}  // namespace
