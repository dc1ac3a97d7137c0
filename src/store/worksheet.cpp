#include "store/worksheet.h"

#include <algorithm>

#include "store/address.h"
#include "store/column_fit.h"
#include "store/range.h"
#include "store/sheet_cells.h"
#include "store/workbook.h"

namespace store {

namespace {

Error badAddress(const QString& what) {
    return {Error::Kind::BadAddress, QStringLiteral("Indirizzo di cella non valido: %1").arg(what)};
}

Error outside(int row, int column) {
    return badAddress(QStringLiteral("riga %1, colonna %2").arg(row).arg(column));
}

}  // namespace

xls::Sheet& Worksheet::model() const {
    return book_->model_.sheets[std::size_t(book_->positionOf(id_))];
}

QString Worksheet::name() const {
    return model().name;
}

Result<Done> Worksheet::setName(const QString& name) const {
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    const bool badChar =
        std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); });
    if (name.isEmpty() || name.size() > 31 || badChar || name.startsWith(u'\'') ||
        name.endsWith(u'\'')) {
        return Error{Error::Kind::BadSheetName,
                     QStringLiteral("Nome di foglio non valido: \"%1\"").arg(name)};
    }
    for (const auto& other : book_->model_.sheets) {
        if (&other != &model() && other.name.compare(name, Qt::CaseInsensitive) == 0) {
            return Error{Error::Kind::BadSheetName,
                         QStringLiteral("Esiste già un foglio di nome \"%1\"").arg(name)};
        }
    }
    model().name = name;
    book_->markChanged();
    return Done{};
}

int Worksheet::index() const {
    return book_->positionOf(id_) + 1;
}

void Worksheet::select() const {
    auto& sheets = book_->model_.sheets;
    const int position = book_->positionOf(id_);
    for (std::size_t i = 0; i < sheets.size(); ++i)
        sheets[i].selected = int(i) == position;
    book_->model_.activeSheet = position;
}

bool Worksheet::isActive() const {
    return book_->model_.activeSheet == book_->positionOf(id_);
}

Result<Range> Worksheet::range(QStringView address) const {
    const auto rect = parseAddress(address);
    if (!rect)
        return badAddress(address.toString());
    return Range(*this, *rect);
}

Range Worksheet::range(const Range& first, const Range& second) const {
    Q_ASSERT(first.worksheet() == *this && second.worksheet() == *this);
    const auto& a = first.rect();
    const auto& b = second.rect();
    return Range(*this, {std::min(a.firstRow, b.firstRow), std::max(a.lastRow, b.lastRow),
                         std::min(a.firstCol, b.firstCol), std::max(a.lastCol, b.lastCol)});
}

Result<Range> Worksheet::cell(int row, int column) const {
    if (!isValidCell(row, column))
        return outside(row, column);
    return Range(*this, {row - 1, row - 1, column - 1, column - 1});
}

Result<Range> Worksheet::rows(int first, int last) const {
    if (!isValidCell(first, 1) || !isValidCell(last, 1) || last < first)
        return outside(first, 1);
    return Range(*this, {first - 1, last - 1, 0, xls::kMaxCols - 1});
}

Result<Range> Worksheet::columns(int first, int last) const {
    if (!isValidCell(1, first) || !isValidCell(1, last) || last < first)
        return outside(1, first);
    return Range(*this, {0, xls::kMaxRows - 1, first - 1, last - 1});
}

Range Worksheet::usedRange() const {
    return Range(*this, usedRect(model()).value_or(xls::CellRect{}));
}

Value Worksheet::value(int row, int column) const {
    const xls::Cell* cell = findCell(model(), row - 1, column - 1);
    return cell ? Value::of(*cell) : Value();
}

QString Worksheet::text(int row, int column) const {
    const xls::Cell* cell = findCell(model(), row - 1, column - 1);
    return cell ? displayText(book_->model(), *cell) : QString();
}

Result<Done> Worksheet::setValue(int row, int column, const QString& typed) const {
    auto target = cell(row, column);
    if (!target)
        return target.error();
    target->setValue(typed);
    return Done{};
}

Result<Done> Worksheet::setIdentifier(int row, int column, const QString& text) const {
    auto target = cell(row, column);
    if (!target)
        return target.error();
    target->setIdentifier(text);
    return Done{};
}

Result<Done> Worksheet::setNumber(int row, int column, double value) const {
    auto target = cell(row, column);
    if (!target)
        return target.error();
    target->setNumber(value);
    return Done{};
}

Result<Done> Worksheet::setDate(int row, int column, const QDate& date) const {
    auto target = cell(row, column);
    if (!target)
        return target.error();
    target->setDate(date);
    return Done{};
}

