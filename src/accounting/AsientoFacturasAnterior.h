#pragma once

#include "accounting/GeneradorAsiento.h"

namespace accounting {

// Statements linked to receipts and invoices, up to 2018: one entry for the whole statement.
class AsientoFacturasAnterior : public GeneradorAsiento {
  public:
    AsientoFacturasAnterior(host::Window &ventana, std::string &asientosGenerados);

    bool GenerarAsientoFacturasAnterior(const std::string &fecha, short almacen, const std::string &extracto);

  private:
    void Ajuste();

    suite::Moneda total_, ajuste_;
    std::string cuentaAnterior_, nombreAnterior_;
};

} // namespace accounting
