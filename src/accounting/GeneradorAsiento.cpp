#include "accounting/GeneradorAsiento.h"

#include "accounting/EscritorLumbra.h"
#include "db/Sql.h"
#include "host/Contexto.h"
#include "lumbra/ApunteContable.h"
#include "lumbra/CuentasContables.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

namespace accounting {

namespace {

host::Contexto &Ctx() { return host::Contexto::Global(); }

const char *const kParametrosConcepto[] = {"Concepto_PagoCent_Proveedor", "Concepto_PagoCent_Proveedor_Ajuste",
                                           "Concepto_PagoCent_Gasto_Ajuste", "Concepto_PagoCent_Contrapartida"};

} // namespace

GeneradorAsiento::GeneradorAsiento(host::Window &ventana, std::string &asientosGenerados)
    : ventana_(ventana), asientos_(asientosGenerados), erp_(*Ctx().conexionVarnex),
      contabilidad_(*Ctx().conexionLumbra), codEmpresa_(Ctx().empresaVarnex->Codigo()) {}

GeneradorAsiento::~GeneradorAsiento() = default;

void GeneradorAsiento::Preparar(const suite::Fecha &fechaAsiento, short almacen, const std::string &extracto) {
    almacen_ = almacen;
    extracto_ = extracto;
    filtro_ = " WHERE lin.Cod_Empresa =" + Empresa() + " AND lin.Cod_Almacen =" + std::to_string(almacen) +
              " AND lin.Cod_Extracto ='" + db::Escape(extracto) + "'";
    int empContable = 0;
    auto rs = erp_.OpenRecordset("SELECT EmpContable, CtaPagoAjuste, CtaGastosProntoPago FROM Almacenes"
                                 " WHERE Cod_Empresa =" +
                                 Empresa() + " AND Codigo =" + std::to_string(almacen));
    if (!rs->Eof()) {
        empContable = static_cast<int>(rs->Fields("EmpContable").AsInt64());
        ctaAjuste_ = rs->Fields("CtaPagoAjuste").AsText();
        ctaProntoPago_ = rs->Fields("CtaGastosProntoPago").AsText();
    }
    rs->Close();
    empresa_ = std::make_shared<suite::EmpresaLumbra>(Ctx().conexionLumbra, empContable > 0 ? empContable : codEmpresa_);
    Ejercicio(fechaAsiento.Anio());
    for (int i = 0; i < 4; ++i) {
        conceptos_[i].texto =
            lumbra::ApunteContable::ConceptoParametro(*empresa_, kParametrosConcepto[i], &conceptos_[i].codigo);
    }
    if (!escritor_) {
        propio_ = std::make_unique<EscritorLumbra>(contabilidad_, *empresa_, almacen);
        escritor_ = propio_.get();
    }
}

void GeneradorAsiento::Ejercicio(int anio) {
    empresa_->Ejercicio(anio);
    empresa_->EstablecerParametro("UsuarioActual", Ctx().empresaVarnex->Parametro("UsuarioActual"));
}

std::string GeneradorAsiento::Cuenta(const std::string &deLinea, const std::string &deFicha, const char *raiz,
                                     long proveedor) {
    if (!deLinea.empty()) {
        return deLinea;
    }
    if (!deFicha.empty()) {
        return deFicha;
    }
    if (longitudCuenta_ == 0) {
        longitudCuenta_ = empresa_->LongitudCuenta();
    }
    return lumbra::CuentasContables().ComponerCuenta(Ctx().empresaVarnex->Parametro(raiz).ToText(), proveedor,
                                                     longitudCuenta_);
}

ApunteAsiento GeneradorAsiento::Linea(const std::string &cuenta, Concepto concepto, const std::string &documento,
                                      std::optional<suite::Moneda> debe, std::optional<suite::Moneda> haber,
                                      const std::string &proveedor, const std::string &sufijo) {
    const auto &c = conceptos_[static_cast<int>(concepto)];
    std::string texto = lumbra::ApunteContable::Sustituir(c.texto + sufijo, "NROEXTRACTO", extracto_);
    if (concepto == Concepto::GastoAjuste) {
        texto = lumbra::ApunteContable::Sustituir(texto, "CUENTANOMBRE", proveedor);
    }
    ApunteAsiento a;
    a.cuenta = cuenta;
    a.concepto = texto;
    a.codigoConcepto = c.codigo;
    a.documento = documento;
    a.debe = debe.value_or(suite::Moneda());
    a.haber = haber.value_or(suite::Moneda());
    a.alHaber = haber.has_value();
    a.proveedor = proveedor;
    if (concepto == Concepto::Contrapartida) {
        a.papel = ApunteAsiento::Papel::Contrapartida;
    }
    return a;
}

void GeneradorAsiento::AnotarAsiento(long numero, const std::string &prefijo) {
    asientos_ += prefijo + std::to_string(numero);
}

suite::Moneda GeneradorAsiento::ApuntesReclamados(long idLinea, const std::string &cuenta,
                                                const std::string &documento) {
    suite::Moneda total;
    auto rec = erp_.OpenRecordset("SELECT TotalReclamacion FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                                  " WHERE IdExtractoLinea =" +
                                  std::to_string(idLinea));
    while (!rec->Eof()) {
        suite::Moneda reclamado = Importe(rec->Fields(0));
        auto a = Linea(cuenta, Concepto::Proveedor, documento, reclamado, {}, "", " A RECLAMAR");
        a.papel = ApunteAsiento::Papel::Reclamacion;
        escritor_->Apunte(a);
        total += reclamado;
        rec->MoveNext();
    }
    return total;
}

} // namespace accounting
