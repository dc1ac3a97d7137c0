#include "app/area_window.h"

#include <QCloseEvent>

namespace app {

AreaWindow::AreaWindow(QWidget* parent) : QWidget(parent) {}

void AreaWindow::closeForShutdown() {
    shuttingDown_ = true;
    close();
}

void AreaWindow::closeEvent(QCloseEvent* event) {
    if (shuttingDown_)
        event->accept();
    else
        event->ignore();
}

}  // namespace app
