#pragma once

#include "statements/TokenizadorDelimitado.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <memory>
#include <string>

namespace statements {

// The tax file of the first format: one ";"-separated tax row per line, no field enclosed, for
// lines of statements imported before. Blank lines are skipped.
class FicheroImpuestos {
  public:
    struct Linea {
        std::int64_t almacenCentral = 0;
        std::int64_t proveedorCentral = 0;
        std::string documento;
        suite::Fecha fecha; // 01/01/1900 when the file has none
        suite::Moneda base, valorTipo, importe;
    };

    explicit FicheroImpuestos(const std::string &ruta);
    FicheroImpuestos(std::string nombre, std::unique_ptr<std::istream> entrada);

    // The next tax row; false at the end of the file. Bad rows throw ErrorFichero.
    bool Siguiente();
    const Linea &UltimaLinea() const { return linea_; }
    int NumeroLinea() const { return tok_.NumeroLinea(); }

  private:
    static Tokenizador::NombreCampo Describir(std::size_t i);

    TokenizadorDelimitado tok_;
    Linea linea_;
};

} // namespace statements
