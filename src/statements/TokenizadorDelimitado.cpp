#include "statements/TokenizadorDelimitado.h"

namespace statements {

namespace {

bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

TokenizadorDelimitado::TokenizadorDelimitado(std::string nombre, std::unique_ptr<std::istream> entrada,
                                             char separador, char delimitador)
    : Tokenizador(std::move(nombre), std::move(entrada)), separador_(separador), delimitador_(delimitador) {}

void TokenizadorDelimitado::Partir() {
    campos_.clear();
    std::string_view l = Linea();
    if (LineaEnBlanco()) {
        return;
    }
    std::size_t inicio = 0;
    while (true) {
        std::size_t fin = FinDeCampo(l, inicio);
        campos_.push_back(Recortar(
            l.substr(inicio, fin == std::string_view::npos ? std::string_view::npos : fin - inicio)));
        if (fin == std::string_view::npos) {
            break;
        }
        inicio = fin + 1;
    }
}

std::size_t TokenizadorDelimitado::FinDeCampo(std::string_view l, std::size_t inicio) const {
    std::size_t p = inicio;
    while (p < l.size() && EsBlanco(l[p])) {
        ++p;
    }
    if (delimitador_ != '\0' && p < l.size() && l[p] == delimitador_) {
        for (std::size_t q = l.find(delimitador_, p + 1); q != std::string_view::npos;
             q = l.find(delimitador_, q + 1)) {
            std::size_t r = q + 1;
            while (r < l.size() && EsBlanco(l[r])) {
                ++r;
            }
            if (r == l.size()) {
                return std::string_view::npos;
            }
            if (l[r] == separador_) {
                return r;
            }
        }
    }
    // Not enclosed, or never closed: up to the next separator.
    return l.find(separador_, inicio);
}

std::string_view TokenizadorDelimitado::SinDelimitadores(std::size_t i) const {
    std::string_view c = Campo(i);
    return c.size() < 2 ? std::string_view() : c.substr(1, c.size() - 2);
}

void TokenizadorDelimitado::Requerir(std::size_t n, const std::string &registro,
                                     const NombreCampo &primeroQueFalta) const {
    if (campos_.size() < n) {
        Error(primeroQueFalta, "el registro " + registro + " tiene " + std::to_string(campos_.size()) +
                                   " campos y necesita " + std::to_string(n));
    }
}

} // namespace statements
