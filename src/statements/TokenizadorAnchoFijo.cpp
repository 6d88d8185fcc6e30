#include "statements/TokenizadorAnchoFijo.h"

#include <algorithm>

namespace statements {

TokenizadorAnchoFijo::TokenizadorAnchoFijo(std::string nombre, std::unique_ptr<std::istream> entrada)
    : Tokenizador(std::move(nombre), std::move(entrada)) {
    inicios_.push_back(0);
}

void TokenizadorAnchoFijo::Partir() {
    const std::string &l = Linea();
    inicios_.clear();
    for (std::size_t i = 0; i < l.size(); ++i) {
        if ((static_cast<unsigned char>(l[i]) & 0xC0) != 0x80) {
            inicios_.push_back(i);
        }
    }
    inicios_.push_back(l.size());
}

std::string_view TokenizadorAnchoFijo::Campo(int desde, int longitud) const {
    int n = Caracteres();
    int a = std::clamp(desde - 1, 0, n);
    int b = std::clamp(desde - 1 + longitud, a, n);
    std::string_view l = Linea();
    return Recortar(l.substr(inicios_[a], inicios_[b] - inicios_[a]));
}

void TokenizadorAnchoFijo::Requerir(int longitud, const std::string &registro,
                                    const NombreCampo &primeroQueFalta) const {
    if (Caracteres() < longitud) {
        Error(primeroQueFalta, "la línea del registro " + registro + " tiene " +
                                   std::to_string(Caracteres()) + " caracteres y necesita " +
                                   std::to_string(longitud));
    }
}

} // namespace statements
