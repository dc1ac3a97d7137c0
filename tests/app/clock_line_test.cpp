#include "app/clock_line.h"

#include "app/clock.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(ClockText, TimeSeparatorAndDate) {
    const QDateTime at(QDate(2024, 3, 5), QTime(9, 7, 30));
    EXPECT_EQ(app::clockText(at, app::kClockSeparatorWide), "Ore...09:07:30   del   05/03/2024");
    EXPECT_EQ(app::clockText(at, app::kClockSeparatorNarrow), "Ore...09:07:30 del 05/03/2024");
    EXPECT_EQ(app::clockText(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)),
                             app::kClockSeparatorNarrow),
              "Ore...23:59:59 del 31/12/2025");
}

TEST(ClockLine, ShowsTheTimeAtOnceAndFollowsTheClockWhileHidden) {
    app::FixedClock clock(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 59)));
    QLabel label;  // never shown: the clock runs in hidden windows too
    QTimer timer;
    new app::ClockLine(&label, &timer, clock, app::kClockSeparatorWide);
    EXPECT_EQ(label.text(), "Ore...23:59:59   del   05/03/2024");
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1000);

    // A second later by the clock, one tick of the window's timer shows it; the
    // tick is the timer's signal, so no real second passes.
    clock.advanceSeconds(1);
    EXPECT_EQ(label.text(), "Ore...23:59:59   del   05/03/2024");
    ASSERT_TRUE(QMetaObject::invokeMethod(&timer, "timeout"));
    EXPECT_EQ(label.text(), "Ore...00:00:00   del   06/03/2024");
}

}  // namespace
