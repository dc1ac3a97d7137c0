#pragma once

// The credit note page of the entry window ("Nota di credito"): the invoice chosen
// in the register list, what is left of it to credit, and the user's choice: the
// whole invoice or a part (its taxable amount), the note's date and description.
// The window computes, checks and registers the note.

#include <QGroupBox>

#include "registers/credit_notes.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace controls {
class XPButton;
}

namespace invoices {

class CreditNotePage : public QGroupBox {
    Q_OBJECT
  public:
    explicit CreditNotePage(QWidget* parent = nullptr);

    // Shows `credited`, proposes the whole invoice, `number`, `today` and a
    // description naming the invoice, and takes the focus.
    void start(const registers::CreditedInvoice& credited, const QString& number,
               const QDate& today);
    // What the user chose; the ID and the number are the window's to give.
    registers::CreditNoteChoice choice() const;
    // Shows the amounts the note would have, or (in italics) why it cannot be made.
    void showOutcome(const QString& text, bool refused);

  signals:
    // The whole invoice or a part was chosen, or the part or the date left.
    void choiceChanged();
    void registerRequested();
    void cancelled();

  private:
    void extentChosen();

    QLabel* invoiceLabel_;
    QLabel* leftLabel_;
    QLabel* outcomeLabel_;
    QRadioButton* wholeButton_;
    QRadioButton* partButton_;
    QLineEdit* partField_;
    QLineEdit* numberField_;
    QLineEdit* dateField_;
    QLineEdit* descriptionField_;
    controls::XPButton* registerButton_;
    controls::XPButton* cancelButton_;
};

}  // namespace invoices
