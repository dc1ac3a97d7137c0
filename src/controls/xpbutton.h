#pragma once

// The program's own push button: it paints its face itself in one of seven looks,
// keeps a rounded outline for the looks that have one, and behaves as a keyboard
// operable button. Windows react to clicked() only.

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QString>

#include "controls/xpbutton_looks.h"
#include "controls/xpbutton_palette.h"

namespace controls {

class XPButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(int ButtonType READ buttonType WRITE setButtonType)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int ColorScheme READ colorScheme WRITE setColorScheme)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)

  public:
    // A new button: look 2, scheme 1, system button colours, parent's font.
    explicit XPButton(QWidget* parent = nullptr);

    // The button every window of the program uses: the XP look (3), system
    // colours, BackColor RGB(236,233,216), black ForeColor.
    static XPButton* standard(const QString& caption, QWidget* parent = nullptr);

    // Looks 1..7; other values are ignored.
    int buttonType() const { return buttonType_; }
    void setButtonType(int type);

    // The caption with its "&" access-key marks; the same text as text().
    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    // 1 system colours, 2 colours derived from BackColor/ForeColor, 3 fixed greys;
    // any other value behaves as 1.
    int colorScheme() const { return colorScheme_; }
    void setColorScheme(int scheme);

    bool showFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool show);

    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& color);

    QColor foreColor() const { return foreColor_; }
    void setForeColor(const QColor& color);

    // The six colours the face is drawn with, as the scheme gives them.
    const XPButtonPalette& colors() const { return colors_; }

    // The character that Alt+key clicks, or a null QChar when the caption has none.
    QChar accessKey() const { return accessKey_; }

    // The face last drawn, kept until a state or caption change redraws it.
    FaceState drawnState() const { return drawnState_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void keyPress(int character);
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyUp(int key, Qt::KeyboardModifiers modifiers);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    void redrawFace(FaceState state, bool forced);
    void applyCaption();
    void recomputeColors();
    void rebuildOutline();
    void pressWith(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void releaseWith(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void surfaceClick();

    int buttonType_ = 2;
    int colorScheme_ = 1;
    bool showFocusRect_ = true;
    QColor backColor_;
    QColor foreColor_;
    XPButtonPalette colors_;
    QChar accessKey_;

    Qt::MouseButton lastButton_ = Qt::LeftButton;
    bool spaceHeld_ = false;
    FaceState drawnState_ = FaceState::Normal;
    QString drawnCaption_;
    QImage face_;
};

}  // namespace controls
