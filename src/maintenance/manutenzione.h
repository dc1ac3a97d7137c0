#pragma once

// The maintenance window: empties the invoice register, the client registry or the
// settings lists, writes a backup copy of the store into Salvataggio, and puts a
// backup back in place of the store. Each operation is chosen by ticking its box;
// every one but the backup ends the program.

#include "app/area_window.h"

#include <functional>
#include <initializer_list>

class QCheckBox;

namespace app {
class Clock;
class MessageBoxes;
class Navigator;
struct Services;
}  // namespace app
namespace controls {
class XPButton;
}
namespace registers {
struct SheetLayout;
}
namespace store {
class WorkbookStore;
}

namespace maintenance {

class Manutenzione : public app::AreaWindow {
    Q_OBJECT
  public:
    // `endProgram` runs the shutdown sequence; it answers false when the user
    // chose to stay in the program.
    Manutenzione(const app::Services& services, std::function<bool()> endProgram,
                 QWidget* parent = nullptr);

    // Every box unticked and the restore button hidden.
    void activate() override;

    QCheckBox* Check1;              // empty the invoice register
    QCheckBox* Check2;              // empty the client registry
    QCheckBox* Check3;              // empty the settings lists
    QCheckBox* Check4;              // backup copy
    QCheckBox* Check5;              // shows the restore button
    controls::XPButton* XPButton2;  // "Ripristina"
    controls::XPButton* XPButton1;  // "Esci"

  private:
    void buildLayout();
    void untick(std::initializer_list<QCheckBox*> boxes);
    // `alsoEmpty` clears what belongs to the emptied register elsewhere in the store,
    // reading the register first when it needs to (the numbers a year gave).
    void emptyClicked(QCheckBox* box, const registers::SheetLayout& layout,
                      void (*alsoEmpty)(store::WorkbookStore&) = nullptr);
    void backupClicked();
    void restoreToggled(bool ticked);
    void restoreClicked();

    store::WorkbookStore& store_;
    app::MessageBoxes& boxes_;
    const app::Clock& clock_;
    app::Navigator& navigator_;
    std::function<bool()> endProgram_;
};

}  // namespace maintenance
