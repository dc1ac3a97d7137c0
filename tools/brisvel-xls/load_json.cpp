#include "load_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <optional>
#include <vector>

#include "xls/cell_address.h"

namespace brisvel {

namespace {

xls::Error badJson(const QString& message) {
    return xls::Error{xls::Error::Kind::Damaged, message};
}

// The text of a JSON string literal starting at `json[from]`, and where it ends.
std::pair<QString, qsizetype> stringLiteral(const QByteArray& json, qsizetype from) {
    qsizetype end = from + 1;
    while (end < json.size() && json[end] != '"')
        end += json[end] == '\\' ? 2 : 1;
    const QByteArray wrapped = '[' + json.mid(from, end - from + 1) + ']';
    return {QJsonDocument::fromJson(wrapped).array().at(0).toString(), end};
}

// The keys of the top-level object in the order they are written: the sheets'
// order. QJsonObject itself keeps its keys sorted.
std::vector<QString> topLevelKeys(const QByteArray& json) {
    std::vector<QString> keys;
    QSet<QString> seen;
    int depth = 0;
    bool expectKey = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            auto [text, end] = stringLiteral(json, i);
            if (depth == 1 && expectKey && !seen.contains(text)) {
                seen.insert(text);
                keys.push_back(text);
            }
            expectKey = false;
            i = end;
        } else if (c == '{' || c == '[') {
            ++depth;
            expectKey = depth == 1 && c == '{';
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',' && depth == 1) {
            expectKey = true;
        }
    }
    return keys;
}

std::optional<xls::Error> fillSheet(xls::Sheet& sheet, const QJsonObject& cells) {
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const auto at = xls::parseCellName(it.key());
        if (!at) {
            return badJson(QStringLiteral("Indirizzo di cella non valido nel foglio «%1»: «%2».")
                               .arg(sheet.name, it.key()));
        }
        xls::Cell cell;
        const QJsonValue value = it.value();
        if (value.isDouble()) {
            cell.setNumber(value.toDouble());
        } else if (value.isString()) {
            cell.setText(value.toString());
        } else if (value.isBool()) {
            cell.setBoolean(value.toBool());
        } else if (value.isNull()) {
            continue;
        } else {
            return badJson(QStringLiteral("Valore non ammesso nella cella %1 del foglio «%2»: "
                                          "sono ammessi numeri, testi, true e false.")
                               .arg(it.key(), sheet.name));
        }
        const auto [row, col] = *at;
        sheet.put(row, col, std::move(cell));
    }
    return std::nullopt;
}

}  // namespace

xls::Result<xls::Workbook> workbookFromJson(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return badJson(QStringLiteral("JSON non valido alla posizione %1: %2.")
                           .arg(parseError.offset)
                           .arg(parseError.errorString()));
    }
    if (!doc.isObject()) {
        return badJson(
            QStringLiteral("Il JSON deve essere un oggetto con un elemento per foglio."));
    }
    const QJsonObject sheets = doc.object();
    xls::Workbook wb = xls::Workbook::withDefaults();
    for (const QString& name : topLevelKeys(json)) {
        const QJsonValue cells = sheets.value(name);
        if (!cells.isObject()) {
            return badJson(
                QStringLiteral("Il foglio «%1» deve essere un oggetto di celle.").arg(name));
        }
        xls::Sheet sheet;
        sheet.name = name;
        if (auto error = fillSheet(sheet, cells.toObject()))
            return *error;
        wb.sheets.push_back(std::move(sheet));
    }
    if (!wb.sheets.empty())
        wb.sheets.front().selected = true;
    return wb;
}

}  // namespace brisvel
