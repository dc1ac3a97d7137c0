#pragma once

// The printouts the printer window runs: the client list (code 8) and the five
// settings lists of Utilità (code 1).

namespace app {
struct Services;
}

namespace printers {

class StampaP;

// The client list: sheet Anagrafe, columns A to P, from row 1 to
// the last client row of column A.
void printClientList(const app::Services& services, StampaP& window);

// The five settings lists of Utilità, columns A to E, down to the longest list.
void printSettingsLists(const app::Services& services, StampaP& window);

}  // namespace printers
