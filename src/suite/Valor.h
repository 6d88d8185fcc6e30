#pragma once

#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <string>
#include <variant>

namespace db {
class Field;
}

namespace suite {

// The suite's variant: what a parameter or a column value may be.
class Valor {
  public:
    enum class Tipo { Null, Long, Double, Moneda, Texto, Fecha, Boolean };

    Valor() = default;
    Valor(std::int64_t v) : v_(v) {}
    Valor(int v) : v_(static_cast<std::int64_t>(v)) {}
    Valor(double v) : v_(v) {}
    Valor(suite::Moneda v) : v_(v) {}
    Valor(std::string v) : v_(std::move(v)) {}
    Valor(const char *v) : v_(std::string(v)) {}
    Valor(suite::Fecha v) : v_(v) {}
    Valor(bool v) : v_(v) {}

    Tipo TipoValor() const { return static_cast<Tipo>(v_.index()); }
    bool IsNull() const { return v_.index() == 0; }
    // Null, or a text with nothing but blanks.
    bool IsEmpty() const;

    // Numbers with a point and no trailing zeros, dates as "dd/mm/yyyy", Booleans as "1"/"0", Null as "".
    std::string ToText() const;
    // Texts are read as numbers with either decimal mark; what is not a number reads as 0.
    std::int64_t ToLong() const;
    double ToDouble() const;
    suite::Moneda ToMoneda() const;
    // Texts are parsed as dates; anything else that is not a date reads as the empty date.
    suite::Fecha ToFecha() const;
    // Non-zero numbers, and the texts "1", "-1", "true", "verdadero", "s", "si", "sí" (any case).
    bool ToBool() const;

    bool operator==(const Valor &) const = default;

  private:
    std::variant<std::monostate, std::int64_t, double, suite::Moneda, std::string, suite::Fecha, bool> v_;
};

Valor ValorDe(const db::Field &field);

} // namespace suite
