#include "app/entry_checks.h"

#include "app/date_text.h"
#include "app/dialog_titles.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <optional>

#include "app/message_boxes.h"
#include "fatturapa/einvoice_checks.h"
#include "fatturapa/tax_identifiers.h"
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

bool textsFitEinvoice(MessageBoxes& boxes, std::initializer_list<EinvoiceText> fields) {
    for (const EinvoiceText& text : fields) {
        const QString fault = fatturapa::textFault(enteredText(text.field), text.what, text.limit);
        if (!fault.isEmpty() &&
            refused(boxes, text.field,
                    QStringLiteral("Il campo %1 non andrebbe nella fattura elettronica: %2.\n"
                                   "Correggerlo: nulla è stato registrato.")
                        .arg(fieldName(text.field), fault)))
            return false;
    }
    return true;
}

bool taxIdentifiersValid(MessageBoxes& boxes, QLineEdit* vatNumber, QLineEdit* taxCode,
                         const QString& owner) {
    for (QLineEdit* field : {vatNumber, taxCode})
        field->setText(field->text().trimmed().toUpper());
    const QStringList faults =
        fatturapa::italianIdentifierFaults(vatNumber->text(), taxCode->text(), owner);
    if (faults.isEmpty())
        return true;
    QString fault = faults.front();
    fault[0] = fault[0].toUpper();
    // The partita IVA's line comes first when it is wrong.
    const bool vatWrong =
        !vatNumber->text().isEmpty() && !fatturapa::isValidVatNumber(vatNumber->text());
    refused(
        boxes, vatWrong ? vatNumber : taxCode,
        fault + QStringLiteral(".\nCorreggerlo (o lasciarlo vuoto): nulla è stato registrato."));
    return false;
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

bool datesFollowInvoice(MessageBoxes& boxes, const QLineEdit* dateField, const QString& number,
                        QLineEdit* collectionField, QLineEdit* dueField) {
    const std::optional<QDate> invoiceDate = registers::calendarDate(dateField->text());
    if (!invoiceDate)
        return true;
    const QString invoice =
        QStringLiteral("fattura n. %1 del %2").arg(number.trimmed(), dateText(*invoiceDate));
    const auto refusedBefore = [&](QLineEdit* field, const auto& refusal) {
        const std::optional<QDate> day = registers::calendarDate(field->text());
        return day && refused(boxes, field, refusal(*day, *invoiceDate, invoice));
    };
    return !refusedBefore(collectionField, registers::collectionBeforeDocument) &&
           !refusedBefore(dueField, registers::dueBeforeDocument);
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
