#include "xls/sheet_reader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "xls/kept_records.h"
#include "xls/little_endian.h"
#include "xls/read_errors.h"
#include "xls/record_types.h"
#include "xls/rk_number.h"

namespace xls {

namespace {

constexpr std::uint16_t kWindowFrozen = 0x0008;
constexpr std::uint16_t kWindowGridlines = 0x0002;
constexpr std::uint16_t kWindowSelected = 0x0200;
constexpr std::uint16_t kSetupPortrait = 0x0002;
constexpr std::uint16_t kSetupNoPrinterData = 0x0004;
constexpr std::uint16_t kSetupNoOrientation = 0x0040;
constexpr std::uint16_t kWsBoolFitToPage = 0x0100;
constexpr std::uint8_t kBottomRightPane = 3;

using Body = std::span<const std::uint8_t>;

class SheetReader {
  public:
    explicit SheetReader(const SheetContext& context) : ctx_(context) {}

    // False when the record is damaged or the sheet grows beyond its budget.
    bool handle(const Record& r);
    // Keeps a record as read, in the slot of the records it follows.
    void keep(const Record& r);
    Sheet finish();
    std::optional<Error> error() const { return error_; }

  private:
    bool put(int r, int c, Cell&& cell) {
        // A new value replaces any formula text still waiting for its STRING record.
        pendingString_.reset();
        slot_ = SheetSlot::AfterCells;
        // Mostly the next cell of a row whose room was made from its ROW record.
        if (std::size_t(r) < sheet_.rows.size() && c < kMaxCols) {
            std::vector<Cell>& cells = sheet_.rows[std::size_t(r)].cells;
            if (std::size_t(c) == cells.size() && cells.size() < cells.capacity()) {
                cells.push_back(std::move(cell));
                return true;
            }
        }
        return putElsewhere(r, c, std::move(cell));
    }
    // Any other place: a cell replaced, a gap left, a row or room made.
    bool putElsewhere(int row, int col, Cell&& cell);
    Row* row(int r);
    // Grows the rows up to `r`, which lies past the last one.
    Row* newRow(int r);
    // Room for `count` cells in `cells`, charged to the budget as it is reserved.
    bool reserveCells(std::vector<Cell>& cells, std::size_t count);
    void overBudget();
    std::uint16_t xf(std::uint16_t index) const {
        return index < ctx_.xfCount ? index : kDefaultXf;
    }

    bool cellHeader(ByteReader& in, int& r, int& c, std::uint16_t& x) {
        r = in.u16();
        c = in.u16();
        x = xf(in.u16());
        return in.ok();
    }
    // The body of a record in one piece: its only segment, or its segments joined.
    Body wholeBody(const Record& r);
    // Cell records have a fixed layout, so their length is checked once and their
    // fields are read straight from the body.
    bool number(Body body);
    bool rk(Body body);
    bool mulRk(Body body);
    bool blank(Body body);
    bool mulBlank(Body body);
    bool boolErr(Body body);
    bool labelSst(Body body);
    bool label(ByteReader& in);
    // Rows, columns, view, page set-up and the cells that need a ByteReader.
    bool otherRecord(const Record& r);
    bool formula(Body body);
    bool formulaString(ByteReader& in);
    // A SHRFMLA, ARRAY or TABLE record, which follows the FORMULA of its anchor cell.
    void formulaGroup(const Record& r);
    // Ties the formula to the cell just read at (row, col).
    void attachFormula(int row, int col, std::shared_ptr<const CellFormula> formula);
    bool rowRecord(ByteReader& in);
    bool colInfo(ByteReader& in);
    bool merged(ByteReader& in);
    bool window2(ByteReader& in);
    bool pane(ByteReader& in);
    bool selection(ByteReader& in);
    bool setup(ByteReader& in);
    bool pageBreaks(ByteReader& in);
    bool headerFooter(ByteReader& in, QString& text);

    const SheetContext& ctx_;
    Sheet sheet_;
    std::optional<Error> error_;
    QByteArray joined_;  // a cell record's body when it came with continuations

