#pragma once

// What a register can hold, checked on the text a user entered before anything is
// written: a cell holds at most kCellTextLimit characters, and a date field holds a
// day of the calendar that a sheet stores as a date. A value refused here never
// reaches a sheet, so a save never fails on what the user typed.

#include <QDate>
#include <QString>

#include <optional>

#include "xls/workbook_checks.h"

namespace registers {

inline constexpr int kCellTextLimit = xls::kMaxCellText;

// A dd/mm/yyyy text (also d/m/yyyy and two-digit years, as a sheet reads them) that
// names a real day from 01/01/1900 to 31/12/9999; none for "31/02/2026", "abc" or "".
std::optional<QDate> calendarDate(const QString& text);

// The message that refuses `text` for the field called `field` when it is longer than
// a cell holds; none when it fits.
std::optional<QString> overlongTextRefusal(const QString& field, const QString& text);

// The message that refuses the text of the date field `field` when it is neither
// empty (no date) nor a calendar date; none when it is acceptable. Blanks alone are
// not empty: they would stand in the cell in place of a date.
std::optional<QString> dateRefusal(const QString& field, const QString& text);

// A collection or a due date cannot come before the day of the document it belongs
// to, named as "fattura n. 3 del 05/03/2024": the messages that refuse `day` when it
// does; none when it does not.
std::optional<QString> collectionBeforeDocument(const QDate& day, const QDate& documentDate,
                                                const QString& document);
std::optional<QString> dueBeforeDocument(const QDate& day, const QDate& documentDate,
                                         const QString& document);
// The question that a collection date after `today` must pass: a collection still to
// come is most often a slip of the keyboard, and would count as collected what is not.
// None for an empty text, a text that is no date (dateRefusal's case) or a date up to
// today.
std::optional<QString> futureCollectionQuestion(const QString& text, const QDate& today);

}  // namespace registers
