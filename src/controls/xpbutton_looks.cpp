#include "controls/xpbutton_looks.h"

#include <QRect>

namespace controls {

namespace {

constexpr int kCaptionFlags =
    Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs;

// The drawing primitives every look is built from, on one face.
class Face {
  public:
    Face(QPainter& painter, const FaceSpec& spec)
        : p_(painter),
          s_(spec),
          w_(spec.size.width()),
          h_(spec.size.height()),
          ground_(spec.colors.face) {}

    const FaceSpec& spec() const { return s_; }
    const XPButtonPalette& colors() const { return s_.colors; }
    int w() const { return w_; }
    int h() const { return h_; }
    bool disabled() const { return !s_.enabled; }
    bool pressed() const { return s_.enabled && s_.state == FaceState::Pressed; }

    QRect whole() const { return {0, 0, w_, h_}; }
    // Its centre lies one pixel right of and below the whole rectangle's.
    QRect shifted() const { return {2, 2, w_ - 2, h_ - 2}; }

    void fill(const QRect& r, const QColor& c) const {
        if (r.width() > 0 && r.height() > 0)
            p_.fillRect(r, c);
    }
    void pixel(int x, int y, const QColor& c) const { fill(QRect(x, y, 1, 1), c); }
    // From x1 to x2 on row y, x2 left out.
    void hline(int x1, int x2, int y, const QColor& c) const { fill(QRect(x1, y, x2 - x1, 1), c); }
    // From y1 to y2 in column x, y2 left out.
    void vline(int x, int y1, int y2, const QColor& c) const { fill(QRect(x, y1, 1, y2 - y1), c); }
    void frame(const QRect& r, const QColor& c) const {
        if (r.width() <= 0 || r.height() <= 0)
            return;
        hline(r.left(), r.left() + r.width(), r.top(), c);
        hline(r.left(), r.left() + r.width(), r.bottom(), c);
        vline(r.left(), r.top(), r.top() + r.height(), c);
        vline(r.right(), r.top(), r.top() + r.height(), c);
    }

    QFont captionFont(bool bold) const {
        QFont font = s_.font;
        if (bold)
            font.setBold(true);
        return font;
    }
    void caption(const QRect& r, const QColor& c, bool bold = false) const {
        p_.setFont(captionFont(bold));
        p_.setPen(c);
        p_.drawText(r, kCaptionFlags, s_.caption);
    }
    // What a look paints under its caption when it is not the face colour.
    void paintedGround(const QColor& c) { ground_ = c; }

    // The caption in the text colour, moved one pixel right and down when pressed; in
    // black or white instead when the text colour would not read on the ground.
    void liveCaption(bool moves = true, bool bold = false) const {
        caption(pressed() && moves ? shifted() : whole(), legibleOn(colors().text, ground_), bold);
    }
    // Disabled: a highlight copy below and to the right of a shadow copy.
    void engravedCaption() const {
        caption(shifted(), colors().highlight);
        caption(whole(), colors().shadow);
    }
    void normalCaption() const { disabled() ? engravedCaption() : liveCaption(); }

    // The dotted system focus rectangle on (4, 4, w - 4, h - 4).
    void focusRect() const {
        if (!s_.focusMark || disabled())
            return;
        const QRect r(4, 4, w_ - 8, h_ - 8);
        if (r.width() <= 0 || r.height() <= 0)
            return;
        const QColor c = colors().text;
        for (int x = r.left(); x <= r.right(); x += 2) {
            pixel(x, r.top(), c);
            pixel(x, r.bottom(), c);
        }
        for (int y = r.top(); y <= r.bottom(); y += 2) {
            pixel(r.left(), y, c);
            pixel(r.right(), y, c);
        }
    }