    struct PendingString {
        int row, col;
    };
    std::optional<PendingString> pendingString_;  // a formula whose text follows in STRING

    // The anchor cell of a group whose record should come next, with its formula.
    struct PendingAnchor {
        int row, col;
        QByteArray tokens;
    };
    std::optional<PendingAnchor> pendingAnchor_;
    std::map<std::pair<int, int>, std::shared_ptr<FormulaGroup>> groups_;  // by anchor cell
    SheetSlot slot_ = SheetSlot::AfterBof;

    bool frozen_ = false;
    int windowTopRow_ = 0;
    struct PaneInfo {
        int cols, rows, topRow;
        std::uint8_t active;
    };
    std::optional<PaneInfo> pane_;
    struct Active {
        std::uint8_t pane;
        int row, col;
    };
    std::vector<Active> selections_;
};

void SheetReader::overBudget() {
    error_ = Error{Error::Kind::Unsupported,
                   QStringLiteral("Il file è troppo grande per essere letto.")};
}

Row* SheetReader::row(int r) {
    if (std::size_t(r) < sheet_.rows.size())
        return &sheet_.rows[std::size_t(r)];
    return newRow(r);
}

Row* SheetReader::newRow(int r) {
    if (r >= kMaxRows)
        return nullptr;
    const std::size_t grow = std::size_t(r) + 1 - sheet_.rows.size();
    if (grow > ctx_.budget.left) {
        overBudget();
        return nullptr;
    }
    ctx_.budget.left -= grow;
    sheet_.rows.resize(std::size_t(r) + 1);
    return &sheet_.rows.back();
}

bool SheetReader::reserveCells(std::vector<Cell>& cells, std::size_t count) {
    if (count <= cells.capacity())
        return true;
    // Grown by doubling as a vector would be, but never past the sheet's width.
    const std::size_t capacity =
        std::max(count, std::min(2 * cells.capacity(), std::size_t(kMaxCols)));
    const std::size_t grow = capacity - cells.capacity();
    if (grow > ctx_.budget.left) {
        overBudget();
        return false;
    }
    ctx_.budget.left -= grow;
    cells.reserve(capacity);
    return true;
}

bool SheetReader::putElsewhere(int r, int c, Cell&& cell) {
    if (c >= kMaxCols)
        return false;
    Row* target = row(r);
    if (!target)
        return false;
    std::vector<Cell>& cells = target->cells;
    const auto col = std::size_t(c);
    if (col < cells.size()) {
        cells[col] = std::move(cell);
        return true;
    }
    if (col >= cells.capacity() && !reserveCells(cells, col + 1))
        return false;
    // Cells mostly arrive left to right, each one appended.
    if (col > cells.size())
        cells.resize(col);
    cells.push_back(std::move(cell));
    return true;
}

Cell codeCell(std::uint16_t xf, bool isError, std::uint8_t code) {
    Cell cell;
    cell.xf = xf;
    if (isError)
        cell.setError(code);
    else
        cell.setBoolean(code != 0);
    return cell;
}

bool SheetReader::number(Body body) {
    if (body.size() < 14)
        return false;
    const std::uint8_t* p = body.data();
    return put(le16(p), le16(p + 2), numberCell(leF64(p + 6), xf(le16(p + 4))));
}

bool SheetReader::rk(Body body) {
    if (body.size() < 10)
        return false;
    const std::uint8_t* p = body.data();
    return put(le16(p), le16(p + 2), numberCell(rkNumber(le32(p + 6)), xf(le16(p + 4))));
}

bool SheetReader::mulRk(Body body) {
    const std::size_t size = body.size();
    if (size < 12 || (size - 6) % 6 != 0)
        return false;
    const std::size_t count = (size - 6) / 6;
    const std::uint8_t* p = body.data();
    const int r = le16(p);
    const int first = le16(p + 2);
    if (first + count > std::size_t(kMaxCols) || le16(p + size - 2) != first + count - 1)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* field = p + 4 + 6 * i;
        if (!put(r, first + int(i), numberCell(rkNumber(le32(field + 2)), xf(le16(field)))))
            return false;
    }
    return true;
}

bool SheetReader::blank(Body body) {
    if (body.size() < 6)
        return false;
    const std::uint8_t* p = body.data();
    Cell cell;
    cell.xf = xf(le16(p + 4));
    return put(le16(p), le16(p + 2), std::move(cell));
}

bool SheetReader::mulBlank(Body body) {
    const std::size_t size = body.size();
    if (size < 8 || size % 2 != 0)
        return false;
    const std::size_t count = (size - 6) / 2;
    const std::uint8_t* p = body.data();
    const int r = le16(p);
    const int first = le16(p + 2);
    if (first + count > std::size_t(kMaxCols) || le16(p + size - 2) != first + count - 1)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        Cell cell;
        cell.xf = xf(le16(p + 4 + 2 * i));
        if (!put(r, first + int(i), std::move(cell)))
            return false;
    }
    return true;
}

