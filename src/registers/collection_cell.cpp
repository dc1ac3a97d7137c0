#include "registers/collection_cell.h"

#include "registers/invoice_layout.h"
#include "registers/invoice_register.h"
#include "store/typed_entry.h"
#include "store/workbook.h"

namespace registers {

CollectionCell collectionOf(const store::Value& cell, bool date1904) {
    if (cell.isEmpty())
        return {};
    if (cell.isText()) {
        const QString text = cell.toString().trimmed();
        if (text.isEmpty() || text == kStarMark)
            return {};
        if (const std::optional<QDate> day = store::readItalianDate(text); day && day->isValid())
            return {CollectionState::Collected, *day};
        return {CollectionState::Unreadable, {}};
    }
    if (const std::optional<QDate> day = store::dateOfCell(cell, date1904); day && day->isValid())
        return {CollectionState::Collected, *day};
    return {CollectionState::Unreadable, {}};
}

CollectionCell collectionOf(const store::Worksheet& invoices, int row) {
    return collectionOf(invoices.value(row, invoice::Collection),
                        invoices.workbook().model().date1904);
}

QString invoiceNamed(const store::Worksheet& invoices, int row) {
    return QStringLiteral("%1 del %2")
        .arg(invoices.text(row, invoice::Number).trimmed(),
             invoices.text(row, invoice::Date).trimmed());
}

QStringList unreadableCollections(const store::Worksheet& invoices) {
    QStringList named;
    const int end = invoice::kFirstRow + InvoiceRegister(invoices).rowCount();
    for (int row = invoice::kFirstRow; row < end; ++row) {
        if (collectionOf(invoices, row).state == CollectionState::Unreadable)
            named << invoiceNamed(invoices, row);
    }
    return named;
}

QString unreadableCollectionsText(const QStringList& invoices) {
    if (invoices.isEmpty())
        return {};
    // A long list is cut: the count says how many there are.
    constexpr qsizetype kNamed = 10;
    QString names = invoices.first(std::min(kNamed, invoices.size())).join(QStringLiteral(", "));
    if (invoices.size() > kNamed)
        names += QStringLiteral(", …");
    if (invoices.size() == 1)
        return QStringLiteral("1 data di incasso illeggibile (fattura n. %1)").arg(names);
    return QStringLiteral("%1 date di incasso illeggibili (fatture n. %2)")
        .arg(invoices.size())
        .arg(names);
}

}  // namespace registers
