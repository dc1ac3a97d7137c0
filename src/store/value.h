#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

#include "xls/workbook.h"

namespace store {

// The value of one cell as a caller reads it: empty, number (dates are numbers
// with a date format), text, boolean or error.
class Value {
  public:
    using Kind = xls::CellKind;

    Value() = default;  // empty
    static Value number(double v);
    static Value text(const QString& s);
    static Value boolean(bool b);
    static Value error(xls::ErrorCode code);
    // The value a model cell holds.
    static Value of(const xls::Cell& cell);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }

    // The number of a number or boolean cell; a text that reads as an Italian
    // number ("1.234,50") gives that number too. Empty and other texts: none.
    std::optional<double> toNumber() const;

    // The raw value as text, without any number format: "" for empty, the text
    // itself, numbers in their shortest form with a decimal comma ("12,5"),
    // "VERO"/"FALSO", "#N/A". For what a cell shows, use the range's text().
    QString toString() const;

    // Compares as the windows compare a cell with a field: an empty cell equals "",
    // a text equals the same characters, a number equals a text that reads as
    // that number ("7", "1.234,5"), a boolean or error its toString().
    bool operator==(QStringView s) const;
    // Writes this value into a model cell; the cell's format stays.
    void storeIn(xls::Cell& cell) const;
    bool operator==(const Value& other) const;

  private:
    Kind kind_ = Kind::Empty;
    std::uint8_t code_ = 0;
    double number_ = 0;
    QString text_;
};

}  // namespace store
