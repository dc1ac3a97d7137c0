#pragma once

// List printing: a list view's columns and rows printed page by page
// with a title, a heading, page numbers and a footer. The register list and the
// receivables lists print through it. A page holds as many rows as fit above its
// bottom line, each row as tall as its lines are at the font the page is printed in.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <set>
#include <vector>

#include "printing/list_columns.h"
#include "store/store_error.h"

class QPrinter;

namespace printing {

struct PrintedList {
    QString title;
    QString heading;
    QString fontName;
    double fontSize = 10;
    QStringList columnHeadings;
    std::vector<int> columnWidths;  // list view pixels; 0 = skipped
    std::vector<QStringList> rows;  // the item's text, then its sub-items
    // Columns of amounts: a text there that reads as one prints with two decimals
    // ("18,2" as "18,20"), whatever number format its cell has.
    std::set<int> amountColumns = {};
    // Rows that head the rows after them ("CLIENTI PRINCIPALI"): each goes to the
    // next page rather than end a page without the row that follows it.
    std::set<std::size_t> headingRows = {};
};

// The text of `row` in column `column` as it is printed: an amount with two decimals.
QString printedCell(const PrintedList& list, const QStringList& row, int column);

// One text or line on a page, in page units: 0 to 100 across and down, a text
// placed by its top-left corner.
struct PageText {
    double x = 0;
    double y = 0;
    QString text;
    bool bold = false;

    bool operator==(const PageText&) const = default;
};

struct PageLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;

    bool operator==(const PageLine&) const = default;
};

struct ListPage {
    int number = 0;
    int rowsDone = 0;  // rows of the list printed up to the end of this page
    std::vector<PageText> texts;
    std::vector<PageLine> lines;
};

// "Brisvel v1.1.25": the program's title and version at the foot of every page.
QString listFooter();

// Lays the list out page by page in the columns of `plan` and hands each page
// to `page`, which returns false to stop (a cancelled job). Returns the number of
// pages handed over.
int layOutList(const PrintedList& list, const ListMetrics& metrics, const ColumnPlan& plan,
               const QDateTime& printedAt, const std::function<bool(const ListPage&)>& page);

// As above, in the columns that planColumns() lays across the page.
int layOutList(const PrintedList& list, const ListMetrics& metrics, const QDateTime& printedAt,
               const std::function<bool(const ListPage&)>& page);

// Draws the list on `printer`, turned to landscape and with its font shrunk
// when the columns need it, and ends the job; on failure the job is cancelled
// and the error carries an Italian message. Returns the number of pages.
store::Result<int> printList(const PrintedList& list, QPrinter& printer,
                             const QDateTime& printedAt);

// As above; `progress` is told each finished page (and the number of rows
// printed so far) and returns false to cancel the job.
store::Result<int> printList(const PrintedList& list, QPrinter& printer, const QDateTime& printedAt,
                             const std::function<bool(int pagesDone, int rowsDone)>& progress);

}  // namespace printing
