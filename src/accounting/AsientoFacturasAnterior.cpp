#include "accounting/AsientoFacturasAnterior.h"

#include "suite/EmpresaLumbra.h"

#include <optional>
#include <stdexcept>

namespace accounting {

namespace {

bool RIoXI(const std::string &tipo) { return tipo == "RI" || tipo == "XI"; }

} // namespace

AsientoFacturasAnterior::AsientoFacturasAnterior(host::Window &ventana, std::string &asientosGenerados)
    : GeneradorAsiento(ventana, asientosGenerados) {}

bool AsientoFacturasAnterior::GenerarAsientoFacturasAnterior(const std::string &fecha, short almacen,
                                                             const std::string &extracto) {
    return ventana_.Trap("GenerarAsiento", [&] {
        auto dia = suite::Fecha::Parse(fecha);
        if (!dia) {
            throw std::runtime_error("Fecha de extracto no válida: " + fecha);
        }
        Preparar(*dia, almacen, extracto);
        AnotarAsiento(escritor_->NuevoAsiento(*dia));
        const std::string co = Empresa();
        auto rs = erp_.OpenRecordset(
            "SELECT tp.Codigo AS TipoPagoCodigo, tp.Tipo AS TipoPago, tp.Nombre AS TipoPagoNombre, lin.ProntoPago, "
            "lin.Cod_Proveedor AS ProvCodigo,"
            " ISNULL(prov.Nombre,'') AS ProvNombre, lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS "
            "Cta_ProveedorFicha,"
            " ISNULL(prov.Cont_Compras,0) AS Cont_Compras, lin.Documento, lin.DocumentoCentral, lin.Fecha, "
            "lin.IdExtractoLinea,"
            " ISNULL(SUM(rec.IdExtractoLinea),0) AS ExisteRec, lin.Importe, lin.Acreedor,"
            " lin.Importe - dbo.fn_DevPagosCenImporteVinculadoLinea(lin.IdExtractoLinea) AS ImporteDiferencia,"
            " ISNULL(ef.Documento,'') AS DocumentoFactura, ISNULL(ef.Importe,0) AS ImporteFactura,"
            " ISNULL(e.Documento,'') AS DocumentoEntrada, ISNULL(e.ImporteContable,0) AS ImporteEntrada"
            " FROM Compras_PagosCentral_Extractos_Lineas lin"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co +
            " AND prov.Codigo = lin.Cod_Proveedor"
            " LEFT JOIN Compras_PagosCentral_Extractos_Lineas_Reclamacion rec ON rec.IdExtractoLinea = "
            "lin.IdExtractoLinea"
            " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
            " LEFT JOIN Compras_PagosCentral_Entradas_Facturas pcef ON pcef.IdExtractoLinea = lin.IdExtractoLinea"
            " LEFT JOIN Entradas_Facturas ef ON ef.Cod_Empresa = pcef.Cod_Empresa AND ef.Cod_Almacen = pcef.Cod_Almacen"
            " AND ef.Proveedor = pcef.Proveedor AND ef.Documento = pcef.Documento AND ef.Fecha = pcef.Fecha"
            " LEFT JOIN Compras_PagosCentral_Entradas pce ON pce.IdExtractoLinea = lin.IdExtractoLinea"
            " LEFT JOIN Entradas e ON e.Cod_Empresa = pce.Cod_Empresa AND e.Cod_Ejercicio = pce.Cod_Ejercicio"
            " AND e.Cod_Almacen = pce.Cod_Almacen AND e.Codigo = pce.Codigo" +
            Filtro() +
            " GROUP BY tp.Codigo, tp.Tipo, tp.Nombre, lin.ProntoPago, lin.Cod_Proveedor, prov.Nombre, "
            "lin.Cta_Proveedor,"
            " prov.Cta_Proveedor, prov.Cont_Compras, lin.Documento, lin.DocumentoCentral, lin.Fecha, "
            "lin.IdExtractoLinea,"
            " lin.Importe, lin.Acreedor, ef.Documento, ef.Importe, e.Documento, e.ImporteContable"
            " ORDER BY lin.Cod_Proveedor,lin.IdExtractoLinea");
        std::optional<long> proveedorAnterior;
        long lineaAnterior = 0;
        while (!rs->Eof()) {
            const long proveedor = static_cast<long>(rs->Fields("ProvCodigo").AsInt64());
            const long id = static_cast<long>(rs->Fields("IdExtractoLinea").AsInt64());
            const bool primeraFila = id != lineaAnterior;
            const std::string nombre = rs->Fields("ProvNombre").AsText();
            const std::string cuenta = Cuenta(rs->Fields("Cta_Proveedor").AsText(),
                                              rs->Fields("Cta_ProveedorFicha").AsText(), "Raiz_Proveedores", proveedor);
            const std::string tipo = rs->Fields("TipoPago").AsText();
            const bool acreedor = rs->Fields("Acreedor").AsInt64() != 0;
            const bool reclamada = rs->Fields("ExisteRec").AsInt64() > 0;
            const bool prontoPago = rs->Fields("ProntoPago").AsInt64() != 0;
            const std::string documento = rs->Fields("Documento").AsText();
            const suite::Moneda importe = Importe(rs->Fields("Importe"));
            suite::Moneda cantidad;
            std::string docFila;
            if (RIoXI(tipo) || (acreedor && !reclamada)) {
                cantidad = importe;
                docFila = documento;
            } else if (rs->Fields("Cont_Compras").AsInt64() != 0) {
                cantidad = Importe(rs->Fields("ImporteEntrada"));
                docFila = rs->Fields("DocumentoEntrada").AsText();
            } else {
                cantidad = Importe(rs->Fields("ImporteFactura"));
                docFila = rs->Fields("DocumentoFactura").AsText();
            }
            if (proveedorAnterior && proveedor != *proveedorAnterior) {
                Ajuste();
            }
            if (prontoPago) {
                Apunte(cuenta, Concepto::Proveedor, documento, importe, {});
                Apunte(cuenta, Concepto::Proveedor, documento, {}, importe);
                Apunte(ctaProntoPago_, Concepto::GastoAjuste, documento, importe, {}, nombre);
                total_ += importe;
            } else {
                if (reclamada && primeraFila) {
                    total_ += ApuntesReclamados(id, cuenta, documento);
                }
                if (!cantidad.EsCero()) {
                    Apunte(cuenta, Concepto::Proveedor, docFila, cantidad, {});
                    total_ += cantidad;
                }
            }
            if (!reclamada && !prontoPago && !acreedor && !RIoXI(tipo) && !cantidad.EsCero() && primeraFila) {
                ajuste_ += Importe(rs->Fields("ImporteDiferencia"));
            }
            proveedorAnterior = proveedor;
            cuentaAnterior_ = cuenta;
            nombreAnterior_ = nombre;
            lineaAnterior = id;
            rs->MoveNext();
        }
        rs->Close();
        Ajuste();
        Apunte(empresa_->Parametro("Cuenta_PagoCent_Contrapartida").ToText(), Concepto::Contrapartida, extracto_, {},
               total_);
    });
}

void AsientoFacturasAnterior::Ajuste() {
    if (ajuste_.EsCero()) {
        return;
    }
    Apunte(cuentaAnterior_, Concepto::ProveedorAjuste, extracto_, ajuste_, {});
    Apunte(cuentaAnterior_, Concepto::ProveedorAjuste, extracto_, {}, ajuste_);
    Apunte(ctaAjuste_, Concepto::GastoAjuste, extracto_, ajuste_, {}, nombreAnterior_);
    total_ += ajuste_;
    ajuste_ = suite::Moneda();
}

} // namespace accounting
