#pragma once

// A choice of client in a window's list: each item remembers the client it was
// loaded from (its row, identifier and name), so that a choice never lands on
// another client when the sheet was sorted or a client deleted since; a typed
// name counts only when it is the name of an item. Widget-free: the entry, client
// and receivables windows show its items in their combo boxes.

#include <QStringList>

#include <optional>
#include <vector>

#include "registers/client_sheet.h"

namespace registers {

class ClientChoice {
  public:
    // The names of column B from the first client row down, as the list shows them.
    // The chosen client stays chosen.
    QStringList load(const ClientSheet& clients);

    // Where the client of item `position` is now: its loaded row when that row
    // still holds it, else the row that carries its identifier and name; none when
    // the client is gone (or the position is not an item).
    std::optional<int> rowOf(const ClientSheet& clients, int position) const;
    // Whether item `position` still stands at the row it was loaded from.
    bool inPlace(const ClientSheet& clients, int position) const;
    // The item showing exactly `text`: `current` when it does, else the first that
    // does; none when no item does.
    std::optional<int> positionOf(const QString& text, int current = -1) const;
    // The identifier item `position` was loaded with (empty for no item).
    QString identifier(int position) const;

    // Remembers the client of item `position` as the chosen one.
    void choose(int position);
    void forget();
    bool hasChosen() const { return chosen_.has_value(); }
    // The chosen client's identifier as it was loaded.
    QString chosenIdentifier() const;
    // The row of the chosen client as the sheet stands now; none when none is
    // chosen or it is gone.
    std::optional<int> chosenRow(const ClientSheet& clients) const;

  private:
    struct Item {
        int row;
        QString identifier;
        QString name;
    };
    bool isItem(int position) const;
    static bool stillAt(const ClientSheet& clients, const Item& item);
    static std::optional<int> findAgain(const ClientSheet& clients, const Item& item);

    std::vector<Item> items_;
    std::optional<Item> chosen_;
};

}  // namespace registers
