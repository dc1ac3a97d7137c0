#include "dump.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "xls/cell_address.h"

namespace brisvel {

namespace {

// A number as Python writes floats, which the expected files use: the shortest
// digits that read back the same, "7.0" for whole numbers, exponents beyond 1e16.
QByteArray numberText(double v) {
    if (!std::isfinite(v))
        return "null";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    const std::string sci(buf, r.ptr);
    const auto e = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + e + 1);
    std::string mantissa = sci.substr(0, e);
    const bool negative = mantissa[0] == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digits;
    for (char c : mantissa) {
        if (c != '.')
            digits += c;
    }
    std::string out;
    if (exponent >= -4 && exponent < 16) {
        if (exponent < 0) {
            out.assign("0.").append(std::size_t(-exponent - 1), '0').append(digits);
        } else if (std::size_t(exponent) + 1 >= digits.size()) {
            out = digits + std::string(std::size_t(exponent) + 1 - digits.size(), '0') + ".0";
        } else {
            out = digits.substr(0, std::size_t(exponent) + 1) + "." +
                  digits.substr(std::size_t(exponent) + 1);
        }
    } else {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out.append(".").append(digits, 1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
    }
    return QByteArray(negative ? "-" : "") + QByteArray::fromStdString(out);
}

QByteArray stringText(const QString& s) {
    QByteArray out = "\"";
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        switch (c) {
            case u'"':
                out += "\\\"";
                break;
            case u'\\':
                out += "\\\\";
                break;
            case u'\n':
                out += "\\n";
                break;
            case u'\r':
                out += "\\r";
                break;
            case u'\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
                    out += esc;
                } else {
                    out += QString(qc).toUtf8();
                }
        }
    }
    return out + "\"";
}

// The value of a cell that shows something; an empty one gives nothing.
QByteArray valueText(const xls::Cell& cell) {
    switch (cell.kind()) {
        case xls::CellKind::Number:
            return numberText(cell.number());
        case xls::CellKind::Text:
            return cell.text().isEmpty() ? QByteArray() : stringText(cell.text());
        case xls::CellKind::Boolean:
            return cell.code() ? "true" : "false";
        case xls::CellKind::Error:
            return stringText(xls::errorText(cell.code()));
        case xls::CellKind::Empty:
            break;
    }
    return {};
}

}  // namespace

QByteArray dumpWorkbookText(const xls::Workbook& book) {
    QByteArray out = "{";
    for (std::size_t s = 0; s < book.sheets.size(); ++s) {
        const xls::Sheet& sheet = book.sheets[s];
        if (s > 0)
            out += ", ";
        out += stringText(sheet.name) + ": {";
        bool first = true;
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const auto& cells = sheet.rows[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const QByteArray value = valueText(cells[c]);
                if (value.isEmpty())
                    continue;
                if (!first)
                    out += ", ";
                first = false;
                out += "\"" + xls::cellName(int(r), int(c)).toLatin1() + "\": " + value;
            }
        }
        out += "}";
    }
    return out + "}\n";
}

QJsonDocument dumpWorkbook(const xls::Workbook& book) {
    return QJsonDocument::fromJson(dumpWorkbookText(book));
}

}  // namespace brisvel
