#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace suite {

// An INI file as the Windows profile functions read it: [sections], key=value, ';' comment lines,
// names compared without regard to ASCII case, blanks around names and values ignored.
// Bytes are passed through untouched, so UTF-8 and Windows-1252 files read alike.
class ArchivoIni {
  public:
    ArchivoIni() = default;
    static ArchivoIni DesdeTexto(std::string_view texto);
    // A missing or unreadable file is an empty one.
    static ArchivoIni Cargar(const std::string &ruta);

    // The first matching key of the first matching section; surrounding quotes are removed.
    std::optional<std::string> Leer(std::string_view seccion, std::string_view clave) const;
    // Replaces the value in place, or appends the key (and the section) when absent.
    void Escribir(std::string_view seccion, std::string_view clave, std::string_view valor);
    std::string Texto() const;
    // Writes a temporary file beside `ruta` and renames it over, creating folders as needed.
    void Guardar(const std::string &ruta) const;

  private:
    struct Linea {
        std::string texto;
        std::string seccion; // set on section headers
        std::string clave;   // set on key lines
        std::string valor;
    };
    std::vector<Linea> lineas_;
};

} // namespace suite
