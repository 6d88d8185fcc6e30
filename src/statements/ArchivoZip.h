#pragma once

#include <functional>
#include <string>
#include <vector>

namespace statements {

// A zip archive holding one exported file, as the central organisation receives it.
class ArchivoZip {
  public:
    explicit ArchivoZip(std::string ruta) : ruta_(std::move(ruta)) {}

    const std::string &Ruta() const { return ruta_; }

    // Replaces the archive by one holding `fichero` alone (under its file name), then reopens it and
    // compares every entry with the file byte for byte. On any failure the archive is deleted and
    // the error thrown; the file itself is never touched.
    void Crear(const std::string &fichero);

    // Names of the archive's entries, in order.
    std::vector<std::string> Entradas() const;

    // Called before each step ("borrar", "crear", "añadir", "cerrar", "comprobar"); tests make it throw.
    std::function<void(const std::string &paso)> antesDe;

  private:
    void Paso(const char *paso) const;
    void Comprobar(const std::string &fichero, const std::string &nombre) const;

    std::string ruta_;
};

} // namespace statements
