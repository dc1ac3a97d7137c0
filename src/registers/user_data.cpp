#include "registers/user_data.h"

#include "registers/cell_writes.h"
#include "store/workbook.h"
#include "store/workbook_store.h"

namespace registers {

namespace {
constexpr int kValueColumn = 2;  // B
}

const SheetLayout& userLayout() {
    static const SheetLayout layout{
        store::kUserSheet,
        {QStringLiteral("Ragione sociale"), QStringLiteral("Domicilio"), QStringLiteral("Città"),
         QStringLiteral("PR"), QStringLiteral("CAP"), QStringLiteral("Codice Fiscale"),
         QStringLiteral("Partita IVA"), QStringLiteral("Albo"), QStringLiteral("Banca"),
         QStringLiteral("Codice IBAN")},
        true,
        {},
        {},
    };
    return layout;
}

store::Result<store::Worksheet> userSheet(store::Workbook& book) {
    return layoutSheet(book, userLayout(), QStringLiteral("I dati Utente non sono disponibili: "));
}

UserData readUserData(const store::Worksheet& sheet) {
    UserData values;
    for (int i = 0; i < kUserFieldCount; ++i)
        values[i] = sheet.text(i + 1, kValueColumn);
    return values;
}

void writeUserData(const store::Worksheet& sheet, const UserData& values) {
    for (int i = 0; i < kUserFieldCount; ++i)
        expectWritten(sheet.setIdentifier(i + 1, kValueColumn, values[i]));
}

}  // namespace registers
