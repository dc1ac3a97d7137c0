#pragma once

// What a number looks like through a number format code, with Italian
// conventions (decimal comma, "." between thousands, Italian month names).

#include <QDate>
#include <QString>

#include <optional>

namespace store {

// The text a spreadsheet shows for `value` under `code`: "General" in the shortest
// form, "#,##0.00" as "1.234,50", "dd/mm/yyyy" as "07/03/2009", "0%" as "5%".
// Codes with sections, quoted literals, [Red] and [$€-410] parts are understood;
// `date1904` selects the workbook's date system.
QString formatNumber(double value, const QString& code, bool date1904 = false);

// What a text cell shows under `code`: the text itself, or the code's fourth
// section with "@" replaced by it.
QString formatText(const QString& text, const QString& code);

// Day serials as workbooks store dates (1 = 01/01/1900, or 02/01/1904 in the
// 1904 system). Serials before 1 or after 31/12/9999 have no date.
std::optional<QDate> dateOfSerial(double serial, bool date1904 = false);
double serialOfDate(const QDate& date, bool date1904 = false);

}  // namespace store
