#include "app/entry_checks.h"

#include "app/dialog_titles.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <optional>

#include "app/message_boxes.h"
#include "registers/entered_values.h"

namespace app {

namespace {

QString enteredText(const QWidget* field) {
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(field))
        return box->toPlainText();
    if (const auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    Q_ASSERT_X(false, "enteredText", "a field that holds text");
    return QString();
}

// The field's name as a screen reader speaks it: its caption or accessible name.
QString fieldName(QWidget* field) {
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field)) {
        const QString name = accessible->text(QAccessible::Name).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return field->objectName();
}

bool refused(MessageBoxes& boxes, QWidget* field, const std::optional<QString>& refusal) {
    if (!refusal)
        return false;
    boxes.tell(*refusal, app::title::kGestione, Icon::Warning);
    field->setFocus();
    return true;
}

}  // namespace

bool textsFitCells(MessageBoxes& boxes, std::initializer_list<QWidget*> fields) {
    for (QWidget* field : fields) {
        const QString text = enteredText(field);
        // Most texts are far below the limit: the field is named only for a refusal.
        if (text.size() > registers::kCellTextLimit &&
            refused(boxes, field, registers::overlongTextRefusal(fieldName(field), text)))
            return false;
    }
    return true;
}

bool datesAreCalendarDates(MessageBoxes& boxes, std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* field : fields) {
        if (field->text().isEmpty())
            continue;
        if (refused(boxes, field, registers::dateRefusal(fieldName(field), field->text())))
            return false;
    }
    return true;
}

bool collectionDateConfirmed(MessageBoxes& boxes, QLineEdit* field, const QDate& today) {
    const std::optional<QString> question =
        registers::futureCollectionQuestion(field->text().trimmed(), today);
    if (!question || boxes.askYesNo(*question, app::title::kGestione, Icon::Question))
        return true;
    field->setFocus();
    return false;
}

}  // namespace app
