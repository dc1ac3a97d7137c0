#include "clients/notes_upper_case.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace clients {

void installUpperCase(QPlainTextEdit* edit) {
    QTextDocument* document = edit->document();
    // Only the characters just added are rewritten, through a cursor of their own,
    // so the user's caret and the undo history of earlier edits stay.
    QObject::connect(document, &QTextDocument::contentsChange, edit,
                     [document](int position, int /*removed*/, int added) {
                         if (added <= 0)
                             return;
                         QTextCursor span(document);
                         span.setPosition(position);
                         // A whole new text is reported with the document's last
                         // separator, which no cursor can reach.
                         const int end = std::min(position + added, document->characterCount() - 1);
                         span.setPosition(end, QTextCursor::KeepAnchor);
                         const QString typed = span.selectedText();
                         const QString upper = typed.toUpper();
                         if (upper != typed) {
                             span.joinPreviousEditBlock();
                             span.insertText(upper);
                             span.endEditBlock();
                         }
                     });
}

}  // namespace clients
