#include "app/typed_text_filter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace app {

TypedTextFilter::TypedTextFilter(QLineEdit* edit)
    : QObject(edit), edit_(edit), rule_([](const QString& incoming) { return incoming; }) {
    edit->installEventFilter(this);
}

TypedTextFilter* TypedTextFilter::of(QLineEdit* edit) {
    if (auto* existing = edit->findChild<TypedTextFilter*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new TypedTextFilter(edit);
}

void TypedTextFilter::setRule(Rule rule) {
    rule_ = std::move(rule);
}

void TypedTextFilter::setLimit(int limit) {
    limit_ = limit;
}

void TypedTextFilter::setKeypadDecimal(QChar decimal) {
    keypadDecimal_ = decimal;
}

QString TypedTextFilter::admitted(const QString& incoming) const {
    const QString allowed = rule_(incoming);
    if (limit_ <= 0)
        return allowed;
    const qsizetype kept = edit_->text().size() - edit_->selectedText().size();
    return allowed.left(std::max<qsizetype>(0, limit_ - kept));
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
    const bool handled = type == QEvent::KeyPress || type == QEvent::InputMethod ||
                         type == QEvent::ContextMenu || type == QEvent::MouseButtonRelease ||
                         type == QEvent::Drop;
    if (watched != edit_ || !handled || edit_->isReadOnly())
        return false;
    switch (type) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return composed(static_cast<QInputMethodEvent*>(event));
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
    QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    const bool keypadDecimal = !keypadDecimal_.isNull() &&
                               (event->modifiers() & Qt::KeypadModifier) &&
                               typed == QStringLiteral(".");
    if (keypadDecimal)
        typed = keypadDecimal_;
    else if (admitted(typed) == typed)
        return false;
    insert(typed);
    return true;
}

bool TypedTextFilter::composed(QInputMethodEvent* event) {
    // A dead key or a compose sequence ends in a commit string, which reaches the
    // edit without a key press of its own.
    const QString commit = event->commitString();
    const QString allowed = admitted(commit);
    if (allowed == commit)
        return false;
    // The same event with the admitted text, so the preedit ends as the method meant;
    // it passes this filter unchanged on its way in.
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(allowed, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(edit_, &filtered);
    return true;
}

bool TypedTextFilter::dropped(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasText() || admitted(data->text()) == data->text())
        return false;
    edit_->setCursorPosition(edit_->cursorPositionAt(event->position().toPoint()));
    insert(data->text());
    // A copy, so that the source of the drag keeps its text.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void TypedTextFilter::insert(const QString& incoming) {
    const QString allowed = admitted(incoming);
    if (!allowed.isEmpty())
        edit_->insert(allowed);
}

}  // namespace app
