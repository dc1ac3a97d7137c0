#include "app/date_picking.h"

#include "app/clock.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class DatePickingTest : public testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(calendar);
        layout->addWidget(field);
        field->setText("01/02/2023");
        window.show();
    }

    // The calendar cell that shows `day` of the month on display.
    QPoint cellOf(int day) const {
        auto* view = calendar->findChild<QTableView*>("qt_calendar_calendarview");
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex index = model->index(row, column);
                // Rows 2 and later hold no days of the previous month past the 14th.
                if (row >= 2 && model->data(index).toInt() == day)
                    return view->visualRect(index).center();
            }
        }
        return {};
    }

    // A click where the user clicks: on the box's indicator.
    void clickBox() {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    }

    void clickDay(int day) {
        auto* view = calendar->findChild<QTableView*>("qt_calendar_calendarview");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cellOf(day));
    }

    app::FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(10, 0))};
    QWidget window;
    QCheckBox* box = new QCheckBox(&window);
    QCalendarWidget* calendar = new QCalendarWidget(&window);
    QLineEdit* field = new QLineEdit(&window);
};

TEST_F(DatePickingTest, UntickingHidesTheCalendarAndLeavesTheDate) {
    new app::DatePicking(box, calendar, field, &clock);
    EXPECT_TRUE(calendar->isHidden());
    clickBox();
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 15));
    clickBox();
    EXPECT_TRUE(calendar->isHidden());
    EXPECT_EQ(field->text(), "01/02/2023");
}

TEST_F(DatePickingTest, ClickingADayWritesItAndClosesTheCalendar) {
    new app::DatePicking(box, calendar, field, &clock);
    box->setChecked(true);
    clickDay(20);
    EXPECT_EQ(field->text(), "20/03/2024");
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(calendar->isHidden());
}

TEST_F(DatePickingTest, EnterOnTheSelectedDayPicksIt) {
    new app::DatePicking(box, calendar, field, &clock);
    box->setChecked(true);
    auto* view = calendar->findChild<QTableView*>("qt_calendar_calendarview");
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(field->text(), "16/03/2024");
    EXPECT_FALSE(box->isChecked());
}

TEST_F(DatePickingTest, WithoutAClockTheCalendarKeepsItsDay) {
    calendar->setSelectedDate(QDate(2022, 7, 1));
    new app::DatePicking(box, calendar, field);
    box->setChecked(true);
    EXPECT_EQ(calendar->selectedDate(), QDate(2022, 7, 1));
    clickDay(9);
    EXPECT_EQ(field->text(), "09/07/2022");
}

TEST_F(DatePickingTest, AClickWhileUntickedWritesNothing) {
    new app::DatePicking(box, calendar, field, &clock);
    calendar->show();  // shown by other means while the box is unticked
    clickDay(20);
    EXPECT_EQ(field->text(), "01/02/2023");
}

TEST_F(DatePickingTest, ClearingTheBoxInCodeHidesTheCalendar) {
    new app::DatePicking(box, calendar, field, &clock);
    box->setChecked(true);
    box->setChecked(false);
    EXPECT_TRUE(calendar->isHidden());
}

TEST_F(DatePickingTest, TheCalendarSpeaksItalian) {
    new app::DatePicking(box, calendar, field, &clock);
    box->setChecked(true);
    auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), "marzo");
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
}

}  // namespace
