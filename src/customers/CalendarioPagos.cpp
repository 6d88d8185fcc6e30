#include "customers/CalendarioPagos.h"

namespace customers {

namespace {

// Day `dia` of the month, or its last day when the month is shorter.
suite::Fecha DiaDelMes(int anio, int mes, int dia) {
    for (int d = std::max(dia, 1); d > 0; --d) {
        if (auto f = suite::Fecha::Desde(anio, mes, d)) {
            return *f;
        }
    }
    return suite::Fecha();
}

} // namespace

suite::Fecha CalendarioPagos::DiaDePago(const suite::Fecha &d, int dia1, int dia2) {
    if (dia1 == 0 && dia2 == 0) {
        return d;
    }
    if (dia2 == 0) {
        return DiaDelMes(d.Anio(), d.Mes(), dia1);
    }
    if (d.Dia() < dia1) {
        return DiaDelMes(d.Anio(), d.Mes(), dia1);
    }
    if (d.Dia() <= dia2) {
        return DiaDelMes(d.Anio(), d.Mes(), dia2);
    }
    return d.Mes() == 12 ? DiaDelMes(d.Anio() + 1, 1, dia1) : DiaDelMes(d.Anio(), d.Mes() + 1, dia1);
}

std::vector<CalendarioPagos::Vencimiento> CalendarioPagos::Calcular(const CondicionesPago &c,
                                                                    const suite::Fecha &factura,
                                                                    suite::Moneda importe) {
    std::vector<Vencimiento> out;
    if (!c.generarPrev || c.nroVtos < 1) {
        return out;
    }
    const suite::Moneda parte = (importe / static_cast<std::int64_t>(c.nroVtos)).Redondear(2);
    suite::Moneda repartido;
    for (int k = 0; k < c.nroVtos; ++k) {
        const suite::Moneda cuota = k + 1 == c.nroVtos ? importe - repartido : parte;
        repartido += cuota;
        const suite::Fecha bruta = factura.SoloFecha().SumarDias(c.primerVto + static_cast<std::int64_t>(k) * c.restoVtos);
        out.push_back({DiaDePago(bruta, c.diaPago1, c.diaPago2), cuota, c.tipoDoc, c.cuenta});
    }
    return out;
}

} // namespace customers
