#include "store/range.h"

#include "store/address.h"
#include "store/column_fit.h"
#include "store/number_format.h"
#include "store/sheet_cells.h"
#include "store/sheet_sort.h"
#include "store/typed_entry.h"
#include "store/workbook.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace store {

namespace {

// Calls `write` for every cell of the rectangle, creating the cells.
template <class F>
void forEachCell(xls::Sheet& sheet, const xls::CellRect& rect, F&& write) {
    for (int r = rect.firstRow; r <= rect.lastRow; ++r) {
        for (int c = rect.firstCol; c <= rect.lastCol; ++c)
            write(cellAt(sheet, r, c));
    }
}

}  // namespace

QString Range::address(bool absolute) const {
    return addressText(rect_, absolute);
}

Result<Range> Range::offset(int rows, int columns) const {
    const xls::CellRect moved{rect_.firstRow + rows, rect_.lastRow + rows, rect_.firstCol + columns,
                              rect_.lastCol + columns};
    if (!isValidCell(moved.firstRow + 1, moved.firstCol + 1) ||
        !isValidCell(moved.lastRow + 1, moved.lastCol + 1)) {
        return Error{Error::Kind::BadAddress,
                     QStringLiteral("Lo spostamento porta fuori dal foglio: %1").arg(address())};
    }
    return Range(sheet_, moved);
}

Range Range::entireRow() const {
    return Range(sheet_, {rect_.firstRow, rect_.lastRow, 0, xls::kMaxCols - 1});
}

Range Range::entireColumn() const {
    return Range(sheet_, {0, xls::kMaxRows - 1, rect_.firstCol, rect_.lastCol});
}

Range Range::endDown() const {
    const xls::Sheet& sheet = sheet_.model();
    const int col = rect_.firstCol;
    auto filled = [&](int r) { return isFilled(findCell(sheet, r, col)); };
    int row = rect_.firstRow;
    if (row < xls::kMaxRows - 1) {
        if (filled(row) && filled(row + 1)) {
            while (row + 1 < xls::kMaxRows && filled(row + 1))
                ++row;
        } else {
            const int held = int(sheet.rows.size());
            ++row;
            while (row < held && !filled(row))
                ++row;
            if (row >= held)
                row = xls::kMaxRows - 1;
        }
    }
    return Range(sheet_, {row, row, col, col});
}

void Range::select() const {
    sheet_.select();
    auto& sheet = sheet_.model();
    sheet.activeRow = rect_.firstRow;
    sheet.activeCol = rect_.firstCol;
}

Value Range::value() const {
    const xls::Cell* cell = findCell(sheet_.model(), rect_.firstRow, rect_.firstCol);
    return cell ? Value::of(*cell) : Value();
}

QString Range::text() const {
    const xls::Cell* cell = findCell(sheet_.model(), rect_.firstRow, rect_.firstCol);
    return cell ? displayText(sheet_.workbook().model(), *cell) : QString();
}

void Range::setValue(const QString& typed) const {
    sheet_.workbook().markChanged();
    Workbook& book = sheet_.workbook();
    const bool date1904 = book.model().date1904;
    const TypedEntry entry = interpretTyped(typed, date1904);
    forEachCell(sheet_.model(), rect_, [&](xls::Cell& cell) {
        const QString code = book.model().formatCode(book.model().xfs[cell.xf].format);
        if (code == u"@") {
            (typed.isEmpty() ? Value() : Value::text(typed)).storeIn(cell);
            return;
        }
        entry.value.storeIn(cell);
        if (entry.format.isEmpty())
            return;
        const bool isDate = xls::isDateFormat(entry.format);
        const bool general = code.compare(u"General", Qt::CaseInsensitive) == 0;
        if (general || (isDate && !xls::isDateFormat(code)))
            cell.xf = book.xfWithFormat(cell.xf, entry.format);
    });
}

void Range::setIdentifier(const QString& text) const {
    sheet_.workbook().markChanged();
    const Value value = text.isEmpty() ? Value() : Value::text(text);
    forEachCell(sheet_.model(), rect_, [&](xls::Cell& cell) { value.storeIn(cell); });
}

void Range::setNumber(double number) const {
    sheet_.workbook().markChanged();
    forEachCell(sheet_.model(), rect_,
                [&](xls::Cell& cell) { Value::number(number).storeIn(cell); });
}

void Range::setDate(const QDate& date) const {
    sheet_.workbook().markChanged();
    Workbook& book = sheet_.workbook();
    const double serial = serialOfDate(date, book.model().date1904);
    forEachCell(sheet_.model(), rect_, [&](xls::Cell& cell) {
        Value::number(serial).storeIn(cell);
        const QString code = book.model().formatCode(book.model().xfs[cell.xf].format);
        if (!xls::isDateFormat(code))
            cell.xf = book.xfWithFormat(cell.xf, QStringLiteral("dd/mm/yyyy"));
    });
}

