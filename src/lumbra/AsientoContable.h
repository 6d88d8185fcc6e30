#pragma once

#include "db/Connection.h"
#include "suite/Fecha.h"

namespace suite {
class EmpresaLumbra;
}

namespace lumbra {

// Header of an accounting entry. Its number is the next of the accounting company's counter for the
// fiscal year the company instance is set to.
class AsientoContable {
  public:
    AsientoContable(db::Connection &conexion, const suite::EmpresaLumbra &empresa)
        : conexion_(&conexion), empresa_(&empresa) {}

    void Fecha(const suite::Fecha &fecha) { fecha_ = fecha.SoloFecha(); }
    const suite::Fecha &Fecha() const { return fecha_; }
    long Numero() const { return numero_; }
    int Ejercicio() const { return ejercicio_; }

    // Allocates the number and writes the header. Only inside an open transaction on the accounting
    // connection, which holds the counter's row until it ends, so two runs never share a number.
    void Crear();

  private:
    db::Connection *conexion_;
    const suite::EmpresaLumbra *empresa_;
    suite::Fecha fecha_;
    long numero_ = 0;
    int ejercicio_ = 0;
};

} // namespace lumbra
