#pragma once

// The in-memory workbook that the codec reads into and writes from. It is plain
// data: the spreadsheet engine above it adds the operations the windows use.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "xls/cell.h"

namespace xls {

inline constexpr int kMaxRows = 65536;  // rows 1..65536 (0-based 0..65535 here)
inline constexpr int kMaxCols = 256;    // columns A..IV

// BIFF error codes as stored in BOOLERR and FORMULA records.
enum class ErrorCode : std::uint8_t {
    Null = 0x00,
    Div0 = 0x07,
    Value = 0x0F,
    Ref = 0x17,
    Name = 0x1D,
    Num = 0x24,
    NA = 0x2A,
};

// "#DIV/0!" and the like; an unknown code reads as "#N/A".
QString errorText(std::uint8_t code);

// A record kept as read, written back unchanged.
struct RawRecord {
    std::uint16_t type = 0;
    QByteArray data;
};

// A shared formula, array formula or data table (SHRFMLA, ARRAY, TABLE): the
// formula cells of its range point at it through their anchor cell.
struct FormulaGroup {
    RawRecord record;  // written right after the anchor cell's FORMULA
    int anchorRow = 0;
    int anchorCol = 0;
    int members = 0;  // formula cells that referred to it when read, the anchor included
};

// A formula read from a file, kept so that it is written back as a formula. It is
// tied to the place it was read at: a cell the program moves elsewhere is written
// as its value (see docs/design-notes.md).
struct CellFormula {
    int row = 0;
    int col = 0;
    // The FORMULA body after the cell's position, format and cached value: flags,
    // the formula's tokens and their extra data.
    QByteArray tokens;
    std::shared_ptr<const FormulaGroup> group;  // for a cell of a group, else null
};

struct Row {
    std::vector<Cell> cells;  // index = 0-based column; may be shorter than the used width

    // ROW record attributes; absent means the sheet's default row.
    std::uint16_t height = 255;  // twips
    bool customHeight = false;
    bool hidden = false;
    std::optional<std::uint16_t> xf;  // row default format, when the row has one
};

// A rectangle of cells, 0-based and inclusive.
struct CellRect {
    int firstRow = 0;
    int lastRow = 0;
    int firstCol = 0;
    int lastCol = 0;
    bool operator==(const CellRect&) const = default;
};

struct ColumnInfo {
    std::uint16_t firstCol = 0;  // 0-based, inclusive
    std::uint16_t lastCol = 0;
    std::uint16_t width = 2340;  // in 1/256 of the width of the default font's "0"
    std::uint16_t xf = kDefaultXf;
    std::uint16_t options = 0;  // hidden, outline level, collapsed: as in COLINFO
};

struct PageSetup {
    QString header;  // the HEADER/FOOTER texts, with their &C/&L/&R codes
    QString footer;
    double leftMargin = 0.75;  // inches
    double rightMargin = 0.75;
    double topMargin = 1.0;
    double bottomMargin = 1.0;
    double headerMargin = 0.5;
    double footerMargin = 0.5;
    std::uint16_t paperSize = 9;  // 9 = A4
    std::uint16_t scale = 100;    // zoom in percent
    std::uint16_t fitWidth = 1;   // pages wide, when fitToPage
    std::uint16_t fitHeight = 1;  // pages tall, when fitToPage
    std::uint16_t copies = 1;
    bool landscape = false;
    bool fitToPage = false;  // WSBOOL: scale to fitWidth x fitHeight instead of scale
    bool printGridlines = false;
    bool printHeadings = false;
    bool hCenter = false;
    bool vCenter = false;
    std::optional<CellRect> printArea;
    std::vector<std::uint16_t> rowBreaks;  // 0-based rows that start a new page
};

struct Protection {
    bool locked = false;             // PROTECT
    std::uint16_t passwordHash = 0;  // PASSWORD (0 = none)
};

// Where a record that the reader does not understand goes back among the records
// the writer makes: after the group of records that it followed in the file.
enum class GlobalsSlot : std::uint8_t {
    BeforeWindow1,
    AfterDateMode,
    AfterStyles,  // after the fonts, formats, XFs, styles and palette
    AfterSheets,  // after BOUNDSHEET, before the references and names
    BeforeSst,    // after the names: the drawing group
    BeforeEof,    // after the shared strings
};
enum class SheetSlot : std::uint8_t {
    AfterBof,
    AfterPageBreaks,
    AfterProtection,
    BeforeCells,
    AfterCells,  // drawing objects and notes
    AfterView,   // conditional formats, hyperlinks, validation
    BeforeEof,
};

// A record kept as read, with the place it goes back to. A record that came with
// CONTINUE records is kept as that many records, so their boundaries, which some
// records depend on (TXO, MSODRAWING), survive.
template <class Slot>
struct KeptRecord : RawRecord {
    Slot slot{};
};

struct Sheet {
    QString name;
    bool hidden = false;
    // The sheet's number in the file it was read from (its BOUNDSHEET's index), which
    // the references and names kept from that file use; -1 for a sheet made since.
    int fileTab = -1;

    std::vector<Row> rows;  // index = 0-based row; may be shorter than the used height

    std::uint16_t defaultColWidth = 8;     // DEFCOLWIDTH, in characters
    std::uint16_t defaultRowHeight = 255;  // DEFAULTROWHEIGHT, twips
    std::vector<ColumnInfo> columns;       // sorted, not overlapping
    std::vector<CellRect> merged;

