#pragma once

#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>
#include <vector>

namespace accounting {

// One entry line as the builders produce it.
struct ApunteAsiento {
    // Lines that a file writer spells apart from the others.
    enum class Papel { Otro, Reclamacion, GastoProntoPago, Contrapartida };

    std::string cuenta;
    std::string concepto;
    int codigoConcepto = 0;
    std::string documento;
    suite::Moneda debe, haber;
    // The side the builder posted to: a line of amount 0 still has one.
    bool alHaber = false;
    // The name of the line's supplier, which file writers put into their descriptions.
    std::string proveedor;
    Papel papel = Papel::Otro;
};

// The statement line whose supplier line closes it in a registration entry.
struct LineaCerrada {
    long idLinea = 0;
    std::string pais, nif;
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

// Where the builders write their entries: the accounting database, or Sage 200 files.
class EscritorAsiento {
  public:
    enum class Parte { Registro, Pago };

    virtual ~EscritorAsiento() = default;
    // The registration entries (when the statement has lines to register) and the payment entry
    // start and end through these; the accounting database needs neither.
    virtual void Empezar(Parte) {}
    virtual void Terminar(Parte) {}
    // Opens an entry dated `fecha`; returns its number.
    virtual long NuevoAsiento(const suite::Fecha &fecha) = 0;
    // Appends a line to the open entry; returns its line number.
    virtual int Apunte(const ApunteAsiento &apunte) = 0;
    // The supplier line that closes statement line `linea`; Sage 200 registers the central's invoice there.
    virtual int CerrarLinea(const ApunteAsiento &apunte, const LineaCerrada &linea) {
        (void)linea;
        return Apunte(apunte);
    }
    // Keeps the received invoice beside line `linea` of the open entry.
    virtual void Registro(const FacturaRecibida &factura, const std::string &cuenta, int linea) = 0;
};

} // namespace accounting
