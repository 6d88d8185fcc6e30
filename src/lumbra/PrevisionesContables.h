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

// Payment forecasts (Previsiones_Pago) of the accounting company.
class PrevisionesContables {
  public:
    // One due of a forecast: when, how much, the document it is paid with and the bank account.
    struct Vencimiento {
        suite::Fecha fecha;
        suite::Moneda importe;
        int tipoDoc = 0;
        std::string cuentaBanco;
    };

    PrevisionesContables(db::Connection &conexion, const suite::EmpresaLumbra &empresa)
        : conexion_(&conexion), empresa_(&empresa) {}

    // The entry that settles the forecasts marked from now on.
    void Asiento(long asiento) { asiento_ = asiento; }

    // Marks the forecast settled (or pending again) by the entry set above.
    void Liquidada(long apunte, bool liquidada);
    // Records the account the forecast was paid against.
    void Contrapartida(long apunte, const std::string &cuenta);

    // The forecasts of a document by the dues of its payment method: the first due `PrimerVto` days
    // after the document date, the others `RestoVtos` days apart, the amount shared out with the
    // remainder on the last. None when the method generates no forecasts. Returns their numbers.
    std::vector<long> Crear(const std::string &cuenta, const std::string &documento, const std::string &documento2,
                            const suite::Fecha &fechaDocumento, suite::Moneda importe, int formaPago);
    // The forecast of a document with the dues its caller worked out, one row per due.
    std::vector<long> Crear(const std::string &cuenta, const std::string &documento, const std::string &documento2,
                            const suite::Fecha &fechaDocumento, const std::vector<Vencimiento> &vencimientos,
                            int formaPago);

  private:
    db::Connection *conexion_;
    const suite::EmpresaLumbra *empresa_;
    long asiento_ = 0;
};

} // namespace lumbra
