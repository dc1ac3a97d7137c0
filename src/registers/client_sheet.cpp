#include "registers/client_sheet.h"

#include "registers/cell_writes.h"
#include "store/workbook_store.h"

#include "store/address.h"
#include "store/number_text.h"
#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/typed_entry.h"

namespace registers {

using namespace client;

namespace {

constexpr int kHeaderRow = 1;
constexpr int kFirstClientRow = 2;
constexpr int kCounterColumn = store::columnOf("IV");
// Telefono, Fax, Cellulare, Codice Fiscale, Partita IVA, IBAN, Annotazioni.
constexpr int kTextFormatColumns[] = {Phone, Fax, Mobile, TaxCode, VatNumber, Iban, Notes};

// Columns whose text is kept exactly as typed: names, addresses and the
// identifiers (postal code, telephones, tax code, VAT number, IBAN), so that
// "00185" stays "00185" and a name such as "2000" stays a name.
constexpr Column kTextColumns[] = {Name,  Address, PostalCode, Town, Province, Phone, Fax, Mobile,
                                   Email, TaxCode, VatNumber,  Iban, Contact,  Notes};

}  // namespace

const SheetLayout& clientLayout() {
    static const SheetLayout layout{
        store::kClientsSheet,
        {QStringLiteral("ID"), QStringLiteral("Ragione Sociale/Cognome Nome"),
         QStringLiteral("Data"), QStringLiteral("Indirizzo"), QStringLiteral("CAP"),
         QStringLiteral("Località"), QStringLiteral("PR"), QStringLiteral("Telefono"),
         QStringLiteral("Fax"), QStringLiteral("Cellulare"), QStringLiteral("Email"),
         QStringLiteral("Codice Fiscale"), QStringLiteral("Partita IVA"), QStringLiteral("IBAN"),
         QStringLiteral("Referente/Rappresentante"), QStringLiteral("Annotazioni")},
        false,
        {std::begin(kTextFormatColumns), std::end(kTextFormatColumns)},
        {kCounterColumn},
    };
    return layout;
}

store::Result<store::Worksheet> clientSheet(store::Workbook& book) {
    return layoutSheet(book, clientLayout(),
                       QStringLiteral("L'archivio dei clienti non è disponibile: "));
}

QString identifierText(double identifier) {
    return store::formatGeneral(identifier);
}

QStringList ClientSheet::names() const {
    return store::listTexts(sheet_, Name, kFirstClientRow);
}

QStringList ClientSheet::headers() const {
    QStringList out;
    for (int column = Id; column <= kColumns; ++column)
        out << sheet_.text(kHeaderRow, column);
    return out;
}

ClientRecord ClientSheet::row(int row) const {
    ClientRecord client;
    for (int column = Id; column <= kColumns; ++column)
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

RowChange ClientSheet::add(const ClientRecord& client) {
    const std::optional<int> free = firstFreeRow();
    if (!free)
        return store::Error{store::Error::Kind::Full,
                            QStringLiteral("L'archivio dei clienti è pieno: il cliente non è "
                                           "stato inserito.")};
    const double identifier = ensureCounter();
    expectWritten(sheet_.setNumber(*free, Id, identifier));
    writeFields(*free, client);
    if (const auto date = store::readItalianDate(client[Date]))
        expectWritten(sheet_.setDate(*free, Date, *date));
    else
        expectWritten(sheet_.setValue(*free, Date, QString()));
    setCounter(identifier + 1);
    return *free;
}

void ClientSheet::update(int row, const ClientRecord& client) {
    Q_ASSERT_X(row >= kFirstClientRow, "ClientSheet::update", "the header row is never a client");
    if (const auto identifier = store::readRegionalNumber(client[Id]))
        expectWritten(sheet_.setNumber(row, Id, *identifier));
    else
        expectWritten(sheet_.setValue(row, Id, client[Id]));
    writeFields(row, client);
    expectWritten(sheet_.setValue(row, Date, client[Date]));
}

void ClientSheet::writeFields(int row, const ClientRecord& client) {
    for (const Column column : kTextColumns)
        expectWritten(sheet_.setIdentifier(row, column, client[column]));
}

RowChange ClientSheet::removeIdentifier(double identifier) {
    const std::optional<int> found =
        store::findRowByNumber(sheet_, Id, identifier, kFirstClientRow);
    if (!found)
        return store::Error{store::Error::Kind::NoSuchRecord,
                            QStringLiteral("Nessun cliente ha l'identificativo %1: nessun cliente "
                                           "è stato eliminato.")
                                .arg(identifierText(identifier))};
    removeRow(*found);
    return *found;
}

std::optional<int> ClientSheet::findClient(const QString& identifier, const QString& name) const {
    for (int r = kFirstClientRow; !sheet_.value(r, Id).isEmpty(); ++r) {
        if (sheet_.text(r, Id) == identifier && sheet_.text(r, Name) == name)
            return r;
    }
    return std::nullopt;
}

std::optional<ClientRecord> ClientSheet::byIdentifier(const QString& identifier) const {
    for (int r = kFirstClientRow; !sheet_.value(r, Id).isEmpty(); ++r) {
        if (sheet_.text(r, Id) == identifier.trimmed())
            return row(r);
    }
    return std::nullopt;
}

void ClientSheet::removeRow(int row) {
    Q_ASSERT_X(row >= kFirstClientRow, "ClientSheet::removeRow",
               "the header row is never a client");
    expectWritten(store::removeRow(sheet_, row));
}

void ClientSheet::sortByName() {
    sheet_.range(u"A2:P65536")->sort(Name);
}

std::optional<double> ClientSheet::counter() const {
    return store::counter(sheet_, kCounterColumn);
}

void ClientSheet::setCounter(double next) {
    expectWritten(store::setCounter(sheet_, kCounterColumn, next));
}

double ClientSheet::ensureCounter() {
    if (const auto next = counter())
        return *next;
    setCounter(1);
    return 1;
}

}  // namespace registers
