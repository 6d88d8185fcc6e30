#pragma once

#include "db/Connection.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>
#include <vector>

namespace suite {
class EmpresaLumbra;
}

namespace lumbra {

// A record of the received-invoice register, with its tax rows, kept beside an entry line.
class RegistroSII {
  public:
    struct Impuesto {
        suite::Moneda base, valorTipo, cuota;
        int tipo = 0;
    };

    RegistroSII(db::Connection &conexion, const suite::EmpresaLumbra &empresa)
        : conexion_(&conexion), empresa_(&empresa) {}

    std::string nif, nombre, pais, cuenta, documento;
    suite::Fecha fechaFactura, fechaRegistro;
    suite::Moneda importe;
    std::vector<Impuesto> impuestos;

    // Writes the record and its tax rows for line `linea` of entry `asiento`; returns its id.
    long Adjuntar(long asiento, int linea);

  private:
    db::Connection *conexion_;
    const suite::EmpresaLumbra *empresa_;
};

} // namespace lumbra
