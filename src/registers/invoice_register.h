#pragma once

// The invoice register's operations over the sheet Fatture (its layout in
// invoice_layout.h): the two counters, appending an invoice at the first free row,
// rewriting one by its record number, and listing every row. Widget-free.

#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "registers/invoice_layout.h"
#include "store/store_error.h"
#include "store/worksheet.h"

namespace registers {

// One invoice's seventeen cells A..Q as texts: what the entry window's fields hold,
// or what the cells show.
class InvoiceRecord {
  public:
    const QString& operator[](InvoiceColumn column) const {
        return cells_[std::size_t(column - 1)];
    }
    QString& operator[](InvoiceColumn column) { return cells_[std::size_t(column - 1)]; }
    bool operator==(const InvoiceRecord&) const = default;

  private:
    std::array<QString, invoice::kColumns> cells_;
};

// The proposed record number (IU1) and invoice number (IV1), as the fields show them.
struct InvoiceCounters {
    QString record;
    QString number;
};

// What stands in P while an invoice is not collected, and in H and L when a
// modification left them empty.
inline const QString kStarMark = QStringLiteral("*");

class InvoiceRegister {
  public:
    explicit InvoiceRegister(store::Worksheet sheet) : sheet_(sheet) {}

    store::Worksheet worksheet() const { return sheet_; }

    // IU1 and IV1, each first set to 1 when it holds no number.
    InvoiceCounters ensureCounters();

    // The header texts of A1..Q1.
    QStringList headers() const;
    // Rows 2.. down to the first empty record number, in sheet order, as shown.
    std::vector<InvoiceRecord> rows() const;
    // How many rows the listing gives.
    int rowCount() const;
    // The cells of row `row` as they are shown.
    InvoiceRecord row(int row) const;

    // The invoice numbered `number` among those dated (dd/mm/yyyy) in `year`, other than
    // the one with record number `exceptId`; none when the number is free in that year.
    std::optional<InvoiceRecord> numbered(const QString& number, int year,
                                          const QString& exceptId = QString()) const;
    // `number` when it is free in `year`; else the first whole number after it that is.
    // Never `issuedUpTo` or below: numbers the year gave before the register was
    // emptied. A number that does not read as a whole number is given back as it is.
    QString firstFreeNumber(const QString& number, int year, qint64 issuedUpTo = 0) const;
    // The highest whole number of each year in the register.
    std::map<int, qint64> lastNumbers() const;

    // Writes the seventeen cells of `invoice` into the first free row (each cell on
    // its own; P gets "*" when the collection date is empty), then IU1 = record
    // number + 1 and IV1 = invoice number + 1. A number that does not read as one
    // leaves its counter as it was. The row written; a full register is an error
    // and nothing is written.
    RowChange append(const InvoiceRecord& invoice);

    // Overwrites B..Q of the row whose record number is `invoice[Id]`; an empty
    // surcharge or exempt amount becomes "*", and so does an empty collection date.
    // Column A and the counters stay. The row rewritten; an error, with nothing
    // written, when no row carries that record number.
    RowChange rewrite(const InvoiceRecord& invoice);

    // Writes `date` (dd/mm/yyyy, or empty for "*") into column P of the row whose
    // record number is `id`, as rewrite() writes it; the other cells stay. The row
    // written; an error, with nothing written, when no row carries that number.
    RowChange setCollection(const QString& id, const QString& date);

  private:
    // The row whose record number is `id`; an error naming it when there is none.
    RowChange rowOfRecord(const QString& id) const;
    void writeCell(int row, InvoiceColumn column, const QString& text);

    store::Worksheet sheet_;
};

}  // namespace registers
