#include "store/engine.h"

#include <algorithm>

#include <QFileInfo>

namespace store {

Engine::Engine() = default;
Engine::~Engine() = default;

Workbook& Engine::add(std::unique_ptr<Workbook> book) {
    books_.push_back(std::move(book));
    active_ = books_.back().get();
    return *active_;
}

Workbook& Engine::create() {
    return add(std::make_unique<Workbook>(xls::Workbook::withDefaults(), QString(), QString()));
}

Workbook& Engine::adopt(xls::Workbook model, const QString& path, const QString& password) {
    return add(std::make_unique<Workbook>(std::move(model), path, password));
}

Workbook* Engine::activeWorkbook() {
    return active_;
}

Workbook* Engine::workbook(const QString& fileName) {
    for (const auto& book : books_) {
        if (book->name().compare(fileName, Qt::CaseInsensitive) == 0)
            return book.get();
    }
    return nullptr;
}

int Engine::workbookCount() const {
    return int(books_.size());
}

void Engine::close(Workbook& book) {
    std::erase_if(books_, [&](const auto& held) { return held.get() == &book; });
    if (active_ == &book)
        active_ = books_.empty() ? nullptr : books_.back().get();
}

void Engine::quit() {
    books_.clear();
    active_ = nullptr;
}

}  // namespace store
