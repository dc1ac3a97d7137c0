#pragma once

// "Per il commercialista": asks where to write the ZIP file of the period's
// invoices, packs it under a progress dialog that can give it up, saves the store
// (the electronic invoices made now keep their progressives) and tells the outcome.

class QWidget;

namespace app {
struct Services;
}

namespace year {

struct Period;

void packForAccountant(const app::Services& services, const Period& period, QWidget* parent);

}  // namespace year
