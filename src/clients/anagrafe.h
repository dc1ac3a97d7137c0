#pragma once

// The client window: insert a client, choose one to see, change or delete it,
// look at all clients in a list, and adjust the identifier counter.

#include <QString>

#include <optional>
#include <vector>

#include "app/area_window.h"
#include "app/printer_window.h"
#include "registers/client_choice.h"
#include "registers/client_sheet.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_register.h"

class QAction;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedLayout;
class QTimer;
class QTreeWidget;

namespace app {
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

namespace clients {

class Anagrafe : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Anagrafe(const app::Services& services, QWidget* parent = nullptr);
    // The selector is let go first: closing the window moves the focus out of it,
    // and its activation must not reach a window that is being destroyed.
    ~Anagrafe() override;

    // Hides the list, sets the counter when it is not set, shows the next
    // identifier and reloads the selection list.
    void activate() override;

    // Enables "Stampa", which opens the printer window with code 8.
    void setPrinterWindow(app::OpenPrinterWindow open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void arrangeControls();
    void connectControls();
    void applyInputRules();

    // The registry; none once the user was told why it cannot be reached.
    std::optional<registers::ClientSheet> sheet() const;
    // Every place that carries a client number; none once the user was told why
    // the registry or the invoices cannot be reached.
    struct NumberHolders {
        registers::ClientSheet clients;
        registers::InvoiceRegister invoices;
        std::optional<registers::EinvoiceCodes> codes;  // none in a store without them
    };
    std::optional<NumberHolders> numberHolders() const;
    // The number the next client receives: the counter's when nothing carries it;
    // otherwise, once the user agreed, the first free one. None when the user refused.
    std::optional<double> freeNumberForNewClient(NumberHolders& holders);
    // Asks before deleting the client numbered `identifier`, named as stored, saying
    // what invoices carry it.
    bool confirmDeletion(const NumberHolders& holders, const QString& identifier,
                         const QString& storedName);
    // The fields as a client row; the name without blanks around it.
    registers::ClientRecord fields() const;
    // The first client row named `name`, blanks around the stored name aside.
    static std::optional<registers::ClientRecord> namesake(const registers::ClientSheet& clients,
                                                           const QString& name);
    // The date is a calendar date, every text fits a cell and the electronic
    // invoice; otherwise a message names the field.
    bool enteredValuesFit();
    // The name, the address and the town go into the electronic invoice as typed, and
    // the partita IVA and codice fiscale of a client in Italy are right to their check
    // characters; otherwise a message names the field, which takes the focus.
    bool fitsTheEinvoice();
    // The IBAN, its blanks dropped, is empty or has agreeing control digits;
    // otherwise a message names the field, which takes the focus.
    bool ibanIsValid();
    void showFields(const registers::ClientRecord& client);
    void showCounter();
    // The row of the chosen client as the sheet stands now; none when it is gone.
    std::optional<int> chosenRow() const;
    void placeCalendar();

    void choose(int position);
    void insertClient();
    void modifyClient();
    void deleteClient();
    void clearAndReload();
    void showClientList();
    void hideClientList();
    void resetCounter(bool ticked);
    void unlockCounter(bool ticked);
    void counterFieldLeft();
    void leave();

    // Clear the fields, load the selection list, fill the list view sorted by name.
    void clearFields();
    void loadClients();
    void fillClientList();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;

    app::OpenPrinterWindow openPrinterWindow_;
    // The selection list's clients, and the one the fields show after a choice.
    registers::ClientChoice choice_;

    QAction* Mesci;
    QLabel* Label1;
    QTimer* Timer1;
    controls::XPButton* XPButton8;
    QGroupBox* frame_;
    QStackedLayout* pages_;
    QWidget* fieldsPage_;

    controls::XPButton* XPButton4;
    controls::XPButton* XPButton1;
    controls::XPButton* XPButton2;
    controls::XPButton* XPButton3;
    controls::XPButton* XPButton7;
    controls::XPButton* XPButton5;

    QComboBox* Combo4;
    QCheckBox* Check4;
    QLineEdit* Text18;
    QCalendarWidget* MonthView1;
    QCheckBox* Check7;
    QCheckBox* Check6;
    QLineEdit* Text26;
    QLineEdit* Text10;
    QLineEdit* Text25;
    QLineEdit* Text24;
    QLineEdit* Text23;
    QLineEdit* Text22;
    QLineEdit* Text21;
    QLineEdit* Text20;
    QLineEdit* Text15;
    QLineEdit* Text16;
    QLineEdit* Text19;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text1;
    QPlainTextEdit* Text12;
    QTreeWidget* ListView3;
};

}  // namespace clients
