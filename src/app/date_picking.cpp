#include "app/date_picking.h"

#include "app/clock.h"
#include "app/date_text.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>

namespace app {

DatePicking::DatePicking(QCheckBox* box, QCalendarWidget* calendar, QLineEdit* field,
                         const Clock* today)
    : QObject(calendar), box_(box), calendar_(calendar), field_(field), today_(today) {
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setVisible(box->isChecked());
    // toggled, not clicked: a window that unticks the box in code hides the calendar too.
    connect(box, &QCheckBox::toggled, this, &DatePicking::ticked);
    connect(calendar, &QCalendarWidget::clicked, this, &DatePicking::picked);
    // Enter on a day picks it too, for keyboard users.
    connect(calendar, &QCalendarWidget::activated, this, &DatePicking::picked);
}

void DatePicking::ticked(bool on) {
    if (on && today_)
        calendar_->setSelectedDate(today_->today());
    calendar_->setVisible(on);
}

void DatePicking::picked(const QDate& date) {
    if (!box_->isChecked())
        return;
    field_->setText(dateText(date));
    box_->setChecked(false);
}

}  // namespace app
