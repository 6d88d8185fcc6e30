#include "accounting/FicheroSage200.h"

#include "suite/Windows1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace accounting {

FicheroSage200::FicheroSage200(std::string descripcion, bool utf8) : descripcion_(std::move(descripcion)), utf8_(utf8) {}

FicheroSage200 &FicheroSage200::Especial(std::string_view texto) {
    auto rechazar = [&](const std::string &motivo) {
        throw std::runtime_error("Línea " + std::to_string(registros_ + 1) + ", campo " + std::to_string(campos_) +
                                 " del fichero " + descripcion_ + " de Sage 200: «" + std::string(texto) + "» " +
                                 motivo);
    };
    // A line break would split the record in two for Sage.
    if (texto.find('\r') != std::string_view::npos || texto.find('\n') != std::string_view::npos) {
        rechazar("lleva un salto de línea");
    }
    if (utf8_) {
        bytes_ += texto;
        return *this;
    }
    // Accented letters (U+00A0 to U+00FF) are the usual case and map to their own byte; anything
    // else goes through the full conversion, which also names what it cannot write.
    const std::size_t inicio = bytes_.size();
    bytes_.reserve(inicio + texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const auto b = static_cast<unsigned char>(texto[i]);
        if (b < 0x80) {
            std::size_t fin = i + 1;
            while (fin < texto.size() && static_cast<unsigned char>(texto[fin]) < 0x80) {
                ++fin;
            }
            bytes_.append(texto.data() + i, fin - i);
            i = fin - 1;
            continue;
        }
        const auto c = i + 1 < texto.size() ? static_cast<unsigned char>(texto[i + 1]) : 0;
        if ((b == 0xC2 && c >= 0xA0 && c <= 0xBF) || (b == 0xC3 && c >= 0x80 && c <= 0xBF)) {
            bytes_ += static_cast<char>(b == 0xC2 ? c : c + 0x40);
            ++i;
            continue;
        }
        bytes_.resize(inicio);
        std::string caracter;
        if (!suite::Utf8AWindows1252(texto, bytes_, &caracter)) {
            rechazar("lleva el carácter «" + caracter + "», que Windows-1252 no tiene");
        }
        break;
    }
    return *this;
}

FicheroSage200 &FicheroSage200::Hasta(int n) {
    if (campos_ < n) {
        // The first field of a record has no separator before it.
        bytes_.append(static_cast<std::size_t>(n - campos_ - (campos_ == 0 ? 1 : 0)), ';');
        campos_ = n;
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
