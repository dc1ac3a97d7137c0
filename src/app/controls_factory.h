#pragma once

// The controls every window makes the same way: named as the window's design names
// them (their objectName), so tests and screenshots find them.

#include <QString>

class QLabel;
class QLineEdit;
class QTreeView;
class QWidget;

namespace controls {
class XPButton;
}

namespace app {

// A line edit; `typingLimit` > 0 limits what the user types into it, never what the
// program shows (see limitTyping).
QLineEdit* makeLineEdit(const QString& name, int typingLimit = 0, QWidget* parent = nullptr);

// A label. It exposes its text to screen readers, whatever the text becomes.
QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent = nullptr);

// The program's button, with its tool tip.
controls::XPButton* makeButton(const QString& name, const QString& caption, const QString& tip = {},
                               QWidget* parent = nullptr);

// `field` under its caption, which names it for screen readers.
QWidget* captioned(const QString& caption, QWidget* field);

// A list view in report view: rows, no tree decoration, whole-row selection, read-only,
// uniform row heights so that thousands of rows lay out at once.
void prepareReportList(QTreeView* view);

}  // namespace app
