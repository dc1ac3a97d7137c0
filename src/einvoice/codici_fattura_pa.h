#pragma once

// The codes of the electronic invoice, reached from the main menu: the user's tax
// regime, and beside each settings item its official code (cassa type, Natura,
// withholding type and payment reason, payment method and the days from an invoice's
// date to its payment), each shown with the description the Agenzia delle Entrate
// gives it; and each client's recipient code
// or PEC, its country and foreign VAT number. "Ricevute SDI" opens the reading of the
// exchange system's receipts. Items still named by registered invoices are listed
// too, so an invoice whose item was renamed can still be coded. "Salva" writes them into the sheet
// FatturaPA and saves the store.

#include "app/area_window.h"
#include "registers/einvoice_codes.h"

#include <vector>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;

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

namespace einvoice {

class RicevuteSdi;

class CodiciFatturaPA : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit CodiciFatturaPA(const app::Services& services, QWidget* parent = nullptr);

    // Rereads the items, the clients and their codes.
    void activate() override;

    QLabel* Label1;     // clock
    QComboBox* Combo1;  // tax regime
    QTabWidget* Tab1;   // one page per list, and the clients
    // One row per item: its text, the code chooser "Codice della voce <item>" and the
    // code's description; the withholding page adds "Causale della voce <item>", the
    // payment page "Giorni alla scadenza della voce <item>".
    QScrollArea* Grid1;   // INPS/Cassa items
    QScrollArea* Grid2;   // exemption items
    QScrollArea* Grid3;   // withholding items
    QScrollArea* Grid4;   // payment types
    QTableWidget* Grid5;  // clients
    QTimer* Timer1;
    controls::XPButton* XPButton1;  // Salva
    controls::XPButton* XPButton2;  // Esci
    controls::XPButton* XPButton3;  // Ricevute SDI

  private:
    // An item's choosers; `reason` only on the withholding page, `days` only on the
    // payment page.
    struct ItemChoosers {
        QString item;
        QComboBox* code;
        QComboBox* reason;
        QSpinBox* days;
    };
    struct CodedGrid {
        registers::CodedList list;
        QScrollArea* page;
        std::vector<ItemChoosers> rows;
    };

    void fillGrid(CodedGrid& coded, const QStringList& items,
                  const registers::EinvoiceCodes& codes);
    void fillClients(const registers::EinvoiceCodes& codes);
    // What a row of the client grid holds.
    registers::ClientAddressing clientAddressing(int row) const;
    // Writes every code; false, with nothing written, when a client's data is wrong.
    bool save();
    void leave();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;
    RicevuteSdi* receipts_ = nullptr;  // made at its first opening
    std::vector<CodedGrid> grids_;
    // The province of each client of the grid, as Anagrafe has it.
    std::vector<QString> clientProvinces_;
    bool changed_ = false;
};

}  // namespace einvoice
