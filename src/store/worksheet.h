#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include "store/column_fit.h"
#include "store/store_error.h"
#include "store/value.h"
#include "xls/workbook.h"

namespace store {

class Range;
class Workbook;

// One sheet of an open workbook. A cheap handle: copy it freely; it stays valid
// while its workbook is open, also when sheets are added or renamed. Rows and
// columns are 1-based.
class Worksheet {
  public:
    Workbook& workbook() const { return *book_; }
    // The model this sheet is stored in (rows of cells, columns, page set-up).
    xls::Sheet& model() const;

    QString name() const;
    // A sheet name must be 1..31 characters, without : \ / ? * [ ], and not taken.
    Result<Done> setName(const QString& name) const;
    int index() const;  // 1-based position among the workbook's sheets

    // Makes this the workbook's current sheet.
    void select() const;
    bool isActive() const;

    // A1 text: "B7", "A2:P65536", "$P$1:$A$25" (the rectangle A1:P25), "2:2", "H:H".
    Result<Range> range(QStringView address) const;
    // The rectangle spanned by two ranges of this sheet.
    Range range(const Range& first, const Range& second) const;
    Result<Range> cell(int row, int column) const;
    Result<Range> rows(int first, int last) const;
    Result<Range> columns(int first, int last) const;
    // From A1 to the last row and column that hold a value or a format; A1 alone
    // on an empty sheet.
    Range usedRange() const;

    // Cell shortcuts. Reads outside the sheet are empty; writes outside it fail.
    Value value(int row, int column) const;
    QString text(int row, int column) const;
    Result<Done> setValue(int row, int column, const QString& typed) const;
    Result<Done> setIdentifier(int row, int column, const QString& text) const;
    Result<Done> setNumber(int row, int column, double value) const;
    Result<Done> setDate(int row, int column, const QDate& date) const;

    // Freezes the rows above `row` and the columns left of `column` (0 = none):
    // freezePanes(2) keeps row 1 in view, as selecting row 2 and freezing does.
    void freezePanes(int row, int column = 0) const;
    int frozenRows() const;
    int frozenColumns() const;

    // Fits the widths of the columns of the used range to their texts.
    void autoFitColumns(const TextMeasure& measure = tableTextMeasure()) const;
    // Column width in 1/256 of a character, as the file stores it.
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width) const;

    // Page set-up, stored on the sheet and saved with the file. Margins are in inches.
    xls::PageSetup& pageSetup() const;
    // "$P$1:$A$25" and the like; an error for a bad address.
    Result<Done> setPrintArea(QStringView address) const;
    // The text printed at the centre of every page's header.
    void setCenterHeader(const QString& text) const;
    QString centerHeader() const;

    // The zoom of the printed pages in percent; as in every spreadsheet, setting
    // it turns fitting to pages off. Zooms outside 10..400 are refused.
    Result<Done> setPrintZoom(int percent) const;
    // Prints the area scaled to fit `wide` x `tall` pages.
    void setFitToPages(int wide, int tall) const;

    // Sheet protection without a password, as the invoice form uses it.
    void protect() const;
    void unprotect() const;
    bool isProtected() const;
    // The cells the user may scroll to and select; none = the whole sheet. Kept
    // with the sheet while the workbook is open: the file format has no record
    // for it, as in every spreadsheet.
    Result<Done> setScrollArea(QStringView address) const;
    std::optional<xls::CellRect> scrollArea() const;

    bool operator==(const Worksheet& other) const = default;

  private:
    friend class Workbook;
    friend class Range;
    Worksheet(Workbook* book, int id) : book_(book), id_(id) {}

    Workbook* book_;
    int id_;  // stable while sheets are added or renamed
};

}  // namespace store
