#pragma once

#include "accounting/RelojFicheros.h"

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
    FicheroSage200 &Campo(std::string_view texto);
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
    std::string descripcion_;
    bool utf8_;
    std::string bytes_;
    int registros_ = 0;
    int campos_ = 0;
};

} // namespace accounting
