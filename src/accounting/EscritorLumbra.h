#pragma once

#include "accounting/EscritorAsiento.h"
#include "db/Connection.h"

#include <memory>

namespace suite {
class EmpresaLumbra;
}
namespace lumbra {
class AsientoContable;
class ApunteContable;
} // namespace lumbra

namespace accounting {

// Entries written into the accounting database through the accounting library.
class EscritorLumbra : public EscritorAsiento {
  public:
    EscritorLumbra(db::Connection &conexion, const suite::EmpresaLumbra &empresa, int almacen);
    ~EscritorLumbra() override;

    long NuevoAsiento(const suite::Fecha &fecha) override;
    int Apunte(const ApunteAsiento &apunte) override;
    void Registro(const FacturaRecibida &factura, const std::string &cuenta, int linea) override;

  private:
    db::Connection &conexion_;
    const suite::EmpresaLumbra &empresa_;
    int almacen_;
    std::unique_ptr<lumbra::AsientoContable> asiento_;
    std::unique_ptr<lumbra::ApunteContable> apunte_;
};

} // namespace accounting