bool SheetReader::boolErr(Body body) {
    if (body.size() < 8)
        return false;
    const std::uint8_t* p = body.data();
    return put(le16(p), le16(p + 2), codeCell(xf(le16(p + 4)), p[7] != 0, p[6]));
}

bool SheetReader::labelSst(Body body) {
    if (body.size() < 10)
        return false;
    const std::uint8_t* p = body.data();
    const std::uint32_t index = le32(p + 6);
    if (index >= ctx_.sharedStrings.size())
        return false;
    // The table and the cells read so far are this thread's alone.
    return put(le16(p), le16(p + 2),
               textCell(ctx_.sharedStrings[index].copyUnpublished(), xf(le16(p + 4))));
}

bool SheetReader::label(ByteReader& in) {
    int r, c;
    std::uint16_t x;
    cellHeader(in, r, c, x);
    QString text = in.string();  // RSTRING's formatting runs after it are not kept
    return in.ok() && put(r, c, textCell(std::move(text), x));
}

bool SheetReader::formula(Body body) {
    constexpr std::size_t kTokensAt = 14;  // after the position, format and cached value
    if (body.size() < kTokensAt)
        return false;
    const std::uint8_t* p = body.data();
    const int r = le16(p);
    const int c = le16(p + 2);
    const std::uint16_t x = xf(le16(p + 4));
    const std::uint8_t* value = p + 6;
    bool placed = false;
    if (value[6] != 0xFF || value[7] != 0xFF) {
        placed = put(r, c, numberCell(leF64(value), x));
    } else {
        switch (value[0]) {
            case 0:
                placed = put(r, c, textCell(QString(), x));
                if (placed)
                    pendingString_ = PendingString{r, c};
                break;
            case 1:
                placed = put(r, c, codeCell(x, false, value[2]));
                break;
            case 2:
                placed = put(r, c, codeCell(x, true, value[2]));
                break;
            case 3:
                placed = put(r, c, textCell(QString(), x));
                break;
            default:
                return false;
        }
    }
    if (!placed)
        return false;

    // The formula itself: flags (2), a calculation chain field (4), the size of the
    // tokens (2), the tokens and their extra data. One that does not hold together
    // leaves the cell its value.
    const Body tokens = body.subspan(kTokensAt);
    if (tokens.size() < 8 || std::size_t(le16(tokens.data() + 6)) + 8 > tokens.size())
        return true;
    QByteArray kept(reinterpret_cast<const char*>(tokens.data()), qsizetype(tokens.size()));
    const std::uint16_t tokenBytes = le16(tokens.data() + 6);
    const std::uint8_t first = tokenBytes > 0 ? tokens[8] : 0;
    // A cell of a shared formula, array or table holds only a reference to its anchor cell.
    constexpr std::uint8_t kPtgExp = 0x01;
    constexpr std::uint8_t kPtgTbl = 0x02;
    if (tokenBytes != 5 || (first != kPtgExp && first != kPtgTbl)) {
        attachFormula(r, c,
                      std::make_shared<const CellFormula>(CellFormula{r, c, std::move(kept), {}}));
        return true;
    }
    const int anchorRow = le16(tokens.data() + 9);
    const int anchorCol = le16(tokens.data() + 11);
    if (anchorRow == r && anchorCol == c) {
        pendingAnchor_ = PendingAnchor{r, c, std::move(kept)};
        return true;
    }
    // A cell whose anchor was never read has only its value.
    const auto group = groups_.find({anchorRow, anchorCol});
    if (group != groups_.end()) {
        ++group->second->members;
        attachFormula(
            r, c,
            std::make_shared<const CellFormula>(CellFormula{r, c, std::move(kept), group->second}));
    }
    return true;
}

