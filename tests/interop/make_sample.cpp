// Writes the sample workbook of the interoperability checks: a small store with
// dates, amounts, accented and non-Latin texts, a long text, merged cells, frozen
// header row and column widths. OUT.xls is plain, OUT-encrypted.xls has the
// password given, OUT.json holds its cells as brisvel-xls dump prints them.
//
// Usage: make_sample OUT PASSWORD

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include "../../tools/brisvel-xls/dump.h"
#include "xls/writer.h"

namespace {

xls::Workbook sample() {
    xls::Workbook wb = xls::Workbook::withDefaults();
    xls::Font bold;
    bold.weight = 700;
    wb.fonts.push_back(bold);
    xls::Xf headerXf = wb.xfs[xls::kDefaultXf];
    headerXf.font = 5;
    const auto header = wb.addXf(headerXf);
    xls::Xf dateXf = wb.xfs[xls::kDefaultXf];
    dateXf.format = wb.addFormat(QStringLiteral("dd/mm/yyyy"));
    const auto date = wb.addXf(dateXf);
    xls::Xf amountXf = wb.xfs[xls::kDefaultXf];
    amountXf.format = wb.addFormat(QStringLiteral("#,##0.00"));
    const auto amount = wb.addXf(amountXf);

    xls::Sheet invoices;
    invoices.name = QStringLiteral("Fatture");
    const char* headers[] = {"ID", "Cliente", "Data", "Descrizione", "Importo", "IVA", "Totale"};
    for (int c = 0; c < 7; ++c)
        invoices.put(0, c, xls::textCell(QString::fromUtf8(headers[c]), header));
    const char* clients[] = {"ROSSI MARIO", "ÉLITE COSTRUZIONI SPA", "D'AMICO & FIGLI SNC",
                             "FORLÌ SERVIZI", "Ωmega Ltd — “citazioni” €"};
    for (int i = 0; i < 400; ++i) {
        const int r = i + 1;
        const double taxable = 100.0 + i * 37.13;
        invoices.put(r, 0, xls::numberCell(i + 1));
        invoices.put(r, 1, xls::textCell(QString::fromUtf8(clients[i % 5])));
        invoices.put(r, 2, xls::numberCell(39818 + i * 3, date));
        invoices.put(r, 3,
                     xls::textCell(QStringLiteral("Consulenza professionale n. %1\nseconda riga %2")
                                       .arg(i + 1)
                                       .arg(QString(i % 40, QChar(0x03B1 + i % 20)))));
        invoices.put(r, 4, xls::numberCell(taxable, amount));
        invoices.put(r, 5, xls::numberCell(taxable * 0.22, amount));
        invoices.put(r, 6, xls::numberCell(taxable * 1.22, amount));
    }
    invoices.put(0, 255, xls::numberCell(401));
    invoices.put(403, 0, xls::textCell(QStringLiteral("Totale"), header));
    invoices.put(405, 1, xls::textCell(QString(9000, QChar(0x20AC)) + QStringLiteral("fine")));
    invoices.merged = {{403, 403, 0, 3}, {405, 406, 1, 2}};
    invoices.frozenRows = 1;
    invoices.columns = {{1, 1, 9000, xls::kDefaultXf, 0}, {3, 3, 12000, xls::kDefaultXf, 0}};
    invoices.page.printArea = xls::CellRect{0, 403, 0, 6};
    invoices.selected = true;

    xls::Sheet settings;
    settings.name = QStringLiteral("Utilità");
    settings.put(0, 0, xls::textCell(QStringLiteral("INPS/Cassa")));
    settings.put(1, 0, xls::textCell(QStringLiteral("*")));
    settings.put(2, 0, xls::numberCell(4));
    xls::Cell yes;
    yes.setBoolean(true);
    settings.put(3, 0, yes);

    wb.sheets.push_back(std::move(invoices));
    wb.sheets.push_back(std::move(settings));
    return wb;
}

bool save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Uso: make_sample OUT PASSWORD\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const xls::Workbook wb = sample();
    const xls::Result<QByteArray> plain = xls::writeWorkbook(wb);
    const xls::Result<QByteArray> encrypted =
        xls::writeWorkbook(wb, QString::fromLocal8Bit(argv[2]));
    if (!plain || !encrypted) {
        std::fprintf(stderr, "%s\n", qUtf8Printable((plain ? encrypted : plain).error().message));
        return 1;
    }
    const bool saved = save(out + ".xls", *plain) && save(out + "-encrypted.xls", *encrypted) &&
                       save(out + ".json", brisvel::dumpWorkbookText(wb));
    return saved ? 0 : 1;
}
