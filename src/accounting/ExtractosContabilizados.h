#pragma once

#include "db/Connection.h"

#include <optional>
#include <string>

namespace accounting {

// The two databases commit one after the other: a run cut off between the two commits leaves
// the entries in the accounting database and the statement open in the ERP. So every statement
// accounted there is noted, in the accounting transaction itself, with the entries it got; a
// statement still open that has its note was accounted already, and is closed without a second
// entry. The note names the statement by its first line's id too, which is never reused, so a
// statement deleted and created again under the same key is not taken for the old one.
class ExtractosContabilizados {
  public:
    // A statement of the central organisation (`Origen` "Proveedores") or a customer's collection
    // statement ("Clientes"): its key as text and the table of its lines with the key's WHERE.
    struct Extracto {
        std::string origen;
        std::string clave;
        std::string tablaLineas;
        std::string filtroLineas;
    };
    static Extracto DeProveedores(long empresa, long almacen, const std::string &extracto);
    static Extracto DeClientes(long empresa, long cliente, const std::string &fechaCobroSql);

    ExtractosContabilizados(db::Connection &erp, db::Connection &contabilidad, long empresa)
        : erp_(erp), contabilidad_(contabilidad), empresa_(empresa) {}

    // The entries the statement got in a run whose ERP side was lost; nothing when it has none.
    std::optional<std::string> Asientos(const Extracto &e) const;
    // Notes the statement's entries; inside the accounting transaction of the run.
    void Anotar(const Extracto &e, const std::string &asientos) const;

  private:
    long PrimeraLinea(const Extracto &e) const;
    std::string Clave(const Extracto &e) const;

    db::Connection &erp_;
    db::Connection &contabilidad_;
    long empresa_;
};

} // namespace accounting