void SheetReader::attachFormula(int row, int col, std::shared_ptr<const CellFormula> formula) {
    // put() has just placed the cell, so it is there.
    sheet_.rows[std::size_t(row)].cells[std::size_t(col)].setFormula(std::move(formula));
}

void SheetReader::formulaGroup(const Record& r) {
    if (!pendingAnchor_)
        return;  // a group without its anchor formula: the cells keep their values
    PendingAnchor anchor = std::move(*pendingAnchor_);
    pendingAnchor_.reset();
    auto group = std::make_shared<FormulaGroup>(
        FormulaGroup{RawRecord{r.type, r.joined()}, anchor.row, anchor.col, 1});
    groups_[{anchor.row, anchor.col}] = group;
    attachFormula(anchor.row, anchor.col,
                  std::make_shared<const CellFormula>(
                      CellFormula{anchor.row, anchor.col, std::move(anchor.tokens), group}));
}

bool SheetReader::formulaString(ByteReader& in) {
    QString text = in.string();
    if (!in.ok())
        return false;
    // The formula's cell was placed just before, with an empty text and its formula.
    if (pendingString_) {
        const PendingString p = *pendingString_;
        pendingString_.reset();
        sheet_.rows[std::size_t(p.row)].cells[std::size_t(p.col)].setText(std::move(text));
    }
    return true;
}

bool SheetReader::rowRecord(ByteReader& in) {
    const int r = in.u16();
    in.skip(2);  // first column
    const std::uint16_t endCol = in.u16();
    const std::uint16_t height = in.u16();
    in.skip(4);
    const std::uint16_t flags = in.u16();
    const std::uint16_t format = in.u16();
    if (!in.ok())
        return false;
    Row* target = row(r);
    if (!target)
        return false;
    // The row's cells follow: their room is made once, as wide as the row says.
    if (!reserveCells(target->cells, std::min<std::size_t>(endCol, kMaxCols)))
        return false;
    target->height = height & 0x7FFF;
    target->hidden = (flags & 0x0020) != 0;
    target->customHeight = (flags & 0x0040) != 0;
    if (flags & 0x0080)
        target->xf = xf(format & 0x0FFF);
    return true;
}

bool SheetReader::colInfo(ByteReader& in) {
    ColumnInfo info;
    info.firstCol = in.u16();
    info.lastCol = in.u16();
    info.width = in.u16();
    info.xf = xf(in.u16());
    info.options = in.u16();
    if (!in.ok())
        return false;
    // Some writers let the last range run one past the last column.
    info.lastCol = std::min<std::uint16_t>(info.lastCol, kMaxCols - 1);
    if (info.firstCol <= info.lastCol)
        sheet_.columns.push_back(info);
    return true;
}

bool SheetReader::merged(ByteReader& in) {
    const std::uint16_t count = in.u16();
    if (std::size_t(count) * 8 > in.remaining())
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        CellRect m;
        m.firstRow = in.u16();
        m.lastRow = in.u16();
        m.firstCol = in.u16();
        m.lastCol = in.u16();
        if (m.firstRow > m.lastRow || m.firstCol > m.lastCol || m.lastCol >= kMaxCols)
            return false;
        sheet_.merged.push_back(m);
    }
    return in.ok();
}

bool SheetReader::window2(ByteReader& in) {
    const std::uint16_t flags = in.u16();
    windowTopRow_ = in.u16();
    if (!in.ok())
        return false;
    frozen_ = (flags & kWindowFrozen) != 0;
    sheet_.showGridlines = (flags & kWindowGridlines) != 0;
    sheet_.selected = (flags & kWindowSelected) != 0;
    return true;
}

