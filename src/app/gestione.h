#pragma once

// The main menu: one button per area, the settings frame, the clock and "Chiudi".
// It knows the area windows only by their key: the program registers them, and a
// button whose window is not registered stays disabled.

#include "app/area_window.h"

#include <functional>
#include <map>

class QGridLayout;
class QLabel;
class QTimer;

namespace controls {
class XPButton;
}

namespace app {

class Navigator;
struct Services;

// The places the main menu leads to.
enum class MenuArea {
    Invoices,           // Entrata
    Clients,            // Anagrafe
    UserData,           // Intestazione
    ClientPosition,     // Incassi, one client's invoices
    Collections,        // Incassi, invoices to collect and collected
    Maintenance,        // Manutenzione
    ElectronicInvoice,  // the electronic invoice's codes
    Overdue,            // Scadenze, invoices to collect by due date
    YearOverview,       // Andamento, the year at a glance
};

class Gestione : public AreaWindow {
    Q_OBJECT
  public:
    // `endProgram` runs the shutdown sequence; it answers false when the user
    // chose to stay in the program.
    Gestione(const Services& services, std::function<bool()> endProgram, QWidget* parent = nullptr);

    // The window an area button shows; its button is enabled from now on. `entered`
    // runs once the window is shown and activated: it sets the mode of a window
    // that two buttons show (Incassi).
    void setAreaWindow(MenuArea area, AreaWindow* window, std::function<void()> entered = {});
    // The settings frame (Frame4), placed in the menu and hidden until
    // "Impostazioni/Causali" shows it and runs `load` to fill its lists.
    void setSettingsFrame(QWidget* frame, std::function<void()> load);

    // A panel placed under the welcome text (the first steps), and what reads it
    // again each time the menu is activated.
    void setWelcomePanel(QWidget* panel, std::function<void()> activated);

    // The two print buttons are disabled and the settings frame hidden again; the
    // welcome panel rereads what it shows.
    void activate() override;

    controls::XPButton* XPButton1;   // Impostazioni/Causali
    controls::XPButton* XPButton2;   // Brisvel: invoices
    controls::XPButton* XPButton3;   // Chiudi
    controls::XPButton* XPButton4;   // Gestione Clienti
    controls::XPButton* XPButton5;   // Dati Anagrafici Utente
    controls::XPButton* XPButton6;   // Posizione Cliente
    controls::XPButton* XPButton7;   // print, never active
    controls::XPButton* XPButton8;   // Gestione Incassi
    controls::XPButton* XPButton9;   // Manutenzione
    controls::XPButton* XPButton10;  // print, never active
    controls::XPButton* XPButton11;  // Fattura Elettronica
    controls::XPButton* XPButton12;  // Scadenze
    controls::XPButton* XPButton13;  // Andamento
    QWidget* Frame4 = nullptr;
    QLabel* Label15;
    QTimer* Timer2;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    controls::XPButton* areaButton(MenuArea area) const;
    void openArea(MenuArea area);
    void showSettings();

    Navigator& navigator_;
    std::function<bool()> endProgram_;
    std::function<void()> loadSettings_;
    std::function<void()> welcomeActivated_;
    struct Area {
        AreaWindow* window;
        std::function<void()> entered;
    };
    std::map<MenuArea, Area> areas_;
    QWidget* welcome_;
    QGridLayout* workArea_;
};

}  // namespace app
