#include "suite/Valor.h"

#include "db/Field.h"
#include "suite/Formato.h"

#include <cctype>
#include <cmath>
#include <string_view>

namespace suite {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

bool Valor::IsEmpty() const {
    if (IsNull()) {
        return true;
    }
    if (auto s = std::get_if<std::string>(&v_)) {
        return Trim(*s).empty();
    }
    return false;
}

std::string Valor::ToText() const {
    switch (TipoValor()) {
    case Tipo::Null:
        return {};
    case Tipo::Long:
        return std::to_string(std::get<std::int64_t>(v_));
    case Tipo::Double:
        return Formato::Instancia().NumeroSQL(std::get<double>(v_));
    case Tipo::Moneda:
        return Formato::Instancia().NumeroSQL(std::get<Moneda>(v_));
    case Tipo::Texto:
        return std::get<std::string>(v_);
    case Tipo::Fecha:
        return std::get<Fecha>(v_).Texto();
    case Tipo::Boolean:
        return std::get<bool>(v_) ? "1" : "0";
    }
    return {};
}

std::int64_t Valor::ToLong() const {
    switch (TipoValor()) {
    case Tipo::Long:
        return std::get<std::int64_t>(v_);
    case Tipo::Boolean:
        return std::get<bool>(v_) ? 1 : 0;
    case Tipo::Double:
    case Tipo::Moneda:
    case Tipo::Texto: {
        Moneda m = ToMoneda().Redondear(0);
        return m.Units() / Moneda::kEscala;
    }
    default:
        return 0;
    }
}

double Valor::ToDouble() const {
    switch (TipoValor()) {
    case Tipo::Long:
        return static_cast<double>(std::get<std::int64_t>(v_));
    case Tipo::Double:
        return std::get<double>(v_);
    case Tipo::Boolean:
        return std::get<bool>(v_) ? 1.0 : 0.0;
    case Tipo::Moneda:
    case Tipo::Texto:
        return ToMoneda().ToDouble();
    default:
        return 0.0;
    }
}

Moneda Valor::ToMoneda() const {
    switch (TipoValor()) {
    case Tipo::Long:
        return Moneda::FromLong(std::get<std::int64_t>(v_));
    case Tipo::Double: {
        double d = std::get<double>(v_);
        return std::isfinite(d) ? Moneda::FromDouble(d) : Moneda();
    }
    case Tipo::Moneda:
        return std::get<Moneda>(v_);
    case Tipo::Texto:
        return Moneda::Parse(std::get<std::string>(v_)).value_or(Moneda());
    case Tipo::Boolean:
        return Moneda::FromLong(std::get<bool>(v_) ? 1 : 0);
    default:
        return Moneda();
    }
}

Fecha Valor::ToFecha() const {
    if (auto f = std::get_if<Fecha>(&v_)) {
        return *f;
    }
    if (auto s = std::get_if<std::string>(&v_)) {
        return Fecha::Parse(*s).value_or(Fecha());
    }
    return Fecha();
}

bool Valor::ToBool() const {
    if (auto b = std::get_if<bool>(&v_)) {
        return *b;
    }
    if (auto s = std::get_if<std::string>(&v_)) {
        std::string t;
        for (char c : Trim(*s)) {
            t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (t == "true" || t == "verdadero" || t == "s" || t == "si" || t == "s\xc3\xad") {
            return true;
        }
        return !ToMoneda().EsCero();
    }
    switch (TipoValor()) {
    case Tipo::Long:
        return std::get<std::int64_t>(v_) != 0;
    case Tipo::Double:
        return std::get<double>(v_) != 0.0;
    case Tipo::Moneda:
        return !std::get<Moneda>(v_).EsCero();
    default:
        return false;
    }
}

Valor ValorDe(const db::Field &field) {
    if (field.IsNull()) {
        return Valor();
    }
    switch (field.Kind()) {
    case db::FieldKind::Null:
        return Valor();
    case db::FieldKind::Integer:
        return Valor(static_cast<std::int64_t>(field.AsInt64()));
    case db::FieldKind::Real:
        return Valor(field.AsDouble());
    case db::FieldKind::Currency:
        return Valor(Moneda::FromUnits(field.AsCurrencyUnits()));
    case db::FieldKind::Date: {
        std::string text = field.AsText();
        if (text.empty()) {
            return Valor(Fecha());
        }
        if (auto f = Fecha::Parse(text)) {
            return Valor(*f);
        }
        return Valor(std::move(text));
    }
    case db::FieldKind::Text:
        return Valor(field.AsText());
    }
    return Valor();
}

} // namespace suite
