#pragma once

// A1-style cell names on the 65,536 x 256 sheet: "B7", "$B$7", "IV65536".
// Rows and columns are 0-based here, as the model keeps them.

#include <QString>
#include <QStringView>

#include <optional>

namespace xls {

// "A" for column 0, "IV" for 255; an empty text off the sheet.
QString columnLetters(int col);

// "B7" for row 6, column 1.
QString cellName(int row, int col);

// One side of an A1 reference as written: optional "$" and column letters, then
// optional "$" and row digits ("B7", "$B$7", "H", "$3"). The 1-based column and
// row, 0 for the part that is absent.
struct CellReference {
    int col = 0;
    int row = 0;
};
// The reference `text` spells, whole; nothing for any other text, for a column
// or row off the sheet, for row 0, or when neither part is there.
std::optional<CellReference> parseCellReference(QStringView text);

struct CellPosition {
    int row = 0;
    int col = 0;
    bool operator==(const CellPosition&) const = default;
};
// The cell a name with both parts ("B7", "$b$7") gives; nothing for anything else.
std::optional<CellPosition> parseCellName(QStringView text);

}  // namespace xls
