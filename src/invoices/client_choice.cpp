#include "invoices/client_choice.h"

namespace invoices {

using namespace registers::client;

namespace {
constexpr int kFirstClientRow = 2;
}

QStringList ClientChoice::load(const registers::ClientSheet& clients) {
    const QStringList names = clients.names();
    items_.clear();
    items_.reserve(std::size_t(names.size()));
    const store::Worksheet cells = clients.worksheet();
    for (int i = 0; i < names.size(); ++i) {
        const int row = kFirstClientRow + i;
        items_.push_back({row, cells.text(row, Id), names[i]});
    }
    return names;
}

bool ClientChoice::inPlace(const registers::ClientSheet& clients, int position) const {
    if (position < 0 || std::size_t(position) >= items_.size())
        return false;
    const Item& item = items_[std::size_t(position)];
    const store::Worksheet cells = clients.worksheet();
    return cells.text(item.row, Id) == item.identifier && cells.text(item.row, Name) == item.name;
}

std::optional<int> ClientChoice::rowOf(const registers::ClientSheet& clients, int position) const {
    if (position < 0 || std::size_t(position) >= items_.size())
        return std::nullopt;
    if (inPlace(clients, position))
        return items_[std::size_t(position)].row;
    const Item& item = items_[std::size_t(position)];
    return clients.findClient(item.identifier, item.name);
}

}  // namespace invoices
