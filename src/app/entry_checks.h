#pragma once

// The checks a confirmed step makes on its fields before it writes anything: every
// text that reaches a cell fits one, every date field holds a calendar date, no
// collection or due date comes before its invoice. The first field that fails is
// named in a message (by the name it has for screen readers, its caption) and
// takes the focus; the step then writes nothing.

#include <QString>

#include <QString>

#include <initializer_list>

class QDate;
class QLineEdit;
class QWidget;

namespace app {

class MessageBoxes;

// Line edits, multi-line boxes and editable combo boxes; false after the message.
bool textsFitCells(MessageBoxes& boxes, std::initializer_list<QWidget*> fields);

// A field whose text goes into the electronic invoice, how the export's message
// names it ("la descrizione") and the longest text the file takes there.
struct EinvoiceText {
    QWidget* field;
    QString what;
    int limit;
};
// Each text in the characters and the length the electronic invoice takes; false
// after the export's own message for the first that is not.
bool textsFitEinvoice(MessageBoxes& boxes, std::initializer_list<EinvoiceText> fields);

// The Italian partita IVA and codice fiscale typed for `owner` ("del cliente ROSSI
// SRL", "dell'utente"), each empty or right to its check character; false after the
// message naming the first that is not, which takes the focus.
bool taxIdentifiersValid(MessageBoxes& boxes, QLineEdit* vatNumber, QLineEdit* taxCode,
                         const QString& owner);

// Each field empty or a calendar date; false after the message.
bool datesAreCalendarDates(MessageBoxes& boxes, std::initializer_list<QLineEdit*> fields);

// The collection and due dates, where given, on or after the date of invoice number
// `number` in `dateField`; all of them calendar dates or empty, as checked above.
// False after the message, the refused field taking the focus.
bool datesFollowInvoice(MessageBoxes& boxes, const QLineEdit* dateField, const QString& number,
                        QLineEdit* collectionField, QLineEdit* dueField);
// A collection date after `today` asks first; "No" gives the focus back to the field.
// True for an empty field, a date up to today, or a "Sì".
bool collectionDateConfirmed(MessageBoxes& boxes, QLineEdit* field, const QDate& today);

}  // namespace app
