#include "accounting/EscritorLumbra.h"

#include "lumbra/ApunteContable.h"
#include "lumbra/AsientoContable.h"
#include "lumbra/RegistroSII.h"

#include <stdexcept>

namespace accounting {

EscritorLumbra::EscritorLumbra(db::Connection &conexion, const suite::EmpresaLumbra &empresa, int almacen)
    : conexion_(conexion), empresa_(empresa), almacen_(almacen) {}

EscritorLumbra::~EscritorLumbra() = default;

long EscritorLumbra::NuevoAsiento(const suite::Fecha &fecha) {
    asiento_ = std::make_unique<lumbra::AsientoContable>(conexion_, empresa_);
    asiento_->Fecha(fecha);
    asiento_->Crear();
    apunte_ = std::make_unique<lumbra::ApunteContable>(conexion_, empresa_);
    return asiento_->Numero();
}

int EscritorLumbra::Apunte(const ApunteAsiento &a) {
    if (!asiento_) {
        throw std::logic_error("No hay ningún asiento abierto");
    }
    auto &l = *apunte_;
    l.asiento = asiento_->Numero();
    l.fecha = asiento_->Fecha();
    l.fechaValor = asiento_->Fecha();
    l.cuenta = a.cuenta;
    l.concepto = a.concepto;
    l.codigoConcepto = a.codigoConcepto;
    l.documento = a.documento;
    l.tipo = 1;
    l.almacen = almacen_;
    l.debe = a.debe;
    l.haber = a.haber;
    return l.Anadir();
}

void EscritorLumbra::Registro(const FacturaRecibida &f, const std::string &cuenta, int linea) {
    lumbra::RegistroSII r(conexion_, empresa_);
    r.nif = f.nif;
    r.nombre = f.nombre;
    r.pais = f.pais;
    r.cuenta = cuenta;
    r.documento = f.documento;
    r.fechaFactura = f.fecha;
    r.fechaRegistro = asiento_->Fecha();
    r.importe = f.importe;
    for (const auto &i : f.impuestos) {
        r.impuestos.push_back({i.base, i.valorTipo, i.cuota, i.tipo});
    }
    r.Adjuntar(asiento_->Numero(), linea);
}

} // namespace accounting
