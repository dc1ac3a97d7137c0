#pragma once

// Opens the printer selection window over the window that asks, loading it when
// it is not loaded (on its first showing, and after its close box unloaded it),
// with the printouts of the print codes.

#include <QPointer>
#include <QString>

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

    // Puts `code` into the window's code field and shows it over `caller`.
    void open(app::AreaWindow* caller, const QString& code);

    // The window while it is loaded; null otherwise.
    StampaP* window() const;

  private:
    app::Services services_;
    QPointer<StampaP> window_;
};

}  // namespace printers
