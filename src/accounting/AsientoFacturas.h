#pragma once

#include "accounting/GeneradorAsiento.h"

namespace accounting {

// Statements linked to receipts and invoices, from 2019: one registration entry per line date,
// each statement line closed by its own supplier line, then the statement's payment entry.
class AsientoFacturas : public GeneradorAsiento {
  public:
    // `escritor` replaces the accounting database as the target (Sage 200 files); null writes there.
    AsientoFacturas(host::Window &ventana, std::string &asientosGenerados, EscritorAsiento *escritor = nullptr);

    bool GenerarAsientoFacturas(const std::string &fecha, short almacen, const std::string &extracto,
                                const std::string &carpeta);

  private:
    void Registro();
    void CerrarLinea();
    bool SinAsientoResumen();
    void Pago(const suite::Fecha &fecha);

    int tipoContabilidad_ = 1;
    suite::Moneda total_, ajuste_;
    std::string cuentaAnterior_, pendienteAnterior_, documentoAnterior_, nombreAnterior_;
    LineaCerrada cerrada_;
};

} // namespace accounting
