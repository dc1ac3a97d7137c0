#pragma once

// A1-style addresses of the 65,536 x 256 sheet: "B7", "$A$1:$P$25", "2:2", "H:H".
// Rows and columns here are 1-based, as a user reads them.

#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

#include "xls/workbook.h"

namespace store {

// The column number of letters known when the code is written: columnOf("IV") == 256.
// Unknown letters give 0, which no sheet operation accepts.
constexpr int columnOf(std::string_view letters) {
    int col = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return 0;
        col = col * 26 + (c - 'A' + 1);
        if (col > xls::kMaxCols)
            return 0;
    }
    return col;
}

// "A" for 1, "IV" for 256; an empty text outside 1..256.
QString columnLetters(int column);

// True for 1 <= row <= 65536 and 1 <= column <= 256.
bool isValidCell(int row, int column);

// The rectangle an address names, 0-based as the model keeps it. Accepts a cell
// ("B7", "$B$7"), two cells in any order ("$P$1:$A$25" is A1:P25), whole rows
// ("2:2", "2:5") and whole columns ("H:H", "A:C"). Anything else is empty.
std::optional<xls::CellRect> parseAddress(QStringView text);

// "$B$7" or "$A$1:$P$25"; without `absolute`, "B7" and "A1:P25".
QString addressText(const xls::CellRect& rect, bool absolute = true);

}  // namespace store
