#pragma once

// The invoice entry window ("Brisvel Lavoratore Autonomo"): write an invoice for a
// client, with its amounts computed as the user types and chooses rates, register
// it; or choose a registered invoice in the register list and modify it.
// New-invoice mode: the select button reads "Seleziona" and "Registra" is shown;
// modification mode: it reads "Modifica", "Registra" is hidden and the note of
// modification mode is shown. Each control's object name is the window's design
// name (Text9, Combo5, ...), which the tests and pictures find it by.

#include <QSet>

#include <functional>
#include <optional>

#include "app/area_window.h"
#include "app/services.h"
#include "registers/client_choice.h"
#include "registers/credit_notes.h"
#include "registers/invoice_fields.h"
#include "registers/invoice_register.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedLayout;
class QTimer;

namespace app {
class Clock;
class MessageBoxes;
class Navigator;
}  // namespace app
namespace controls {
class XPButton;
}
namespace store {
class WorkbookStore;
}

namespace invoices {

class CreditNotePage;
class RegisterListPage;

class Entrata : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Entrata(const app::Services& services, QWidget* parent = nullptr);

    // Rereads the counters and the lists; what was typed stays, the rate combos
    // return to "*".
    void activate() override;

    // Enables "Visualizza Fattura", which hands the window's fields to `show`.
    void setInvoiceDocument(std::function<void(const registers::InvoiceFields&)> show);

  signals:
    // "Fattura Elettronica" of the register list: the register rows of the lines
    // chosen in the list, in list order; empty when none is chosen.
    void electronicInvoiceRequested(const QList<int>& registerRows);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Mode { NewInvoice, Modifying };

    void createControls();
    void arrangeControls();
    void connectControls();

    // The registers the window works on; none once the user was told why not.
    std::optional<registers::InvoiceRegister> invoiceRegister() const;
    std::optional<registers::ClientSheet> clientSheet() const;
    // What the window shows now, for the invoice document.
    registers::InvoiceFields currentFields() const;
    registers::InvoiceAmounts amounts() const;
    void showAmounts(const registers::InvoiceAmounts& amounts);
    // Runs one amount trigger on the fields.
    void recompute(void (*trigger)(registers::InvoiceAmounts&));
    registers::InvoiceRecord record() const;
    // The client, date, description and taxable amount are there; otherwise the
    // required-fields message.
    bool requiredFieldsGiven();
    // Every date is a calendar date and every text fits a cell; otherwise a message
    // names the field.
    bool enteredValuesFit();
    // The invoice number is given and no other invoice of the date's year has it;
    // otherwise the user is told which invoice has it.
    bool numberFree();
    // The amounts as "Registra" and "Modifica" write them: empty amounts as 0, the
    // stamp duty line in the total when charged; shown as they are.
    registers::InvoiceAmounts amountsToRegister();
    // What the user's tax regime and the client allow, asked or told before the
    // question of "Registra"; false when the registration must not go on.
    bool regimeAllows(registers::InvoiceAmounts& amounts);
    // Keeps whether invoice `id` charges the stamp duty; false, told, when it cannot.
    bool keepStampDuty(const QString& id);
    // Keeps the due date shown, or the proposed one when none is; false, told, when
    // it cannot.
    bool keepDueDate();
    // The invoice date plus the days of the payment item chosen; a date that is not
    // one yet leaves the due date as it is.
    void proposeDueDate();
    // Keeps beside the register the rates the amounts were made with.
    void keepRates();
    // "Visualizza Fattura", once the amounts agree.
    void showDocument();
    // The register's first free number in `year` from `counter`, past every number
    // the year already gave.
    QString firstFreeNumber(const registers::InvoiceRegister& book, const QString& counter,
                            int year) const;
    // The amounts agree with each other and with their rates; otherwise the user is
    // told what does not.
    bool amountsAgree(const registers::InvoiceAmounts& amounts);
    void showClient(const registers::ClientRecord& client);
    void forgetClient();
    void showCounters();
    void placeCalendar(QWidget* below);
    void setMode(Mode mode);