bool SheetReader::pane(ByteReader& in) {
    PaneInfo p;
    p.cols = in.u16();
    p.rows = in.u16();
    p.topRow = in.u16();
    in.skip(2);  // left column of the right pane
    p.active = in.u8();
    if (!in.ok())
        return false;
    pane_ = p;
    return true;
}

bool SheetReader::selection(ByteReader& in) {
    Active a;
    a.pane = in.u8();
    a.row = in.u16();
    a.col = in.u16();
    if (!in.ok() || a.col >= kMaxCols)
        return false;
    selections_.push_back(a);
    return true;
}

bool SheetReader::setup(ByteReader& in) {
    PageSetup& page = sheet_.page;
    const std::uint16_t paper = in.u16();
    const std::uint16_t scale = in.u16();
    in.skip(2);  // first page number
    const std::uint16_t fitWidth = in.u16();
    const std::uint16_t fitHeight = in.u16();
    const std::uint16_t flags = in.u16();
    in.skip(4);  // print resolutions
    const double headerMargin = in.f64();
    const double footerMargin = in.f64();
    const std::uint16_t copies = in.u16();
    if (!in.ok())
        return false;
    page.fitWidth = fitWidth;
    page.fitHeight = fitHeight;
    page.headerMargin = headerMargin;
    page.footerMargin = footerMargin;
    // Without printer data the paper, scale, copies and orientation are undefined.
    if (!(flags & kSetupNoPrinterData)) {
        if (paper != 0)
            page.paperSize = paper;
        if (scale >= 10 && scale <= 400)
            page.scale = scale;
        if (copies != 0)
            page.copies = copies;
        page.landscape = !(flags & kSetupNoOrientation) && !(flags & kSetupPortrait);
    }
    return true;
}

bool SheetReader::pageBreaks(ByteReader& in) {
    const std::uint16_t count = in.u16();
    if (std::size_t(count) * 6 > in.remaining())
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        sheet_.page.rowBreaks.push_back(in.u16());
        in.skip(4);  // the columns it spans
    }
    return in.ok();
}

bool SheetReader::headerFooter(ByteReader& in, QString& text) {
    text = in.remaining() == 0 ? QString() : in.string();
    return in.ok();
}

Body SheetReader::wholeBody(const Record& r) {
    if (r.segments.size() == 1)
        return r.segments.front();
    joined_ = r.joined();
    return {reinterpret_cast<const std::uint8_t*>(joined_.constData()),
            std::size_t(joined_.size())};
}

bool SheetReader::handle(const Record& r) {
    // The group of an anchor formula comes right after it, or not at all.
    if (pendingAnchor_ && r.type != rec::ShrFmla && r.type != rec::Array && r.type != rec::Table)
        pendingAnchor_.reset();
    switch (r.type) {
        case rec::Number:
            return number(wholeBody(r));
        case rec::Rk:
            return rk(wholeBody(r));
        case rec::MulRk:
            return mulRk(wholeBody(r));
        case rec::Blank:
            return blank(wholeBody(r));
        case rec::MulBlank:
            return mulBlank(wholeBody(r));
        case rec::BoolErr:
            return boolErr(wholeBody(r));
        case rec::LabelSst:
            return labelSst(wholeBody(r));
        case rec::Formula:
            return formula(wholeBody(r));
        default:
            if (const std::optional<SheetSlot> slot = sheetSlotAfter(r.type))
                slot_ = *slot;
            return otherRecord(r);
    }
}

