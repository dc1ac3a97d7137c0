#include "app/navigator.h"

#include "app/area_window.h"

#include <QEvent>

namespace app {

Navigator::Navigator(QObject* parent) : QObject(parent) {}

void Navigator::setMainMenu(AreaWindow* menu) {
    mainMenu_ = menu;
}

void Navigator::go(QWidget* from, AreaWindow* to) {
    if (from)
        from->hide();
    to->show();
    to->raise();
    to->activateWindow();
    to->activate();
}

void Navigator::backToMainMenu(QWidget* from) {
    Q_ASSERT(mainMenu_);
    go(from, mainMenu_);
}

void Navigator::openOver(AreaWindow* caller, QWidget* over) {
    if (callers_.find(over) == callers_.end()) {
        over->installEventFilter(this);
        connect(over, &QObject::destroyed, this, &Navigator::left);
    }
    callers_[over] = caller;
    over->show();
    over->raise();
    over->activateWindow();
}

bool Navigator::eventFilter(QObject* watched, QEvent* event) {
    // A spontaneous hide is the window system minimising the window: not left.
    if (event->type() == QEvent::Hide && !event->spontaneous())
        left(watched);
    return false;
}

void Navigator::left(QObject* over) {
    const auto found = callers_.find(over);
    if (found == callers_.end())
        return;
    const QPointer<AreaWindow> caller = found->second;
    callers_.erase(found);
    over->removeEventFilter(this);
    disconnect(over, &QObject::destroyed, this, &Navigator::left);
    if (caller && caller->isVisible())
        caller->activate();
}

}  // namespace app
