#pragma once

#include "lumbra/PrevisionesContables.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>
#include <vector>

namespace customers {

// A supplier's (or the company's) payment terms, as the forecasts of an invoice need them.
struct CondicionesPago {
    int formaPago = 0;
    bool generarPrev = false;
    int primerVto = 0, nroVtos = 0, restoVtos = 0;
    int diaPago1 = 0, diaPago2 = 0;
    int tipoDoc = 0;
    std::string cuenta;
};

// The dues of one invoice under some payment terms.
class CalendarioPagos {
  public:
    using Vencimiento = lumbra::PrevisionesContables::Vencimiento;

    // `nroVtos` dues, `primerVto` days after the invoice and `restoVtos` apart, each moved to the
    // payment days; the amount shared out to the cent, the rounding remainder on the last due so
    // that the dues add up to the amount exactly. Empty when the terms generate no forecasts.
    static std::vector<Vencimiento> Calcular(const CondicionesPago &c, const suite::Fecha &factura,
                                             suite::Moneda importe);
    // A due date moved to the payment days: with two, to the next of them (the first of the
    // following month past the second); with one, to that day of its own month.
    static suite::Fecha DiaDePago(const suite::Fecha &d, int dia1, int dia2);
};

} // namespace customers
