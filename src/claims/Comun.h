#pragma once

#include "suite/Moneda.h"

#include <string>
#include <string_view>

// Small helpers shared by the claims windows.
namespace claims::comun {

inline const char *kAtencion = "¡ Atención !";

// A number as the system writes it in a text: comma decimals, no grouping, no trailing zeros ("11", "6,5").
std::string TextoNumero(suite::Moneda valor);
// Rounded to `decimales` with comma decimals and no thousands points ("1234,5000"), as the claims
// grids and the claims file carry amounts.
std::string Importe(suite::Moneda valor, int decimales);
// base × rate %, to four decimals, without rounding on the way.
suite::Moneda Cuota(suite::Moneda base, suite::Moneda porcentaje);
// The base whose total with rate % is `total`, to four decimals.
suite::Moneda BaseDeTotal(suite::Moneda total, suite::Moneda porcentaje);
// Without blanks at either end.
std::string Recortar(std::string_view s);

} // namespace claims::comun
