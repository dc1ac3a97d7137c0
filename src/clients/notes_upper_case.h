#pragma once

// The upper-case rule for a multi-line box: whatever enters it, typed, pasted or
// set by the program, turns upper case, and the caret stays where it was.

class QPlainTextEdit;

namespace clients {

void installUpperCase(QPlainTextEdit* edit);

}  // namespace clients
