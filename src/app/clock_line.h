#pragma once

// The clock line of a window: "Ore..." then the time, a separator and the date,
// refreshed every second.

#include <QObject>
#include <QString>
#include <QStringView>

class QDateTime;
class QLabel;
class QTimer;

namespace app {

class Clock;

// Separator of the main menu, the invoice entry and the user-data windows.
inline constexpr QStringView kClockSeparatorWide = u"   del   ";
// Separator of the client window.
inline constexpr QStringView kClockSeparatorNarrow = u" del ";

// "Ore...09:07:30   del   05/03/2024" for that moment and separator.
QString clockText(const QDateTime& at, QStringView separator);

// Drives `label` from the window's own `timer`, which it sets to 1000 ms and
// starts; the label shows the time at once and then at every tick, whether the
// window is shown or hidden. Owned by the label.
class ClockLine : public QObject {
    Q_OBJECT
  public:
    ClockLine(QLabel* label, QTimer* timer, const Clock& clock, QStringView separator);

    void refresh();

  private:
    QLabel* label_;
    const Clock& clock_;
    QString separator_;
};

}  // namespace app
