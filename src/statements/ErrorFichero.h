#pragma once

#include <stdexcept>
#include <string>

namespace statements {

// An import file that cannot be read as its format says: the message names the file, the line
// and the field, so that the user can find and fix the record.
class ErrorFichero : public std::runtime_error {
  public:
    ErrorFichero(std::string ruta, int linea, std::string campo, std::string motivo);

    const std::string &Ruta() const { return ruta_; }
    int Linea() const { return linea_; }
    const std::string &Campo() const { return campo_; }
    const std::string &Motivo() const { return motivo_; }

    // "Error de Importación: <motivo>" and, one per line, the file, the line number (when known) and
    // the field (when there is one).
    static std::string Mensaje(const std::string &ruta, int linea, const std::string &campo,
                               const std::string &motivo);
    // Those last lines alone, for a refusal whose first words are the system's own.
    static std::string Ubicacion(const std::string &ruta, int linea, const std::string &campo);

  private:
    std::string ruta_;
    int linea_;
    std::string campo_;
    std::string motivo_;
};

} // namespace statements
