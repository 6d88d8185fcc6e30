#include "host/LongitudTexto.h"

#include "suite/Windows1252.h"

namespace host {

std::size_t CaracteresUtf8(std::string_view texto) {
    std::size_t n = 0;
    for (unsigned char c : texto) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

std::string NoCabe(std::string_view texto, std::size_t maximo, const std::string &campo) {
    const std::size_t n = CaracteresUtf8(texto);
    if (n > maximo) {
        return "El campo \"" + campo + "\" admite como máximo " + std::to_string(maximo) + " caracteres (tiene " +
               std::to_string(n) + ").";
    }
    if (std::string caracter; !suite::RepresentableEnWindows1252(texto, &caracter)) {
        return "El campo \"" + campo + "\" no admite el carácter \"" + caracter + "\".";
    }
    return {};
}

std::optional<Excedido> PrimeroExcedido(std::initializer_list<LargoCampo> cajas) {
    for (const auto &c : cajas) {
        if (auto m = NoCabe(c.texto, c.maximo, c.campo); !m.empty()) {
            return Excedido{std::move(m), c.control};
        }
    }
    return std::nullopt;
}

} // namespace host
