#include "xls/workbook.h"

#include <array>

namespace xls {

QString errorText(std::uint8_t code) {
    switch (ErrorCode(code)) {
        case ErrorCode::Null:
            return QStringLiteral("#NULL!");
        case ErrorCode::Div0:
            return QStringLiteral("#DIV/0!");
        case ErrorCode::Value:
            return QStringLiteral("#VALUE!");
        case ErrorCode::Ref:
            return QStringLiteral("#REF!");
        case ErrorCode::Name:
            return QStringLiteral("#NAME?");
        case ErrorCode::Num:
            return QStringLiteral("#NUM!");
        case ErrorCode::NA:
            return QStringLiteral("#N/A");
    }
    return QStringLiteral("#N/A");
}

QString builtinFormatCode(std::uint16_t index) {
    // The short date (14) and its date-time (22) follow the Italian conventions,
    // as a spreadsheet program with Italian settings shows them.
    static const std::map<std::uint16_t, const char*> codes = {
        {0, "General"},
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {5, "\"€\" #,##0;-\"€\" #,##0"},
        {6, "\"€\" #,##0;[Red]-\"€\" #,##0"},
        {7, "\"€\" #,##0.00;-\"€\" #,##0.00"},
        {8, "\"€\" #,##0.00;[Red]-\"€\" #,##0.00"},
        {9, "0%"},
        {10, "0.00%"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/?\?"},
        {14, "dd/mm/yyyy"},
        {15, "d-mmm-yy"},
        {16, "d-mmm"},
        {17, "mmm-yy"},
        {18, "h:mm AM/PM"},
        {19, "h:mm:ss AM/PM"},
        {20, "h:mm"},
        {21, "h:mm:ss"},
        {22, "dd/mm/yyyy h:mm"},
        {37, "#,##0_);(#,##0)"},
        {38, "#,##0_);[Red](#,##0)"},
        {39, "#,##0.00_);(#,##0.00)"},
        {40, "#,##0.00_);[Red](#,##0.00)"},
        {41, "_-* #,##0_-;-* #,##0_-;_-* \"-\"_-;_-@_-"},
        {42, "_-\"€\" * #,##0_-;-\"€\" * #,##0_-;_-\"€\" * \"-\"_-;_-@_-"},
        {43, "_-* #,##0.00_-;-* #,##0.00_-;_-* \"-\"??_-;_-@_-"},
        {44, "_-\"€\" * #,##0.00_-;-\"€\" * #,##0.00_-;_-\"€\" * \"-\"??_-;_-@_-"},
        {45, "mm:ss"},
        {46, "[h]:mm:ss"},
        {47, "mm:ss.0"},
        {48, "##0.0E+0"},
        {49, "@"},
    };
    auto it = codes.find(index);
    return it == codes.end() ? QString() : QString::fromUtf8(it->second);
}

bool isDateFormat(const QString& code) {
    // Look only at the first section and skip quoted text, escaped characters and
    // bracketed parts ([Red], [$-410]) except the elapsed-time ones ([h], [mm]).
    bool inQuote = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (inQuote) {
            if (c == u'"')
                inQuote = false;
            continue;
        }
        if (c == u'"') {
            inQuote = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u';') {
            return false;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0)
                return false;
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            if (inner == u"h" || inner == u"hh" || inner == u"m" || inner == u"mm" ||
                inner == u"s" || inner == u"ss")
                return true;
            i = end;
        } else {
            const QChar l = c.toLower();
            if (l == u'd' || l == u'm' || l == u'y' || l == u'h' || l == u's')
                return true;
        }
    }
    return false;
}

namespace {

Xf styleXf(std::uint16_t font) {
    Xf xf;
    xf.font = font;
    xf.typeProt = 0xFFF5;  // locked, style XF, no parent
    xf.used = 0xF4;        // a style XF's "used" bits mean "not taken from the parent"
    return xf;
}

}  // namespace

Workbook Workbook::withDefaults() {
    Workbook wb;
    // Four copies of the default font: BIFF reserves indexes 0..3 and skips 4.
    wb.fonts.assign(4, Font{});
    wb.xfs.push_back(styleXf(0));
    for (int i = 1; i < 15; ++i)
        wb.xfs.push_back(styleXf(i <= 2 ? 1 : (i <= 4 ? 2 : 0)));
    wb.xfs.push_back(Xf{});  // 15: the default cell format, parent 0
    // The built-in "Normal" style on XF 0.
    wb.styles.push_back(RawRecord{0x0293, QByteArray("\x00\x80\x00\xFF", 4)});
    return wb;
}

QString Workbook::formatCode(std::uint16_t formatIndex) const {
    auto it = formats.find(formatIndex);
    if (it != formats.end())
        return it->second;
    const QString code = builtinFormatCode(formatIndex);
    return code.isEmpty() ? QStringLiteral("General") : code;
}

std::uint16_t Workbook::addFormat(const QString& code) {
    for (std::uint16_t i = 0; i < 50; ++i) {
        if (formats.count(i) == 0 && builtinFormatCode(i) == code)
            return i;
    }
    std::uint16_t next = 164;
    for (const auto& [index, existing] : formats) {
        if (existing == code)
            return index;
        if (index >= next)
            next = std::uint16_t(index + 1);
    }
    formats[next] = code;
    return next;
}

std::uint16_t Workbook::addXf(const Xf& xf) {
    for (std::size_t i = 0; i < xfs.size(); ++i) {
        if (xfs[i] == xf)
            return std::uint16_t(i);
    }
    xfs.push_back(xf);
    return std::uint16_t(xfs.size() - 1);
}

const Font& Workbook::fontOf(const Xf& xf) const {
    static const Font fallback;
    std::size_t index = xf.font;
    if (index >= 4)
        --index;  // BIFF font index 4 does not exist
    return index < fonts.size() ? fonts[index] : (fonts.empty() ? fallback : fonts.front());
}

void Sheet::put(int row, int col, Cell cell) {
    if (rows.size() <= std::size_t(row))
        rows.resize(std::size_t(row) + 1);
    auto& cells = rows[std::size_t(row)].cells;
    if (cells.size() <= std::size_t(col))
        cells.resize(std::size_t(col) + 1);
    cells[std::size_t(col)] = std::move(cell);
}

Sheet* Workbook::sheet(const QString& name) {
    for (auto& s : sheets) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

const Sheet* Workbook::sheet(const QString& name) const {
    for (const auto& s : sheets) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

}  // namespace xls
