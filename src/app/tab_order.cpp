#include "app/tab_order.h"

#include <QWidget>

namespace app {

void orderTabs(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace app
