// The window as the user sees it: every column of the list in view without
// scrolling sideways, the totals and the actions under it, every control named for
// screen readers. With BRISVEL_SHOTS set to a folder (and a real display, e.g. Xvfb
// with QT_QPA_PLATFORM=xcb) the window is also taken as a screenshot.
#include "scadenze_window.h"
#include "support/shots.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QScrollBar>

namespace {

using namespace overdue_test;

// The calendar's month buttons and the list's header are parts of Qt's own
// controls, which name them themselves.
bool partOfQtsOwn(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QCalendarWidget*>(up) || qobject_cast<const QAbstractItemView*>(up))
            return true;
    return false;
}

class WindowLook : public ScadenzeTest {
  protected:
    WindowLook() {
        clients();
        invoices();
        open();
    }

    void shoot(const char* name) {
        if (test_support::shotsFolder().isEmpty())
            return;
        test_support::settle(window);
        test_support::saveWindowShot(window, QString::fromLatin1(name));
    }
};

TEST_F(WindowLook, TheWholeListAndItsTotalsAreInView) {
    QApplication::processEvents();
    EXPECT_FALSE(list()->horizontalScrollBar()->isVisible());
    for (const char* name : {"Totali", "Escluse"}) {
        const QLabel* label = find<QLabel>(name);
        const QRect box(label->mapTo(&window, QPoint(0, 0)), label->size());
        EXPECT_TRUE(window.rect().contains(box)) << name;
        EXPECT_GE(box.top(), list()->mapTo(&window, QPoint(0, list()->height())).y()) << name;
    }
    choose({"3"});
    shoot("overdue-list");
    QTest::mouseClick(find<QCheckBox>("CalendarioIncasso"), Qt::LeftButton);
    const auto* calendar = find<QCalendarWidget>("Calendario");
    const QRect shown(calendar->mapTo(&window, QPoint(0, 0)), calendar->size());
    EXPECT_TRUE(window.rect().contains(shown)) << "the calendar opens inside the window";
    EXPECT_LE(shown.bottom(), dateField()->mapTo(&window, QPoint(0, 0)).y())
        << "over the date field, not on it";
    shoot("overdue-calendar");
}

// The main menu's way in, in the column of the other areas.
TEST_F(ScadenzeTest, TheMainMenuLeadsToTheWindow) {
    QApplication::processEvents();
    const QRect button(menu.XPButton12->mapTo(&menu, QPoint(0, 0)), menu.XPButton12->size());
    EXPECT_TRUE(menu.rect().contains(button));
    EXPECT_EQ(button.left(), menu.XPButton8->mapTo(&menu, QPoint(0, 0)).x());
    if (!test_support::shotsFolder().isEmpty()) {
        test_support::settle(menu);
        test_support::saveWindowShot(menu, QStringLiteral("overdue-main-menu"));
    }
    QTest::mouseClick(menu.XPButton12, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(WindowLook, EveryControlAndLabelIsNamedForScreenReaders) {
    int named = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool control =
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QCalendarWidget*>(widget);
        const auto* label = qobject_cast<QLabel*>(widget);
        if (!control && !(label && !label->text().isEmpty()))
            continue;
        if (partOfQtsOwn(widget))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        const QString name = face->text(QAccessible::Name).trimmed();
        EXPECT_FALSE(name.isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
        if (label) {
            EXPECT_EQ(name, label->text()) << widget->objectName().toStdString();
        }
        ++named;
    }
    EXPECT_GE(named, 12);
}

}  // namespace
