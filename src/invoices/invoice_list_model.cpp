#include "invoices/invoice_list_model.h"

#include <array>

#include "registers/credit_notes.h"

namespace invoices {

using namespace registers::invoice;

namespace {

constexpr int kTwipsPerPixel = 15;

struct ColumnLook {
    int twips;
    bool right;
};

// A..Q: record number, client, client ID, number, date, description, the amounts,
// exemption, collection date, payment type.
constexpr std::array<ColumnLook, kColumns> kLooks = {{
    {800, false},
    {3000, false},
    {800, false},
    {900, false},
    {1500, true},
    {4000, false},
    {2000, true},
    {2000, true},
    {2000, true},
    {2000, true},
    {3000, true},
    {2000, true},
    {2000, true},
    {2000, true},
    {2000, true},
    {1500, true},
    {2000, false},
}};

constexpr ColumnLook kStateLook = {4500, false};

const ColumnLook& lookOf(int column) {
    return column == InvoiceListModel::kStateColumn ? kStateLook : kLooks[std::size_t(column)];
}

}  // namespace

InvoiceListModel::InvoiceListModel(QObject* parent) : QAbstractTableModel(parent) {}

void InvoiceListModel::fill(const registers::InvoiceRegister& book, registers::SdiStates states,
                            const QSet<QString>& creditNotes) {
    beginResetModel();
    creditNotes_ = creditNotes;
    sheet_ = book.worksheet();
    states_ = std::move(states);
    headers_ = book.headers();
    headers_ << QStringLiteral("Stato SDI");
    rows_ = book.rowCount();
    endResetModel();
}

void InvoiceListModel::clear() {
    beginResetModel();
    sheet_.reset();
    states_.reset();
    creditNotes_.clear();
    headers_.clear();
    rows_ = 0;
    endResetModel();
}

int InvoiceListModel::columnWidth(int column) {
    return (lookOf(column).twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

Qt::Alignment InvoiceListModel::columnAlignment(int column) {
    return (lookOf(column).right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QString InvoiceListModel::text(int line, int column) const {
    if (!sheet_ || line < 0 || line >= rows_)
        return {};
    if (column == kStateColumn) {
        const auto state = states_->of(sheet_->text(registers::invoice::kFirstRow + line, Id));
        return state ? state->stateText() : QString();
    }
    return sheet_->text(registers::invoice::kFirstRow + line, column + 1);
}

registers::InvoiceRecord InvoiceListModel::invoice(int line) const {
    registers::InvoiceRecord record;
    for (int column = 0; column < kColumns; ++column)
        record[registers::InvoiceColumn(column + 1)] = text(line, column);
    return record;
}

int InvoiceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int InvoiceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || headers_.isEmpty() ? 0 : kColumns + 1;
}

QVariant InvoiceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        QString shown = text(index.row(), index.column());
        // A description over several lines shows on one line of the list.
        if (role == Qt::DisplayRole)
            shown.replace(u'\n', u' ');
        if (index.column() == Number - 1)
            shown =
                registers::listedNumber(shown, creditNotes_.contains(text(index.row(), Id - 1)));
        return shown;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columnAlignment(index.column()));
    return {};
}

QVariant InvoiceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size())
        return {};
    if (role == Qt::DisplayRole)
        return headers_[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columnAlignment(section));
    return {};
}

}  // namespace invoices
