#include "printers/printer_window_opener.h"

#include "app/navigator.h"
#include "printers/client_list_printout.h"
#include "printers/stampa_p.h"

namespace printers {

PrinterWindowOpener::~PrinterWindowOpener() {
    delete window_.data();
}

StampaP* PrinterWindowOpener::window() const {
    return window_;
}

void PrinterWindowOpener::open(app::AreaWindow* caller, app::Printout printout) {
    if (!window_) {
        const app::Services services = services_;
        window_ = new StampaP(
            services_.printers,
            {{app::Printout::ClientList, [services](StampaP& w) { printClientList(services, w); }},
             {app::Printout::SettingsLists,
              [services](StampaP& w) { printSettingsLists(services, w); }}});
    }
    window_->setPrintout(printout);
    services_.navigator.openOver(caller, window_);
}

}  // namespace printers
