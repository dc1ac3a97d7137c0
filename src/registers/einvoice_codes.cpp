#include "registers/einvoice_codes.h"

#include "registers/amount.h"
#include "registers/cell_writes.h"
#include "store/address.h"
#include "store/range.h"
#include "store/sheet_idioms.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

#include <QRegularExpression>

namespace registers {

namespace {

constexpr int kFirstRow = 2;

// Column of each block's key, code and payment reason (0 = none).
struct Columns {
    int key;
    int code;
    int reason;
};
constexpr Columns kListColumns[] = {
    {1, 2, 0},  // A INPS/Cassa item, B cassa type
    {3, 4, 0},  // C exemption item, D Natura
    {5, 6, 7},  // E withholding item, F withholding type, G payment reason
    {8, 9, 0},  // H payment type, I payment method
};
constexpr int kClientIdColumn = 10;       // J
constexpr int kClientNameColumn = 11;     // K
constexpr int kRecipientCodeColumn = 12;  // L
constexpr int kPecColumn = 13;            // M
constexpr int kRegimeColumn = 14;         // N, value in N2
constexpr int kCountryColumn = 15;        // O
constexpr int kForeignVatColumn = 16;     // P
constexpr int kPaymentDaysColumn = 17;    // Q, beside the payment items of H
constexpr int kProgressiveColumn = store::columnOf("IV");

const Columns& columnsOf(CodedList list) {
    return kListColumns[int(list)];
}

bool rateIs(const QString& item, int percent) {
    const std::optional<Rate> rate = Rate::parse(item);
    return rate && *rate == Rate::fromBillionths(std::int64_t(percent) * 1'000'000'000);
}

bool mentions(const QString& item, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (item.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    return false;
}

QString defaultNature(const QString& item) {
    // Services to a business abroad: outside Italian VAT by art. 7-ter.
    if (mentions(item, {"7-ter", "7 ter", "7ter"}))
        return QStringLiteral("N2.1");
    if (mentions(item, {"forfett", "minimi", "190/2014", "fuori campo", "non soggett"}))
        return QStringLiteral("N2.2");
    if (mentions(item, {"art. 15", "art.15", "art 15", "esclus"}))
        return QStringLiteral("N1");
    if (mentions(item, {"reverse", "inversione contabile"}))
        return QStringLiteral("N6.9");
    if (mentions(item, {"esent", "art. 10", "art.10", "art 10"}))
        return QStringLiteral("N4");
    return {};
}

QString defaultPaymentMethod(const QString& item) {
    if (mentions(item, {"bonific"}))
        return QStringLiteral("MP05");
    if (mentions(item, {"assegno circolare"}))
        return QStringLiteral("MP03");
    if (mentions(item, {"assegno"}))
        return QStringLiteral("MP02");
    if (mentions(item, {"contant"}))
        return QStringLiteral("MP01");
    if (mentions(item, {"postale"}))
        return QStringLiteral("MP18");
    if (mentions(item, {"carta", "bancomat", "pos"}))
        return QStringLiteral("MP08");
    if (mentions(item, {"riba", "ri.ba", "ricevuta bancaria"}))
        return QStringLiteral("MP12");
    if (mentions(item, {"pagopa"}))
        return QStringLiteral("MP23");
    return {};
}

// Key cell text -> row, from row 2 down to the first empty key.
QHash<QString, int> readKeys(const store::Worksheet& sheet, int keyColumn) {
    QHash<QString, int> rows;
    for (int row = kFirstRow;; ++row) {
        const QString key = sheet.text(row, keyColumn);
        if (key.isEmpty())
            break;
        if (!rows.contains(key))
            rows.insert(key, row);
    }
    return rows;
}

}  // namespace

const SheetLayout& einvoiceCodesLayout() {
    static const SheetLayout layout{
        kEinvoiceCodesSheet,
        {QStringLiteral("INPS/CASSA"), QStringLiteral("TIPO CASSA"),
         QStringLiteral("ESENZIONE IVA"), QStringLiteral("NATURA"), QStringLiteral("RITENUTA"),
         QStringLiteral("TIPO RITENUTA"), QStringLiteral("CAUSALE PAGAMENTO"),
         QStringLiteral("TIPO PAGAMENTO"), QStringLiteral("MODALITA PAGAMENTO"),
         QStringLiteral("ID CLIENTE"), QStringLiteral("CLIENTE"),
         QStringLiteral("CODICE DESTINATARIO"), QStringLiteral("PEC"),
         QStringLiteral("REGIME FISCALE"), QStringLiteral("PAESE"),
         QStringLiteral("PARTITA IVA ESTERA"), QStringLiteral("GIORNI SCADENZA")},
        false,
        // Every column: items, codes and identifiers are kept exactly as written.
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
        {kProgressiveColumn},
    };
    return layout;
}

void prepareEinvoiceCodesSheet(store::WorkbookStore& store) {
    const SheetLayout& layout = einvoiceCodesLayout();
    writeLayout(store.ensureSheet(layout.sheet), layout);
}

store::Result<store::Worksheet> einvoiceCodesSheet(store::Workbook& book) {
    auto sheet = book.sheet(kEinvoiceCodesSheet);
    if (!sheet) {
        return store::Error{sheet.error().kind,
                            QStringLiteral("I codici della fattura elettronica non sono "
                                           "disponibili: ") +
                                sheet.error().message};
    }
    return *sheet;
}

void forgetClientAddressing(store::WorkbookStore& store) {
    clearBelowHeader(store.workbook(), einvoiceCodesLayout(), kClientIdColumn, kPecColumn);
    clearBelowHeader(store.workbook(), einvoiceCodesLayout(), kCountryColumn, kForeignVatColumn);
}

void keepLastProgressive(store::Workbook& current, store::Workbook& restored) {
    auto sheet = current.sheet(kEinvoiceCodesSheet);
    if (!sheet)
        return;
    const qint64 sent = EinvoiceCodes(*sheet).lastProgressive();
    if (sent == 0)
        return;
    EinvoiceCodes kept(restored.ensureSheet(kEinvoiceCodesSheet));
    if (sent > kept.lastProgressive())
        kept.setLastProgressive(sent);
}

ItemCodes defaultCodes(CodedList list, const QString& item) {
    switch (list) {
        case CodedList::Cassa:
            return {};
        case CodedList::Exemption:
            return {defaultNature(item), {}};
        case CodedList::Withholding:
            if (rateIs(item, 20))
                return {QStringLiteral("RT01"), QStringLiteral("A")};
            return {};
        case CodedList::Payment:
            return {defaultPaymentMethod(item), {}};
    }
    return {};
}

int proposedPaymentDays(const QString& item) {
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QRegularExpressionMatch found = number.match(item);
    if (!found.hasMatch() || found.capturedLength() > 3)
        return 0;
    const int days = found.captured().toInt();
    return days <= kMostPaymentDays ? days : 0;
}

EinvoiceCodes::EinvoiceCodes(store::Worksheet sheet) : sheet_(sheet) {
    for (CodedList list :
         {CodedList::Cassa, CodedList::Exemption, CodedList::Withholding, CodedList::Payment})
        rows_[int(list)] = readKeys(sheet_, columnsOf(list).key);
    clientRows_ = readKeys(sheet_, kClientIdColumn);
}

ItemCodes EinvoiceCodes::codes(CodedList list, const QString& item) const {
    const Columns& columns = columnsOf(list);
    const auto found = rows_[int(list)].constFind(item);
    if (found == rows_[int(list)].cend())
        return defaultCodes(list, item);
    ItemCodes stored{sheet_.text(*found, columns.code),
                     columns.reason ? sheet_.text(*found, columns.reason) : QString()};
    if (stored.code.isEmpty())
        return defaultCodes(list, item);
    return stored;
}

bool EinvoiceCodes::surchargeWithheld(const QString& cassaItem) const {
    return codes(CodedList::Cassa, cassaItem).code == kInpsSeparateScheme;
}

int EinvoiceCodes::paymentDays(const QString& paymentItem) const {
    const QHash<QString, int>& rows = rows_[int(CodedList::Payment)];
    const auto found = rows.constFind(paymentItem);
    if (found != rows.cend()) {
        bool isNumber = false;
        const int stored = sheet_.text(*found, kPaymentDaysColumn).toInt(&isNumber);
        if (isNumber && stored >= 0 && stored <= kMostPaymentDays)
            return stored;
    }
    return proposedPaymentDays(paymentItem);
}

void EinvoiceCodes::setPaymentDays(const QString& paymentItem, int days) {
    const int row =
        upsertRow(columnsOf(CodedList::Payment).key, paymentItem, rows_[int(CodedList::Payment)]);
    expectWritten(sheet_.setIdentifier(row, kPaymentDaysColumn, QString::number(days)));
}

int EinvoiceCodes::upsertRow(int keyColumn, const QString& key, QHash<QString, int>& rows) {
    if (const auto found = rows.constFind(key); found != rows.cend())
        return *found;
    const std::optional<int> free = store::firstFreeRow(sheet_, keyColumn, kFirstRow);
    Q_ASSERT_X(free, "EinvoiceCodes", "a code list never fills a sheet");
    expectWritten(sheet_.setIdentifier(*free, keyColumn, key));
    rows.insert(key, *free);
    return *free;
}

void EinvoiceCodes::setCodes(CodedList list, const QString& item, const ItemCodes& codes) {
    const Columns& columns = columnsOf(list);
    const int row = upsertRow(columns.key, item, rows_[int(list)]);
    expectWritten(sheet_.setIdentifier(row, columns.code, codes.code));
    if (columns.reason)
        expectWritten(sheet_.setIdentifier(row, columns.reason, codes.reason));
}

ClientAddressing EinvoiceCodes::addressing(const QString& clientId) const {
    const auto found = clientRows_.constFind(clientId);
    if (found == clientRows_.cend())
        return {kNoRecipientCode, {}};
    ClientAddressing stored{sheet_.text(*found, kRecipientCodeColumn),
                            sheet_.text(*found, kPecColumn), sheet_.text(*found, kCountryColumn),
                            sheet_.text(*found, kForeignVatColumn)};
    if (stored.recipientCode.isEmpty())
        stored.recipientCode = kNoRecipientCode;
    // A row written before clients had a country is a client in Italy.
    if (stored.country.isEmpty())
        stored.country = kItaly;
    return stored;
}

void EinvoiceCodes::setAddressing(const QString& clientId, const QString& clientName,
                                  const ClientAddressing& addressing) {
    const int row = upsertRow(kClientIdColumn, clientId, clientRows_);
    expectWritten(sheet_.setIdentifier(row, kClientNameColumn, clientName));
    expectWritten(sheet_.setIdentifier(row, kRecipientCodeColumn, addressing.recipientCode));
    expectWritten(sheet_.setIdentifier(row, kPecColumn, addressing.pec));
    expectWritten(sheet_.setIdentifier(row, kCountryColumn, addressing.country));
    expectWritten(sheet_.setIdentifier(row, kForeignVatColumn, addressing.foreignVat));
}

QStringList EinvoiceCodes::addressedClients() const {
    QStringList addressed;
    for (auto it = clientRows_.cbegin(); it != clientRows_.cend(); ++it) {
        if (addressing(it.key()) != ClientAddressing{kNoRecipientCode, {}, kItaly, {}})
            addressed << it.key();
    }
    return addressed;
}

QString EinvoiceCodes::taxRegime() const {
    const QString stored = sheet_.text(kFirstRow, kRegimeColumn);
    return stored.isEmpty() ? kOrdinaryRegime : stored;
}

bool EinvoiceCodes::taxRegimeChosen() const {
    return !sheet_.text(kFirstRow, kRegimeColumn).isEmpty();
}

void EinvoiceCodes::setTaxRegime(const QString& regime) {
    expectWritten(sheet_.setIdentifier(kFirstRow, kRegimeColumn, regime));
}

qint64 EinvoiceCodes::lastProgressive() const {
    const std::optional<double> last = store::counter(sheet_, kProgressiveColumn);
    return last ? qint64(*last) : 0;
}

void EinvoiceCodes::setLastProgressive(qint64 progressive) {
    expectWritten(store::setCounter(sheet_, kProgressiveColumn, double(progressive)));
}

}  // namespace registers
