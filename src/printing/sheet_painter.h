#pragma once

// A sheet's pages drawn with QPainter, as a spreadsheet prints them: column
// widths and row heights, merged cells, fonts, borders, fills, alignment, wrap,
// the cells' shown texts, gridlines and the centre header when the page set-up
// asks for them. The page plan comes from the engine's pagination.

#include <QDate>
#include <QString>

#include <memory>

#include "store/pagination.h"
#include "store/store_error.h"
#include "xls/workbook.h"

class QPainter;
class QPaintDevice;
class QPrinter;

namespace printing {

class SheetPainter {
  public:
    SheetPainter(const xls::Workbook& book, const xls::Sheet& sheet);

    // The pages of the sheet's print area, measured with the fonts that draw them.
    store::PagePlan plan() const;

    // Draws page `index` of `plan` on `painter`, whose device is one whole sheet of
    // paper `dotsPerPoint` device pixels to a point; `pageCount` and `date` fill
    // the header's &N and &D.
    void paintPage(QPainter& painter, double dotsPerPoint, const store::PagePlan& plan, int index,
                   const QDate& date) const;

  private:
    const xls::Workbook& book_;
    const xls::Sheet& sheet_;
};

// The paper, orientation and whole-page drawing of a sheet's page set-up on a printer.
void applyPageSetup(QPrinter& printer, const xls::PageSetup& setup);

// One print job of a sheet's pages, given one at a time: the job starts with
// its first page and is sent by finish(); a job left unfinished is cancelled.
class SheetPrintJob {
  public:
    SheetPrintJob(const xls::Workbook& book, const xls::Sheet& sheet, const store::PagePlan& plan,
                  QPrinter& printer, const QDate& date);
    ~SheetPrintJob();
    SheetPrintJob(const SheetPrintJob&) = delete;
    SheetPrintJob& operator=(const SheetPrintJob&) = delete;

    // Adds page `index` (0-based) of the plan to the job.
    store::Result<store::Done> printPage(int index);
    // Ends the job and hands it to the printer; pages printed so far.
    store::Result<int> finish();

  private:
    SheetPainter painter_;
    const store::PagePlan& plan_;
    QPrinter& printer_;
    QDate date_;
    std::unique_ptr<QPainter> canvas_;
    int pages_ = 0;
};

}  // namespace printing
