#pragma once

// "Fattura Elettronica" of the register list: asks for the folder (FatturePA in the
// program folder is proposed), exports the chosen invoices with a progress dialog,
// saves the store so that the progressives used are kept, and tells the outcome.

#include <QList>

class QWidget;

namespace app {
struct Services;
}

namespace einvoice {

// `registerRows` are rows of the register (2 and below); none chosen gets a hint.
void exportElectronicInvoices(const app::Services& services, const QList<int>& registerRows,
                              QWidget* parent);

}  // namespace einvoice
