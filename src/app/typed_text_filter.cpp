#include "app/typed_text_filter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace app {

TypedTextFilter::TypedTextFilter(QLineEdit* edit, Rule rule)
    : QObject(edit), edit_(edit), rule_(std::move(rule)) {
    edit->installEventFilter(this);
}

void TypedTextFilter::adaptContextMenu(QMenu* menu) {
    // The paste entry is the one wired to the edit's paste(); older Qt wires it by
    // name, newer by member pointer.
    for (QAction* action : menu->actions()) {
        const bool isPaste = disconnect(action, SIGNAL(triggered()), edit_, SLOT(paste())) ||
                             disconnect(action, &QAction::triggered, edit_, &QLineEdit::paste);
        if (isPaste) {
            connect(action, &QAction::triggered, this,
                    [this] { insert(QGuiApplication::clipboard()->text()); });
        }
    }
}

bool TypedTextFilter::eventFilter(QObject* watched, QEvent* event) {
    // The edit is asked only about the events handled here: others also arrive while
    // it is being destroyed, when it is no longer a QLineEdit.
    const QEvent::Type type = event->type();
    const bool handled = type == QEvent::KeyPress || type == QEvent::ContextMenu ||
                         type == QEvent::MouseButtonRelease || type == QEvent::Drop;
    if (watched != edit_ || !handled || edit_->isReadOnly())
        return false;
    switch (type) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu: {
            QMenu* menu = edit_->createStandardContextMenu();
            adaptContextMenu(menu);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // The middle button pastes the X11 selection.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection() ||
                !edit_->rect().contains(mouse->position().toPoint()))
                return false;
            edit_->setCursorPosition(edit_->cursorPositionAt(mouse->position().toPoint()));
            insert(clipboard->text(QClipboard::Selection));
            return true;
        }
        case QEvent::Drop:
            return dropped(static_cast<QDropEvent*>(event));
        default:
            return false;
    }
}

bool TypedTextFilter::keyPressed(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        insert(QGuiApplication::clipboard()->text());
        return true;
    }
    // Shortcuts (Ctrl+A, Ctrl+C...) and keys without a printable character (arrows,
    // Home, End, Backspace, Delete, Tab, Enter) keep their usual meaning.
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    if (rule_(typed) == typed)
        return false;
    insert(typed);
    return true;
}

bool TypedTextFilter::dropped(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasText() || rule_(data->text()) == data->text())
        return false;
    edit_->setCursorPosition(edit_->cursorPositionAt(event->position().toPoint()));
    insert(data->text());
    // A copy, so that the source of the drag keeps its text.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void TypedTextFilter::insert(const QString& incoming) {
    const QString allowed = rule_(incoming);
    if (!allowed.isEmpty())
        edit_->insert(allowed);
}

}  // namespace app
