#include "xls/cell_address.h"

#include "xls/workbook.h"

namespace xls {

QString columnLetters(int col) {
    if (col < 0 || col >= kMaxCols)
        return {};
    QString letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters;
}

QString cellName(int row, int col) {
    return columnLetters(col) + QString::number(row + 1);
}

std::optional<CellReference> parseCellReference(QStringView s) {
    CellReference ref;
    qsizetype i = 0;
    if (i < s.size() && s[i] == u'$')
        ++i;
    const qsizetype lettersStart = i;
    while (i < s.size() && s[i].isLetter() && s[i].unicode() < 128) {
        ref.col = ref.col * 26 + (s[i].toUpper().unicode() - u'A' + 1);
        if (ref.col > kMaxCols)
            return std::nullopt;
        ++i;
    }
    const bool hasLetters = i > lettersStart;
    if (i < s.size() && s[i] == u'$') {
        if (!hasLetters)
            return std::nullopt;  // "$$7"
        ++i;
    }
    const qsizetype digitsStart = i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        ref.row = ref.row * 10 + (s[i].unicode() - u'0');
        if (ref.row > kMaxRows)
            return std::nullopt;
        ++i;
    }
    const bool hasDigits = i > digitsStart;
    if (i != s.size() || (!hasLetters && !hasDigits))
        return std::nullopt;
    if (hasDigits && ref.row == 0)
        return std::nullopt;
    return ref;
}

std::optional<CellPosition> parseCellName(QStringView text) {
    const std::optional<CellReference> ref = parseCellReference(text);
    if (!ref || ref->col == 0 || ref->row == 0)
        return std::nullopt;
    return CellPosition{ref->row - 1, ref->col - 1};
}

}  // namespace xls