void Worksheet::freezePanes(int row, int column) const {
    auto& sheet = model();
    sheet.frozenRows = std::clamp(row - 1, 0, xls::kMaxRows - 1);
    sheet.frozenCols = std::clamp(column - 1, 0, xls::kMaxCols - 1);
    sheet.topRow = sheet.frozenRows;
    book_->markChanged();
}

int Worksheet::frozenRows() const {
    return model().frozenRows;
}

int Worksheet::frozenColumns() const {
    return model().frozenCols;
}

void Worksheet::autoFitColumns(const TextMeasure& measure) const {
    usedRange().autoFitColumns(measure);
}

int Worksheet::columnWidth(int column) const {
    const auto& sheet = model();
    for (const auto& info : sheet.columns) {
        if (column - 1 >= info.firstCol && column - 1 <= info.lastCol)
            return info.width;
    }
    return sheet.defaultColWidth * 256 + 292;
}

void Worksheet::setColumnWidth(int column, int width) const {
    if (column < 1 || column > xls::kMaxCols)
        return;
    auto& sheet = model();
    ColumnSlots spread = spreadColumns(sheet);
    auto& slot = spread[std::size_t(column - 1)];
    if (!slot) {
        slot = xls::ColumnInfo{};
        slot->firstCol = slot->lastCol = std::uint16_t(column - 1);
    }
    slot->width = std::uint16_t(std::clamp(width, 0, 255 * 256));
    packColumns(sheet, spread);
    book_->markChanged();
}

xls::PageSetup& Worksheet::pageSetup() const {
    // Handed out to be changed: counted as a change.
    book_->markChanged();
    return model().page;
}

Result<Done> Worksheet::setPrintArea(QStringView address) const {
    const auto rect = parseAddress(address);
    if (!rect)
        return badAddress(address.toString());
    model().page.printArea = *rect;
    book_->markChanged();
    return Done{};
}

namespace {

// The header's centre section: after "&C", up to the next "&L" or "&R".
qsizetype sectionEnd(const QString& header, qsizetype from) {
    for (qsizetype i = from; i + 1 < header.size(); ++i) {
        if (header[i] != u'&')
            continue;
        const QChar next = header[i + 1].toUpper();
        if (next == u'L' || next == u'R')
            return i;
        ++i;  // "&&" and the other codes are part of the section
    }
    return header.size();
}

}  // namespace

void Worksheet::setCenterHeader(const QString& text) const {
    QString& header = model().page.header;
    QString escaped = text;
    escaped.replace(u'&', QStringLiteral("&&"));
    const qsizetype at = header.indexOf(QStringLiteral("&C"), 0, Qt::CaseInsensitive);
    if (at < 0) {
        header += QStringLiteral("&C") + escaped;
    } else {
        const qsizetype end = sectionEnd(header, at + 2);
        header.replace(at + 2, end - at - 2, escaped);
    }
    book_->markChanged();
}

QString Worksheet::centerHeader() const {
    const QString& header = model().page.header;
    const qsizetype at = header.indexOf(QStringLiteral("&C"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    QString section = header.mid(at + 2, sectionEnd(header, at + 2) - at - 2);
    return section.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

Result<Done> Worksheet::setPrintZoom(int percent) const {
    if (percent < 10 || percent > 400)
        return Error{
            Error::Kind::BadAddress,
            QStringLiteral("Lo zoom di stampa va da 10 a 400: %1 non è ammesso.").arg(percent)};
    model().page.scale = std::uint16_t(percent);
    model().page.fitToPage = false;
    book_->markChanged();
    return Done{};
}

void Worksheet::setFitToPages(int wide, int tall) const {
    model().page.fitWidth = std::uint16_t(std::clamp(wide, 0, 32767));
    model().page.fitHeight = std::uint16_t(std::clamp(tall, 0, 32767));
    model().page.fitToPage = true;
    book_->markChanged();
}

Result<Done> Worksheet::setScrollArea(QStringView address) const {
    const auto rect = parseAddress(address);
    if (!rect)
        return badAddress(address.toString());
    model().scrollArea = *rect;
    return Done{};
}

std::optional<xls::CellRect> Worksheet::scrollArea() const {
    return model().scrollArea;
}

void Worksheet::protect() const {
    model().protection = xls::Protection{true, 0};
    book_->markChanged();
}

void Worksheet::unprotect() const {
    model().protection = xls::Protection{};
    book_->markChanged();
}

bool Worksheet::isProtected() const {
    return model().protection.locked;
}

}  // namespace store