void Range::pasteValueAndNumberFormat(const Range& source) const {
    sheet_.workbook().markChanged();
    Q_ASSERT(&source.sheet_.workbook() == &sheet_.workbook());
    const xls::Sheet& from = source.sheet_.model();
    const int row = source.rect_.firstRow, col = source.rect_.firstCol;
    const xls::Cell* cell = findCell(from, row, col);
    const Value value = cell ? Value::of(*cell) : Value();
    Workbook& book = sheet_.workbook();
    const std::uint16_t format =
        book.model().xfs[cell ? cell->xf : defaultXf(from, row, col)].format;
    forEachCell(sheet_.model(), rect_, [&](xls::Cell& target) {
        value.storeIn(target);
        if (book.model().xfs[target.xf].format != format)
            target.xf = book.xfWithFormatIndex(target.xf, format);
    });
}

void Range::clearContents() const {
    sheet_.workbook().markChanged();
    xls::Sheet& sheet = sheet_.model();
    const int lastRow = std::min(rect_.lastRow, int(sheet.rows.size()) - 1);
    for (int r = rect_.firstRow; r <= lastRow; ++r) {
        auto& cells = sheet.rows[std::size_t(r)].cells;
        const int lastCol = std::min(rect_.lastCol, int(cells.size()) - 1);
        for (int c = rect_.firstCol; c <= lastCol; ++c)
            Value().storeIn(cells[std::size_t(c)]);
    }
}

void Range::deleteEntireRow() const {
    sheet_.workbook().markChanged();
    xls::Sheet& sheet = sheet_.model();
    const int first = rect_.firstRow;
    const int count = rect_.lastRow - rect_.firstRow + 1;
    if (std::size_t(first) < sheet.rows.size()) {
        const auto end = std::min(sheet.rows.size(), std::size_t(first + count));
        sheet.rows.erase(sheet.rows.begin() + first, sheet.rows.begin() + std::ptrdiff_t(end));
    }
    // Merges, the print area and page breaks below move up with their rows; those
    // inside the deleted rows go.
    auto shift = [&](xls::CellRect& r) {
        if (r.lastRow < first)
            return true;
        if (r.firstRow > rect_.lastRow) {
            r.firstRow -= count;
            r.lastRow -= count;
            return true;
        }
        const int keptAbove = std::max(0, first - r.firstRow);
        const int keptBelow = std::max(0, r.lastRow - rect_.lastRow);
        if (keptAbove + keptBelow == 0)
            return false;
        r.firstRow = std::min(r.firstRow, first);
        r.lastRow = r.firstRow + keptAbove + keptBelow - 1;
        return true;
    };
    std::erase_if(sheet.merged, [&](xls::CellRect& r) {
        return !shift(r) || (r.firstRow == r.lastRow && r.firstCol == r.lastCol);
    });
    if (sheet.page.printArea && !shift(*sheet.page.printArea))
        sheet.page.printArea.reset();
    std::erase_if(sheet.page.rowBreaks, [&](std::uint16_t& row) {
        if (row < first)
            return false;
        if (row <= rect_.lastRow)
            return true;
        row = std::uint16_t(row - count);
        return false;
    });
}

QString Range::numberFormat() const {
    const xls::Sheet& sheet = sheet_.model();
    const xls::Cell* cell = findCell(sheet, rect_.firstRow, rect_.firstCol);
    const std::uint16_t xf = cell ? cell->xf : defaultXf(sheet, rect_.firstRow, rect_.firstCol);
    const auto& book = sheet_.workbook().model();
    return book.formatCode(book.xfs[xf].format);
}

void Range::setNumberFormat(const QString& code) const {
    sheet_.workbook().markChanged();
    auto& book = sheet_.workbook().model();
    const std::uint16_t format = sheet_.workbook().formatIndex(code);
    restyle(book, sheet_.model(), rect_, [format](xls::Xf& xf) { xf.format = format; });
}

namespace {

// The widest text of one column. Numbers under a format whose text only grows with
// the number's size (fixed decimals, dates without month names, whole numbers in
// General) are measured once per format at their smallest and largest value, so
// fitting a long register does not format every cell. Any other cell is shown and
// measured once per format and value: a register repeats its texts (a read text is
// held once, whatever the cells that show it) and its dates, and a format shows one
// value always alike.
class ColumnWidest {
  public:
    ColumnWidest(const xls::Workbook& book, const TextMeasure& measure)
        : book_(book), measure_(measure) {}

