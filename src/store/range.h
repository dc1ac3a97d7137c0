#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include "store/store_error.h"
#include "store/value.h"
#include "store/worksheet.h"
#include "xls/workbook.h"

namespace store {

// A rectangle of cells on one sheet, always inside A1:IV65536. A cheap handle:
// copy it freely; it stays valid while its workbook is open. Rows and columns are
// 1-based. Reading a multi-cell range reads its top-left cell; writing a value
// writes every cell of it.
class Range {
  public:
    Worksheet worksheet() const { return sheet_; }
    int row() const { return rect_.firstRow + 1; }
    int column() const { return rect_.firstCol + 1; }
    int lastRow() const { return rect_.lastRow + 1; }
    int lastColumn() const { return rect_.lastCol + 1; }
    int rowCount() const { return rect_.lastRow - rect_.firstRow + 1; }
    int columnCount() const { return rect_.lastCol - rect_.firstCol + 1; }
    const xls::CellRect& rect() const { return rect_; }

    // "$B$7", "$A$1:$P$25"; without `absolute`, "B7".
    QString address(bool absolute = true) const;
    // The same-sized range moved by rows and columns; an error when it would leave the sheet.
    Result<Range> offset(int rows, int columns) const;
    Range entireRow() const;
    Range entireColumn() const;
    // The spreadsheet's Ctrl+Down from the top-left cell: from a filled cell whose
    // next cell is filled, the last cell of that filled block; otherwise the next
    // filled cell below, or row 65536 when there is none.
    Range endDown() const;

    // Makes this range the sheet's selection (and the sheet the current one).
    void select() const;

    Value value() const;
    // What the cell shows: texts as they are, numbers through their number format
    // ("1.234,50"), dates as dd/mm/yyyy, general numbers in the shortest form.
    QString text() const;

    // Typing: in a cell formatted "@" the text is kept as it is; otherwise a number
    // text is stored as a number, a dd/mm/yyyy text as a date, "" empties the cell,
    // anything else is text.
    void setValue(const QString& typed) const;
    // Keeps the characters exactly, never converted: postal codes, telephones,
    // tax codes, VAT numbers, IBANs (leading zeros survive).
    void setIdentifier(const QString& text) const;
    void setNumber(double value) const;
    // Stored as a day serial; the cell takes "dd/mm/yyyy" when it was "General".
    void setDate(const QDate& date) const;
    // Pastes the value and the number format of `source`'s top-left cell (a cell of
    // the same workbook) into every cell: an amount keeps showing "1.234,50", a
    // date dd/mm/yyyy. The cells' other formatting (alignment, font) stays.
    void pasteValueAndNumberFormat(const Range& source) const;

    // Empties the cells; their formats stay.
    void clearContents() const;
    // Deletes the range's whole rows; the rows below move up.
    void deleteEntireRow() const;

    // The number format code of the top-left cell ("General", "@", "#,##0.00").
    QString numberFormat() const;
    // Whole columns and rows keep the format for cells written later; a rectangle
    // that reaches row 65536 formats the cells down to the sheet's used range.
    void setNumberFormat(const QString& code) const;

    // Widths of the range's columns fitted to the texts of their cells in this range.
    void autoFitColumns(const TextMeasure& measure = tableTextMeasure()) const;

    // Sorts the rows of the rectangle by the cells of `keyColumn` (1-based sheet
    // column, inside the range), ascending, no header row: numbers first, then
    // texts in Italian order ignoring case and accents, booleans, errors, and rows
    // with an empty key last. Equal keys keep their order; the range's columns of
    // each row move together.
    void sort(int keyColumn) const;

    // Alignment of every cell of the range.
    xls::HAlign horizontalAlignment() const;
    void setHorizontalAlignment(xls::HAlign align) const;
    void setVerticalAlignment(xls::VAlign align) const;
    void setWrapText(bool on) const;
    // Text rotation in degrees, -90..90, or 255 for vertical stacked letters.
    void setOrientation(int degrees) const;
    void setIndentLevel(int level) const;  // 0..15
    void setShrinkToFit(bool on) const;
    // 0 context, 1 left-to-right, 2 right-to-left.
    void setReadingOrder(int order) const;
    // Merges the rectangle into one cell (removing merges it overlaps), or splits
    // every merge inside it.
    void setMergeCells(bool on) const;
    bool mergeCells() const;

  private:
    friend class Worksheet;
    Range(Worksheet sheet, const xls::CellRect& rect) : sheet_(sheet), rect_(rect) {}

    Worksheet sheet_;
    xls::CellRect rect_;
};

}  // namespace store