    void loadLists();
    void loadClients();
    void chooseClient(int position);
    void numberUnlocked(bool ticked);
    void registerInvoice();
    void selectOrModify();
    void showRegisterList();
    void loadInvoice(const registers::InvoiceRecord& invoice);
    void modifyInvoice();
    void leaveRegisterList();
    // "Nota di credito" of the register list: the page of the credit note for the
    // one invoice chosen, or the user is told why not.
    void startCreditNote(const QList<int>& registerRows);
    // The settings items a partial note takes the invoice's rates from; none once
    // the user was told why not.
    std::optional<registers::RateItems> rateItems();
    // The note as the page's choice makes it, its amounts or its refusal shown on the
    // page; none when the settings cannot be reached (the user was told).
    using MadeCreditNote = brisvel::Result<registers::CreditNote, registers::CreditNoteRefusal>;
    std::optional<MadeCreditNote> computeCreditNote(registers::InvoiceRegister& book,
                                                    registers::CreditNoteChoice choice);
    void previewCreditNote();
    // The page's "Registra": the credit note computed, checked and registered with
    // what is kept beside it; the register list shows it.
    void registerCreditNote();
    // A credit note being modified keeps its amounts negative; otherwise the user
    // is told and nothing is written.
    bool creditNoteStaysNegative();
    // An invoice modified with its collection date: its credit notes still to
    // collect take the same date. False, told, when one cannot be written.
    bool collectCreditNotesWith(registers::InvoiceRegister& book,
                                const registers::InvoiceRecord& invoice);
    // The register IDs of the credit notes; none in a store without their sheet.
    QSet<QString> creditNoteIds() const;
    void leave();

    // Empties every field and the list choices: the window as for a new invoice.
    void clearWindow();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;
    const app::Clock& clock_;
    app::Services services_;
    std::function<void(const registers::InvoiceFields&)> showDocument_;

    Mode mode_ = Mode::NewInvoice;
    // Amounts cleared by a step that wait for their rate to be chosen again.
    struct RecomputeMarks {
        bool surcharge = false;
        bool vat = false;
        bool withholding = false;
    } toRecompute_;
    registers::ClientChoice clients_;

    QComboBox* clientBox_;        // Combo1
    QLineEdit* clientIdField_;    // Text12
    QLabel* addressLabel_;        // Label13
    QLabel* postalCodeLabel_;     // Label22
    QLabel* townLabel_;           // Label23
    QLabel* provinceLabel_;       // Label24
    QLabel* taxCodeLabel_;        // Label25
    QLabel* vatNumberLabel_;      // Label26
    QLineEdit* numberField_;      // Text1
    QCheckBox* changeNumberBox_;  // Check3 "Cambia Nr.Fattura"
    QCheckBox* stampDutyBox_;     // Check4 the stamp duty charged as a line
    // The surcharge items coded as the INPS surcharge (TC22), withheld on with the fee.
    QSet<QString> withheldSurcharges_;
    QCheckBox* dateCalendarBox_;          // Check1
    QLineEdit* dateField_;                // Text2
    QLineEdit* recordField_;              // Text10
    QPlainTextEdit* descriptionField_;    // Text15
    QLabel* modificationNote_;            // Label28
    QLineEdit* taxableField_;             // Text9
    QComboBox* surchargeRateBox_;         // Combo5
    QLineEdit* surchargeField_;           // Text3
    QLineEdit* totalTaxableField_;        // Text5
    QComboBox* vatRateBox_;               // Combo6
    QLineEdit* vatField_;                 // Text6
    QComboBox* exemptionBox_;             // Combo3
    QLineEdit* exemptField_;              // Text7
    QLineEdit* totalField_;               // Text8
    QComboBox* withholdingRateBox_;       // Combo7
    QLineEdit* withholdingField_;         // Text14
    QLineEdit* netField_;                 // Text4
    QCheckBox* collectionCalendarBox_;    // Check2
    QLineEdit* collectionField_;          // Text13
    QComboBox* paymentBox_;               // Combo2
    QLineEdit* dueField_;                 // Text16 "Scadenza"
    QLabel* clockLabel_;                  // Label15
    QTimer* clockTimer_;                  // Timer2
    QCalendarWidget* calendar_;           // MonthView1
    controls::XPButton* registerButton_;  // XPButton4 "Registra"
    controls::XPButton* selectButton_;    // XPButton3 "Seleziona" / "Modifica"
    controls::XPButton* clearButton_;     // XPButton5 "Pulisci"
    controls::XPButton* documentButton_;  // XPButton6 "Visualizza Fattura"
    controls::XPButton* exitButton_;      // XPButton2 "Esci"
    RegisterListPage* registerList_;      // Frame1
    CreditNotePage* creditNotePage_;
    // The invoice the credit note page shows.
    std::optional<registers::CreditedInvoice> credited_;
    QStackedLayout* pages_;
    QWidget* fieldsPage_;
};

}  // namespace invoices
