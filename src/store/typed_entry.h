#pragma once

// What typing a text into a cell stores, with Italian settings.

#include <QDate>
#include <QString>

#include <optional>

#include "store/value.h"

namespace store {

struct TypedEntry {
    Value value;
    // The number format the cell takes when its format is still "General"
    // ("#,##0.00" for "1.234,50", "dd/mm/yyyy" for a date); empty keeps the format.
    QString format;
};

// "7" is the number 7, "1.234,50" the number 1234.5 shown as "#,##0.00",
// "07/03/2009" (or "7/3/2009") a date serial, "" nothing (the cell is emptied),
// anything else the text as typed. `date1904` selects the date system.
TypedEntry interpretTyped(const QString& typed, bool date1904 = false);

// A dd/mm/yyyy (or d/m/yyyy) text as a date; anything else none.
std::optional<QDate> readItalianDate(const QString& text);
// `date` as dd/mm/yyyy ("05/03/2024"); empty for an invalid date.
QString italianDateText(const QDate& date);

// The day a cell holds: a date serial (whatever format shows it), or a dd/mm/yyyy
// text; anything else none.
std::optional<QDate> dateOfCell(const Value& value, bool date1904 = false);

}  // namespace store