  private:
    QPainter& p_;
    const FaceSpec& s_;
    int w_;
    int h_;
    QColor ground_;
};

// Nearest integer of a·y/h for non-negative values, halves rounded up.
int scaled(int y, int a, int h) {
    return (2 * y * a + h) / (2 * h);
}

void drawThinLook(const Face& f) {
    const auto& c = f.colors();
    const QColor soft = offsetColor(c.shadow, 32);
    const bool down = f.pressed();
    const int w = f.w(), h = f.h();
    f.normalCaption();
    f.hline(0, w - 1, 0, down ? c.shadow : c.highlight);
    f.vline(0, 0, h - 1, down ? c.shadow : c.highlight);
    f.hline(0, w, h - 1, down ? c.highlight : c.shadow);
    f.vline(w - 1, 0, h, down ? c.highlight : c.shadow);
    f.hline(1, w - 2, 1, down ? soft : c.light);
    f.vline(1, 1, h - 2, down ? soft : c.light);
    f.hline(1, w - 1, h - 2, down ? c.light : soft);
    f.vline(w - 2, 1, h - 1, down ? c.light : soft);
    f.focusRect();
}

void drawClassicLook(const Face& f) {
    const auto& c = f.colors();
    const int w = f.w(), h = f.h();
    if (f.pressed()) {
        f.liveCaption();
        f.frame(f.whole(), c.darkShadow);
        f.frame(QRect(1, 1, w - 2, h - 2), c.shadow);
        f.focusRect();
        return;
    }
    f.normalCaption();
    f.frame(QRect(0, 0, w - 1, h - 1), c.highlight);
    f.frame(QRect(1, 1, w - 2, h - 2), c.light);
    f.vline(w - 1, 0, h, c.darkShadow);
    f.hline(0, w, h - 1, c.darkShadow);
    f.vline(w - 2, 1, h - 1, c.shadow);
    f.hline(1, w - 1, h - 2, c.shadow);
    f.focusRect();
}

void drawXPLook(Face& f) {
    const int w = f.w(), h = f.h();
    struct Recipe {
        int firstRow, redGreen, blue;
        QColor innerFrame, bottomLine, topLine, secondLine;
    };
    const Recipe recipe = f.disabled()  ? Recipe{1,
                                                60,
                                                40,
                                                QColor(153, 186, 253),
                                                QColor(113, 138, 254),
                                                QColor(208, 234, 255),
                                                QColor(191, 217, 250)}
                          : f.pressed() ? Recipe{3,
                                                 85,
                                                 60,
                                                 QColor(128, 128, 255),
                                                 QColor(64, 64, 64),
                                                 QColor(0, 0, 0),
                                                 QColor(224, 224, 224)}
                                        : Recipe{1,
                                                 75,
                                                 50,
                                                 QColor(140, 174, 231),
                                                 QColor(107, 130, 239),
                                                 QColor(206, 231, 255),
                                                 QColor(189, 215, 247)};

    // White at the top, darkening towards a blue-grey at the bottom.
    for (int y = recipe.firstRow; y < h; ++y) {
        const int rg = scaled(y, recipe.redGreen, h);
        const int b = scaled(y, recipe.blue, h);
        f.hline(0, w, y, QColor(255 - rg, 255 - rg, 255 - b));
    }
    const int middle = h / 2;
    f.paintedGround(QColor(255 - scaled(middle, recipe.redGreen, h),
                           255 - scaled(middle, recipe.redGreen, h),
                           255 - scaled(middle, recipe.blue, h)));
    f.normalCaption();

    const QColor border(0, 60, 115);
    f.hline(2, w - 2, 0, border);
    f.hline(2, w - 2, h - 1, border);
    f.vline(0, 2, h - 2, border);
    f.vline(w - 1, 2, h - 2, border);
    const QColor corner(16, 77, 123);
    f.pixel(1, 1, corner);
    f.pixel(1, h - 2, corner);
    f.pixel(w - 2, 1, corner);
    f.pixel(w - 2, h - 2, corner);

    f.frame(QRect(1, 2, w - 2, h - 4), recipe.innerFrame);
    f.hline(2, w - 2, h - 2, recipe.bottomLine);
    f.hline(2, w - 2, 1, recipe.topLine);
    f.hline(1, w - 1, 2, recipe.secondLine);
    if (f.pressed()) {
        f.vline(2, 3, h - 3, recipe.secondLine);
    } else if (f.spec().focusMark && !f.disabled()) {
        f.vline(2, 3, h - 3, Qt::white);
        f.vline(w - 3, 3, h - 3, Qt::white);
    }
}

void drawSoftLook(const Face& f) {
    const auto& c = f.colors();
    const QColor shade1 = offsetColor(c.shadow, -16);
    const QColor shade2 = offsetColor(c.shadow, -32);
    const QColor shade3 = offsetColor(c.shadow, -64);
    const int w = f.w(), h = f.h();
    f.normalCaption();
    f.hline(2, w - 2, 0, shade3);
    f.hline(2, w - 2, h - 1, shade3);
    f.vline(0, 2, h - 2, shade3);
    f.vline(w - 1, 2, h - 2, shade3);
    f.pixel(1, 1, c.darkShadow);
    f.pixel(1, h - 2, c.darkShadow);
    f.pixel(w - 2, 1, c.darkShadow);
    f.pixel(w - 2, h - 2, c.darkShadow);
    if (f.pressed()) {
        // Sunk: the shade falls on the top and left inner edges.
        f.hline(2, w - 2, 1, shade2);
        f.vline(1, 2, h - 2, shade2);
        f.hline(2, w - 2, 2, shade1);
        f.vline(2, 2, h - 2, shade1);
        return;
    }
    f.hline(2, w - 2, 1, c.highlight);
    f.vline(1, 2, h - 2, c.highlight);
    f.hline(2, w - 2, h - 2, shade2);
    f.vline(w - 2, 2, h - 2, shade2);
    f.hline(3, w - 3, h - 3, shade1);
    f.vline(w - 3, 3, h - 3, shade1);
}

void drawBoldLook(Face& f) {
    const auto& c = f.colors();
    const int w = f.w(), h = f.h();
    if (f.pressed()) {
        f.fill(f.whole(), offsetColor(c.shadow, 16));
        f.paintedGround(offsetColor(c.shadow, 16));
        f.frame(f.whole(), offsetColor(c.shadow, -26));
        f.frame(QRect(1, 1, w - 2, h - 2), offsetColor(c.shadow, 26));
        f.liveCaption(false, true);
    } else {
        f.fill(f.whole(), offsetColor(c.face, 12));
        f.paintedGround(offsetColor(c.face, 12));
        f.frame(f.whole(), c.shadow);
        if (f.disabled()) {
            f.caption(f.whole(), c.shadow, true);
        } else {
            f.liveCaption(false, true);
        }
    }
    if (!f.spec().focusMark || f.disabled())
        return;
    // The focus mark frames the caption text.
    const QFontMetrics metrics(f.captionFont(true));
    const QRect text = metrics.boundingRect(f.whole(), kCaptionFlags, f.spec().caption);
    f.frame(QRect((w - text.width()) / 2 - 3, (h - text.height()) / 2 - 1, text.width() + 6,
                  text.height() + 2),
            QColor(153, 153, 204));
}

void drawLightLook(const Face& f) {
    const auto& c = f.colors();
    const QColor edge = offsetColor(c.light, 8);
    const int w = f.w(), h = f.h();
    if (f.disabled()) {
        f.caption(f.whole(), c.shadow);
    } else {
        f.liveCaption();
    }
    f.frame(f.whole(), c.shadow);
    if (f.pressed()) {
        f.hline(1, w - 1, h - 2, edge);
        f.vline(w - 2, 1, h - 1, edge);
    } else {
        f.hline(1, w - 1, 1, edge);
        f.vline(1, 1, h - 1, edge);
    }
    f.focusRect();
}

void drawFlatLook(const Face& f) {
    const auto& c = f.colors();
    const int w = f.w(), h = f.h();
    f.normalCaption();
    f.frame(f.whole(), c.darkShadow);
    if (f.pressed()) {
        f.hline(1, w - 1, 1, c.shadow);
        f.vline(1, 1, h - 1, c.shadow);
    } else {
        f.hline(1, w - 1, h - 2, c.shadow);
        f.vline(w - 2, 1, h - 1, c.shadow);
    }
    f.focusRect();
}

}  // namespace

void drawFace(QPainter& painter, const FaceSpec& spec) {
    Face face(painter, spec);
    face.fill(face.whole(), spec.colors.face);
    switch (spec.buttonType) {
        case 1:
            drawThinLook(face);
            break;
        case 2:
            drawClassicLook(face);
            break;
        case 3:
            drawXPLook(face);
            break;
        case 4:
            drawSoftLook(face);
            break;
        case 5:
            drawBoldLook(face);
            break;
        case 6:
            drawLightLook(face);
            break;
        case 7:
            drawFlatLook(face);
            break;
        default:
            break;
    }
}

}  // namespace controls
