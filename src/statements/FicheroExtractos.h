#pragma once

#include "statements/TokenizadorDelimitado.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <memory>
#include <string>

namespace statements {

// The statement file of the first format: ";"-separated "E" headers and "L" lines, enclosed
// fields between delimiters, and an end-marker line ("FIN"). Other records are skipped.
class FicheroExtractos {
  public:
    struct Cabecera {
        std::int64_t almacenCentral = 0;
        std::string extracto;
        suite::Fecha fecha, fechaVto;
    };
    struct Linea {
        std::string extracto;
        std::int64_t proveedorCentral = 0;
        std::int64_t proveedor = 0;
        std::string documentoCentral;
        std::string tipoPago; // the part of documentoCentral before its first "-"
        std::string documento;
        suite::Fecha fecha;
        suite::Moneda importe;
    };
    enum class Registro { Fin, Cabecera, Linea };

    explicit FicheroExtractos(const std::string &ruta);
    FicheroExtractos(std::string nombre, std::unique_ptr<std::istream> entrada);

    // A pass over the whole file for the end marker (a line whose characters 2 to 4 are "FIN");
    // the next Siguiente starts again at the first line.
    bool TieneFin();
    // The next "E" or "L" record, or Fin at the end of the file. Bad records throw ErrorFichero;
    // a central document without "-" throws a run-time error that names the line.
    Registro Siguiente();
    const Cabecera &UltimaCabecera() const { return cabecera_; }
    const Linea &UltimaLinea() const { return linea_; }
    int NumeroLinea() const { return tok_.NumeroLinea(); }
    const TokenizadorDelimitado &Tokens() const { return tok_; }

  private:
    std::string Entrecomillado(std::size_t i, const char *nombre) const;
    static Tokenizador::NombreCampo Describir(std::size_t i, const char *nombre);

    TokenizadorDelimitado tok_;
    bool hayCabecera_ = false;
    Cabecera cabecera_;
    Linea linea_;
};

} // namespace statements
