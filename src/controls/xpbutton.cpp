#include "controls/xpbutton.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

#include <algorithm>

#include "controls/xpbutton_caption.h"
#include "controls/xpbutton_outline.h"

namespace controls {

namespace {

// Keyboard presses act on the button as a left press at its top-left corner.
constexpr QPoint kKeyboardPoint(1, 1);

}  // namespace

XPButton::XPButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    backColor_ = palette().color(QPalette::Active, QPalette::Button);
    foreColor_ = palette().color(QPalette::Active, QPalette::ButtonText);
    recomputeColors();
}

XPButton* XPButton::standard(const QString& caption, QWidget* parent) {
    auto* button = new XPButton(parent);
    button->setButtonType(3);
    button->setBackColor(QColor(236, 233, 216));
    button->setForeColor(Qt::black);
    button->setCaption(caption);
    return button;
}

void XPButton::setButtonType(int type) {
    if (type < 1 || type > 7)
        return;
    buttonType_ = type;
    // The outline follows the look at once, so a look never shows another's corners.
    rebuildOutline();
    redrawFace(FaceState::Normal, true);
}

void XPButton::setCaption(const QString& caption) {
    setText(caption);
    applyCaption();
}

void XPButton::setColorScheme(int scheme) {
    colorScheme_ = scheme;
    recomputeColors();
    redrawFace(FaceState::Normal, true);
}

void XPButton::setShowFocusRect(bool show) {
    showFocusRect_ = show;
    redrawFace(drawnState_, true);
}

void XPButton::setBackColor(const QColor& color) {
    backColor_ = color;
    recomputeColors();
    redrawFace(drawnState_, true);
}

void XPButton::setForeColor(const QColor& color) {
    foreColor_ = color;
    recomputeColors();
    redrawFace(drawnState_, true);
}

QSize XPButton::sizeHint() const {
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(captionPlainText(text()));
    return {std::max(75, textWidth + 24), std::max(25, metrics.height() + 10)};
}

QSize XPButton::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(captionPlainText(text())) + 12, metrics.height() + 6};
}

void XPButton::applyCaption() {
    accessKey_ = captionAccessKey(text());
    setShortcut(accessKey_.isNull()
                    ? QKeySequence()
                    : QKeySequence(QKeyCombination(Qt::AltModifier,
                                                   Qt::Key(accessKey_.toUpper().unicode()))));
    setAccessibleName(captionPlainText(text()));
    updateGeometry();
    redrawFace(FaceState::Normal, true);
}

void XPButton::recomputeColors() {
    colors_ = schemePalette(colorScheme_, backColor_, foreColor_, palette());
}

void XPButton::rebuildOutline() {
    setMask(buttonOutline(buttonType_, size()));
}

void XPButton::redrawFace(FaceState state, bool forced) {
    if (!forced && state == drawnState_ && text() == drawnCaption_)
        return;
    if (width() <= 0 || height() <= 0)
        return;
    drawnState_ = state;
    drawnCaption_ = text();

    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    FaceSpec spec;
    spec.buttonType = buttonType_;
    spec.state = state;
    spec.enabled = isEnabled();
    spec.focusMark = hasFocus() && showFocusRect_;
    spec.size = size();
    spec.caption = text();
    spec.font = font();
    spec.colors = colors_;
    drawFace(painter, spec);
    painter.end();
    face_ = std::move(image);
    update();
}

bool XPButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        const auto* shortcutEvent = static_cast<QShortcutEvent*>(e);
        if (shortcutEvent->key() == shortcut()) {
            // The access key acts as a click at once, as the mouse would; when two
            // buttons share the key it only moves the focus, so none fires by surprise.
            if (isEnabled()) {
                setFocus(Qt::ShortcutFocusReason);
                if (!shortcutEvent->isAmbiguous())
                    surfaceClick();
            }
            return true;
        }
    }
    return QAbstractButton::event(e);
}

void XPButton::paintEvent(QPaintEvent*) {
    // setText() called directly bypasses setCaption(): catch up before showing.
    if (text() != drawnCaption_)
        applyCaption();
    if (face_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, face_);
}

void XPButton::resizeEvent(QResizeEvent*) {
    rebuildOutline();
    redrawFace(FaceState::Normal, true);
}

