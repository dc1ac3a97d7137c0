#include "app/controls_factory.h"

#include "app/input_rules.h"
#include "controls/xpbutton.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace app {

QLineEdit* makeLineEdit(const QString& name, int typingLimit, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (typingLimit > 0)
        limitTyping(edit, typingLimit);
    return edit;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

controls::XPButton* makeButton(const QString& name, const QString& caption, const QString& tip,
                               QWidget* parent) {
    auto* button = controls::XPButton::standard(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

QWidget* captioned(const QString& caption, QWidget* field) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    column->addWidget(label);
    column->addWidget(field);
    return box;
}

void prepareReportList(QTreeView* view) {
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
}

}  // namespace app
