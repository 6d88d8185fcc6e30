#pragma once

#include "accounting/RelojFicheros.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace accounting {

// One Sage 200 import file, built in memory: records of fields separated by ";" (no quoting) and
// ended by CRLF. Each field is checked and encoded as it is added, so that a text the file cannot
// carry is refused before anything reaches the folder.
class FicheroSage200 {
  public:
    // `descripcion` names the file in messages ("de registro"); `utf8` writes UTF-8, else Windows-1252.
    FicheroSage200(std::string descripcion, bool utf8);

    // The current record's next field.
    FicheroSage200 &Campo(std::string_view texto) {
        if (campos_++ > 0) {
            bytes_ += ';';
        }
        // Most fields are plain ASCII without line breaks: those go in as they are. This runs for
        // every field of every record, hence inline.
        if (!Corriente(texto)) {
            return Especial(texto);
        }
        bytes_ += texto;
        return *this;
    }
    // Empty fields until the current record has `n` of them.
    FicheroSage200 &Hasta(int n);
    // Ends the current record.
    void Fin();

    int Registros() const { return registros_; }
    const std::string &Bytes() const { return bytes_; }

    // Creates `carpeta`/`prefijo` + "ddmmyyyy_hhmmss.csv" and writes the records; a name already
    // taken is never overwritten: the clock is asked again after a pause. Returns the path.
    std::string Escribir(const std::string &carpeta, const std::string &prefijo, const RelojFicheros &reloj) const;

  private:
    // ASCII without carriage return or line feed, looked at eight bytes at a time.
    static bool Corriente(std::string_view texto) {
        constexpr std::uint64_t unos = 0x0101010101010101ULL, altos = 0x8080808080808080ULL;
        auto tiene = [](std::uint64_t w) { return ((w - unos) & ~w & altos) != 0; };
        std::size_t i = 0;
        for (; i + 8 <= texto.size(); i += 8) {
            std::uint64_t w;
            std::memcpy(&w, texto.data() + i, 8);
            if ((w & altos) || tiene(w ^ (unos * '\r')) || tiene(w ^ (unos * '\n'))) {
                return false;
            }
        }
        for (; i < texto.size(); ++i) {
            const auto b = static_cast<unsigned char>(texto[i]);
            if (b >= 0x80 || b == '\r' || b == '\n') {
                return false;
            }
        }
        return true;
    }
    // A field that needs encoding or must be refused.
    FicheroSage200 &Especial(std::string_view texto);

    std::string descripcion_;
    bool utf8_;
    std::string bytes_;
    int registros_ = 0;
    int campos_ = 0;
};

} // namespace accounting
