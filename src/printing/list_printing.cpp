#include "printing/list_printing.h"

#include "printing/print_failure.h"
#include "registers/amount.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cassert>

namespace printing {

namespace {

// Page geometry of a printed list, in page units (0 to 100 across and down).
constexpr double kTitleY = 3;
constexpr double kPageNumberX = 90;
constexpr double kHeadingY = 5;
constexpr double kColumnHeadingY = 10;
constexpr double kHeadLineY = 13;
constexpr double kFirstRowY = 14;
constexpr double kBottomLineY = 90;
constexpr double kFooterX = 5;
constexpr double kFooterY = 93;
constexpr double kDateX = 85;

// The program's version as the footer spells it: major.minor.revision.
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 25;

}  // namespace

QString listFooter() {
    return QStringLiteral("Brisvel v%1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

QString printedCell(const PrintedList& list, const QStringList& row, int column) {
    const QString text = row.value(column);
    if (list.amountColumns.contains(column)) {
        if (const std::optional<registers::Amount> amount = registers::Amount::parse(text))
            return amount->text();
    }
    return text;
}

int layOutList(const PrintedList& list, const ListMetrics& metrics, const QDateTime& printedAt,
               const std::function<bool(const ListPage&)>& handPage) {
    return layOutList(list, metrics, planColumns(list, metrics), printedAt, handPage);
}

int layOutList(const PrintedList& list, const ListMetrics& metrics, const ColumnPlan& plan,
               const QDateTime& printedAt, const std::function<bool(const ListPage&)>& handPage) {
    const double lineHeight = plan.lineHeight(metrics);
    assert(lineHeight > 0 && lineHeight <= kBottomLineY - kFirstRowY);
    const double across = plan.across(metrics);
    const auto regularWidth = [&](const QString& text) {
        return metrics.textWidth(text, false) * across;
    };
    const auto boldWidth = [&](const QString& text) {
        return metrics.textWidth(text, true) * across;
    };
    const QString title = list.title.trimmed().toUpper();
    const QString footer = listFooter();
    const QString date = printedAt.date().toString(QStringLiteral("dd/MM/yyyy"));

    // A column heading wraps inside its column, over as many lines as there is
    // room for between the page's heading and the line under the headings; what
    // does not fit is cut. The headings end just above that line.
    const double highestHeadingTop = kHeadingY + lineHeight;
    const int headingRoom =
        std::max(1, static_cast<int>((kHeadLineY - highestHeadingTop) / lineHeight + 1e-9));
    std::vector<QStringList> headings;
    qsizetype headingLines = 1;
    for (const PlacedColumn& column : plan.columns) {
        headings.push_back(
            wrapToWidth(list.columnHeadings.value(column.index), column.textRoom, boldWidth)
                .mid(0, headingRoom));
        headingLines = std::max(headingLines, headings.back().size());
    }
    const double headingTop = std::min(kColumnHeadingY, kHeadLineY - headingLines * lineHeight);

    // Lines of one item that a fresh page holds below its headings.
    const int pageLines = static_cast<int>((kBottomLineY - kFirstRowY) / lineHeight + 1e-9);

    ListPage page;
    double y = kFirstRowY;
    int rowsDone = 0;
    bool go = true;

    const auto startPage = [&] {
        const int number = page.number + 1;
        page = ListPage{};
        page.number = number;
        page.texts.push_back({50 - boldWidth(title) / 2, kTitleY, title, true});
        page.texts.push_back(
            {kPageNumberX, kTitleY, QStringLiteral("Pagina ") + QString::number(number), false});
        page.texts.push_back({50 - regularWidth(list.heading) / 2, kHeadingY, list.heading, false});
        for (std::size_t c = 0; c < plan.columns.size(); ++c) {
            for (qsizetype line = 0; line < headings[c].size(); ++line) {
                page.texts.push_back(
                    {plan.columns[c].x, headingTop + line * lineHeight, headings[c][line], true});
            }
        }
        page.lines.push_back({0, kHeadLineY, 100, kHeadLineY});
        y = kFirstRowY;
    };
    const auto finishPage = [&] {
        page.lines.push_back({0, kBottomLineY, 100, kBottomLineY});
        page.texts.push_back({kFooterX, kFooterY, footer, true});
        page.texts.push_back({kDateX, kFooterY, date, false});
        page.rowsDone = rowsDone;
        go = handPage(page);
    };
    const auto roomFor = [&](int lines) { return y + lines * lineHeight <= kBottomLineY + 1e-9; };
    // Each row's cells as printed: wrapped in their columns, amounts with two decimals.
    const auto laidOut = [&](std::size_t index) {
        std::vector<QStringList> cells;
        for (const PlacedColumn& column : plan.columns) {
            cells.push_back(wrapToWidth(printedCell(list, list.rows[index], column.index),
                                        column.textRoom, regularWidth));
        }
        return cells;
    };
    const auto linesOf = [](const std::vector<QStringList>& cells) {
        qsizetype lines = 1;
        for (const QStringList& cell : cells)
            lines = std::max(lines, cell.size());
        return static_cast<int>(lines);
    };

    startPage();
    for (std::size_t index = 0; index < list.rows.size(); ++index) {
        const std::vector<QStringList> cells = laidOut(index);
        const int itemLines = linesOf(cells);
        // A heading keeps the row under it on its page.
        int keptLines = itemLines;
        if (list.headingRows.contains(index) && index + 1 < list.rows.size())
            keptLines += linesOf(laidOut(index + 1));
        // An item that would cross the bottom line starts on the next page, unless
        // it is longer than a whole page: then it goes on over as many as it needs.
        if (y > kFirstRowY && !roomFor(keptLines) && keptLines <= pageLines) {
            finishPage();
            if (!go) {
                return page.number;
            }
            startPage();
        }
        for (int line = 0; line < itemLines; ++line) {
            if (!roomFor(1)) {
                finishPage();
                if (!go) {
                    return page.number;
                }
                startPage();
            }
            for (std::size_t c = 0; c < plan.columns.size(); ++c) {
                if (line < cells[c].size() && !cells[c][line].isEmpty()) {
                    page.texts.push_back({plan.columns[c].x, y, cells[c][line], false});
                }
            }
            y += lineHeight;
        }
        ++rowsDone;
    }
    finishPage();
    return page.number;
}

store::Result<int> printList(const PrintedList& list, QPrinter& printer,
                             const QDateTime& printedAt) {
    return printList(list, printer, printedAt, {});
}

store::Result<int> printList(const PrintedList& list, QPrinter& printer, const QDateTime& printedAt,
                             const std::function<bool(int pagesDone, int rowsDone)>& progress) {
    const auto failure = [](const QString& message) {
        return store::Error{store::Error::Kind::Io, message};
    };
    if (std::none_of(list.columnWidths.begin(), list.columnWidths.end(),
                     [](int width) { return width > 0; })) {
        return failure(QStringLiteral("L'elenco non ha colonne da stampare."));
    }

    // Measured on the upright page at the list's size; the plan then says how
    // the page is turned and the font scaled.
    const double points = list.fontSize > 0 ? list.fontSize : 10;
    QFont regular(list.fontName);
    regular.setPointSizeF(points);
    QFont bold = regular;
    bold.setBold(true);
    QPageLayout upright = printer.pageLayout();
    upright.setOrientation(QPageLayout::Portrait);
    QPageLayout turned = upright;
    turned.setOrientation(QPageLayout::Landscape);
    const QRectF uprightPage = upright.paintRectPixels(printer.resolution());
    const QRectF turnedPage = turned.paintRectPixels(printer.resolution());
    if (uprightPage.isEmpty() || turnedPage.isEmpty()) {
        return failure(QStringLiteral("La pagina della stampante non ha spazio per stampare."));
    }
    const QFontMetricsF uprightRegular(regular, &printer);
    const QFontMetricsF uprightBold(bold, &printer);
    ListMetrics metrics;
    metrics.textWidth = [&](const QString& text, bool isBold) {
        return (isBold ? uprightBold : uprightRegular).horizontalAdvance(text) * 100 /
               uprightPage.width();
    };
    metrics.lineHeight = uprightRegular.height() * 100 / uprightPage.height();
    metrics.landscape = TurnedPage{uprightPage.width() / turnedPage.width(),
                                   uprightPage.height() / turnedPage.height()};
    const ColumnPlan plan = planColumns(list, metrics);
    if (plan.lineHeight(metrics) > kBottomLineY - kFirstRowY) {
        return failure(QStringLiteral("Il carattere è troppo grande per la pagina."));
    }
    printer.setPageOrientation(plan.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    regular.setPointSizeF(points * plan.fontScale);
    bold.setPointSizeF(points * plan.fontScale);

    QPainter painter;
    if (!painter.begin(&printer)) {
        return failure(printStartFailure(printer));
    }
    const QFontMetricsF regularMetrics(regular, &printer);
    const QFontMetricsF boldMetrics(bold, &printer);
    const double pageWidth = printer.width();
    const double pageHeight = printer.height();

    bool pageRefused = false;
    bool cancelled = false;
    const int pages = layOutList(list, metrics, plan, printedAt, [&](const ListPage& page) {
        if (page.number > 1 && !printer.newPage()) {
            pageRefused = true;
            return false;
        }
        for (const PageLine& line : page.lines) {
            painter.drawLine(QPointF(line.x1 * pageWidth / 100, line.y1 * pageHeight / 100),
                             QPointF(line.x2 * pageWidth / 100, line.y2 * pageHeight / 100));
        }
        for (const PageText& text : page.texts) {
            painter.setFont(text.bold ? bold : regular);
            const double ascent = (text.bold ? boldMetrics : regularMetrics).ascent();
            painter.drawText(QPointF(text.x * pageWidth / 100, text.y * pageHeight / 100 + ascent),
                             text.text);
        }
        if (progress && !progress(page.number, page.rowsDone)) {
            cancelled = true;
            return false;
        }
        return true;
    });
    if (pageRefused || cancelled) {
        printer.abort();
        painter.end();
        return failure(cancelled
                           ? QStringLiteral("Stampa annullata.")
                           : QStringLiteral("La stampante non ha accettato una nuova pagina."));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return failure(QStringLiteral("La stampa non è stata completata."));
    }
    return pages;
}

}  // namespace printing
