#include "printing/sheet_painter.h"

#include "printing/print_failure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

#include "printing/font_measure.h"
#include "store/sheet_cells.h"

namespace printing {

namespace {

// The colours of a workbook without a palette of its own, indices 8 to 63.
constexpr std::array<QRgb, 56> kDefaultPalette{
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

constexpr double kCellPadding = 2;  // points between a cell's edge and its text

QColor paletteColor(const xls::Workbook& book, int index, const QColor& automatic) {
    if (index >= 8 && index < 64) {
        const int slot = index - 8;
        // PALETTE: a count, then four bytes (red, green, blue, unused) a colour.
        if (book.palette && book.palette->data.size() >= 2 + 4 * (slot + 1)) {
            const auto* bytes =
                reinterpret_cast<const unsigned char*>(book.palette->data.constData());
            const unsigned char* colour = bytes + 2 + 4 * slot;
            return QColor(colour[0], colour[1], colour[2]);
        }
        return QColor(kDefaultPalette[slot]);
    }
    return automatic;
}

std::uint32_t dword(const std::array<std::uint8_t, 10>& bytes, int at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

// A border line of an XF: its BIFF style (0 none, 1 thin, 2 medium, 3 dashed,
// 4 dotted, 5 thick, 6 double, 7 hair, 8.. medium dashed kinds) and colour.
struct BorderLine {
    int style = 0;
    int color = 64;
};

struct CellLook {
    BorderLine left, right, top, bottom;
    int pattern = 0;
    int foreground = 64;
};

CellLook lookOf(const xls::Xf& xf) {
    const std::uint32_t lines = dword(xf.borderFill, 0);
    const std::uint32_t colours = dword(xf.borderFill, 4);
    const std::uint32_t fill = std::uint32_t(xf.borderFill[8]) | std::uint32_t(xf.borderFill[9])
                                                                     << 8;
    CellLook look;
    look.left = {int(lines & 0xF), int((lines >> 16) & 0x7F)};
    look.right = {int((lines >> 4) & 0xF), int((lines >> 23) & 0x7F)};
    look.top = {int((lines >> 8) & 0xF), int(colours & 0x7F)};
    look.bottom = {int((lines >> 12) & 0xF), int((colours >> 7) & 0x7F)};
    look.pattern = int((colours >> 26) & 0x3F);
    look.foreground = int(fill & 0x7F);
    return look;
}

QPen borderPen(const xls::Workbook& book, const BorderLine& line, double dotsPerPoint) {
    double width = 0.5;
    Qt::PenStyle style = Qt::SolidLine;
    switch (line.style) {
        case 2:
        case 8:
        case 10:
        case 12:
            width = 1.0;
            break;
        case 5:
        case 6:
            width = 1.5;
            break;
        default:
            break;
    }
    switch (line.style) {
        case 3:
        case 8:
            style = Qt::DashLine;
            break;
        case 4:
        case 7:
            style = Qt::DotLine;
            break;
        case 9:
        case 10:
            style = Qt::DashDotLine;
            break;
        case 11:
        case 12:
        case 13:
            style = Qt::DashDotDotLine;
            break;
        default:
            break;
    }
    QPen pen(paletteColor(book, line.color, Qt::black), width * dotsPerPoint, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont qtFont(const xls::Font& font, double scale) {
    QFont qt(font.name);
    qt.setPointSizeF(std::max(1.0, font.height / 20.0 * scale));
    qt.setBold(font.weight >= 700);
    qt.setItalic((font.options & 0x02) != 0);
    qt.setStrikeOut((font.options & 0x08) != 0);
    qt.setUnderline(font.underline != 0);
    return qt;
}

// The centre section of a header with its codes worked out: && an ampersand,
// &P the page, &N the pages, &D the date, &A the sheet; font codes dropped.
QString headerText(const QString& header, int page, int pages, const QDate& date,
                   const QString& sheetName) {
    const qsizetype at = header.indexOf(QStringLiteral("&C"), 0, Qt::CaseInsensitive);
    if (at < 0) {
        return QString();
    }
    QString shown;
    for (qsizetype i = at + 2; i < header.size(); ++i) {
        const QChar c = header[i];
        if (c != u'&' || i + 1 >= header.size()) {
            shown += c;
            continue;
        }
        const QChar code = header[++i].toUpper();
        if (code == u'L' || code == u'R') {
            break;
        }
        if (code == u'&') {
            shown += u'&';
        } else if (code == u'P') {
            shown += QString::number(page);
        } else if (code == u'N') {
            shown += QString::number(pages);
        } else if (code == u'D') {
            shown += date.toString(QStringLiteral("dd/MM/yyyy"));
        } else if (code == u'A') {
            shown += sheetName;
        } else if (code == u'"') {
            const qsizetype end = header.indexOf(u'"', i + 1);
            i = end < 0 ? header.size() : end;
        } else if (code.isDigit()) {
            while (i + 1 < header.size() && header[i + 1].isDigit()) {
                ++i;
            }
        }
    }
    return shown;
}

const xls::CellRect* mergeAt(const xls::Sheet& sheet, int row, int col) {
    for (const xls::CellRect& merge : sheet.merged) {
        if (row >= merge.firstRow && row <= merge.lastRow && col >= merge.firstCol &&
            col <= merge.lastCol) {
            return &merge;
        }
    }
    return nullptr;
}

}  // namespace

SheetPainter::SheetPainter(const xls::Workbook& book, const xls::Sheet& sheet)
    : book_(book), sheet_(sheet) {}

store::PagePlan SheetPainter::plan() const {
    return store::paginate(sheet_, zeroWidthPoints(book_));
}

void SheetPainter::paintPage(QPainter& painter, double dotsPerPoint, const store::PagePlan& plan,
                             int index, const QDate& date) const {
    const xls::PageSetup& setup = sheet_.page;
    const xls::CellRect page = plan.page(index);
    const double zero = zeroWidthPoints(book_);
    const double scale = plan.scale;
    const double k = dotsPerPoint;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Edges of the page's columns and rows, in device pixels.
    std::vector<double> xs{setup.leftMargin * 72 * k};
    for (int c = page.firstCol; c <= page.lastCol; ++c) {
        xs.push_back(xs.back() + store::columnWidthPoints(sheet_, c, zero) * scale * k);
    }
    std::vector<double> ys{setup.topMargin * 72 * k};
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        ys.push_back(ys.back() + store::rowHeightPoints(sheet_, r) * scale * k);
    }
    const auto x = [&](int col) {
        return xs[std::clamp(col - page.firstCol, 0, int(xs.size()) - 1)];
    };
    const auto y = [&](int row) {
        return ys[std::clamp(row - page.firstRow, 0, int(ys.size()) - 1)];
    };
    const QRectF area(QPointF(xs.front(), ys.front()), QPointF(xs.back(), ys.back()));

    const QString header = headerText(setup.header, index + 1, plan.pageCount(), date, sheet_.name);
    if (!header.isEmpty()) {
        const xls::Font headerFont;
        painter.setFont(qtFont(headerFont, 1));
        painter.setPen(Qt::black);
        const double top = setup.headerMargin * 72 * k;
        painter.drawText(QRectF(0, top, painter.device()->width(), area.top() - top),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, header);
    }

    // Fills, then gridlines, then borders and texts over them.
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        for (int c = page.firstCol; c <= page.lastCol; ++c) {
            const xls::Cell* cell = store::findCell(sheet_, r, c);
            const std::uint16_t xfIndex = cell ? cell->xf : store::defaultXf(sheet_, r, c);
            if (xfIndex >= book_.xfs.size()) {
                continue;
            }
            const CellLook look = lookOf(book_.xfs[xfIndex]);
            if (look.pattern != 0) {
                const QColor colour = paletteColor(book_, look.foreground, Qt::white);
                painter.fillRect(
                    QRectF(QPointF(x(c), y(r)), QPointF(x(c + 1), y(r + 1))),
                    look.pattern == 1 ? QBrush(colour) : QBrush(colour, Qt::Dense4Pattern));
            }
        }
    }
    if (setup.printGridlines) {
        painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0.5 * k));
        for (const double at : xs) {
            painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
        }
        for (const double at : ys) {
            painter.drawLine(QPointF(area.left(), at), QPointF(area.right(), at));
        }
    }
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        for (int c = page.firstCol; c <= page.lastCol; ++c) {
            const xls::Cell* cell = store::findCell(sheet_, r, c);
            const std::uint16_t xfIndex = cell ? cell->xf : store::defaultXf(sheet_, r, c);
            if (xfIndex >= book_.xfs.size()) {
                continue;
            }
            const xls::Xf& xf = book_.xfs[xfIndex];
            const CellLook look = lookOf(xf);
            const QRectF box(QPointF(x(c), y(r)), QPointF(x(c + 1), y(r + 1)));
            const auto line = [&](const BorderLine& border, QPointF from, QPointF to) {
                if (border.style != 0) {
                    painter.setPen(borderPen(book_, border, k));
                    painter.drawLine(from, to);
                }
            };
            line(look.left, box.topLeft(), box.bottomLeft());
            line(look.right, box.topRight(), box.bottomRight());
            line(look.top, box.topLeft(), box.topRight());
            line(look.bottom, box.bottomLeft(), box.bottomRight());

            if (!store::isFilled(cell)) {
                continue;
            }
            // A merged block shows its first cell's text over the whole block (the
            // part of it on this page).
            QRectF textBox = box;
            const xls::CellRect* merge = mergeAt(sheet_, r, c);
            if (merge) {
                if (merge->firstRow != r || merge->firstCol != c) {
                    continue;
                }
                textBox = QRectF(QPointF(x(c), y(r)),
                                 QPointF(x(std::min(merge->lastCol, page.lastCol) + 1),
                                         y(std::min(merge->lastRow, page.lastRow) + 1)));
            }
            const QString shown = store::displayText(book_, *cell);
            if (shown.isEmpty()) {
                continue;
            }
            const bool number = cell->kind() == xls::CellKind::Number;
            int horizontal = Qt::AlignLeft;
            switch (xf.hAlign()) {
                case xls::HAlign::Center:
                case xls::HAlign::CenterAcross:
                case xls::HAlign::Distributed:
                    horizontal = Qt::AlignHCenter;
                    break;
                case xls::HAlign::Right:
                    horizontal = Qt::AlignRight;
                    break;
                case xls::HAlign::Justify:
                    horizontal = Qt::AlignJustify;
                    break;
                case xls::HAlign::General:
                    horizontal = number ? Qt::AlignRight
                                        : (cell->kind() == xls::CellKind::Boolean ||
                                                   cell->kind() == xls::CellKind::Error
                                               ? Qt::AlignHCenter
                                               : Qt::AlignLeft);
                    break;
                default:
                    break;
            }
            int vertical = Qt::AlignBottom;
            if (xf.vAlign() == xls::VAlign::Top || xf.vAlign() == xls::VAlign::Justify) {
                vertical = Qt::AlignTop;
            } else if (xf.vAlign() == xls::VAlign::Center) {
                vertical = Qt::AlignVCenter;
            }
            const bool wrap = xf.wrap() || shown.contains(u'\n');
            // A left-aligned text that does not wrap runs on over empty cells to
            // its right, as far as the page goes.
            if (!wrap && !number && !merge && horizontal == Qt::AlignLeft) {
                int last = c;
                while (last < page.lastCol &&
                       !store::isFilled(store::findCell(sheet_, r, last + 1)) &&
                       !mergeAt(sheet_, r, last + 1)) {
                    ++last;
                }
                textBox.setRight(x(last + 1));
            }
            const xls::Font& font = book_.fontOf(xf);
            painter.setFont(qtFont(font, scale));
            painter.setPen(paletteColor(book_, font.color, Qt::black));
            const double pad = kCellPadding * scale * k;
            painter.save();
            painter.setClipRect(textBox);
            painter.drawText(textBox.adjusted(pad, 0, -pad, 0),
                             horizontal | vertical | (wrap ? Qt::TextWordWrap : 0), shown);
            painter.restore();
        }
    }
    painter.restore();
}

