#pragma once

// Dates and times as the windows write them, Italian short formats.

#include <QDate>
#include <QString>
#include <QTime>

namespace app {

// dd/mm/yyyy, e.g. "05/03/2024".
QString dateText(const QDate& date);

// hh:mm:ss, e.g. "09:07:30".
QString timeText(const QTime& time);

}  // namespace app
