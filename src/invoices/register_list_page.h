#pragma once

// The register list page of the entry window ("Registro Fatture", Frame1): every
// invoice of the register, one line each. A plain click (or Enter) on a line hands
// that invoice to the window for modification; Ctrl+click and Shift+click only
// choose lines, for "Fattura Elettronica" and "Nota di credito"; "Stampa" prints the
// list as shown, a credit note's number marked as such.

#include <QGroupBox>

#include "app/services.h"
#include "registers/invoice_register.h"

class QTreeView;

namespace controls {
class XPButton;
}

namespace invoices {

class InvoiceListModel;

class RegisterListPage : public QGroupBox {
    Q_OBJECT
  public:
    explicit RegisterListPage(const app::Services& services, QWidget* parent = nullptr);

    // Lists the register as it stands and takes the focus.
    // `creditNotes`: the register IDs of the credit notes.
    void fill(const registers::InvoiceRegister& book, const QSet<QString>& creditNotes);
    // Empties the list.
    void clear();
    const InvoiceListModel& model() const { return *model_; }

  signals:
    // A line was clicked (or entered) to modify its invoice.
    void invoiceChosen(const registers::InvoiceRecord& invoice);
    // "Fattura Elettronica": the register rows of the chosen lines, in list order;
    // empty when none is chosen.
    void electronicInvoiceRequested(const QList<int>& registerRows);
    // "Nota di credito": the register rows of the chosen lines, as above.
    void creditNoteRequested(const QList<int>& registerRows);
    // The page's "Esci".
    void leaveRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void chooseLine(const QModelIndex& index);
    // The register rows of the chosen lines, in list order.
    QList<int> chosenRows() const;
    void print();

    app::Services services_;
    InvoiceListModel* model_;
    QTreeView* lines_;
    controls::XPButton* electronicInvoiceButton_;
    controls::XPButton* creditNoteButton_;
    controls::XPButton* printButton_;
    controls::XPButton* exitButton_;
    // The keys held at the last press on a line: with Ctrl or Shift the click only
    // chooses.
    Qt::KeyboardModifiers pressModifiers_;
};

}  // namespace invoices