void applyPageSetup(QPrinter& printer, const xls::PageSetup& setup) {
    xls::PageSetup upright = setup;
    upright.landscape = false;
    const QSizeF paper = store::paperSizePoints(upright);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(paper, QPageSize::Point));
    printer.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

SheetPrintJob::SheetPrintJob(const xls::Workbook& book, const xls::Sheet& sheet,
                             const store::PagePlan& plan, QPrinter& printer, const QDate& date)
    : painter_(book, sheet), plan_(plan), printer_(printer), date_(date) {
    applyPageSetup(printer_, sheet.page);
    // The job's name in the printer's queue.
    if (printer_.docName().isEmpty())
        printer_.setDocName(sheet.name);
}

SheetPrintJob::~SheetPrintJob() {
    if (canvas_) {
        printer_.abort();
        canvas_->end();
    }
}

store::Result<store::Done> SheetPrintJob::printPage(int index) {
    const auto failure = [](const QString& message) {
        return store::Error{store::Error::Kind::Io, message};
    };
    if (index < 0 || index >= plan_.pageCount()) {
        return failure(QStringLiteral("La pagina %1 non esiste.").arg(index + 1));
    }
    if (!canvas_) {
        canvas_ = std::make_unique<QPainter>();
        if (!canvas_->begin(&printer_)) {
            canvas_.reset();
            return failure(printStartFailure(printer_));
        }
    } else if (!printer_.newPage()) {
        return failure(QStringLiteral("La stampante non ha accettato una nuova pagina."));
    }
    painter_.paintPage(*canvas_, printer_.resolution() / 72.0, plan_, index, date_);
    ++pages_;
    return store::Done{};
}

store::Result<int> SheetPrintJob::finish() {
    if (canvas_) {
        const bool ended = canvas_->end();
        canvas_.reset();
        if (!ended || printer_.printerState() == QPrinter::Error) {
            return store::Error{store::Error::Kind::Io,
                                QStringLiteral("La stampa non è stata completata.")};
        }
    }
    return pages_;
}

}  // namespace printing
