#pragma once

#include "host/Grid.h"
#include "suite/Fecha.h"

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace claims {

// The claims file for the central organisation: one line per claim of 26 fields separated by ";",
// in Windows-1252, each line ended by CR LF. Fields come from the claims viewer's grid row.
class FicheroReclamaciones {
  public:
    // Each field's name (for messages) and its text as written, still in UTF-8.
    static std::vector<std::pair<std::string, std::string>> Campos(const host::Grid &grid, int row);
    static std::string Linea(const host::Grid &grid, int row);
    // The first field of those rows that Windows-1252 cannot hold, or that carries the separator
    // outside quotes, as a message naming the claim and the field; empty when every row can be written.
    static std::string NoRepresentable(const host::Grid &grid, const std::vector<int> &rows);
    // What is wrong with the export folder (not set, missing, not a folder, not writable); empty when fine.
    static std::string ErrorCarpeta(const std::string &carpeta);
    // "RECLAMACIONES_ddmmyyyy_hhnnss.txt" inside the folder, whether or not it ends in a separator.
    static std::string Ruta(const std::string &carpeta, const suite::Fecha &momento);

    // Creates the file, replacing one of the same name; throws naming it when it cannot.
    explicit FicheroReclamaciones(std::string ruta);
    void Escribir(const std::string &lineaUtf8);
    // Throws when what was written did not reach the file.
    void Cerrar();
    const std::string &RutaFichero() const { return ruta_; }

  private:
    std::string ruta_;
    std::ofstream out_;
};

} // namespace claims
