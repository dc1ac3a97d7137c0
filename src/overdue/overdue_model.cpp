#include "overdue/overdue_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <array>

#include "app/date_text.h"

namespace overdue {

namespace {

using registers::overdue::Line;

struct ColumnLook {
    const char* header;
    int width;
    Qt::Alignment alignment;
};

constexpr std::array<ColumnLook, OverdueModel::ColumnCount> kColumns = {{
    {"ID", 60, Qt::AlignLeft},
    {"CLIENTE", 270, Qt::AlignLeft},
    {"N.FATT.", 70, Qt::AlignLeft},
    {"DATA", 90, Qt::AlignLeft},
    {"SCADENZA", 90, Qt::AlignLeft},
    {"GIORNI DI RITARDO", 130, Qt::AlignRight},
    {"TOTALE FT", 100, Qt::AlignRight},
    {"DA INCASSARE", 110, Qt::AlignRight},
}};

}  // namespace

OverdueModel::OverdueModel(QObject* parent) : QAbstractTableModel(parent) {}

void OverdueModel::show(registers::overdue::List list) {
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

int OverdueModel::width(Column column) {
    return kColumns[std::size_t(column)].width;
}

int OverdueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(list_.lines.size());
}

int OverdueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString OverdueModel::text(const Line& line, int column) const {
    switch (Column(column)) {
        case Id:
            return line.id;
        case Client: {
            if (!line.creditNote)
                return line.client;
            const QString note =
                QStringLiteral("Nota di credito (storno fatt. n. %1)").arg(line.correctedNumber);
            // Under its invoice the client is the line above.
            return line.underInvoice ? QStringLiteral("    ") + note
                                     : line.client + QStringLiteral(" - ") + note;
        }
        case Number:
            return line.number;
        case Date:
            return app::dateText(line.date);
        case Due:
            return line.underInvoice ? QString() : app::dateText(line.due);
        case DaysLate:
            return !line.underInvoice && line.isLate() ? QString::number(line.daysLate) : QString();
        case Total:
            return line.total.text();
        case Owed:
            return line.net.text();
        case ColumnCount:
            break;
    }
    return {};
}

QVariant OverdueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Line& line = list_.lines[std::size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return text(line, index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(kColumns[std::size_t(index.column())].alignment |
                                       Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (index.column() == DaysLate && line.isLate())
                return QBrush(QColor(190, 0, 0));
            return {};
        case Qt::FontRole:
            if (line.creditNote) {
                QFont italic;
                italic.setItalic(true);
                return italic;
            }
            return {};
        default:
            return {};
    }
}

QVariant OverdueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kColumns[std::size_t(section)].header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumns[std::size_t(section)].alignment | Qt::AlignVCenter);
    return {};
}

}  // namespace overdue
