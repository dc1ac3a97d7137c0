#include "year/year_report.h"

#include <QStringList>

#include "app/date_text.h"

namespace year {

using registers::Amount;

namespace {

const char* const kMonthNames[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                                   "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};

QString euro(Amount amount) {
    return amount.text() + QStringLiteral(" €");
}

}  // namespace

QString counted(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}

QString monthName(int month) {
    return QString::fromLatin1(kMonthNames[month - 1]);
}

int flatRatePercent(Amount fees) {
    if (fees.cents() <= 0)
        return 0;
    return int(fees.cents() * 100 / registers::kFlatRateLimit.cents());
}

QString flatRateText(Amount fees) {
    QString text = QStringLiteral("Incassato %1 su %2 (%3%)")
                       .arg(euro(fees), euro(registers::kFlatRateLimit))
                       .arg(flatRatePercent(fees));
    if (fees > registers::kFlatRateLimit)
        text +=
            QStringLiteral(": oltre il limite di %1").arg(euro(fees - registers::kFlatRateLimit));
    return text;
}

QString leftOutText(const registers::YearFigures& f) {
    QStringList parts;
    if (f.unreadableDates > 0)
        parts << counted(f.unreadableDates, "fattura con data illeggibile",
                         "fatture con data illeggibile");
    if (f.unreadableCollections > 0)
        parts << counted(f.unreadableCollections, "data di incasso illeggibile",
                         "date di incasso illeggibili");
    if (f.unreadableAmounts > 0)
        parts << counted(f.unreadableAmounts, "importo illeggibile", "importi illeggibili");
    if (parts.isEmpty())
        return {};
    return QStringLiteral("Non conteggiate: ") + parts.join(QStringLiteral(", "));
}

printing::PrintedList yearList(const registers::YearFigures& f, bool flatRate,
                               const QDateTime& printedAt) {
    printing::PrintedList list;
    list.title = QStringLiteral("Andamento %1 ").arg(f.year) + app::dateText(printedAt.date()) +
                 u' ' + app::timeText(printedAt.time());
    list.heading = QStringLiteral("Brisvel");
    list.fontName = QStringLiteral("Arial");
    list.fontSize = 10;
    list.columnHeadings = {QStringLiteral("Mese"), QStringLiteral("Fatturato"),
                           QStringLiteral("Incassato")};
    list.columnWidths = {220, 120, 120};
    for (int m = 1; m <= 12; ++m)
        list.rows.push_back({monthName(m), f.invoicedByMonth[std::size_t(m - 1)].text(),
                             f.collectedByMonth[std::size_t(m - 1)].text()});
    list.rows.push_back({QStringLiteral("TOTALE"), f.total.text(), f.collected.text()});
    list.rows.push_back({});
    const auto line = [&list](const QString& caption, Amount amount) {
        list.rows.push_back({caption, amount.text(), QString()});
    };
    line(QStringLiteral("Imponibile"), f.taxable);
    line(QStringLiteral("Rivalsa INPS/Cassa"), f.surcharge);
    line(QStringLiteral("IVA"), f.vat);
    line(QStringLiteral("Totale fatturato"), f.total);
    line(QStringLiteral("Ritenute sull'incassato"), f.withholdingCollected);
    line(QStringLiteral("Netto incassato"), f.netCollected);
    if (const QString leftOut = leftOutText(f); !leftOut.isEmpty())
        list.rows.push_back({leftOut, QString(), QString()});
    if (!f.topClients.empty()) {
        list.rows.push_back({});
        list.headingRows.insert(list.rows.size());
        list.rows.push_back({QStringLiteral("CLIENTI PRINCIPALI"), QString(), QString()});
        for (const registers::ClientInvoiced& client : f.topClients)
            list.rows.push_back({client.name, client.invoiced.text(), QString()});
    }
    if (flatRate) {
        list.rows.push_back({});
        list.rows.push_back({QStringLiteral("Regime forfettario: ") + flatRateText(f.feesCollected),
                             QString(), QString()});
    }
    return list;
}

}  // namespace year
