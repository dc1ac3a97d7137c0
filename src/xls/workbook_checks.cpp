#include "xls/workbook_checks.h"

#include <QSet>

#include "xls/sheet_records.h"

namespace xls {

namespace {

constexpr int kMaxShortText = 255;  // header, footer, number format, font name

Error unsupported(const QString& message) {
    return Error{Error::Kind::Unsupported, message};
}

QString sheetLabel(const Sheet& sheet) {
    return QStringLiteral("foglio «%1»").arg(sheet.name);
}

bool validRect(const CellRect& r) {
    return r.firstRow >= 0 && r.firstRow <= r.lastRow && r.lastRow < kMaxRows && r.firstCol >= 0 &&
           r.firstCol <= r.lastCol && r.lastCol < kMaxCols;
}

std::optional<Error> checkSheetName(const Sheet& sheet, QSet<QString>& seen) {
    const QString& name = sheet.name;
    if (name.isEmpty() || name.size() > kMaxSheetName) {
        return unsupported(
            QStringLiteral("Il nome del foglio «%1» deve avere da 1 a 31 caratteri.").arg(name));
    }
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    for (QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20) {
            return unsupported(
                QStringLiteral("Il nome del foglio «%1» contiene un carattere non ammesso.")
                    .arg(name));
        }
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\'')) {
        return unsupported(
            QStringLiteral("Il nome del foglio «%1» non può iniziare o finire con un apostrofo.")
                .arg(name));
    }
    const QString key = name.toCaseFolded();
    if (seen.contains(key)) {
        return unsupported(QStringLiteral("Il foglio «%1» compare due volte.").arg(name));
    }
    seen.insert(key);
    return std::nullopt;
}

std::optional<Error> checkSheetLayout(const Sheet& sheet) {
    if (sheet.rows.size() > std::size_t(kMaxRows)) {
        return unsupported(QStringLiteral("Il %1 ha più di 65.536 righe.").arg(sheetLabel(sheet)));
    }
    for (const Row& row : sheet.rows) {
        if (row.cells.size() > std::size_t(kMaxCols)) {
            return unsupported(
                QStringLiteral("Il %1 ha più di 256 colonne.").arg(sheetLabel(sheet)));
        }
    }
    for (const ColumnInfo& c : sheet.columns) {
        if (c.firstCol > c.lastCol || c.lastCol >= kMaxCols) {
            return unsupported(QStringLiteral("Il %1 ha una larghezza di colonna fuori dal foglio.")
                                   .arg(sheetLabel(sheet)));
        }
    }
    for (const CellRect& r : sheet.merged) {
        if (!validRect(r)) {
            return unsupported(
                QStringLiteral("Il %1 ha celle unite fuori dal foglio.").arg(sheetLabel(sheet)));
        }
    }
    if (sheet.page.printArea && !validRect(*sheet.page.printArea)) {
        return unsupported(
            QStringLiteral("L'area di stampa del %1 è fuori dal foglio.").arg(sheetLabel(sheet)));
    }
    if (sheet.page.rowBreaks.size() > kMaxRowBreaks) {
        return unsupported(
            QStringLiteral("Il %1 ha più di 1.026 interruzioni di pagina.").arg(sheetLabel(sheet)));
    }
    if (sheet.page.header.size() > kMaxShortText || sheet.page.footer.size() > kMaxShortText) {
        return unsupported(
            QStringLiteral("L'intestazione o il piè di pagina del %1 supera i 255 caratteri.")
                .arg(sheetLabel(sheet)));
    }
    const bool viewInside = sheet.frozenRows >= 0 && sheet.frozenRows < kMaxRows &&
                            sheet.frozenCols >= 0 && sheet.frozenCols < kMaxCols &&
                            sheet.topRow >= 0 && sheet.topRow < kMaxRows && sheet.activeRow >= 0 &&
                            sheet.activeRow < kMaxRows && sheet.activeCol >= 0 &&
                            sheet.activeCol < kMaxCols;
    if (!viewInside) {
        return unsupported(
            QStringLiteral("La vista del %1 indica righe o colonne fuori dal foglio.")
                .arg(sheetLabel(sheet)));
    }
    return std::nullopt;
}

}  // namespace

Error cellTextTooLong(const Sheet& sheet, int row, int col) {
    return unsupported(
        QStringLiteral("Il testo della cella alla riga %1, colonna %2 del %3 supera i 32.767 "
                       "caratteri che una cella può contenere.")
            .arg(row + 1)
            .arg(col + 1)
            .arg(sheetLabel(sheet)));
}

Result<brisvel::Done> checkWritable(const Workbook& wb) {
    if (wb.sheets.empty()) {
        return unsupported(QStringLiteral("La cartella di lavoro non ha nessun foglio."));
    }
    if (wb.sheets.size() > 0xFFFF || wb.activeSheet < 0 ||
        std::size_t(wb.activeSheet) >= wb.sheets.size()) {
        return unsupported(QStringLiteral("Il foglio attivo della cartella di lavoro non esiste."));
    }
    for (const Font& f : wb.fonts) {
        if (f.name.size() > kMaxShortText) {
            return unsupported(QStringLiteral("Il nome di un carattere supera i 255 caratteri."));
        }
    }
    for (const auto& [index, code] : wb.formats) {
        if (code.size() > kMaxShortText) {
            return unsupported(QStringLiteral("Il formato numerico «%1» supera i 255 caratteri.")
                                   .arg(code.left(40)));
        }
    }
    QSet<QString> names;
    for (const Sheet& sheet : wb.sheets) {
        if (auto e = checkSheetName(sheet, names))
            return *e;
        if (auto e = checkSheetLayout(sheet))
            return *e;
    }
    return brisvel::Done{};
}

}  // namespace xls
