#include "settings/user_data.h"

#include "app/core_sheets.h"
#include "store/workbook.h"

namespace settings {

namespace {
constexpr int kValueColumn = 2;  // B
}

Outcome<store::Worksheet> userSheet(store::Workbook& book) {
    auto sheet = book.sheet(app::kUserSheet);
    if (!sheet)
        return QStringLiteral("I dati Utente non sono disponibili: ") + sheet.error().message;
    return *sheet;
}

UserData readUserData(const store::Worksheet& sheet) {
    UserData values;
    for (int i = 0; i < kUserFieldCount; ++i)
        values[i] = sheet.text(i + 1, kValueColumn);
    return values;
}

void writeUserData(const store::Worksheet& sheet, const UserData& values) {
    for (int i = 0; i < kUserFieldCount; ++i) {
        const auto written = sheet.setIdentifier(i + 1, kValueColumn, values[i]);
        Q_ASSERT_X(written.ok(), "writeUserData", "B1:B10 lie inside the sheet");
    }
}

}  // namespace settings
