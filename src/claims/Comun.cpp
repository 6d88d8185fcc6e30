#include "claims/Comun.h"

#include "suite/Formato.h"

namespace claims::comun {

namespace {

// n / d rounded half away from zero.
__int128 Dividir(__int128 n, __int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

std::string Coma(std::string s) {
    for (char &c : s) {
        if (c == '.') {
            c = ',';
        }
    }
    return s;
}

} // namespace

std::string TextoNumero(suite::Moneda valor) { return Coma(suite::Formato::Instancia().NumeroSQL(valor)); }

std::string Importe(suite::Moneda valor, int decimales) {
    std::string s = suite::Formato::Instancia().Redondear(valor, decimales);
    std::string out;
    for (char c : s) {
        if (c != '.') {
            out += c;
        }
    }
    return out;
}

suite::Moneda Cuota(suite::Moneda base, suite::Moneda porcentaje) {
    // Both are ten-thousandths: the product is in 10^-8 units of a percent.
    __int128 p = static_cast<__int128>(base.Units()) * porcentaje.Units();
    return suite::Moneda::FromUnits(static_cast<std::int64_t>(Dividir(p, 100 * suite::Moneda::kEscala)));
}

suite::Moneda BaseDeTotal(suite::Moneda total, suite::Moneda porcentaje) {
    // total / (1 + rate / 100) == total × 100·10^4 / (100·10^4 + rate·10^4 units)
    const __int128 cien = 100 * suite::Moneda::kEscala;
    __int128 d = cien + porcentaje.Units();
    if (d == 0) {
        return suite::Moneda();
    }
    return suite::Moneda::FromUnits(static_cast<std::int64_t>(Dividir(static_cast<__int128>(total.Units()) * cien, d)));
}

std::string Recortar(std::string_view s) {
    std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) {
        return {};
    }
    std::size_t b = s.find_last_not_of(" \t");
    return std::string(s.substr(a, b - a + 1));
}

} // namespace claims::comun