void XPButton::changeEvent(QEvent* e) {
    QAbstractButton::changeEvent(e);
    switch (e->type()) {
        case QEvent::EnabledChange:
            spaceHeld_ = false;
            redrawFace(FaceState::Normal, true);
            break;
        case QEvent::FontChange:
            updateGeometry();
            redrawFace(FaceState::Normal, true);
            break;
        case QEvent::PaletteChange:
            // The system colours of scheme 1 come from the palette.
            recomputeColors();
            redrawFace(drawnState_, true);
            break;
        default:
            break;
    }
}

void XPButton::pressWith(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    lastButton_ = button;
    if (button != Qt::RightButton)
        redrawFace(FaceState::Pressed, false);
    emit mouseDown(button, modifiers, at.x(), at.y());
}

void XPButton::releaseWith(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    if (button != Qt::RightButton)
        redrawFace(FaceState::Normal, false);
    emit mouseUp(button, modifiers, at.x(), at.y());
}

void XPButton::surfaceClick() {
    if (lastButton_ != Qt::LeftButton || !isEnabled())
        return;
    redrawFace(FaceState::Normal, true);
    // The window's handler may run long: show the released face before it starts.
    repaint();
    click();
}

void XPButton::mousePressEvent(QMouseEvent* e) {
    pressWith(e->button(), e->modifiers(), e->position().toPoint());
}

void XPButton::mouseMoveEvent(QMouseEvent* e) {
    const Qt::MouseButtons held = e->buttons();
    if (held != Qt::NoButton && held != Qt::LeftButton)
        return;
    if (!rect().contains(e->position().toPoint())) {
        redrawFace(FaceState::Normal, false);
    } else if (held == Qt::LeftButton) {
        redrawFace(FaceState::Pressed, false);
    }
}

void XPButton::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    releaseWith(e->button(), e->modifiers(), at);
    // A click needs the release over the button, as the press was.
    if (e->button() == Qt::LeftButton && rect().contains(at))
        surfaceClick();
}

void XPButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click presses the button again, so it clicks too.
    const bool left = e->button() == Qt::LeftButton;
    pressWith(e->button(), e->modifiers(), left ? kKeyboardPoint : e->position().toPoint());
}

void XPButton::keyPressEvent(QKeyEvent* e) {
    const QPointer<XPButton> alive(this);
    switch (e->key()) {
        case Qt::Key_Space:
            // A held space bar repeats its press: the button is pressed once.
            if (!e->isAutoRepeat()) {
                spaceHeld_ = true;
                pressWith(Qt::LeftButton, e->modifiers(), kKeyboardPoint);
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter on a focused button clicks it, as on every desktop; a held key
            // clicks once, never a burst of clicks.
            if (!e->isAutoRepeat()) {
                lastButton_ = Qt::LeftButton;
                surfaceClick();
            }
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            focusNextPrevChild(true);
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            focusNextPrevChild(false);
            break;
        default:
            QWidget::keyPressEvent(e);
            break;
    }
    if (!alive)
        return;
    emit keyDown(e->key(), e->modifiers());
    if (!e->text().isEmpty())
        emit keyPress(e->text().at(0).unicode());
}

void XPButton::keyReleaseEvent(QKeyEvent* e) {
    const QPointer<XPButton> alive(this);
    if (e->key() == Qt::Key_Space) {
        // Only a space pressed on this button clicks it, not one carried in from elsewhere.
        if (!e->isAutoRepeat() && spaceHeld_) {
            spaceHeld_ = false;
            releaseWith(Qt::LeftButton, e->modifiers(), kKeyboardPoint);
            lastButton_ = Qt::LeftButton;
            surfaceClick();
        }
    } else {
        QWidget::keyReleaseEvent(e);
    }
    if (alive)
        emit keyUp(e->key(), e->modifiers());
}

void XPButton::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    redrawFace(drawnState_, true);
}

void XPButton::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    // A space press that loses the focus is abandoned: the face comes back up.
    if (spaceHeld_) {
        spaceHeld_ = false;
        redrawFace(FaceState::Normal, true);
        return;
    }
    redrawFace(drawnState_, true);
}

}  // namespace controls
