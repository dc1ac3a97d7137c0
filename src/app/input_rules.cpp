#include "app/input_rules.h"

#include "app/typed_text_filter.h"
#include "registers/amount.h"
#include "registers/iban.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include <algorithm>

namespace app {

namespace {

QString keepOnly(const QString& incoming, QStringView allowed) {
    QString kept;
    for (const QChar c : incoming) {
        if (allowed.contains(c))
            kept += c;
    }
    return kept;
}

// A line edit runs its validator after every change, whether typed or set by the
// program, and keeps the caret where the validator leaves it. Some letters grow when
// they turn upper case ("ß" is "SS"): the caret moves past what grew before it, so the
// next key lands after the letters just typed.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& caret) const override {
        const int before = std::clamp(caret, 0, int(input.size()));
        caret = int(input.left(before).toUpper().size());
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

QString digitCharacters(const QString& incoming) {
    return keepOnly(incoming, u"0123456789,");
}

void installAmountKeyFilter(QLineEdit* edit) {
    TypedTextFilter::of(edit)->setRule(registers::Amount::typedCharacters);
    TypedTextFilter::of(edit)->setKeypadDecimal(u',');
}

void installDigitFilter(QLineEdit* edit) {
    TypedTextFilter::of(edit)->setRule(digitCharacters);
}

void installIbanFilter(QLineEdit* edit) {
    TypedTextFilter::of(edit)->setRule(registers::ibanCharacters);
}

void limitTyping(QLineEdit* edit, int limit) {
    TypedTextFilter::of(edit)->setLimit(limit);
}

void installUpperCase(QLineEdit* edit) {
    edit->setValidator(new UpperCaseValidator(edit));
}

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

}  // namespace app
