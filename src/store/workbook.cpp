#include "store/workbook.h"

#include <QFileInfo>

namespace store {

namespace {

Error noSheet(const QString& name) {
    return {Error::Kind::NoSuchSheet, QStringLiteral("Il foglio \"%1\" non esiste.").arg(name)};
}

}  // namespace

Workbook::Workbook(xls::Workbook model, QString path, QString password)
    : model_(std::move(model)), path_(std::move(path)), password_(std::move(password)) {
    if (model_.sheets.empty()) {
        xls::Sheet first;
        first.name = QStringLiteral("Foglio1");
        model_.sheets.push_back(std::move(first));
    }
    if (model_.activeSheet < 0 || std::size_t(model_.activeSheet) >= model_.sheets.size())
        model_.activeSheet = 0;
    for (std::size_t i = 0; i < model_.sheets.size(); ++i)
        ids_.push_back(nextId_++);
}

QString Workbook::name() const {
    return QFileInfo(path_).fileName();
}

int Workbook::sheetCount() const {
    return int(model_.sheets.size());
}

int Workbook::positionOf(int id) const {
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] == id)
            return int(i);
    }
    Q_ASSERT_X(false, "Workbook::positionOf", "a sheet handle outlived its sheet");
    return 0;
}

Worksheet Workbook::handle(int position) {
    return Worksheet(this, ids_[std::size_t(position)]);
}

Result<Worksheet> Workbook::sheet(const QString& name) {
    for (std::size_t i = 0; i < model_.sheets.size(); ++i) {
        if (model_.sheets[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return handle(int(i));
    }
    return noSheet(name);
}

Result<Worksheet> Workbook::sheetAt(int index) {
    if (index < 1 || index > sheetCount())
        return noSheet(QString::number(index));
    return handle(index - 1);
}

Worksheet Workbook::activeSheet() {
    return handle(model_.activeSheet);
}

Result<Worksheet> Workbook::addSheetAfter(const Worksheet& after, const QString& name) {
    Q_ASSERT(&after.workbook() == this);
    xls::Sheet fresh;
    fresh.name = QStringLiteral("~");  // replaced below, once the name is checked
    const int position = positionOf(after.id_) + 1;
    model_.sheets.insert(model_.sheets.begin() + position, std::move(fresh));
    ids_.insert(ids_.begin() + position, nextId_++);
    if (model_.activeSheet >= position)
        ++model_.activeSheet;
    const Worksheet added = handle(position);
    if (auto named = added.setName(name); !named) {
        model_.sheets.erase(model_.sheets.begin() + position);
        ids_.erase(ids_.begin() + position);
        if (model_.activeSheet >= position)
            --model_.activeSheet;
        return named.error();
    }
    markChanged();
    return added;
}

Worksheet Workbook::ensureSheet(const QString& name) {
    if (auto existing = sheet(name))
        return *existing;
    auto added = addSheetAfter(handle(sheetCount() - 1), name);
    Q_ASSERT_X(added.ok(), "Workbook::ensureSheet", "the program's sheet names are valid names");
    return *added;
}

std::uint16_t Workbook::formatIndex(const QString& code) {
    constexpr std::uint16_t kFirstCustom = 164, kShortDate = 14, kShortDateTime = 22;
    if (code != xls::builtinFormatCode(kShortDate) &&
        code != xls::builtinFormatCode(kShortDateTime))
        return model_.addFormat(code);
    std::uint16_t next = kFirstCustom;
    for (const auto& [index, existing] : model_.formats) {
        if (index >= kFirstCustom && existing == code)
            return index;
        next = std::max<std::uint16_t>(next, std::uint16_t(index + 1));
    }
    model_.formats[next] = code;
    return next;
}

std::uint16_t Workbook::xfWithFormat(std::uint16_t xf, const QString& code) {
    auto known = formatIndexes_.find(code);
    if (known == formatIndexes_.end())
        known = formatIndexes_.insert(code, formatIndex(code));
    return xfWithFormatIndex(xf, known.value());
}

std::uint16_t Workbook::xfWithFormatIndex(std::uint16_t xf, std::uint16_t format) {
    const std::uint32_t key = (std::uint32_t(xf) << 16) | format;
    auto it = formatXfs_.find(key);
    if (it != formatXfs_.end())
        return it->second;
    xls::Xf copy = xf < model_.xfs.size() ? model_.xfs[xf] : model_.xfs[xls::kDefaultXf];
    copy.format = format;
    const std::uint16_t index = model_.addXf(copy);
    formatXfs_.emplace(key, index);
    return index;
}

}  // namespace store
