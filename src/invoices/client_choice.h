#pragma once

// The client list of the entry window: each item remembers the client it was
// loaded from (its row, identifier and name), so that a choice never lands on
// another client when the sheet was sorted or a client deleted since.

#include <QStringList>

#include <optional>
#include <vector>

#include "registers/client_sheet.h"

namespace invoices {

class ClientChoice {
  public:
    // The names of column B from row 2 down, as the list shows them.
    QStringList load(const registers::ClientSheet& clients);

    // Where the client of item `position` is now: its loaded row when that row
    // still holds it, else the row that carries its identifier and name; none when
    // the client is gone (or the position is not an item).
    std::optional<int> rowOf(const registers::ClientSheet& clients, int position) const;
    // Whether item `position` still stands at the row it was loaded from.
    bool inPlace(const registers::ClientSheet& clients, int position) const;

  private:
    struct Item {
        int row;
        QString identifier;
        QString name;
    };
    std::vector<Item> items_;
};

}  // namespace invoices
