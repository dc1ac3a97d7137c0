#pragma once

// Picking a date from a calendar: a check box shows the calendar, a click on a
// day writes the date into the date field as dd/mm/yyyy.

#include <QObject>

class QCalendarWidget;
class QCheckBox;
class QDate;
class QLineEdit;

namespace app {

class Clock;

class DatePicking : public QObject {
    Q_OBJECT
  public:
    // Ticking `box` shows `calendar` (turned to today by `today` when given),
    // unticking hides it and leaves `field` as it is. Owned by the calendar.
    DatePicking(QCheckBox* box, QCalendarWidget* calendar, QLineEdit* field,
                const Clock* today = nullptr);

  private:
    void ticked(bool on);
    void picked(const QDate& date);

    QCheckBox* box_;
    QCalendarWidget* calendar_;
    QLineEdit* field_;
    const Clock* today_;
};

}  // namespace app
