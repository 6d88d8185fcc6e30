#pragma once

#include "db/Connection.h"

#include <optional>
#include <string>
#include <vector>

namespace lines {

// What the suite's lookup boxes of the lines windows look up: suppliers and warehouses of the ERP
// company, accounts of an accounting company. Kept out of the views so that they only draw.
class BuscadorMaestros {
  public:
    struct Fila {
        std::string codigo;
        std::string nombre;
    };
    // At most this many rows in a search list.
    static constexpr int kMaximo = 200;

    // Empty when the company has no such supplier.
    static std::optional<std::string> NombreProveedor(db::Connection &erp, int empresa, long codigo);
    // Suppliers whose code or name contains the text (all when it is empty), by name.
    static std::vector<Fila> Proveedores(db::Connection &erp, int empresa, const std::string &texto);
    static std::optional<std::string> NombreCliente(db::Connection &erp, int empresa, long codigo);
    // Customers whose code or name contains the text (all when it is empty), by name.
    static std::vector<Fila> Clientes(db::Connection &erp, int empresa, const std::string &texto);
    static std::optional<std::string> NombreAlmacen(db::Connection &erp, int empresa, long codigo);
    // Warehouses whose code or name contains the text (all when it is empty), by code.
    static std::vector<Fila> Almacenes(db::Connection &erp, int empresa, const std::string &texto);
    // Accounts of the accounting company `empContable`, in the accounting database; the latest
    // fiscal year's name wins.
    static std::optional<std::string> NombreCuenta(db::Connection &contabilidad, int empContable,
                                                   const std::string &cuenta);
    static std::vector<Fila> Cuentas(db::Connection &contabilidad, int empContable, const std::string &texto);
};

} // namespace lines
