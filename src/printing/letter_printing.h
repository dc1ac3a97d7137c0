#pragma once

// A payment reminder drawn on one upright page: the letterhead across the top, the
// recipient on the right, the date, subject and sentences, the table of invoices
// with the total under it, the closing and the signature.

#include "registers/reminder.h"
#include "store/store_error.h"

class QPrinter;

namespace printing {

// The table's text shrinks down to this size to keep the letter on one page; rows
// that still do not fit are summed up in one line, the total stays the whole one.
inline constexpr double kSmallestTablePoints = 7;

// Draws `letter` on `printer` and ends the job; an Italian message when the printer
// does not start or the job fails. Answers how many table rows were drawn one by one.
store::Result<int> printReminderLetter(const registers::ReminderLetter& letter, QPrinter& printer);

}  // namespace printing
