#include "app/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace app {

namespace {

const QColor kDeepBlue(0x15, 0x4c, 0x85);
const QColor kBrightBlue(0x2a, 0x7f, 0xc4);
const QColor kTeal(0x1f, 0x9a, 0xa5);

QPixmap blank(QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet of paper with its top right corner folded, inside `box`.
QPainterPath sheetPath(const QRectF& box, qreal fold) {
    QPainterPath path;
    path.moveTo(box.left(), box.top());
    path.lineTo(box.right() - fold, box.top());
    path.lineTo(box.right(), box.top() + fold);
    path.lineTo(box.right(), box.bottom());
    path.lineTo(box.left(), box.bottom());
    path.closeSubpath();
    return path;
}

}  // namespace

QPixmap logoPicture(int side, qreal devicePixelRatio) {
    QPixmap pixmap = blank(QSize(side, side), devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;

    QLinearGradient background(0, 0, s, s);
    background.setColorAt(0, kBrightBlue);
    background.setColorAt(1, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.22, s * 0.22);

    const QRectF sheet(s * 0.26, s * 0.16, s * 0.48, s * 0.66);
    const qreal fold = s * 0.14;
    p.setBrush(Qt::white);
    p.drawPath(sheetPath(sheet, fold));
    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(0xc9, 0xdc, 0xee));
    p.drawPath(corner);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(6, int(s * 0.36)));
    p.setFont(font);
    p.setPen(kDeepBlue);
    p.drawText(sheet.adjusted(0, s * 0.06, 0, 0), Qt::AlignCenter, QStringLiteral("B"));

    p.setPen(QPen(kTeal, qMax(1.0, s * 0.035), Qt::SolidLine, Qt::RoundCap));
    const qreal lineY = sheet.bottom() - s * 0.1;
    p.drawLine(QPointF(sheet.left() + s * 0.08, lineY), QPointF(sheet.right() - s * 0.08, lineY));
    return pixmap;
}

QPixmap printerPicture(int side, qreal devicePixelRatio) {
    QPixmap pixmap = blank(QSize(side, side), devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    const QColor ink(0x33, 0x3d, 0x4a);
    p.setPen(QPen(ink, qMax(1.0, s / 14)));
    // Paper in, the body, paper out.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.28, s * 0.08, s * 0.44, s * 0.3));
    p.setBrush(kBrightBlue);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.34, s * 0.84, s * 0.38), s * 0.08, s * 0.08);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.28, s * 0.58, s * 0.44, s * 0.34));
    return pixmap;
}

QPixmap bannerPicture(QSize size, int logoSpace, qreal devicePixelRatio) {
    QPixmap pixmap = blank(size, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));

    QLinearGradient band(area.topLeft(), area.topRight());
    band.setColorAt(0, kDeepBlue);
    band.setColorAt(0.65, kBrightBlue);
    band.setColorAt(1, kTeal);
    p.fillRect(area, band);

    // Faint sheets stacked on the right, as a pile of invoices.
    p.setPen(Qt::NoPen);
    const qreal h = area.height();
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(area.right() - h * (0.95 - 0.18 * i), h * (0.14 + 0.06 * i), h * 0.5,
                           h * 0.62);
        p.setBrush(QColor(255, 255, 255, 28 + 18 * i));
        p.drawPath(sheetPath(sheet, h * 0.12));
    }

    const qreal left = logoSpace;
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(int(h * 0.27));
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(left, h * 0.16, area.width() - left, h * 0.38),
               Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Brisvel"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(int(h * 0.12));
    p.setFont(subtitle);
    p.setPen(QColor(255, 255, 255, 225));
    p.drawText(QRectF(left, h * 0.56, area.width() - left, h * 0.16),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lavoratore Autonomo"));
    p.setPen(QColor(255, 255, 255, 170));
    QFont note = subtitle;
    note.setPixelSize(int(h * 0.095));
    p.setFont(note);
    p.drawText(QRectF(left, h * 0.72, area.width() - left, h * 0.14),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Fatture, clienti e incassi"));
    return pixmap;
}

}  // namespace app
