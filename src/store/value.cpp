#include "store/value.h"

#include "store/number_text.h"

namespace store {

Value Value::number(double v) {
    Value out;
    out.kind_ = Kind::Number;
    out.number_ = v;
    return out;
}

Value Value::text(const QString& s) {
    Value out;
    out.kind_ = Kind::Text;
    out.text_ = s;
    return out;
}

Value Value::boolean(bool b) {
    Value out;
    out.kind_ = Kind::Boolean;
    out.code_ = b ? 1 : 0;
    return out;
}

Value Value::error(xls::ErrorCode code) {
    Value out;
    out.kind_ = Kind::Error;
    out.code_ = std::uint8_t(code);
    return out;
}

Value Value::of(const xls::Cell& cell) {
    switch (cell.kind()) {
        case Kind::Empty:
            return Value();
        case Kind::Number:
            return number(cell.number());
        case Kind::Text:
            return text(cell.text());
        case Kind::Boolean:
            return boolean(cell.code() != 0);
        case Kind::Error:
            return error(xls::ErrorCode(cell.code()));
    }
    return Value();
}

std::optional<double> Value::toNumber() const {
    switch (kind_) {
        case Kind::Number:
            return number_;
        case Kind::Boolean:
            return code_ ? 1.0 : 0.0;
        case Kind::Text:
            return readRegionalNumber(text_);
        case Kind::Empty:
        case Kind::Error:
            return std::nullopt;
    }
    return std::nullopt;
}

QString Value::toString() const {
    switch (kind_) {
        case Kind::Empty:
            return QString();
        case Kind::Number:
            return formatGeneral(number_);
        case Kind::Text:
            return text_;
        case Kind::Boolean:
            return code_ ? QStringLiteral("VERO") : QStringLiteral("FALSO");
        case Kind::Error:
            return xls::errorText(code_);
    }
    return QString();
}

bool Value::operator==(QStringView s) const {
    switch (kind_) {
        case Kind::Empty:
            return s.isEmpty();
        case Kind::Text:
            return text_ == s;
        case Kind::Number: {
            const auto n = readRegionalNumber(s.toString());
            return n && *n == number_;
        }
        case Kind::Boolean:
        case Kind::Error:
            return toString() == s;
    }
    return false;
}

void Value::storeIn(xls::Cell& cell) const {
    cell.setFormula(nullptr);  // a value stored over a formula replaces it
    switch (kind_) {
        case Kind::Empty:
            cell.setEmpty();
            break;
        case Kind::Number:
            cell.setNumber(number_);
            break;
        case Kind::Text:
            cell.setText(text_);
            break;
        case Kind::Boolean:
            cell.setBoolean(code_ != 0);
            break;
        case Kind::Error:
            cell.setError(code_);
            break;
    }
}

bool Value::operator==(const Value& other) const {
    if (kind_ != other.kind_)
        return false;
    switch (kind_) {
        case Kind::Empty:
            return true;
        case Kind::Number:
            return number_ == other.number_;
        case Kind::Text:
            return text_ == other.text_;
        case Kind::Boolean:
        case Kind::Error:
            return code_ == other.code_;
    }
    return false;
}

}  // namespace store
