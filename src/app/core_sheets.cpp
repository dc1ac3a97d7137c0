#include "app/core_sheets.h"

#include "store/range.h"
#include "store/workbook_store.h"

namespace app {

namespace {

// The client sheet's columns that hold identifiers and notes: Telefono, Fax,
// Cellulare, Codice Fiscale, Partita IVA, IBAN, Annotazioni (H I J L M N P).
constexpr int kClientTextColumns[] = {8, 9, 10, 12, 13, 14, 16};

// The header texts are written as they are, never read as numbers or dates.
void put(const store::Worksheet& sheet, int row, int column, const QString& text) {
    const auto written = sheet.setIdentifier(row, column, text);
    Q_ASSERT_X(written.ok(), "prepareCoreSheets", "the fixed cells lie inside the sheet");
}

void putRow1(const store::Worksheet& sheet, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i)
        put(sheet, 1, i + 1, texts[i]);
}

// Selected, with row 1 kept in view when scrolling.
store::Worksheet openWithFrozenHeader(store::WorkbookStore& store, const QString& name) {
    auto sheet = store.workbook().sheet(name);
    Q_ASSERT_X(sheet.ok(), "prepareCoreSheets", "the core sheets were ensured first");
    sheet->select();
    sheet->freezePanes(2);
    return *sheet;
}

void Utilita(store::WorkbookStore& store) {
    const store::Worksheet sheet = openWithFrozenHeader(store, kSettingsSheet);
    const QStringList headers = settingsHeaders();
    putRow1(sheet, headers);
    for (int column = 1; column <= headers.size(); ++column)
        put(sheet, 2, column, QStringLiteral("*"));
}

void Utente(store::WorkbookStore& store) {
    const store::Worksheet sheet = openWithFrozenHeader(store, kUserSheet);
    const QStringList labels = userLabels();
    for (int row = 1; row <= labels.size(); ++row)
        put(sheet, row, 1, labels[row - 1]);
}

void Fatture(store::WorkbookStore& store) {
    putRow1(openWithFrozenHeader(store, kInvoicesSheet), invoiceHeaders());
}

void Apertura(store::WorkbookStore& store) {
    const store::Worksheet sheet = openWithFrozenHeader(store, kClientsSheet);
    putRow1(sheet, clientHeaders());
    for (int column : kClientTextColumns) {
        const auto whole = sheet.columns(column, column);
        Q_ASSERT(whole.ok());
        whole->setNumberFormat(QStringLiteral("@"));
    }
    const auto first = sheet.cell(2, 1);
    Q_ASSERT(first.ok());
    first->select();
}

}  // namespace

QStringList settingsHeaders() {
    return {QStringLiteral("INPS/CASSA"), QStringLiteral("IVA"), QStringLiteral("RITENUTA"),
            QStringLiteral("TIPO PAGAMENTO"), QStringLiteral("ESENZIONE IVA")};
}

QStringList userLabels() {
    return {QStringLiteral("Ragione sociale"),
            QStringLiteral("Domicilio"),
            QStringLiteral("Città"),
            QStringLiteral("PR"),
            QStringLiteral("CAP"),
            QStringLiteral("Codice Fiscale"),
            QStringLiteral("Partita IVA"),
            QStringLiteral("Albo"),
            QStringLiteral("Banca"),
            QStringLiteral("Codice IBAN")};
}

QStringList invoiceHeaders() {
    return {QStringLiteral("ID"),           QStringLiteral("Cliente"),
            QStringLiteral("ID Cliente"),   QStringLiteral("N.Fatt."),
            QStringLiteral("Data"),         QStringLiteral("Descrizione"),
            QStringLiteral("Importo"),      QStringLiteral("INPS/Cassa"),
            QStringLiteral("Totale Imp."),  QStringLiteral("IVA"),
            QStringLiteral("Esenzione"),    QStringLiteral("Importo Esenzione"),
            QStringLiteral("Totale Fatt."), QStringLiteral("Ritenuta"),
            QStringLiteral("Netto"),        QStringLiteral("Incasso"),
            QStringLiteral("Tramite")};
}

QStringList clientHeaders() {
    return {QStringLiteral("ID"),
            QStringLiteral("Ragione Sociale/Cognome Nome"),
            QStringLiteral("Data"),
            QStringLiteral("Indirizzo"),
            QStringLiteral("CAP"),
            QStringLiteral("Località"),
            QStringLiteral("PR"),
            QStringLiteral("Telefono"),
            QStringLiteral("Fax"),
            QStringLiteral("Cellulare"),
            QStringLiteral("Email"),
            QStringLiteral("Codice Fiscale"),
            QStringLiteral("Partita IVA"),
            QStringLiteral("IBAN"),
            QStringLiteral("Referente/Rappresentante"),
            QStringLiteral("Annotazioni")};
}

void prepareCoreSheets(store::WorkbookStore& store) {
    for (const QString& name : {kClientsSheet, kInvoicesSheet, kSettingsSheet, kUserSheet})
        store.EnsureSheet(name);
    Utilita(store);
    Utente(store);
    Fatture(store);
    Apertura(store);
}

}  // namespace app