bool SheetReader::otherRecord(const Record& r) {
    ByteReader in = r.reader();
    PageSetup& page = sheet_.page;
    switch (r.type) {
        case rec::Label:
        case rec::RString:
            return label(in);
        case rec::ShrFmla:
        case rec::Array:
        case rec::Table:
            formulaGroup(r);
            return true;
        case rec::String:
            return formulaString(in);
        case rec::Row:
            return rowRecord(in);
        case rec::ColInfo:
            return colInfo(in);
        case rec::DefColWidth:
            sheet_.defaultColWidth = in.u16();
            return in.ok();
        case rec::DefaultRowHeight:
            in.skip(2);
            sheet_.defaultRowHeight = in.u16();
            return in.ok();
        case rec::MergedCells:
            return merged(in);
        case rec::Window2:
            return window2(in);
        case rec::Pane:
            return pane(in);
        case rec::Selection:
            return selection(in);
        case rec::Scl: {
            const auto num = std::int16_t(in.u16());
            const auto den = std::int16_t(in.u16());
            if (in.ok() && den > 0 && num > 0 && num * 100 / den >= 10 && num * 100 / den <= 400)
                sheet_.zoom = std::uint16_t(num * 100 / den);
            return in.ok();
        }
        case rec::Header:
            return headerFooter(in, page.header);
        case rec::Footer:
            return headerFooter(in, page.footer);
        case rec::LeftMargin:
            page.leftMargin = in.f64();
            return in.ok();
        case rec::RightMargin:
            page.rightMargin = in.f64();
            return in.ok();
        case rec::TopMargin:
            page.topMargin = in.f64();
            return in.ok();
        case rec::BottomMargin:
            page.bottomMargin = in.f64();
            return in.ok();
        case rec::Setup:
            return setup(in);
        case rec::PrintGridlines:
            page.printGridlines = in.u16() != 0;
            return in.ok();
        case rec::PrintHeaders:
            page.printHeadings = in.u16() != 0;
            return in.ok();
        case rec::WsBool:
            page.fitToPage = (in.u16() & kWsBoolFitToPage) != 0;
            return in.ok();
        case rec::HCenter:
            page.hCenter = in.u16() != 0;
            return in.ok();
        case rec::VCenter:
            page.vCenter = in.u16() != 0;
            return in.ok();
        case rec::HorizontalPageBreaks:
            return pageBreaks(in);
        case rec::Protect:
            sheet_.protection.locked = in.u16() != 0;
            return in.ok();
        case rec::Password:
            sheet_.protection.passwordHash = in.u16();
            return in.ok();
        default:
            if (!isRebuiltSheetRecord(r.type))
                keep(r);
            return true;
    }
}

void SheetReader::keep(const Record& r) {
    keepRecord(r, slot_, sheet_.extraRecords);
}

Sheet SheetReader::finish() {
    if (frozen_ && pane_) {
        sheet_.frozenRows = pane_->rows;
        sheet_.frozenCols = pane_->cols;
        sheet_.topRow = pane_->topRow;
    } else {
        sheet_.topRow = windowTopRow_;
    }
    const std::uint8_t activePane = pane_ ? pane_->active : kBottomRightPane;
    for (const Active& a : selections_) {
        if (a.pane == activePane || selections_.size() == 1) {
            sheet_.activeRow = a.row;
            sheet_.activeCol = a.col;
        }
    }
    std::stable_sort(
        sheet_.columns.begin(), sheet_.columns.end(),
        [](const ColumnInfo& a, const ColumnInfo& b) { return a.firstCol < b.firstCol; });
    // Overlapping ranges cannot be written back; of two, the one starting first wins.
    std::vector<ColumnInfo> columns;
    for (const ColumnInfo& c : sheet_.columns) {
        if (columns.empty() || c.firstCol > columns.back().lastCol)
            columns.push_back(c);
    }
    sheet_.columns = std::move(columns);
    return std::move(sheet_);
}

}  // namespace

Result<Sheet> readSheet(RecordStream& records, const SheetContext& context) {
    SheetReader reader(context);
    Record r;
    // An embedded chart is a substream of its own inside the sheet, kept whole.
    int nested = 0;
    while (records.next(r)) {
        if (r.type == rec::Bof || (nested > 0 && r.type == rec::Eof)) {
            nested += r.type == rec::Bof ? 1 : -1;
            reader.keep(r);
            continue;
        }
        if (nested > 0) {
            reader.keep(r);
            continue;
        }
        if (r.type == rec::Eof)
            return reader.finish();
        if (!reader.handle(r))
            return reader.error().value_or(damagedRecord(r.offset));
    }
    return damagedFile();  // the sheet never ended
}

}  // namespace xls
