#pragma once

#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>
#include <vector>

namespace accounting {

// One entry line as the builders produce it.
struct ApunteAsiento {
    std::string cuenta;
    std::string concepto;
    int codigoConcepto = 0;
    std::string documento;
    suite::Moneda debe, haber;
};

// The received-invoice data of a payment line.
struct FacturaRecibida {
    struct Impuesto {
        suite::Moneda base, valorTipo, cuota;
        int tipo = 0;
    };
    std::string nif, nombre, pais, documento;
    suite::Fecha fecha;
    suite::Moneda importe;
    std::vector<Impuesto> impuestos;
};

// Where the builders write their entries: the accounting database, or (later) Sage 200 files.
class EscritorAsiento {
  public:
    virtual ~EscritorAsiento() = default;
    // Opens an entry dated `fecha`; returns its number.
    virtual long NuevoAsiento(const suite::Fecha &fecha) = 0;
    // Appends a line to the open entry; returns its line number.
    virtual int Apunte(const ApunteAsiento &apunte) = 0;
    // Keeps the received invoice beside line `linea` of the open entry.
    virtual void Registro(const FacturaRecibida &factura, const std::string &cuenta, int linea) = 0;
};

} // namespace accounting
