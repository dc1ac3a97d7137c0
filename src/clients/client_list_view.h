#pragma once

// The list view of all clients: one row per client, sixteen columns headed by the
// sheet's own header texts.

#include <QStringList>

#include <vector>

#include "registers/client_sheet.h"

class QTreeWidget;

namespace clients {

// Empties the list and gives it these sixteen column headers, each column at its
// fixed width.
void setClientListHeaders(QTreeWidget* view, const QStringList& headers);

// Adds one item per client, its identifier first, in the given order.
void addClientItems(QTreeWidget* view, const std::vector<registers::ClientRecord>& clients);

}  // namespace clients
