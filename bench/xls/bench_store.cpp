#include "bench_store.h"

#include <QRandomGenerator>
#include <QStringList>

#include <cmath>

namespace benchstore {

namespace {

const char* const kSurnames[] = {"ROSSI",   "BIANCHI", "VERDI",   "ESPOSITO", "RUSSO",
                                 "FERRARI", "ROMANO",  "COLOMBO", "RICCI",    "MARINO",
                                 "GRECO",   "BRUNO",   "GALLO",   "CONTI",    "DE LUCA"};
const char* const kNames[] = {"MARIO", "ANNA", "LUCA", "GIULIA", "MARCO", "SARA", "PAOLO", "ELENA"};
const char* const kTowns[][3] = {{"ROMA", "RM", "00185"},   {"MILANO", "MI", "20121"},
                                 {"NAPOLI", "NA", "80133"}, {"TORINO", "TO", "10121"},
                                 {"FORLÌ", "FC", "47121"},  {"CANTÙ", "CO", "22063"}};
const char* const kWork[] = {"Consulenza professionale",
                             "Redazione bilancio",
                             "Assistenza fiscale",
                             "Dichiarazione dei redditi",
                             "Parere legale su contratto d'appalto",
                             "Perizia tecnica"};
const char* const kMonths[] = {"gennaio",   "febbraio", "marzo",    "aprile",
                               "maggio",    "giugno",   "luglio",   "agosto",
                               "settembre", "ottobre",  "novembre", "dicembre"};
const char* const kPayments[] = {"BONIFICO", "ASSEGNO", "CONTANTI", "RIBA"};

struct Formats {
    std::uint16_t date;
    std::uint16_t amount;
    std::uint16_t text;
};

void put(xls::Row& row, int col, xls::Cell cell) {
    if (row.cells.size() <= std::size_t(col))
        row.cells.resize(std::size_t(col) + 1);
    row.cells[std::size_t(col)] = std::move(cell);
}

double cents(double v) {
    return std::round(v * 100) / 100;
}

QString clientName(int i) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kSurnames[i % 15]),
                                       QString::fromUtf8(kNames[(i / 15) % 8]));
}

xls::Sheet clients(int count, const Formats& f) {
    xls::Sheet sheet;
    sheet.name = QStringLiteral("Anagrafe");
    const QStringList headers = {"ID",
                                 "Ragione Sociale/Cognome Nome",
                                 "Data",
                                 "Indirizzo",
                                 "CAP",
                                 "Località",
                                 "PR",
                                 "Telefono",
                                 "Fax",
                                 "Cellulare",
                                 "Email",
                                 "Codice Fiscale",
                                 "Partita IVA",
                                 "IBAN",
                                 "Referente/Rappresentante",
                                 "Annotazioni"};
    sheet.rows.resize(std::size_t(count) + 1);
    for (int c = 0; c < headers.size(); ++c)
        put(sheet.rows[0], c, xls::textCell(headers[c]));
    put(sheet.rows[0], 255, xls::numberCell(count + 1));
    QRandomGenerator random(5000);
    for (int i = 0; i < count; ++i) {
        xls::Row& row = sheet.rows[std::size_t(i) + 1];
        const auto* town = kTowns[i % 6];
        put(row, 0, xls::numberCell(i + 1));
        put(row, 1, xls::textCell(clientName(i) + QStringLiteral(" %1").arg(i)));
        put(row, 2, xls::numberCell(39448 + random.bounded(4000), f.date));
        put(row, 3, xls::textCell(QStringLiteral("VIA GARIBALDI %1").arg(1 + i % 300)));
        put(row, 4, xls::textCell(QString::fromUtf8(town[2]), f.text));
        put(row, 5, xls::textCell(QString::fromUtf8(town[0])));
        put(row, 6, xls::textCell(QString::fromUtf8(town[1])));
        put(row, 7, xls::textCell(QStringLiteral("06%1").arg(4400000 + i), f.text));
        if (i % 3 == 0)
            put(row, 8, xls::textCell(QStringLiteral("06%1").arg(5500000 + i), f.text));
        put(row, 9, xls::textCell(QStringLiteral("333%1").arg(1000000 + i), f.text));
        put(row, 10, xls::textCell(QStringLiteral("cliente%1@example.it").arg(i)));
        put(row, 11,
            xls::textCell(QStringLiteral("RSSMRA80A01H%1Z").arg(i % 1000, 3, 10, QChar(u'0'))));
        put(row, 12, xls::textCell(QStringLiteral("0%1").arg(1234567890 + i), f.text));
        put(row, 13,
            xls::textCell(QStringLiteral("IT60X05428111010000%1").arg(i, 8, 10, QChar(u'0'))));
        if (i % 4 == 0)
            put(row, 14, xls::textCell(clientName(i + 7)));
        if (i % 10 == 0)
            put(row, 15,
                xls::textCell(QStringLiteral("Cliente dal %1\nnote varie").arg(2000 + i % 20)));
    }
    sheet.frozenRows = 1;
    return sheet;
}

