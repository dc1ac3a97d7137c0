#pragma once

// The user-data window ("Utente"): the professional's own letterhead data, shown
// read-only and changed after a confirmation. Every activation rereads the values
// from the sheet Utente and locks the fields (view mode); "Inserisci/Modifica"
// unlocks them (edit mode) or writes them back.

#include "app/area_window.h"

#include <array>

class QLabel;
class QLineEdit;
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

namespace settings {

class Intestazione : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Intestazione(const app::Services& services, QWidget* parent = nullptr);

    void activate() override;

    // Edit mode: the fields are unlocked. They share one lock.
    bool editing() const;

    QLineEdit* Text1;               // company name or surname and name
    QLineEdit* Text2;               // fiscal domicile
    QLineEdit* Text3;               // town
    QLineEdit* Text4;               // province
    QLineEdit* Text5;               // postal code
    QLineEdit* Text6;               // tax code
    QLineEdit* Text7;               // VAT number
    QLineEdit* Text8;               // professional register
    QLineEdit* Text9;               // bank
    QLineEdit* Text10;              // IBAN
    controls::XPButton* XPButton9;  // "Inserisci/Modifica"
    controls::XPButton* XPButton1;  // "Esci"
    QLabel* Label15;                // the clock line
    QTimer* Timer2;

  private:
    void buildLayout();
    void setLocked(bool locked);
    void insertOrModifyClicked();
    void exitClicked();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    app::Navigator& navigator_;
    // Text1..Text10, the values of B1..B10.
    std::array<QLineEdit*, 10> fields_;
};

}  // namespace settings
