#pragma once

// Opens the printer selection window over the window that asks, loading it when
// it is not loaded (on its first showing, and after its close box unloaded it),
// with the printout the calling window asks for.

#include <QPointer>
#include "app/printer_window.h"
#include "app/services.h"

namespace app {
class AreaWindow;
}

namespace printers {

class StampaP;

class PrinterWindowOpener {
  public:
    explicit PrinterWindowOpener(const app::Services& services) : services_(services) {}
    ~PrinterWindowOpener();

    // Shows the window over `caller`, set to print `printout`.
    void open(app::AreaWindow* caller, app::Printout printout);

    // The window while it is loaded; null otherwise.
    StampaP* window() const;

  private:
    app::Services services_;
    QPointer<StampaP> window_;
};

}  // namespace printers
