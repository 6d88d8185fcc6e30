#include "lines/PosicionVentana.h"

#include <stdexcept>

namespace lines {

namespace {

int Entero(const std::string &v) {
    try {
        return v.empty() ? 0 : std::stoi(v);
    } catch (const std::exception &) {
        return 0;
    }
}

std::string Seccion(const std::string &ventana) { return ventana + "\\Form"; }

} // namespace

PosicionVentana PosicionVentana::Leer(const suite::Configuracion &ajustes, const std::string &ventana) {
    PosicionVentana p;
    std::string s = Seccion(ventana);
    p.top = Entero(ajustes.LeerValor("Top", s));
    p.left = Entero(ajustes.LeerValor("Left", s));
    p.width = Entero(ajustes.LeerValor("Width", s));
    p.height = Entero(ajustes.LeerValor("Height", s));
    if (p.width <= 0 || p.height <= 0) {
        p = {};
    }
    return p;
}

void PosicionVentana::Guardar(suite::Configuracion &ajustes, const std::string &ventana) const {
    if (width <= 0 || height <= 0) {
        return;
    }
    std::string s = Seccion(ventana);
    ajustes.GuardarValor("Top", std::to_string(top), s);
    ajustes.GuardarValor("Left", std::to_string(left), s);
    ajustes.GuardarValor("Width", std::to_string(width), s);
    ajustes.GuardarValor("Height", std::to_string(height), s);
}

} // namespace lines