xls::Sheet invoices(int count, int clientCount, const Formats& f) {
    xls::Sheet sheet;
    sheet.name = QStringLiteral("Fatture");
    const QStringList headers = {
        "ID",           "Cliente",    "ID Cliente",  "N.Fatt.", "Data",      "Descrizione",
        "Importo",      "INPS/Cassa", "Totale Imp.", "IVA",     "Esenzione", "Importo Esenzione",
        "Totale Fatt.", "Ritenuta",   "Netto",       "Incasso", "Tramite"};
    sheet.rows.resize(std::size_t(count) + 1);
    for (int c = 0; c < headers.size(); ++c)
        put(sheet.rows[0], c, xls::textCell(headers[c]));
    put(sheet.rows[0], 254, xls::numberCell(count + 1));
    put(sheet.rows[0], 255, xls::numberCell(count + 1));
    QRandomGenerator random(32766);
    for (int i = 0; i < count; ++i) {
        xls::Row& row = sheet.rows[std::size_t(i) + 1];
        const int client = int(random.bounded(std::max(1, clientCount)));
        const double date = 39448 + i / 8;
        const double taxable = cents(50 + random.bounded(500000) / 100.0);
        const double surcharge = cents(taxable * 0.04);
        const double total = cents(taxable + surcharge);
        const bool exempt = i % 9 == 0;
        const double vat = exempt ? 0 : cents(total * 0.22);
        const double exemptAmount = exempt ? cents(random.bounded(20000) / 100.0) : 0;
        const double invoice = cents(total + vat + exemptAmount);
        const double withholding = cents(taxable * 0.2);
        put(row, 0, xls::numberCell(i + 1));
        put(row, 1, xls::textCell(clientName(client) + QStringLiteral(" %1").arg(client)));
        put(row, 2, xls::numberCell(client + 1));
        put(row, 3, xls::numberCell(i % 500 + 1));
        put(row, 4, xls::numberCell(date, f.date));
        // Most descriptions repeat month by month; some name their own file.
        QString description =
            QStringLiteral("%1 mese di %2 %3")
                .arg(QString::fromUtf8(kWork[i % 6]), QString::fromUtf8(kMonths[(i / 8) % 12]))
                .arg(2008 + i / 2920);
        if (i % 10 == 0)
            description += QStringLiteral("\npratica n. %1").arg(i + 1);
        put(row, 5, xls::textCell(description));
        put(row, 6, xls::numberCell(taxable, f.amount));
        put(row, 7, xls::numberCell(surcharge, f.amount));
        put(row, 8, xls::numberCell(total, f.amount));
        put(row, 9, xls::numberCell(vat, f.amount));
        put(row, 10,
            xls::textCell(exempt ? QStringLiteral("Art. 15 DPR 633/72") : QStringLiteral("*")));
        put(row, 11, xls::numberCell(exemptAmount, f.amount));
        put(row, 12, xls::numberCell(invoice, f.amount));
        put(row, 13, xls::numberCell(withholding, f.amount));
        put(row, 14, xls::numberCell(cents(invoice - withholding), f.amount));
        if (i % 5 == 0) {
            put(row, 15, xls::textCell(QStringLiteral("*")));
        } else {
            put(row, 15, xls::numberCell(date + 30, f.date));
        }
        put(row, 16, xls::textCell(QString::fromUtf8(kPayments[i % 4])));
    }
    sheet.frozenRows = 1;
    sheet.selected = true;
    return sheet;
}

}  // namespace

xls::Workbook makeStore(int invoiceCount, int clientCount) {
    xls::Workbook wb = xls::Workbook::withDefaults();
    Formats f{};
    xls::Xf xf = wb.xfs[xls::kDefaultXf];
    xf.format = 14;
    f.date = wb.addXf(xf);
    xf.format = wb.addFormat(QStringLiteral("#,##0.00"));
    f.amount = wb.addXf(xf);
    xf.format = 49;  // text: identifiers keep their leading zeros
    f.text = wb.addXf(xf);

    wb.sheets.push_back(clients(clientCount, f));
    wb.sheets.push_back(invoices(invoiceCount, clientCount, f));
    xls::Sheet settings;
    settings.name = QStringLiteral("Utilità");
    xls::Sheet user;
    user.name = QStringLiteral("Utente");
    wb.sheets.push_back(settings);
    wb.sheets.push_back(user);
    wb.activeSheet = 1;
    return wb;
}

}  // namespace benchstore
