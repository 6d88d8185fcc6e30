#include "accounting/AsientoPrevPagos.h"

#include "accounting/frmCuentaContrapartida.h"
#include "host/Progress.h"
#include "lumbra/PrevisionesContables.h"
#include "suite/EmpresaLumbra.h"

#include <stdexcept>

namespace accounting {

AsientoPrevPagos::AsientoPrevPagos(host::Window &ventana, std::string &asientosGenerados)
    : GeneradorAsiento(ventana, asientosGenerados) {}

bool AsientoPrevPagos::GenerarAsientoPrevPagos(const std::string &fechaVto, short almacen,
                                               const std::string &extracto) {
    bool aceptado = false;
    bool ok = ventana_.Trap("GenerarAsiento", [&] {
        auto dia = suite::Fecha::Parse(fechaVto);
        if (!dia) {
            throw std::runtime_error("Fecha de vencimiento no válida: " + fechaVto);
        }
        Preparar(*dia, almacen, extracto);
        host::MostrarProgreso(ventana_.Ui(), false);
        frmCuentaContrapartida pedir(ventana_.Ui());
        pedir.Almacen = almacen;
        pedir.Extracto = extracto;
        pedir.Show(1);
        if (!pedir.Aceptado) {
            return;
        }
        aceptado = true;
        const std::string contrapartida = pedir.Cuenta;
        host::MostrarProgreso(ventana_.Ui(), true, "Generando Asiento, espere por favor...");
        const long asiento = escritor_->NuevoAsiento(*dia);
        AnotarAsiento(asiento);
        lumbra::PrevisionesContables previsiones(contabilidad_, *empresa_);
        previsiones.Asiento(asiento);

        const std::string base = empresa_->Parametro("ODBCBaseDatos").ToText();
        erp_.Execute("INSERT INTO #TEMP_IMPORTEVINCULADO"
                     " SELECT lin.IdExtractoLinea, ISNULL(SUM(pp.Importe),0) AS Importe"
                     " FROM Compras_PagosCentral_Extractos_Lineas lin"
                     " INNER JOIN Compras_PagosCentral_PrevPagos pcpp ON pcpp.IdExtractoLinea = lin.IdExtractoLinea"
                     " LEFT JOIN " +
                     base + ".dbo.Previsiones_Pago pp ON pp.Apunte = pcpp.IdPrevPago" + Filtro() +
                     " GROUP BY lin.IdExtractoLinea");
        auto rs = erp_.OpenRecordset(
            "SELECT tp.Codigo AS TipoPagoCodigo, tp.Nombre AS TipoPagoNombre, lin.ProntoPago, lin.Cod_Proveedor AS "
            "ProvCodigo,"
            " ISNULL(prov.Nombre,'') AS ProvNombre, ISNULL(prov.Cta_Proveedor,'') AS Cta_ProveedorFicha, 0 AS "
            "Cont_Compras,"
            " lin.Documento, lin.DocumentoCentral, lin.Importe AS Importe, lin.Cta_Proveedor AS Cta_Proveedor,"
            " ISNULL(pp.Documento,'') AS DocumentoPP, ISNULL(pp.Importe,0) AS ImportePP, ISNULL(pp.Cuenta,'') AS "
            "Cta_ProveedorPP,"
            " lin.Fecha, lin.IdExtractoLinea"
            " FROM Compras_PagosCentral_Extractos_Lineas lin"
            " LEFT JOIN Compras_pagosCentral_PrevPagos pcpp ON pcpp.IdExtractoLinea = lin.IdExtractoLinea"
            " LEFT JOIN " +
            base +
            ".dbo.Previsiones_Pago pp ON pp.Apunte = pcpp.IdPrevPago"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            Empresa() +
            " AND prov.Codigo = lin.Cod_Proveedor"
            " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
            " LEFT JOIN #TEMP_IMPORTEVINCULADO temp ON temp.IdExtractoLinea =lin.IdExtractoLinea" +
            Filtro() +
            " AND (ISNULL(temp.ImporteVinculado,0) <> 0 OR lin.ProntoPago = 1)"
            " ORDER BY lin.Cod_Proveedor,lin.IdExtractoLinea");
        suite::Moneda total;
        while (!rs->Eof()) {
            const long proveedor = static_cast<long>(rs->Fields("ProvCodigo").AsInt64());
            const std::string ficha = rs->Fields("Cta_ProveedorFicha").AsText();
            const std::string cuenta = Cuenta(rs->Fields("Cta_Proveedor").AsText(), ficha, "Raiz_Proveedores", proveedor);
            const std::string cuentaPP = Cuenta(rs->Fields("Cta_ProveedorPP").AsText(), ficha, "Raiz_Proveedores",
                                                proveedor);
            const std::string documento = rs->Fields("Documento").AsText();
            const suite::Moneda importe = Importe(rs->Fields("Importe"));
            if (rs->Fields("ProntoPago").AsInt64() != 0) {
                Apunte(cuenta, Concepto::Proveedor, documento, importe, {});
                Apunte(cuenta, Concepto::Proveedor, documento, {}, importe);
                Apunte(ctaProntoPago_, Concepto::GastoAjuste, documento, importe, {},
                       rs->Fields("ProvNombre").AsText());
                total += importe;
            } else {
                const suite::Moneda importePP = Importe(rs->Fields("ImportePP"));
                Apunte(cuentaPP, Concepto::Proveedor, rs->Fields("DocumentoPP").AsText(), importePP, {});
                total += importePP;
                auto pp = erp_.OpenRecordset("SELECT IdPrevPago FROM Compras_PagosCentral_PrevPagos"
                                             " WHERE IdExtractoLinea =" +
                                             std::to_string(rs->Fields("IdExtractoLinea").AsInt64()));
                while (!pp->Eof()) {
                    const long apunte = static_cast<long>(pp->Fields(0).AsInt64());
                    previsiones.Liquidada(apunte, true);
                    previsiones.Contrapartida(apunte, contrapartida);
                    pp->MoveNext();
                }
            }
            rs->MoveNext();
        }
        rs->Close();
        Apunte(contrapartida, Concepto::Contrapartida, extracto_, {}, total);
    });
    return ok && aceptado;
}

} // namespace accounting
