#include "printers/printer_window_opener.h"

#include "app/navigator.h"
#include "printers/client_list_printout.h"
#include "printers/stampa_p.h"

namespace printers {

namespace {

// The print codes the calling windows set.
constexpr int kSettingsListsCode = 1;
constexpr int kClientListCode = 8;

}  // namespace

PrinterWindowOpener::~PrinterWindowOpener() {
    delete window_.data();
}

StampaP* PrinterWindowOpener::window() const {
    return window_;
}

void PrinterWindowOpener::open(app::AreaWindow* caller, const QString& code) {
    if (!window_) {
        const app::Services services = services_;
        window_ = new StampaP(
            services_.printers,
            {{kClientListCode, [services](StampaP& w) { printClientList(services, w); }},
             {kSettingsListsCode, [services](StampaP& w) { printSettingsLists(services, w); }}});
    }
    window_->setCode(code);
    services_.navigator.openOver(caller, window_);
}

}  // namespace printers
