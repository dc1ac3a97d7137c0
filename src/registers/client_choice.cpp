#include "registers/client_choice.h"

namespace registers {

using namespace client;

QStringList ClientChoice::load(const ClientSheet& clients) {
    const QStringList names = clients.names();
    items_.clear();
    items_.reserve(std::size_t(names.size()));
    const store::Worksheet cells = clients.worksheet();
    for (int i = 0; i < names.size(); ++i) {
        const int row = kFirstRow + i;
        items_.push_back({row, cells.text(row, Id), names[i]});
    }
    return names;
}

bool ClientChoice::isItem(int position) const {
    return position >= 0 && std::size_t(position) < items_.size();
}

bool ClientChoice::stillAt(const ClientSheet& clients, const Item& item) {
    const store::Worksheet cells = clients.worksheet();
    return cells.text(item.row, Id) == item.identifier && cells.text(item.row, Name) == item.name;
}

std::optional<int> ClientChoice::findAgain(const ClientSheet& clients, const Item& item) {
    if (stillAt(clients, item))
        return item.row;
    return clients.findClient(item.identifier, item.name);
}

bool ClientChoice::inPlace(const ClientSheet& clients, int position) const {
    return isItem(position) && stillAt(clients, items_[std::size_t(position)]);
}

std::optional<int> ClientChoice::rowOf(const ClientSheet& clients, int position) const {
    if (!isItem(position))
        return std::nullopt;
    return findAgain(clients, items_[std::size_t(position)]);
}

std::optional<int> ClientChoice::positionOf(const QString& text, int current) const {
    if (isItem(current) && items_[std::size_t(current)].name == text)
        return current;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].name == text)
            return int(i);
    }
    return std::nullopt;
}

QString ClientChoice::identifier(int position) const {
    return isItem(position) ? items_[std::size_t(position)].identifier : QString();
}

void ClientChoice::choose(int position) {
    if (isItem(position))
        chosen_ = items_[std::size_t(position)];
    else
        chosen_.reset();
}

void ClientChoice::forget() {
    chosen_.reset();
}

QString ClientChoice::chosenIdentifier() const {
    return chosen_ ? chosen_->identifier : QString();
}

std::optional<int> ClientChoice::chosenRow(const ClientSheet& clients) const {
    if (!chosen_)
        return std::nullopt;
    return findAgain(clients, *chosen_);
}

}  // namespace registers
