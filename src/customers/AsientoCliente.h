#pragma once

#include "customers/CalendarioPagos.h"
#include "host/Window.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <memory>
#include <string>
#include <vector>

namespace suite {
class EmpresaLumbra;
}

namespace customers {

// The entry of one customer statement: each invoice credited to its supplier's short-term debt,
// the customer's short-term deposit debited with the total, and the supplier's payment forecasts
// of every invoice.
class AsientoCliente {
  public:
    // `ventana` is the customer list, whose error trap reports the builder's failures;
    // `asientosGenerados` is its run's list of entry numbers.
    AsientoCliente(host::Window &ventana, std::string &asientosGenerados);
    ~AsientoCliente();

    bool GenerarAsiento(const std::string &fechaCobro, long cliente, const suite::Fecha &fechaContabilizar);
    // The dues of one invoice line into `previsiones`, under its supplier's terms or the company's.
    bool CargarPrevisiones(long proveedor, const suite::Fecha &fechaFactura, suite::Moneda importe);

    std::vector<CalendarioPagos::Vencimiento> previsiones;
    // The terms the last CargarPrevisiones used.
    CondicionesPago condiciones;

  private:
    std::string Cuenta(const std::string &deFicha, const char *raiz, long codigo);

    host::Window &ventana_;
    std::string &asientos_;
    std::shared_ptr<suite::EmpresaLumbra> empresa_;
    int longitudCuenta_ = 0;
};

} // namespace customers
