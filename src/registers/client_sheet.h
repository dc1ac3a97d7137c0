#pragma once

// The client registry, sheet Anagrafe: one client per row from row 2, columns A
// (identifier) to P (notes), and in IV1 the identifier the next client receives.
// Widget-free: the client window and the readers of other areas use it alike.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

#include "registers/sheet_layout.h"
#include "store/worksheet.h"

namespace registers {

namespace client {

// The registry's columns, 1-based as the sheet numbers them.
enum Column : int {
    Id = 1,
    Name,
    Date,
    Address,
    PostalCode,
    Town,
    Province,
    Phone,
    Fax,
    Mobile,
    Email,
    TaxCode,
    VatNumber,
    Iban,
    Contact,
    Notes,
};
inline constexpr int kColumns = Notes;
// The registry's first client row, under the headers.
inline constexpr int kFirstRow = 2;

}  // namespace client

using ClientColumn = client::Column;

// One client's sixteen cells as texts: what the window's fields hold, or what the
// cells show (dates as dd/mm/yyyy, identifiers as whole numbers).
class ClientRecord {
  public:
    const QString& operator[](ClientColumn column) const { return cells_[std::size_t(column - 1)]; }
    QString& operator[](ClientColumn column) { return cells_[std::size_t(column - 1)]; }
    bool operator==(const ClientRecord&) const = default;

  private:
    std::array<QString, client::kColumns> cells_;
};

// The sheet Anagrafe of `book`, or why it cannot be reached.
store::Result<store::Worksheet> clientSheet(store::Workbook& book);

// A cell of the registry's counter as the identifier field shows it ("7").
QString identifierText(double identifier);

class ClientSheet {
  public:
    explicit ClientSheet(store::Worksheet sheet) : sheet_(sheet) {}

    store::Worksheet worksheet() const { return sheet_; }

    // The names of column B from row 2 down to the first empty one, in row order;
    // list position p stands for sheet row p + 2.
    QStringList names() const;
    // The header texts of A1 to P1.
    QStringList headers() const;
    // The cells of row `row` as they are shown.
    ClientRecord row(int row) const;
    // Rows 2.. up to the first empty identifier: every client row, as shown.
    std::vector<ClientRecord> rows() const;

    // Where the next client goes: the first row whose identifier is empty (2 on an
    // empty registry); none when the registry is full.
    std::optional<int> firstFreeRow() const;

    // Adds a client at the first free row with the counter's identifier (1 when
    // the counter is not set) and moves the counter one up. The date is stored
    // as a date, left empty when it is not one. The row written; a full registry
    // is an error, and nothing is written.
    RowChange add(const ClientRecord& client);
    // Writes row `row` (2 or below) from `client`; the date is stored as a date
    // when it reads as one, as text otherwise.
    void update(int row, const ClientRecord& client);

    // Removes the first client row whose identifier equals `identifier`: the row
    // it was, or an error when no row carries it.
    RowChange removeIdentifier(double identifier);
    // The first client row that carries both this identifier and this name, as
    // shown: how a chosen client is found again after the rows moved.
    std::optional<int> findClient(const QString& identifier, const QString& name) const;
    // The first client row whose identifier is `identifier`, as shown; none when no
    // row carries it.
    std::optional<ClientRecord> byIdentifier(const QString& identifier) const;
    // Removes client row `row` (2 or below); the rows below move up.
    void removeRow(int row);

    // Orders the client rows by name, letter case aside; the header row stays.
    void sortByName();

    // The identifier the next client receives; none when IV1 holds no number.
    std::optional<double> counter() const;
    void setCounter(double next);
    // The counter, set to 1 first when it holds no number.
    double ensureCounter();

  private:
    // Writes B to P of `row`; the date is the caller's business.
    void writeFields(int row, const ClientRecord& client);

    store::Worksheet sheet_;
};

}  // namespace registers
