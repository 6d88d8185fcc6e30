#pragma once

#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace suite {

// The suite's formatting service: one shared instance for the life of the module.
class Formato {
  public:
    enum class Alineacion { Izquierda, Derecha };

    static Formato &Instancia();

    Formato(const Formato &) = delete;
    Formato &operator=(const Formato &) = delete;

    // Spanish convention: "1.234,56", "-0,50"; exactly `decimales` decimals, halves away from zero.
    std::string Redondear(Moneda valor, int decimales) const;
    // Doubles are taken as the decimal they print as (15 significant digits), so 0.005 rounds up.
    std::string Redondear(double valor, int decimales) const;

    // "dd/mm/yyyy"; the time of day is dropped.
    std::string FechaTexto(const Fecha &fecha) const;
    // Any text Fecha::Parse accepts; empty or invalid text gives "".
    std::string FechaTexto(std::string_view texto) const;

    // Point as decimal mark, no grouping, no trailing zeros: "12.5", "-3", "0.0001".
    std::string NumeroSQL(Moneda valor) const;
    std::string NumeroSQL(double valor) const;
    std::string NumeroSQL(std::int64_t valor) const;
    std::string NumeroSQL(int valor) const { return NumeroSQL(static_cast<std::int64_t>(valor)); }

    // Exactly `ancho` characters (UTF-8 code points): filled with blanks on the right (Izquierda) or
    // on the left (Derecha). A longer text keeps its first `ancho` characters whatever the alignment,
    // so fixed-width records never lose the start of a code or name.
    std::string Rellenar(std::string_view texto, int ancho, Alineacion alineacion) const;

    // A grid cell back to an amount: comma decimal and points grouping thousands ("1.234,56");
    // without a comma, a point that does not group thousands is a decimal point ("12.5").
    // Empty or unreadable text reads as 0.
    Moneda ANumero(std::string_view texto) const;

  private:
    Formato() = default;
};

} // namespace suite
