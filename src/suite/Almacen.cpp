#include "suite/Almacen.h"

#include "suite/Valor.h"

namespace suite {

Almacen::Almacen(db::ConnectionPtr erp, int empresa) : erp_(std::move(erp)), empresa_(empresa) {}

bool Almacen::CargarAlmacen(int codigo) {
    *this = Almacen(erp_, empresa_);
    // All columns, so that a site whose table lacks an optional column still loads the rest.
    auto rs = erp_->OpenRecordset("SELECT * FROM Almacenes WHERE Cod_Empresa =" + std::to_string(empresa_) +
                                  " AND Codigo =" + std::to_string(codigo));
    if (rs->Eof()) {
        return false;
    }
    auto get = [&](const char *name) { return rs->HasField(name) ? ValorDe(rs->Fields(name)) : Valor(); };
    cargado_ = true;
    codigo_ = codigo;
    regimenEspecial_ = get("RegimenEspecial").ToBool();
    nombre_ = get("Nombre").ToText();
    empContable_ = static_cast<int>(get("EmpContable").ToLong());
    ctaPagoAjuste_ = get("CtaPagoAjuste").ToText();
    ctaGastosProntoPago_ = get("CtaGastosProntoPago").ToText();
    codAlmacenCentral_ = get("Cod_AlmacenCentral").ToLong();
    codSociedad_ = get("Cod_Sociedad").ToText();
    return true;
}

} // namespace suite
