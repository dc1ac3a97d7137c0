#include "app/input_rules.h"

#include "app/typed_text_filter.h"

#include <QLineEdit>
#include <QValidator>

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
// program, and keeps the caret where the validator leaves it.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*caret*/) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

QString amountCharacters(const QString& incoming) {
    QString commas = incoming;
    commas.replace(u'.', u',');
    return keepOnly(commas, u"0123456789,");
}

QString digitCharacters(const QString& incoming) {
    return keepOnly(incoming, u"0123456789,");
}

void installAmountKeyFilter(QLineEdit* edit) {
    new TypedTextFilter(edit, amountCharacters);
}

void installDigitFilter(QLineEdit* edit) {
    new TypedTextFilter(edit, digitCharacters);
}

void installUpperCase(QLineEdit* edit) {
    edit->setValidator(new UpperCaseValidator(edit));
}

}  // namespace app
