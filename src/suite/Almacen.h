#pragma once

#include "db/Connection.h"

#include <cstdint>
#include <string>

namespace suite {

// The warehouse object: one row of Almacenes, loaded on demand.
class Almacen {
  public:
    Almacen(db::ConnectionPtr erp, int empresa);

    // False (and every field cleared) when the company has no such warehouse.
    bool CargarAlmacen(int codigo);
    bool Cargado() const { return cargado_; }

    int Codigo() const { return codigo_; }
    // Selects the company's special-regime tax rates (TipoImpuestoRegimen) for this warehouse.
    bool RegimenEspecial() const { return regimenEspecial_; }
    const std::string &Nombre() const { return nombre_; }
    int EmpContable() const { return empContable_; }
    const std::string &CtaPagoAjuste() const { return ctaPagoAjuste_; }
    const std::string &CtaGastosProntoPago() const { return ctaGastosProntoPago_; }
    std::int64_t CodAlmacenCentral() const { return codAlmacenCentral_; }
    const std::string &CodSociedad() const { return codSociedad_; }

  private:
    db::ConnectionPtr erp_;
    int empresa_;
    bool cargado_ = false;
    int codigo_ = 0;
    bool regimenEspecial_ = false;
    std::string nombre_;
    int empContable_ = 0;
    std::string ctaPagoAjuste_;
    std::string ctaGastosProntoPago_;
    std::int64_t codAlmacenCentral_ = 0;
    std::string codSociedad_;
};

} // namespace suite
