#pragma once

// The walks and small operations every window repeats on a sheet: header in
// row 1, records from row 2, counters in cells of row 1. Rows and columns are
// 1-based; every walk may cover the whole sheet (65,536 rows).

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "store/address.h"
#include "store/store_error.h"
#include "store/value.h"
#include "store/worksheet.h"

namespace store {

// The first row from `fromRow` down whose cell in `keyColumn` is empty: where a
// new record goes. None when every row down to 65536 is taken (the register is full).
std::optional<int> firstFreeRow(const Worksheet& sheet, int keyColumn, int fromRow = 1);

// A column read as a list: the cells from `fromRow` down to the first empty one.
std::vector<Value> listValues(const Worksheet& sheet, int column, int fromRow);
// The same walk, as the cells' display texts.
QStringList listTexts(const Worksheet& sheet, int column, int fromRow);

// The first row from `fromRow` down, before the first empty key cell, whose key
// cell equals `key` as a window compares it (Value == text).
std::optional<int> findRow(const Worksheet& sheet, int keyColumn, const QString& key,
                           int fromRow = 2);
// The same, comparing numbers: a key cell matches when it holds (or its text reads
// as) `key`.
std::optional<int> findRowByNumber(const Worksheet& sheet, int keyColumn, double key,
                                   int fromRow = 2);

// A running number in a cell of row 1 (IU1, IV1). Empty, or a text that is not a
// number, reads as not set.
std::optional<double> counter(const Worksheet& sheet, int column);
Result<Done> setCounter(const Worksheet& sheet, int column, double value);

// Removes a record: its entire row goes, the rows below move up.
// A row outside 1..65536 is an error and removes nothing.
Result<Done> removeRow(const Worksheet& sheet, int row);

}  // namespace store
