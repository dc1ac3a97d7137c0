#include "printing/letter_printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <array>

#include "printing/print_failure.h"

namespace printing {

namespace {

const QString kFontFamily = QStringLiteral("Arial");
constexpr double kTextPoints = 10.5;
constexpr double kTablePoints = 9.5;
// Of the page's width: where each table column starts, the last one ends at 1.
constexpr std::array<double, 5> kColumnStarts = {0, 0.38, 0.51, 0.64, 0.84};
constexpr double kRecipientX = 0.55;

QFont fontOf(double points, bool bold = false) {
    QFont font(kFontFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Lays the letter out from the top of the page; with a painter it also draws it.
// Answers the height used, in device pixels.
class LetterLayout {
  public:
    LetterLayout(const registers::ReminderLetter& letter, QPaintDevice& device, double width)
        : letter_(letter), device_(device), width_(width), point_(device.logicalDpiY() / 72.0) {}

    double lay(QPainter* painter, double tablePoints, std::size_t rowsShown) {
        painter_ = painter;
        y_ = 0;
        for (qsizetype i = 0; i < letter_.letterhead.size(); ++i)
            line(letter_.letterhead[i], i == 0 ? fontOf(15, true) : fontOf(9), 0, width_);
        y_ += 4 * point_;
        rule(0, width_);
        y_ += 36 * point_;
        for (const QString& text : letter_.recipient)
            line(text, fontOf(kTextPoints), width_ * kRecipientX, width_);
        y_ += 30 * point_;
        line(letter_.placeAndDate, fontOf(kTextPoints), 0, width_);
        y_ += 14 * point_;
        line(QStringLiteral("Oggetto: ") + letter_.subject, fontOf(kTextPoints, true), 0, width_);
        y_ += 14 * point_;
        paragraph(letter_.greeting);
        paragraph(letter_.opening);
        y_ += 8 * point_;
        table(tablePoints, rowsShown);
        y_ += 18 * point_;
        for (const QString& text : letter_.closing) {
            paragraph(text);
            y_ += 4 * point_;
        }
        y_ += 24 * point_;
        line(letter_.signature, fontOf(kTextPoints), width_ * kRecipientX, width_);
        return y_;
    }

  private:
    // One line of text between x and right, cut with an ellipsis when too long.
    void line(const QString& text, const QFont& font, double x, double right,
              Qt::Alignment align = Qt::AlignLeft) {
        const QFontMetricsF metrics(font, &device_);
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(QRectF(x, y_, right - x, metrics.height()), align | Qt::AlignTop,
                               metrics.elidedText(text, Qt::ElideRight, right - x));
        }
        y_ += metrics.height();
    }

    // Text between x and right, broken between words onto as many lines as it needs.
    void wrappedLine(const QString& text, const QFont& font, double x, double right) {
        const QFontMetricsF metrics(font, &device_);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QRectF used = metrics.boundingRect(QRectF(x, y_, right - x, 1e6), flags, text);
        const double height = std::max(used.height(), metrics.height());
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(QRectF(x, y_, right - x, height), flags, text);
        }
        y_ += height;
    }

    void paragraph(const QString& text) {
        const QFont font = fontOf(kTextPoints);
        const QFontMetricsF metrics(font, &device_);
        const QRectF box(0, y_, width_, 1e6);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QRectF used = metrics.boundingRect(box, flags, text);
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(box.adjusted(0, 0, 0, used.height() - box.height()), flags, text);
        }
        y_ += used.height() + 2 * point_;
    }

    void rule(double x1, double x2) {
        if (painter_)
            painter_->drawLine(QPointF(x1, y_), QPointF(x2, y_));
    }

    void row(const QStringList& cells, const QFont& font) {
        const double top = y_;
        double bottom = top;
        for (std::size_t c = 0; c < kColumnStarts.size(); ++c) {
            y_ = top;
            const double start = width_ * kColumnStarts[c];
            const double end =
                c + 1 < kColumnStarts.size() ? width_ * kColumnStarts[c + 1] : width_;
            // Numbers line up on the right; the document's name on the left, on more
            // lines when it is long, so that no number in it is cut.
            if (c == 0)
                wrappedLine(cells.value(qsizetype(c)), font, start, end);
            else
                line(cells.value(qsizetype(c)), font, start + 4 * point_, end, Qt::AlignRight);
            bottom = std::max(bottom, y_);
        }
        y_ = bottom + 2 * point_;
    }

    void table(double points, std::size_t rowsShown) {
        row(letter_.columns, fontOf(points, true));
        rule(0, width_);
        y_ += 3 * point_;
        const QFont font = fontOf(points);
        for (std::size_t i = 0; i < rowsShown && i < letter_.rows.size(); ++i)
            row(letter_.rows[i], font);
        if (rowsShown < letter_.rows.size()) {
            const std::size_t left = letter_.rows.size() - rowsShown;
            row({left == 1
                     ? QStringLiteral("... e un altro documento, compreso nel totale")
                     : QStringLiteral("... e altri %1 documenti, compresi nel totale").arg(left)},
                font);
        }
        rule(0, width_);
        y_ += 4 * point_;
        line(letter_.total, fontOf(kTextPoints, true), 0, width_, Qt::AlignRight);
    }

    const registers::ReminderLetter& letter_;
    QPaintDevice& device_;
    double width_;
    double point_;
    QPainter* painter_ = nullptr;
    double y_ = 0;
};

}  // namespace

store::Result<int> printReminderLetter(const registers::ReminderLetter& letter, QPrinter& printer) {
    const auto failure = [](const QString& message) {
        return store::Error{store::Error::Kind::Io, message};
    };
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return failure(printStartFailure(printer));
    const double width = printer.width();
    const double height = printer.height();
    LetterLayout layout(letter, printer, width);
    // The largest table text that keeps every row on the page; at the smallest,
    // as many rows as fit.
    double points = kTablePoints;
    std::size_t rows = letter.rows.size();
    while (layout.lay(nullptr, points, rows) > height && points > kSmallestTablePoints)
        points = std::max(kSmallestTablePoints, points - 0.5);
    while (rows > 0 && layout.lay(nullptr, points, rows) > height)
        --rows;
    layout.lay(&painter, points, rows);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return failure(QStringLiteral("La stampa non è stata completata."));
    return int(rows);
}

}  // namespace printing
