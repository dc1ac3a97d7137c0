#include "clients/client_sheet.h"

#include "store/address.h"
#include "store/number_text.h"
#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/typed_entry.h"

namespace clients {

namespace {

constexpr int kHeaderRow = 1;
constexpr int kFirstClientRow = 2;
constexpr int kCounterColumn = store::columnOf("IV");

// Columns whose text is kept exactly as typed: names, addresses and the
// identifiers (postal code, telephones, tax code, VAT number, IBAN), so that
// "00185" stays "00185" and a name such as "2000" stays a name.
constexpr Column kTextColumns[] = {Name,  Address, PostalCode, Town, Province, Phone, Fax, Mobile,
                                   Email, TaxCode, VatNumber,  Iban, Contact,  Notes};

}  // namespace

QString identifierText(double identifier) {
    return store::formatGeneral(identifier);
}

QStringList ClientSheet::names() const {
    return store::listTexts(sheet_, Name, kFirstClientRow);
}

QStringList ClientSheet::headers() const {
    QStringList out;
    for (int column = Id; column <= kClientColumns; ++column)
        out << sheet_.text(kHeaderRow, column);
    return out;
}

ClientRecord ClientSheet::row(int row) const {
    ClientRecord client;
    for (int column = Id; column <= kClientColumns; ++column)
        client[Column(column)] = sheet_.text(row, column);
    return client;
}

std::vector<ClientRecord> ClientSheet::rows() const {
    std::vector<ClientRecord> out;
    for (int r = kFirstClientRow; !sheet_.value(r, Id).isEmpty(); ++r)
        out.push_back(row(r));
    return out;
}

std::optional<int> ClientSheet::firstFreeRow() const {
    return store::firstFreeRow(sheet_, Id);
}

std::optional<int> ClientSheet::add(const ClientRecord& client) {
    const std::optional<int> free = firstFreeRow();
    if (!free)
        return std::nullopt;
    const double identifier = ensureCounter();
    sheet_.setNumber(*free, Id, identifier);
    writeFields(*free, client);
    if (const auto date = store::readItalianDate(client[Date]))
        sheet_.setDate(*free, Date, *date);
    else
        sheet_.setValue(*free, Date, QString());
    setCounter(identifier + 1);
    return free;
}

void ClientSheet::update(int row, const ClientRecord& client) {
    Q_ASSERT_X(row >= kFirstClientRow, "ClientSheet::update", "the header row is never a client");
    if (const auto identifier = store::readRegionalNumber(client[Id]))
        sheet_.setNumber(row, Id, *identifier);
    else
        sheet_.setValue(row, Id, client[Id]);
    writeFields(row, client);
    sheet_.setValue(row, Date, client[Date]);
}

void ClientSheet::writeFields(int row, const ClientRecord& client) {
    for (const Column column : kTextColumns)
        sheet_.setIdentifier(row, column, client[column]);
}

bool ClientSheet::removeIdentifier(double identifier) {
    const std::optional<int> found =
        store::findRowByNumber(sheet_, Id, identifier, kFirstClientRow);
    if (!found)
        return false;
    removeRow(*found);
    return true;
}

std::optional<int> ClientSheet::findClient(const QString& identifier, const QString& name) const {
    for (int r = kFirstClientRow; !sheet_.value(r, Id).isEmpty(); ++r) {
        if (sheet_.text(r, Id) == identifier && sheet_.text(r, Name) == name)
            return r;
    }
    return std::nullopt;
}

void ClientSheet::removeRow(int row) {
    Q_ASSERT_X(row >= kFirstClientRow, "ClientSheet::removeRow",
               "the header row is never a client");
    store::removeRow(sheet_, row);
}

void ClientSheet::sortByName() {
    sheet_.range(u"A2:P65536")->sort(Name);
}

std::optional<double> ClientSheet::counter() const {
    return store::counter(sheet_, kCounterColumn);
}

void ClientSheet::setCounter(double next) {
    store::setCounter(sheet_, kCounterColumn, next);
}

double ClientSheet::ensureCounter() {
    if (const auto next = counter())
        return *next;
    setCounter(1);
    return 1;
}

}  // namespace clients
