#pragma once

// The input rules of the text boxes: amount boxes, digit-only boxes, typing limits
// and upper-case boxes. Each rule holds for typing, pasting, dropping and input
// methods alike.

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace app {

// What a digit box lets in (postal codes, telephone and VAT numbers): digits and
// commas.
QString digitCharacters(const QString& incoming);

// The amount key filter: only what registers::Amount::typedCharacters keeps enters
// ("1.234,a5" -> "1.234,5"); the keypad's decimal key types the decimal comma.
void installAmountKeyFilter(QLineEdit* edit);

// The digit filter.
void installDigitFilter(QLineEdit* edit);

// The IBAN filter: letters turn upper case, blanks and signs stay out, so the printed
// form of an IBAN ("IT60 X054 ...") can be typed or pasted as it is.
void installIbanFilter(QLineEdit* edit);

// At most `limit` characters typed, pasted or dropped into `edit`. Unlike a line
// edit's maximum length, it never cuts a text the program shows: a stored value
// longer than the limit is shown and written back whole.
void limitTyping(QLineEdit* edit, int limit);

// After every change, typed or set by the program, the text turns upper case and
// the caret stays where it was.
void installUpperCase(QLineEdit* edit);
// The same for a multi-line box: whatever enters it, typed, pasted or set by the
// program, turns upper case.
void installUpperCase(QPlainTextEdit* edit);

}  // namespace app
