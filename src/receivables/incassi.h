#pragma once

// The receivables window, in two modes: the client position (every invoice of one
// client with its collection mark) and the collections (the invoices still to be
// collected, or those collected). Each list is built in the register's scratch
// area, shown with its number of invoices and sums, and can be printed.

#include <QStringList>

#include <optional>

#include "app/area_window.h"
#include "app/services.h"
#include "registers/client_choice.h"
#include "registers/receivables_lists.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTreeView;

namespace app {
class MessageBoxes;
class Navigator;
}  // namespace app

namespace controls {
class XPButton;
}

namespace store {
class WorkbookStore;
class Worksheet;
}  // namespace store

namespace receivables {

class ListedInvoicesModel;

class Incassi : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Incassi(const app::Services& services, QWidget* parent = nullptr);

    // The main menu's two ways in, run once the window is shown and activated:
    // "Posizione Cliente" shows the client choice and loads the clients,
    // "Gestione Incassi" shows the two check boxes.
    void enterClientPosition();
    void enterCollections();

    // Hides the list, shows the choice frame and clears both check boxes; in the
    // client position the clients are loaded again.
    void activate() override;

    QGroupBox* Frame1;
    QCheckBox* Check1;  // Da incassare
    QCheckBox* Check2;  // Incassato
    QLabel* Label1;
    QComboBox* Combo1;
    QLabel* clientIdLabel_;
    QLineEdit* Text1;
    controls::XPButton* XPButton3;  // Ricerca
    QLabel* Elenco;                 // which list is shown, over it
    QTreeView* ListView3;
    QLabel* Totali;                 // the number of listed invoices and their sums
    controls::XPButton* XPButton2;  // Stampa
    controls::XPButton* XPButton1;  // Esci

  private:
    enum class Mode { ClientPosition, Collections };

    void createControls();
    void arrangeControls();
    void connectControls();

    // The register, made the current sheet; none once the user was told why not.
    std::optional<store::Worksheet> invoices() const;
    void setMode(Mode mode);
    // Loads the client choice; false, with the choice left empty, when there is
    // no client.
    bool loadClients();
    void chooseClient(int position);
    void search();
    void showToCollect(bool ticked);
    void showCollected(bool ticked);
    // Shows the list the scratch area holds, under the columns of `kind`.
    void showList(registers::receivables::ListKind kind);
    void hideList();
    // Prints the list on screen, its totals last, on the default printer.
    void print();
    void leave();

    const app::Services services_;
    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;

    Mode mode_ = Mode::Collections;
    registers::receivables::ListKind shownKind_ = registers::receivables::ListKind::ToCollect;
    // The clients of the choice as they were loaded; the choice's first item is the
    // header, so item p + 1 is the client of position p.
    registers::ClientChoice clients_;
    ListedInvoicesModel* model_;
};

}  // namespace receivables
