// What the entry window refuses before it writes: a number another invoice of the year
// has, or none; a rate typed instead of chosen; one click in the calendar filling two
// dates.
#include "entry_window.h"

namespace invoices_test {
namespace {

class EntryInput : public EntryWindowTest {};

// Each case registers the worked example with a number and a date of its own, after
// invoice 1 of 07/03/2024 was registered; the store is read back either way.
TEST_F(EntryInput, ANumberIsRegisteredOncePerYear) {
    fillWorkedExample();
    registerAnsweringYes();
    const struct {
        const char* number;
        const char* date;
        const char* refusal;  // nullptr: registered
    } cases[] = {
        {"1", "07/03/2024",
         "Il numero 1 è già della fattura del 07/03/2024 a ROSSI MARIO (ID 1): nel 2024 ogni "
         "fattura ha un numero suo. Scegliere un altro numero."},
        {"", "07/03/2024", "Il numero della fattura è vuoto: scrivere il numero."},
        {"1", "05/01/2025", nullptr},
        {"2", "08/03/2024", nullptr},
    };
    int registered = 1;
    for (const auto& c : cases) {
        fillWorkedExample();
        ui->Check3->setChecked(true);
        ui->Text1->setText(QString::fromUtf8(c.number));
        ui->Text2->setText(QString::fromUtf8(c.date));
        if (c.refusal) {
            boxes.expect(notice(c.refusal, "Gestione", app::Icon::Warning));
            ui->XPButton4->click();
            ui->XPButton5->click();
        } else {
            registerAnsweringYes();
            ++registered;
        }
        registers::InvoiceRegister book(invoices());
        EXPECT_EQ(book.rowCount(), registered) << c.number << " " << c.date;
    }
}

// The counter follows the last number registered; numbers the year already has
// (typed by hand earlier) are skipped in the proposal.
TEST_F(EntryInput, TheProposedNumberSkipsTheNumbersTheYearHas) {
    registers::InvoiceRegister book(invoices());
    for (const char* number : {"5", "6", "8"}) {
        registers::InvoiceRecord r;
        r[registers::invoice::Id] = QString::number(book.rowCount() + 1);
        r[registers::invoice::Number] = QString::fromUtf8(number);
        r[registers::invoice::Date] = QStringLiteral("01/02/2024");
        ASSERT_TRUE(book.append(r));
    }
    const struct {
        const char* counter;
        const char* proposed;
    } cases[] = {{"5", "7"}, {"7", "7"}, {"8", "9"}, {"1", "1"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(invoices().setValue(1, registers::invoice::kNumberCounterColumn, c.counter));
        navigator.backToMainMenu(window.get());
        navigator.go(&menu, window.get());
        EXPECT_EQ(ui->Text1->text(), c.proposed) << c.counter;
    }
}

TEST_F(EntryInput, OneCalendarBoxAtATimeAndARateIsChosenNotTyped) {
    const struct {
        QCheckBox* first;
        QCheckBox* second;
        QLineEdit* filled;
        QLineEdit* untouched;
    } cases[] = {{ui->Check2, ui->Check1, ui->Text2, ui->Text13},
                 {ui->Check1, ui->Check2, ui->Text13, ui->Text2}};
    for (const auto& c : cases) {
        ui->XPButton5->click();
        c.first->setChecked(true);
        c.second->setChecked(true);
        EXPECT_FALSE(c.first->isChecked());
        emit ui->MonthView1->clicked(QDate(2024, 3, 9));
        EXPECT_EQ(c.filled->text(), "09/03/2024");
        EXPECT_EQ(c.untouched->text(), "");
    }
    for (QComboBox* rate : {ui->Combo5, ui->Combo6, ui->Combo7, ui->Combo3}) {
        rate->setFocus();
        QTest::keyClicks(rate, "15");
        EXPECT_EQ(rate->currentText(), "*") << rate->objectName().toStdString();
    }
}

}  // namespace
}  // namespace invoices_test