    void add(const xls::Cell& cell) {
        Format& format = formatOf(cell.xf);
        switch (cell.kind()) {
            case xls::CellKind::Number:
                if (growsWithSize(format, cell.number())) {
                    format.low = std::min(format.low, cell.number());
                    format.high = std::max(format.high, cell.number());
                } else if (!format.numbers.contains(std::bit_cast<quint64>(cell.number()))) {
                    format.numbers.insert(std::bit_cast<quint64>(cell.number()));
                    measure(format, cell);
                }
                return;
            case xls::CellKind::Text:
                if (!format.texts.contains(cell.textIdentity())) {
                    format.texts.insert(cell.textIdentity());
                    measure(format, cell);
                }
                return;
            default:
                measure(format, cell);
                return;
        }
    }

    int width() {
        for (auto& [xf, format] : formats_) {
            if (format.low > format.high)
                continue;  // no number measured by its extremes
            xls::Cell probe;
            probe.xf = xf;
            probe.setNumber(format.low);
            measure(format, probe);
            probe.setNumber(format.high);
            measure(format, probe);
        }
        formats_.clear();
        last_ = nullptr;
        const xls::Font defaultFont = book_.fonts.empty() ? xls::Font{} : book_.fonts.front();
        int widest = 0;
        for (const auto& [font, lines] : lines_) {
            const double zeros = measure_.widestInZeros(lines, *font, defaultFont);
            widest = std::max(widest, fittedColumnWidth(zeros));
        }
        lines_.clear();
        return widest;
    }

  private:
    enum class Grows { Yes, WholeOnly, No };

    // What the column's cells of one format have given so far.
    struct Format {
        Grows grows = Grows::No;
        std::vector<QString>* lines = nullptr;  // of the format's font
        double low = std::numeric_limits<double>::infinity();
        double high = -std::numeric_limits<double>::infinity();
        QSet<const void*> texts;  // by identity
        QSet<quint64> numbers;    // by their bits
    };

    // Consecutive cells of a column mostly share their format.
    Format& formatOf(std::uint16_t xf) {
        if (last_ && lastXf_ == xf)
            return *last_;
        auto [it, fresh] = formats_.try_emplace(xf);
        if (fresh) {
            it->second.grows = growth(xf);
            it->second.lines = &lines_[&book_.fontOf(book_.xfs[xf])];
        }
        lastXf_ = xf;
        last_ = &it->second;
        return *last_;
    }

    Grows growth(std::uint16_t xf) const {
        const QString code = book_.formatCode(book_.xfs[xf].format);
        const bool general = code.compare(u"General", Qt::CaseInsensitive) == 0;
        const bool monthNames = code.contains(QStringLiteral("mmm"), Qt::CaseInsensitive);
        // Dates with a one-letter day or month ("d/m/yyyy") change width inside a range.
        static const QRegularExpression shortDatePart(
            QStringLiteral("(^|[^dmhs])[dmhs]([^dmhs]|$)"),
            QRegularExpression::CaseInsensitiveOption);
        const bool unevenDate = xls::isDateFormat(code) && shortDatePart.match(code).hasMatch();
        const bool textual = general || monthNames || unevenDate || code.contains(u'@') ||
                             code.contains(QStringLiteral("General"), Qt::CaseInsensitive);
        return textual ? (general ? Grows::WholeOnly : Grows::No) : Grows::Yes;
    }

    static bool growsWithSize(const Format& format, double number) {
        switch (format.grows) {
            case Grows::Yes:
                return true;
            case Grows::WholeOnly:
                return number == std::floor(number) && std::fabs(number) < 1e15;
            case Grows::No:
                break;
        }
        return false;
    }

    // The cell's shown lines join those of its font: the measure sees every font's
    // lines together.
    void measure(const Format& format, const xls::Cell& cell) const {
        const QString shown = displayText(book_, cell);
        if (shown.isEmpty())
            return;
        if (!shown.contains(u'\n')) {
            format.lines->push_back(shown);
            return;
        }
        for (const QString& line : shown.split(u'\n'))
            format.lines->push_back(line);
    }

    const xls::Workbook& book_;
    const TextMeasure& measure_;
    std::map<std::uint16_t, Format> formats_;
    std::uint16_t lastXf_ = 0;
    Format* last_ = nullptr;
    std::map<const xls::Font*, std::vector<QString>> lines_;
};

}  // namespace

