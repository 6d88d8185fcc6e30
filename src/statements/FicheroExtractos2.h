#pragma once

#include "statements/TokenizadorAnchoFijo.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <memory>
#include <string>

namespace statements {

// The statement file of the second format: fixed positions, a "BGM" header per statement and a
// "LIK" record per document paid, suppliers named by GLN. Other records are skipped.
class FicheroExtractos2 {
  public:
    struct Cabecera {
        std::string extracto;
        suite::Fecha fechaVto, fecha;
    };
    struct Linea {
        std::string gln;
        std::string documento;
        suite::Fecha fecha;
        suite::Moneda importe;
        std::string nombre;
        std::int64_t relacion = 0; // 0 when blank
    };
    enum class Registro { Fin, Cabecera, Linea };

    explicit FicheroExtractos2(const std::string &ruta);
    FicheroExtractos2(std::string nombre, std::unique_ptr<std::istream> entrada);

    // The next "BGM" or "LIK" record, or Fin at the end of the file. Bad records throw ErrorFichero.
    Registro Siguiente();
    const Cabecera &UltimaCabecera() const { return cabecera_; }
    const Linea &UltimaLinea() const { return linea_; }
    int NumeroLinea() const { return tok_.NumeroLinea(); }

  private:
    TokenizadorAnchoFijo tok_;
    bool hayCabecera_ = false;
    Cabecera cabecera_;
    Linea linea_;
};

} // namespace statements
