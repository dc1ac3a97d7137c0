#include "store/address.h"

namespace store {

QString columnLetters(int column) {
    if (column < 1 || column > xls::kMaxCols)
        return {};
    QString letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.prepend(QChar(u'A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

bool isValidCell(int row, int column) {
    return row >= 1 && row <= xls::kMaxRows && column >= 1 && column <= xls::kMaxCols;
}

namespace {

// One side of an address: optional "$" and letters, optional "$" and digits.
struct Part {
    int col = 0;  // 0 = absent
    int row = 0;
};

std::optional<Part> parsePart(QStringView s) {
    Part part;
    qsizetype i = 0;
    if (i < s.size() && s[i] == u'$')
        ++i;
    const qsizetype lettersStart = i;
    while (i < s.size() && s[i].isLetter() && s[i].unicode() < 128) {
        const int c = s[i].toUpper().unicode() - 'A' + 1;
        part.col = part.col * 26 + c;
        if (part.col > xls::kMaxCols)
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
        part.row = part.row * 10 + (s[i].unicode() - '0');
        if (part.row > xls::kMaxRows)
            return std::nullopt;
        ++i;
    }
    const bool hasDigits = i > digitsStart;
    if (i != s.size() || (!hasLetters && !hasDigits))
        return std::nullopt;
    if (hasDigits && part.row == 0)
        return std::nullopt;
    return part;
}

}  // namespace

std::optional<xls::CellRect> parseAddress(QStringView text) {
    text = text.trimmed();
    const qsizetype colon = text.indexOf(u':');
    const auto first = parsePart(colon < 0 ? text : text.left(colon));
    if (!first)
        return std::nullopt;
    const auto second = colon < 0 ? first : parsePart(text.mid(colon + 1));
    if (!second)
        return std::nullopt;

    const bool bothCells = first->col && first->row && second->col && second->row;
    const bool bothRows = !first->col && !second->col && first->row && second->row;
    const bool bothCols = first->col && !first->row && second->col && !second->row;
    xls::CellRect rect;
    if (bothCells) {
        rect = {std::min(first->row, second->row) - 1, std::max(first->row, second->row) - 1,
                std::min(first->col, second->col) - 1, std::max(first->col, second->col) - 1};
    } else if (bothRows && colon >= 0) {
        rect = {std::min(first->row, second->row) - 1, std::max(first->row, second->row) - 1, 0,
                xls::kMaxCols - 1};
    } else if (bothCols && colon >= 0) {
        rect = {0, xls::kMaxRows - 1, std::min(first->col, second->col) - 1,
                std::max(first->col, second->col) - 1};
    } else {
        return std::nullopt;
    }
    return rect;
}

QString addressText(const xls::CellRect& rect, bool absolute) {
    const QString d = absolute ? QStringLiteral("$") : QString();
    auto cell = [&](int row, int col) {
        return d + columnLetters(col + 1) + d + QString::number(row + 1);
    };
    if (rect.firstRow == rect.lastRow && rect.firstCol == rect.lastCol)
        return cell(rect.firstRow, rect.firstCol);
    return cell(rect.firstRow, rect.firstCol) + u':' + cell(rect.lastRow, rect.lastCol);
}

}  // namespace store
