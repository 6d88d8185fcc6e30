#include "customers/AsientoCliente.h"

#include "accounting/EscritorLumbra.h"
#include "db/Sql.h"
#include "lines/Comun.h"
#include "lumbra/ApunteContable.h"
#include "lumbra/CuentasContables.h"
#include "lumbra/PrevisionesContables.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

#include <stdexcept>

namespace customers {

namespace {

using lines::comun::Ctx;
using lines::comun::MonedaCampo;

std::string Empresa() { return std::to_string(Ctx().empresaVarnex->Codigo()); }

int Entero(const db::Field &f) { return f.IsNull() ? 0 : static_cast<int>(f.AsInt64()); }

} // namespace

AsientoCliente::AsientoCliente(host::Window &ventana, std::string &asientosGenerados)
    : ventana_(ventana), asientos_(asientosGenerados) {}

AsientoCliente::~AsientoCliente() = default;

std::string AsientoCliente::Cuenta(const std::string &deFicha, const char *raiz, long codigo) {
    if (!deFicha.empty()) {
        return deFicha;
    }
    if (longitudCuenta_ == 0) {
        longitudCuenta_ = empresa_->LongitudCuenta();
    }
    return lumbra::CuentasContables().ComponerCuenta(Ctx().empresaVarnex->Parametro(raiz).ToText(), codigo,
                                                     longitudCuenta_);
}

bool AsientoCliente::GenerarAsiento(const std::string &fechaCobro, long cliente,
                                    const suite::Fecha &fechaContabilizar) {
    bool hecho = false;
    bool ok = ventana_.Trap("GenerarAsiento", [&] {
        auto &erp = *Ctx().conexionVarnex;
        auto &contabilidad = *Ctx().conexionLumbra;
        const auto &fmt = suite::Formato::Instancia();
        const std::string co = Empresa();
        const std::string cobro = fmt.FechaTexto(fechaCobro);
        if (cobro.empty()) {
            throw std::runtime_error("Fecha de cobro no válida: " + fechaCobro);
        }
        const int empContable = Ctx().empresaLumbra ? Ctx().empresaLumbra->Codigo() : Ctx().empresaVarnex->Codigo();
        empresa_ = std::make_shared<suite::EmpresaLumbra>(Ctx().conexionLumbra, empContable);
        empresa_->Ejercicio(fechaContabilizar.Anio());
        empresa_->EstablecerParametro("UsuarioActual", Ctx().empresaVarnex->Parametro("UsuarioActual"));
        accounting::EscritorLumbra escritor(contabilidad, *empresa_, 0);
        const long numero = escritor.NuevoAsiento(fechaContabilizar);
        asientos_ += "\r" + std::to_string(numero);

        auto cli = erp.OpenRecordset("SELECT ISNULL(cli.Cta_DepositoCortoPlazo,'') AS Cta_DepositoCortoPlazo, cli.Nombre"
                                     " FROM Clientes cli"
                                     " WHERE cli.Cod_Empresa =" +
                                     co + " AND cli.Codigo =" + std::to_string(cliente));
        if (cli->Eof()) {
            throw std::runtime_error("El cliente " + std::to_string(cliente) + " no existe.");
        }
        const std::string nombre = cli->Fields("Nombre").AsText();
        const std::string cuentaCliente =
            Cuenta(cli->Fields("Cta_DepositoCortoPlazo").AsText(), "Raiz_ClientesDepCortoPlazo", cliente);
        cli->Close();

        accounting::ApunteAsiento apunte;
        const std::string conceptoProveedor = lumbra::ApunteContable::Sustituir(
            lumbra::ApunteContable::ConceptoParametro(*empresa_, "Concepto_Franq_Proveedor", &apunte.codigoConcepto),
            "NOMBRECLIENTE", nombre);
        const int codigoProveedor = apunte.codigoConcepto;
        std::string documentoCliente = cobro;
        std::erase(documentoCliente, '/');

        lumbra::PrevisionesContables forecasts(contabilidad, *empresa_);
        forecasts.Asiento(numero);
        suite::Moneda total;
        auto rs = erp.OpenRecordset(
            "SELECT lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre, "
            " lin.Documento, lin.FechaFactura, SUM(lin.Importe) AS Importe, lin.IdExtractoLinea,"
            " ISNULL(prov.Cta_DeudaCortoPlazo,'') AS Cta_DeudaCortoPlazo"
            " FROM Clientes_PagosCentral_Extractos_Lineas lin"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co +
            " AND prov.Codigo = lin.Cod_Proveedor"
            " WHERE lin.Cod_Empresa =" +
            co + " AND lin.Cod_Cliente =" + std::to_string(cliente) + " AND lin.FechaCobro ='" + cobro + "'" +
            " AND lin.Importe <> 0"
            " GROUP BY lin.Cod_Proveedor, prov.Nombre, lin.Documento, lin.FechaFactura,lin.IdExtractoLinea, "
            "prov.Cta_DeudaCortoPlazo"
            " ORDER BY lin.FechaFactura, lin.Cod_Proveedor, lin.IdExtractoLinea");
        while (!rs->Eof()) {
            const long proveedor = static_cast<long>(rs->Fields("ProvCodigo").AsInt64());
            const std::string cuenta =
                Cuenta(rs->Fields("Cta_DeudaCortoPlazo").AsText(), "Raiz_ProveedoresDeudaCortoPlazo", proveedor);
            const std::string documento = rs->Fields("Documento").AsText();
            const suite::Moneda importe = MonedaCampo(rs->Fields("Importe"));
            const auto factura = suite::Fecha::Parse(rs->Fields("FechaFactura").AsText());
            if (!factura) {
                throw std::runtime_error("La factura " + documento + " no tiene una fecha válida.");
            }
            apunte.cuenta = cuenta;
            apunte.concepto = conceptoProveedor;
            apunte.codigoConcepto = codigoProveedor;
            apunte.documento = documento;
            apunte.debe = {};
            apunte.haber = importe;
            escritor.Apunte(apunte);
            total += importe;
            if (!CargarPrevisiones(proveedor, *factura, importe)) {
                return;
            }
            if (!previsiones.empty()) {
                forecasts.Crear(cuenta, documento, documentoCliente, *factura, previsiones, condiciones.formaPago);
            }
            rs->MoveNext();
        }
        rs->Close();

        apunte.cuenta = cuentaCliente;
        apunte.concepto = lumbra::ApunteContable::Sustituir(
            lumbra::ApunteContable::ConceptoParametro(*empresa_, "Concepto_Franq_Cliente", &apunte.codigoConcepto),
            "FECHAVTO", cobro);
        apunte.documento = documentoCliente;
        apunte.debe = total;
        apunte.haber = {};
        escritor.Apunte(apunte);
        hecho = true;
    });
    return ok && hecho;
}

bool AsientoCliente::CargarPrevisiones(long proveedor, const suite::Fecha &fechaFactura, suite::Moneda importe) {
    previsiones.clear();
    condiciones = {};
    return ventana_.Trap("CargarPrevisiones", [&] {
        auto &erp = *Ctx().conexionVarnex;
        const std::string co = Empresa();
        const std::string base = lines::comun::BaseContable();
        const std::string contable = std::to_string(empresa_->Codigo());
        const std::string ejercicio = std::to_string(empresa_->Ejercicio());
        std::string bancoEmpresa;
        {
            auto rs = erp.OpenRecordset("SELECT ISNULL(CtaBancoPago,'') AS CtaBancoPago FROM Empresas WHERE Codigo =" + co);
            bancoEmpresa = rs->Eof() ? "" : rs->Fields(0).AsText();
        }
        const std::string joins = " INNER JOIN " + base + ".dbo.Tipos_Doc c" + " ON b.TipoDoc = c.Codigo";
        const std::string cuentaEmpresa = " LEFT JOIN " + base + ".dbo.Cuentas cueEmp" + " ON cueEmp.Cod_Empresa =" +
                                          contable + " AND cueEmp.Cod_Ejercicio =" + ejercicio +
                                          " AND cueEmp.Cuenta ='" + db::Escape(bancoEmpresa) + "'";
        auto rs = erp.OpenRecordset(
            "SELECT a.DiaPago_1, a.DiaPago_2, b.*, c.Nombre AS NombTipoDoc, ISNULL(cue.Cuenta,ISNULL(cueEmp.Cuenta,'')) "
            "AS Cuenta, ISNULL(cue.Nombre,ISNULL(cueEmp.Nombre,'')) AS NombreBanco"
            " FROM Proveedores a INNER JOIN " +
            base + ".dbo.Formas_Pago b" + " ON a.Cod_FPago = b.Codigo" + joins + " LEFT JOIN " + base +
            ".dbo.Cuentas cue" + " ON cue.Cod_Empresa =" + contable + " AND cue.Cod_Ejercicio =" + ejercicio +
            " AND cue.Cuenta = a.CtaBancoPago" + cuentaEmpresa + " WHERE a.Cod_Empresa =" + co +
            " AND a.Codigo =" + std::to_string(proveedor));
        if (rs->Eof()) {
            rs->Close();
            rs = erp.OpenRecordset("SELECT a.DiaPago_1, a.DiaPago_2, b.*, c.Nombre AS NombTipoDoc, "
                                   "ISNULL(cueEmp.Cuenta,'') AS Cuenta, ISNULL(cueEmp.Nombre,'') AS NombreBanco"
                                   " FROM Empresas a INNER JOIN " +
                                   base + ".dbo.Formas_Pago b" + " ON a.FormaPago = b.Codigo" + joins + cuentaEmpresa +
                                   " WHERE a.Codigo =" + co);
        }
        if (rs->Eof()) {
            return;
        }
        condiciones.formaPago = Entero(rs->Fields("Codigo"));
        condiciones.generarPrev = Entero(rs->Fields("GenerarPrev")) != 0;
        condiciones.primerVto = Entero(rs->Fields("PrimerVto"));
        condiciones.nroVtos = Entero(rs->Fields("NroVtos"));
        condiciones.restoVtos = Entero(rs->Fields("RestoVtos"));
        condiciones.diaPago1 = Entero(rs->Fields("DiaPago_1"));
        condiciones.diaPago2 = Entero(rs->Fields("DiaPago_2"));
        condiciones.tipoDoc = Entero(rs->Fields("TipoDoc"));
        condiciones.cuenta = rs->Fields("Cuenta").AsText();
        rs->Close();
        previsiones = CalendarioPagos::Calcular(condiciones, fechaFactura, importe);
    });
}

} // namespace customers
