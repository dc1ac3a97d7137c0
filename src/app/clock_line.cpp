#include "app/clock_line.h"

#include "app/clock.h"
#include "app/date_text.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

namespace app {

QString clockText(const QDateTime& at, QStringView separator) {
    return QStringLiteral("Ore...") + timeText(at.time()) + separator.toString() +
           dateText(at.date());
}

ClockLine::ClockLine(QLabel* label, QTimer* timer, const Clock& clock, QStringView separator)
    : QObject(label), label_(label), clock_(clock), separator_(separator.toString()) {
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &ClockLine::refresh);
    timer->start();
    refresh();
}

void ClockLine::refresh() {
    label_->setText(clockText(clock_.now(), separator_));
}

}  // namespace app
