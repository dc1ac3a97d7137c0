#include "printing/list_printing.h"

#include "printing/print_failure.h"

#include <QFont>
#include <QFontMetricsF>
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

struct Column {
    int index = 0;
    double x = 0;
    int capacity = 1;
};

// Breaks a cell's text into lines of at most `capacity` characters, each ending
// at the last blank that fits (or cut at the capacity when no blank does). A line
// break typed into the text starts a new line.
QStringList wrapText(const QString& text, int capacity) {
    QStringList lines;
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    for (QString rest : plain.split(QLatin1Char('\n'))) {
        while (rest.size() > capacity) {
            // A blank right after a full line still ends it: the word fits whole.
            const qsizetype blank = rest.left(capacity + 1).lastIndexOf(QLatin1Char(' '));
            if (blank > 0) {
                lines << rest.left(blank);
                rest = rest.mid(blank + 1);
            } else {
                lines << rest.left(capacity);
                rest = rest.mid(capacity);
            }
        }
        lines << rest;
    }
    return lines;
}

}  // namespace

QString listFooter() {
    return QStringLiteral("Brisvel v%1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

int layOutList(const PrintedList& list, const ListMetrics& metrics, const QDateTime& printedAt,
               const std::function<bool(const ListPage&)>& handPage) {
    assert(metrics.lineHeight > 0 && metrics.lineHeight <= kBottomLineY - kFirstRowY);
    const QString title = list.title.trimmed().toUpper();
    const QString footer = listFooter();
    const QString date = printedAt.date().toString(QStringLiteral("dd/MM/yyyy"));

    double totalWidth = 0;
    for (const int width : list.columnWidths) {
        totalWidth += std::max(width, 0);
    }
    const double widthOfA = std::max(metrics.textWidth(QStringLiteral("A"), false), 1e-6);
    std::vector<Column> columns;
    double x = 0;
    for (std::size_t c = 0; c < list.columnWidths.size(); ++c) {
        const int width = list.columnWidths[c];
        if (width <= 0 || totalWidth <= 0) {
            continue;
        }
        const double span = width * 100.0 / totalWidth;
        columns.push_back({static_cast<int>(c), x, std::max(1, static_cast<int>(span / widthOfA))});
        x += span;
    }

    // Lines of one item that a fresh page holds below its headings.
    const int pageLines =
        std::min(kLinesPerPage, static_cast<int>((kBottomLineY - kFirstRowY) / metrics.lineHeight));

    ListPage page;
    int lineCount = 0;
    double y = kFirstRowY;
    int rowsDone = 0;
    bool go = true;

    const auto startPage = [&] {
        const int number = page.number + 1;
        page = ListPage{};
        page.number = number;
        page.texts.push_back({50 - metrics.textWidth(title, true) / 2, kTitleY, title, true});
        page.texts.push_back(
            {kPageNumberX, kTitleY, QStringLiteral("Page ") + QString::number(number), false});
        page.texts.push_back(
            {50 - metrics.textWidth(list.heading, false) / 2, kHeadingY, list.heading, false});
        for (const Column& column : columns) {
            page.texts.push_back(
                {column.x, kColumnHeadingY, list.columnHeadings.value(column.index), true});
        }
        page.lines.push_back({0, kHeadLineY, 100, kHeadLineY});
        lineCount = 0;
        y = kFirstRowY;
    };
    const auto finishPage = [&] {
        page.lines.push_back({0, kBottomLineY, 100, kBottomLineY});
        page.texts.push_back({kFooterX, kFooterY, footer, true});
        page.texts.push_back({kDateX, kFooterY, date, false});
        page.rowsDone = rowsDone;
        go = handPage(page);
    };
    const auto roomFor = [&](int lines) {
        return lineCount + lines <= kLinesPerPage && y + lines * metrics.lineHeight <= kBottomLineY;
    };

    startPage();
    for (const QStringList& row : list.rows) {
        std::vector<QStringList> cells;
        int itemLines = 1;
        for (const Column& column : columns) {
            cells.push_back(wrapText(row.value(column.index), column.capacity));
            itemLines = std::max(itemLines, static_cast<int>(cells.back().size()));
        }
        // An item that would cross the bottom line starts on the next page, unless
        // it is longer than a whole page: then it goes on over as many as it needs.
        if (lineCount > 0 && !roomFor(itemLines) && itemLines <= pageLines) {
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
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (line < cells[c].size() && !cells[c][line].isEmpty()) {
                    page.texts.push_back({columns[c].x, y, cells[c][line], false});
                }
            }
            y += metrics.lineHeight;
            ++lineCount;
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
    QPainter painter;
    if (!painter.begin(&printer)) {
        return failure(printStartFailure(printer));
    }
    QFont regular(list.fontName);
    regular.setPointSizeF(list.fontSize > 0 ? list.fontSize : 10);
    QFont bold = regular;
    bold.setBold(true);
    const QFontMetricsF regularMetrics(regular, &printer);
    const QFontMetricsF boldMetrics(bold, &printer);
    const double pageWidth = printer.width();
    const double pageHeight = printer.height();

    ListMetrics metrics;
    metrics.textWidth = [&](const QString& text, bool isBold) {
        return (isBold ? boldMetrics : regularMetrics).horizontalAdvance(text) * 100 / pageWidth;
    };
    metrics.lineHeight = regularMetrics.height() * 100 / pageHeight;
    if (metrics.lineHeight > kBottomLineY - kFirstRowY) {
        printer.abort();
        painter.end();
        return failure(QStringLiteral("Il carattere è troppo grande per la pagina."));
    }

    bool pageRefused = false;
    bool cancelled = false;
    const int pages = layOutList(list, metrics, printedAt, [&](const ListPage& page) {
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
