#pragma once

// A shown, active window to put buttons in, and ways to look at and poke them.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <memory>
#include <ostream>

#include "controls/xpbutton.h"

// Colours in failure messages as rgb(r, g, b).
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}

namespace controls_test {

class ButtonWindow {
  public:
    ButtonWindow() : window_(std::make_unique<QWidget>()) { window_->resize(300, 120); }

    controls::XPButton* add(const QString& caption, QRect geometry = QRect(10, 10, 75, 23)) {
        auto* button = controls::XPButton::standard(caption, window_.get());
        button->setGeometry(geometry);
        return button;
    }

    void show() {
        window_->show();
        QApplication::setActiveWindow(window_.get());
        (void)QTest::qWaitForWindowActive(window_.get());
    }

    QWidget* widget() { return window_.get(); }

  private:
    std::unique_ptr<QWidget> window_;
};

inline QImage shot(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor at(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// A mouse event with an explicit set of held buttons, delivered straight to `w`.
inline void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                      QPoint pos) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace controls_test
