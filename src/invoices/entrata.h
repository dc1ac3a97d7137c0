#pragma once

// The invoice entry window ("Brisvel Lavoratore Autonomo"): write an invoice for a
// client, with its amounts computed as the user types and chooses rates, register
// it; or choose a registered invoice in the register list and modify it.
// New-invoice mode: XPButton3 reads "Seleziona" and "Registra" is shown;
// modification mode: XPButton3 reads "Modifica", "Registra" is hidden and the
// note Label28 is shown.

#include <functional>

#include "app/area_window.h"
#include "app/services.h"
#include "invoices/client_choice.h"
#include "invoices/invoice_amounts.h"
#include "invoices/invoice_form.h"
#include "registers/invoice_register.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedLayout;
class QTimer;
class QTreeView;

namespace app {
class Clock;
class MessageBoxes;
class Navigator;
struct Services;
}  // namespace app
namespace controls {
class XPButton;
}
namespace store {
class WorkbookStore;
}

namespace invoices {

class InvoiceListModel;

class Entrata : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Entrata(const app::Services& services, QWidget* parent = nullptr);

    // Rereads the counters and the lists; what was typed stays, the rate combos
    // return to "*".
    void activate() override;

    // What the window shows now, for the invoice document.
    InvoiceForm currentForm() const;
    // Enables "Visualizza Fattura", which hands the window's fields to `show`.
    void setInvoiceDocument(std::function<void(const InvoiceForm&)> show);
    // The register list as last filled by "Seleziona" (empty while it is closed).
    const InvoiceListModel& registerList() const { return *list_; }

    QComboBox* Combo1;       // client
    QLineEdit* Text1;        // invoice number
    QCheckBox* Check1;       // calendar for the date
    QLineEdit* Text2;        // date
    QPlainTextEdit* Text15;  // description
    QLineEdit* Text9;        // taxable amount
    QComboBox* Combo5;       // INPS/Cassa rate
    QLineEdit* Text3;        // surcharge amount
    QLineEdit* Text5;        // total taxable
    QComboBox* Combo6;       // VAT rate
    QLineEdit* Text6;        // VAT amount
    QLineEdit* Text7;        // exempt amount
    QLineEdit* Text8;        // invoice total
    QComboBox* Combo7;       // withholding rate
    QLineEdit* Text14;       // withholding amount
    QCheckBox* Check2;       // calendar for the collection date
    QLineEdit* Text13;       // collection date
    QComboBox* Combo2;       // payment type
    QLineEdit* Text10;       // record number
    QLineEdit* Text12;       // client identifier
    QComboBox* Combo3;       // exemption item
    QLineEdit* Text4;        // net
    QCheckBox* Check3;       // "Cambia Nr.Fattura"
    QLabel* Label13;         // client's address
    QLabel* Label22;         // postcode
    QLabel* Label23;         // town
    QLabel* Label24;         // province
    QLabel* Label25;         // tax code
    QLabel* Label26;         // VAT number
    QLabel* Label15;         // clock
    QLabel* Label28;         // the note of modification mode
    QCalendarWidget* MonthView1;
    QTimer* Timer2;
    controls::XPButton* XPButton4;  // Registra
    controls::XPButton* XPButton3;  // Seleziona / Modifica
    controls::XPButton* XPButton5;  // Pulisci
    controls::XPButton* XPButton6;  // Visualizza Fattura
    controls::XPButton* XPButton2;  // Esci
    QGroupBox* Frame1;              // Registro Fatture
    QTreeView* ListView3;
    controls::XPButton* XPButton9;  // Fattura Elettronica (the chosen lines of the list)
    controls::XPButton* XPButton8;  // Stampa (the list)
    controls::XPButton* XPButton1;  // Esci (the list)

  signals:
    // "Fattura Elettronica": the register rows (2 and below) of the lines chosen in
    // the list, in list order; empty when none is chosen.
    void electronicInvoiceRequested(const QList<int>& registerRows);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void arrangeControls();
    void connectControls();

    registers::InvoiceRegister invoiceRegister() const;
    registers::ClientSheet clientSheet() const;
    InvoiceAmounts amounts() const;
    void showAmounts(const InvoiceAmounts& amounts);
    // Runs one amount trigger on the fields.
    void recompute(void (*trigger)(InvoiceAmounts&));
    registers::InvoiceRecord record() const;
    bool modifying() const;
    // The client, date, description and taxable amount are there; otherwise the
    // required-fields message.
    bool requiredFieldsGiven();
    // Every date is a calendar date and every text fits a cell; otherwise a message
    // names the field.
    bool enteredValuesFit();
    void showClient(const registers::ClientRecord& client);
    void forgetClient();
    void showCounters();
    void placeCalendar(QWidget* below);

    void loadLists();
    void loadClients();
    void chooseClient(int position);
    void numberUnlocked(bool ticked);
    void registerInvoice();
    void selectOrModify();
    void showRegisterList();
    void chooseLine(const QModelIndex& index);
    void modifyInvoice();
    void leaveRegisterList();
    void printRegisterList();
    void leave();

    // The window's clear routine (Pulisci).
    void clearWindow();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;
    const app::Clock& clock_;
    app::Services services_;
    std::function<void(const InvoiceForm&)> showDocument_;

    ClientChoice clients_;
    InvoiceListModel* list_;
    QStackedLayout* pages_;
    QWidget* fieldsPage_;
};

}  // namespace invoices
