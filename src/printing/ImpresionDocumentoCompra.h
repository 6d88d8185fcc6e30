#pragma once

#include "db/Connection.h"
#include "host/Shell.h"

#include <memory>
#include <string>

namespace suite {
class EmpresaVarnex;
class EmpresaLumbra;
} // namespace suite

namespace printing {

// The suite's purchase-document printout: one page with a goods receipt (code above 0) or a
// supplier invoice, and the statement lines it is linked to.
class ImpresionDocumentoCompra {
  public:
    explicit ImpresionDocumentoCompra(host::Shell &shell) : shell_(shell) {}

    void Empresa(std::shared_ptr<suite::EmpresaVarnex> empresa, db::ConnectionPtr conexion);
    void EmpresaContable(std::shared_ptr<suite::EmpresaLumbra> empresa, db::ConnectionPtr conexion);
    // `fecha` is the document date as day-first text. Returns false (after telling the user) when
    // the document no longer exists.
    bool Imprimir(long codigo, int almacen, long proveedor, const std::string &fecha, const std::string &documento);

  private:
    host::Shell &shell_;
    std::shared_ptr<suite::EmpresaVarnex> empresa_;
    db::ConnectionPtr erp_;
    std::shared_ptr<suite::EmpresaLumbra> empresaContable_;
    db::ConnectionPtr contabilidad_;
};

} // namespace printing
