#include "receivables/listed_invoices_model.h"

#include "registers/receivables_lists.h"

namespace receivables {

namespace {

constexpr int kTwipsPerPixel = 15;

}  // namespace

int pixelsOfTwips(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

ListedInvoicesModel::ListedInvoicesModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListedInvoicesModel::show(const store::Worksheet& sheet, int rows,
                               std::vector<ListColumn> columns) {
    beginResetModel();
    sheet_ = sheet;
    rows_ = rows;
    columns_ = std::move(columns);
    endResetModel();
}

void ListedInvoicesModel::clear() {
    beginResetModel();
    sheet_.reset();
    rows_ = 0;
    columns_.clear();
    endResetModel();
}

int ListedInvoicesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ListedInvoicesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListedInvoicesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !sheet_ || index.row() >= rows_ ||
        index.column() >= int(columns_.size()))
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return sheet_->text(registers::receivables::kFirstListRow + index.row(),
                                registers::receivables::Id + index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(columns_[std::size_t(index.column())].alignment |
                                       Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ListedInvoicesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return columns_[std::size_t(section)].header;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[std::size_t(section)].alignment | Qt::AlignVCenter);
    return {};
}

}  // namespace receivables