void Range::autoFitColumns(const TextMeasure& measure) const {
    sheet_.workbook().markChanged();
    xls::Sheet& sheet = sheet_.model();
    const auto& book = sheet_.workbook().model();
    ColumnSlots spread = spreadColumns(sheet);
    const int lastRow = std::min(rect_.lastRow, int(sheet.rows.size()) - 1);
    // Row by row, as the cells lie in memory: a long register walked column by
    // column would fetch every row again for each column.
    std::vector<ColumnWidest> columns(std::size_t(rect_.lastCol - rect_.firstCol + 1),
                                      ColumnWidest(book, measure));
    for (int r = rect_.firstRow; r <= lastRow; ++r) {
        const std::vector<xls::Cell>& cells = sheet.rows[std::size_t(r)].cells;
        const int lastCol = std::min(rect_.lastCol, int(cells.size()) - 1);
        for (int c = rect_.firstCol; c <= lastCol; ++c) {
            const xls::Cell& cell = cells[std::size_t(c)];
            if (isFilled(&cell))
                columns[std::size_t(c - rect_.firstCol)].add(cell);
        }
    }
    for (int c = rect_.firstCol; c <= rect_.lastCol; ++c) {
        const int widest = columns[std::size_t(c - rect_.firstCol)].width();
        if (widest == 0)
            continue;  // nothing to fit: the width stays
        auto& slot = spread[std::size_t(c)];
        if (!slot) {
            slot = xls::ColumnInfo{};
            slot->firstCol = slot->lastCol = std::uint16_t(c);
        }
        slot->width = std::uint16_t(widest);
    }
    packColumns(sheet, spread);
}

void Range::sort(int keyColumn) const {
    sheet_.workbook().markChanged();
    Q_ASSERT(keyColumn - 1 >= rect_.firstCol && keyColumn - 1 <= rect_.lastCol);
    sortRows(sheet_.model(), rect_, keyColumn - 1);
}

xls::HAlign Range::horizontalAlignment() const {
    const xls::Sheet& sheet = sheet_.model();
    const xls::Cell* cell = findCell(sheet, rect_.firstRow, rect_.firstCol);
    const std::uint16_t xf = cell ? cell->xf : defaultXf(sheet, rect_.firstRow, rect_.firstCol);
    return sheet_.workbook().model().xfs[xf].hAlign();
}

void Range::setHorizontalAlignment(xls::HAlign align) const {
    sheet_.workbook().markChanged();
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [align](xls::Xf& xf) { xf.setHAlign(align); });
}

void Range::setVerticalAlignment(xls::VAlign align) const {
    sheet_.workbook().markChanged();
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [align](xls::Xf& xf) { xf.setVAlign(align); });
}

void Range::setWrapText(bool on) const {
    sheet_.workbook().markChanged();
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [on](xls::Xf& xf) { xf.setWrap(on); });
}

void Range::setOrientation(int degrees) const {
    sheet_.workbook().markChanged();
    // BIFF8: 0..90 counter-clockwise, 91..180 clockwise 1..90, 255 stacked letters.
    std::uint8_t rotation = 255;
    if (degrees != 255) {
        degrees = std::clamp(degrees, -90, 90);
        rotation = std::uint8_t(degrees >= 0 ? degrees : 90 - degrees);
    }
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [rotation](xls::Xf& xf) { xf.rotation = rotation; });
}

void Range::setIndentLevel(int level) const {
    sheet_.workbook().markChanged();
    level = std::clamp(level, 0, 15);
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [level](xls::Xf& xf) { xf.setIndentLevel(level); });
}

void Range::setShrinkToFit(bool on) const {
    sheet_.workbook().markChanged();
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [on](xls::Xf& xf) { xf.setShrinkToFit(on); });
}

void Range::setReadingOrder(int order) const {
    sheet_.workbook().markChanged();
    order = std::clamp(order, 0, 2);
    restyle(sheet_.workbook().model(), sheet_.model(), rect_,
            [order](xls::Xf& xf) { xf.setReadingOrder(order); });
}

void Range::setMergeCells(bool on) const {
    sheet_.workbook().markChanged();
    auto& merged = sheet_.model().merged;
    auto overlaps = [this](const xls::CellRect& r) {
        return r.firstRow <= rect_.lastRow && r.lastRow >= rect_.firstRow &&
               r.firstCol <= rect_.lastCol && r.lastCol >= rect_.firstCol;
    };
    std::erase_if(merged, overlaps);
    const bool single = rect_.firstRow == rect_.lastRow && rect_.firstCol == rect_.lastCol;
    if (on && !single)
        merged.push_back(rect_);
}

bool Range::mergeCells() const {
    for (const auto& r : sheet_.model().merged) {
        if (r.firstRow <= rect_.firstRow && r.lastRow >= rect_.lastRow &&
            r.firstCol <= rect_.firstCol && r.lastCol >= rect_.lastCol)
            return true;
    }
    return false;
}

}  // namespace store
