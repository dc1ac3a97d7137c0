#pragma once

// The checks a confirmed step makes on its fields before it writes anything: every
// text that reaches a cell fits one, every date field holds a calendar date. The
// first field that fails is named in a message (by the name it has for screen
// readers, its caption) and takes the focus; the step then writes nothing.

#include <initializer_list>

class QDate;
class QLineEdit;
class QWidget;

namespace app {

class MessageBoxes;

// Line edits, multi-line boxes and editable combo boxes; false after the message.
bool textsFitCells(MessageBoxes& boxes, std::initializer_list<QWidget*> fields);

// Each field empty or a calendar date; false after the message.
bool datesAreCalendarDates(MessageBoxes& boxes, std::initializer_list<QLineEdit*> fields);

// A collection date after `today` asks first; "No" gives the focus back to the field.
// True for an empty field, a date up to today, or a "Sì".
bool collectionDateConfirmed(MessageBoxes& boxes, QLineEdit* field, const QDate& today);

}  // namespace app
