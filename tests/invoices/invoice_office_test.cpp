// LibreOffice opens the store saved after a registration, with its password, and
// reads the amounts as the numbers the window showed.
#include "entry_window.h"

#include "support/office_sheet_cells.h"

namespace {

using namespace invoices_test;

class InvoiceOffice : public EntryWindowTest {};

TEST_F(InvoiceOffice, LibreOfficeReadsTheRegisteredAmountsAsNumbers) {
    fillWorkedExample();
    registerAnsweringYes();
    choose(ui->Combo1, QStringLiteral("BIANCHI SRL"));
    ui->Text2->setText(QStringLiteral("08/03/2024"));
    ui->Text15->setPlainText(QStringLiteral("Parere"));
    type(ui->Text9, QStringLiteral("0,1"));
    choose(ui->Combo5, QStringLiteral("*"));
    choose(ui->Combo6, QStringLiteral("22"));
    registerAnsweringYes();
    saveThroughTheList();

    const QJsonObject cells = test_support::officeSheetCells(data.path(), store::kInvoicesSheet);
    ASSERT_FALSE(cells.isEmpty());

    EXPECT_EQ(cells[u"A1"].toString(), "ID");
    EXPECT_EQ(cells[u"B2"].toString(), "ROSSI MARIO");
    EXPECT_EQ(cells[u"F2"].toString(), "Consulenza\nmarzo");
    EXPECT_EQ(cells[u"E2"].toDouble(), 45358);  // 07/03/2024 as a date serial
    const std::pair<const char16_t*, double> amounts[] = {
        {u"G2", 1000},   {u"H2", 40},  {u"I2", 1040}, {u"J2", 228.8}, {u"M2", 1268.8}, {u"N2", 200},
        {u"O2", 1068.8}, {u"G3", 0.1}, {u"J3", 0.02}, {u"M3", 0.12},  {u"O3", 0.12},   {u"L2", 0},
    };
    for (const auto& [cell, number] : amounts) {
        const QString address = QString::fromUtf16(cell);
        ASSERT_TRUE(cells[address].isDouble()) << address.toStdString();
        EXPECT_DOUBLE_EQ(cells[address].toDouble(), number) << address.toStdString();
    }
    EXPECT_EQ(cells[u"P2"].toString(), "*");
    EXPECT_EQ(cells[u"Q2"].toString(), "Bonifico");
    EXPECT_EQ(cells[u"IU1"].toDouble(), 3);
    EXPECT_EQ(cells[u"IV1"].toDouble(), 3);
}

}  // namespace
