#pragma once

// Checks that Tab walks a window's controls in the order the eye reads them: line by
// line from the top, left to right within a line.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

namespace test_support {

// The control that holds the keyboard focus (an editable combo box for its line edit).
inline QWidget* focusedControl() {
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

// The controls Tab reaches from `first`, pressing Tab until the focus comes back.
inline std::vector<QWidget*> tabWalk(QWidget* first) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> walk{focusedControl()};
    for (int step = 0; step < 80; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = focusedControl();
        if (!now || now == walk.front())
            break;
        walk.push_back(now);
    }
    return walk;
}

// Where `w` is seen: with its caption, a label naming it (or a box holding it), as a
// field and its caption are read as one.
inline QRect seenAt(const QWidget* w, const QWidget* window) {
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QWidget* named = label->buddy();
        if (named && label->isVisibleTo(window) && (named == w || named->isAncestorOf(w)))
            r = r.united(QRect(label->mapTo(window, QPoint(0, 0)), label->size()));
    }
    return r;
}

// Whether `a` is drawn before `b`: above it, or on the same line and to its left.
inline bool drawnBefore(const QWidget* a, const QWidget* b, const QWidget* window) {
    const QRect ra = seenAt(a, window);
    const QRect rb = seenAt(b, window);
    if (ra.bottom() < rb.center().y() && ra.center().y() < rb.top())
        return true;
    if (rb.bottom() < ra.center().y() && rb.center().y() < ra.top())
        return false;
    return ra.center().x() < rb.center().x();
}

inline QString placed(const QWidget* w, const QWidget* window) {
    const QRect r = seenAt(w, window);
    return QStringLiteral("%1(%2,%3 %4x%5)")
        .arg(w->objectName())
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

// Each pair of the walk in which the later control is drawn before the earlier one,
// as "later before earlier" with their places; empty when Tab follows the eye.
inline std::string outOfReadingOrder(const std::vector<QWidget*>& walk, const QWidget* window) {
    QStringList wrong;
    for (std::size_t i = 0; i < walk.size(); ++i) {
        for (std::size_t j = i + 1; j < walk.size(); ++j) {
            if (drawnBefore(walk[j], walk[i], window))
                wrong << placed(walk[j], window) + QStringLiteral(" before ") +
                             placed(walk[i], window);
        }
    }
    return wrong.join(QStringLiteral("; ")).toStdString();
}

inline QStringList names(const std::vector<QWidget*>& walk) {
    QStringList out;
    for (const QWidget* w : walk)
        out << w->objectName();
    return out;
}

}  // namespace test_support