    int frozenRows = 0;  // rows above the frozen split (1 = header row stays)
    int frozenCols = 0;
    int topRow = 0;     // first visible row of the lower pane / the window
    int activeRow = 0;  // the selected cell
    int activeCol = 0;
    bool selected = false;  // the sheet's tab is selected
    std::uint16_t zoom = 100;
    bool showGridlines = true;

    PageSetup page;
    Protection protection;
    // The cells the user may reach; held in memory only (no BIFF record keeps it).
    std::optional<CellRect> scrollArea;

    // Sheet records that were read and are not understood, written back in place.
    std::vector<KeptRecord<SheetSlot>> extraRecords;

    // Places `cell` at a 0-based position, growing the rows and the row's cells.
    void put(int row, int col, Cell cell);
};

struct Font {
    std::uint16_t height = 200;  // twips (200 = 10 pt)
    std::uint16_t options = 0;   // italic 0x02, strikeout 0x08, ...
    std::uint16_t color = 0x7FFF;
    std::uint16_t weight = 400;  // 700 = bold
    std::uint16_t escapement = 0;
    std::uint8_t underline = 0;
    std::uint8_t family = 0;
    std::uint8_t charset = 0;
    QString name = QStringLiteral("Arial");
    bool operator==(const Font&) const = default;
};

enum class HAlign : std::uint8_t {
    General = 0,
    Left = 1,
    Center = 2,
    Right = 3,
    Fill = 4,
    Justify = 5,
    CenterAcross = 6,
    Distributed = 7
};
enum class VAlign : std::uint8_t { Top = 0, Center = 1, Bottom = 2, Justify = 3, Distributed = 4 };

// A BIFF8 XF: font, number format, protection, alignment, borders and fill.
struct Xf {
    std::uint16_t font = 0;    // index into Workbook::fonts as BIFF numbers it (4 is skipped)
    std::uint16_t format = 0;  // number format index
    std::uint16_t typeProt = 0x0001;  // locked, hidden, style flag, parent XF (bits 4..15)
    std::uint8_t align = 0x20;        // horizontal 0..2, wrap 3, vertical 4..6, justify-last 7
    std::uint8_t rotation = 0;
    std::uint8_t indent = 0;  // indent 0..3, shrink 4, reading order 6..7
    std::uint8_t used = 0;    // used-attribute flags (bits 2..7 of byte 9)
    std::array<std::uint8_t, 10> borderFill{};

    HAlign hAlign() const { return HAlign(align & 0x07); }
    void setHAlign(HAlign a) { align = std::uint8_t((align & ~0x07) | std::uint8_t(a)); }
    VAlign vAlign() const { return VAlign((align >> 4) & 0x07); }
    void setVAlign(VAlign a) { align = std::uint8_t((align & ~0x70) | (std::uint8_t(a) << 4)); }
    bool wrap() const { return (align & 0x08) != 0; }
    void setWrap(bool on) { align = std::uint8_t(on ? align | 0x08 : align & ~0x08); }
    int indentLevel() const { return indent & 0x0F; }
    void setIndentLevel(int n) { indent = std::uint8_t((indent & ~0x0F) | (n & 0x0F)); }
    bool shrinkToFit() const { return (indent & 0x10) != 0; }
    void setShrinkToFit(bool on) { indent = std::uint8_t(on ? indent | 0x10 : indent & ~0x10); }
    int readingOrder() const { return (indent >> 6) & 0x03; }
    void setReadingOrder(int r) { indent = std::uint8_t((indent & 0x3F) | ((r & 0x03) << 6)); }
    bool operator==(const Xf&) const = default;
};

struct Workbook {
    std::vector<Font> fonts;                   // in file order; BIFF index 4 is never used
    std::map<std::uint16_t, QString> formats;  // custom number formats by index (164 and up)
    std::vector<Xf> xfs;                       // 0..14 style XFs, 15 the default cell XF
    std::vector<RawRecord> styles;             // STYLE records, written back as read
    std::optional<RawRecord> palette;          // PALETTE, when the file had one
    std::vector<Sheet> sheets;
    int activeSheet = 0;
    bool date1904 = false;

    // Workbook-globals records that are not understood, written back in place.
    std::vector<KeptRecord<GlobalsSlot>> extraGlobals;
    // The references and names that formulas and kept records use (SUPBOOK,
    // EXTERNNAME, XCT, CRN, EXTERNSHEET, NAME), in file order. Their sheet numbers
    // are those of the file, followed to the sheets through Sheet::fileTab.
    std::vector<RawRecord> links;

    // A workbook with the standard fonts, formats, XFs and styles and no sheets.
    static Workbook withDefaults();

    // The number format code of an XF's format index: built-in or custom.
    QString formatCode(std::uint16_t formatIndex) const;
    // Adds (or finds) a custom format with this code and returns its index.
    std::uint16_t addFormat(const QString& code);
    // Finds an XF equal to `xf`, or appends it; returns its index.
    std::uint16_t addXf(const Xf& xf);
    // The font of an XF, resolving BIFF's skipped index 4.
    const Font& fontOf(const Xf& xf) const;
    // Sheet by name (exact match), or null.
    Sheet* sheet(const QString& name);
    const Sheet* sheet(const QString& name) const;
};

// The code of a built-in number format (0..49), or an empty text when the index
// is not built in.
QString builtinFormatCode(std::uint16_t index);
// True when a number format code shows dates or times ("dd/mm/yyyy", "h:mm"...).
bool isDateFormat(const QString& code);

}  // namespace xls
