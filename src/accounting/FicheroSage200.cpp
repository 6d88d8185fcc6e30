#include "accounting/FicheroSage200.h"

#include "suite/Windows1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace accounting {

FicheroSage200::FicheroSage200(std::string descripcion, bool utf8) : descripcion_(std::move(descripcion)), utf8_(utf8) {}

FicheroSage200 &FicheroSage200::Campo(std::string_view texto) {
    ++campos_;
    if (campos_ > 1) {
        bytes_ += ';';
    }
    auto rechazar = [&](const std::string &motivo) {
        throw std::runtime_error("Línea " + std::to_string(registros_ + 1) + ", campo " + std::to_string(campos_) +
                                 " del fichero " + descripcion_ + " de Sage 200: «" + std::string(texto) + "» " +
                                 motivo);
    };
    // A line break would split the record in two for Sage.
    if (texto.find_first_of("\r\n") != std::string_view::npos) {
        rechazar("lleva un salto de línea");
    }
    if (utf8_) {
        bytes_ += texto;
    } else {
        std::string caracter;
        if (!suite::Utf8AWindows1252(texto, bytes_, &caracter)) {
            rechazar("lleva el carácter «" + caracter + "», que Windows-1252 no tiene");
        }
    }
    return *this;
}

FicheroSage200 &FicheroSage200::Hasta(int n) {
    while (campos_ < n) {
        Campo({});
    }
    return *this;
}

void FicheroSage200::Fin() {
    bytes_ += "\r\n";
    ++registros_;
    campos_ = 0;
}

std::string FicheroSage200::Escribir(const std::string &carpeta, const std::string &prefijo,
                                     const RelojFicheros &reloj) const {
    for (;;) {
        const std::string nombre = prefijo + reloj.ahora().Formato("ddmmyyyy_hhnnss") + ".csv";
        const std::string ruta = (std::filesystem::path(carpeta) / nombre).string();
        // "x": created here or not at all, so a file that appeared meanwhile is not overwritten either.
        std::FILE *f = std::fopen(ruta.c_str(), "wbx");
        if (!f) {
            if (errno != EEXIST) {
                throw std::runtime_error("No se puede crear el fichero " + ruta + ": " + std::strerror(errno));
            }
            reloj.esperar();
            continue;
        }
        const bool escrito = std::fwrite(bytes_.data(), 1, bytes_.size(), f) == bytes_.size();
        const int error = escrito ? 0 : errno;
        if (std::fclose(f) != 0 || !escrito) {
            const int e = error ? error : errno;
            // Half a file would be imported as if it were whole.
            std::remove(ruta.c_str());
            throw std::runtime_error("No se ha podido escribir el fichero " + ruta + ": " + std::strerror(e));
        }
        return ruta;
    }
}

} // namespace accounting
