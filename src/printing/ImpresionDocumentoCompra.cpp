#include "printing/ImpresionDocumentoCompra.h"

#include "db/Sql.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"

#include <stdexcept>

namespace printing {

namespace {

std::string Fecha(const db::Field &f) {
    auto d = f.IsNull() ? std::nullopt : suite::Fecha::Parse(f.AsText());
    if (!d || d->EsVacia()) {
        return {};
    }
    return d->TieneHora() ? d->Formato("dd/mm/yyyy hh:nn") : d->Formato("dd/mm/yyyy");
}

std::string Importe(const db::Field &f) {
    return suite::Formato::Instancia().Redondear(suite::Moneda::FromUnits(f.AsCurrencyUnits()), 2);
}

std::string Uno(db::Connection &c, const std::string &sql) {
    auto rs = c.OpenRecordset(sql);
    std::string v = rs->Eof() ? "" : rs->Fields(0).AsText();
    rs->Close();
    return v;
}

} // namespace

void ImpresionDocumentoCompra::Empresa(std::shared_ptr<suite::EmpresaVarnex> empresa, db::ConnectionPtr conexion) {
    empresa_ = std::move(empresa);
    erp_ = std::move(conexion);
}

void ImpresionDocumentoCompra::EmpresaContable(std::shared_ptr<suite::EmpresaLumbra> empresa,
                                               db::ConnectionPtr conexion) {
    empresaContable_ = std::move(empresa);
    contabilidad_ = std::move(conexion);
}

bool ImpresionDocumentoCompra::Imprimir(long codigo, int almacen, long proveedor, const std::string &fecha,
                                        const std::string &documento) {
    if (!empresa_ || !erp_) {
        throw std::logic_error("La impresión del documento de compra necesita la empresa y su conexión");
    }
    auto &erp = *erp_;
    std::string co = std::to_string(empresa_->Codigo());
    std::string alm = std::to_string(almacen);
    std::string prov = std::to_string(proveedor);
    std::string dia = suite::Formato::Instancia().FechaTexto(fecha);
    bool entrada = codigo > 0;

    std::string where = " WHERE e.Cod_Empresa =" + co + " AND e.Cod_Almacen =" + alm + " AND e.Proveedor =" + prov;
    std::string sql;
    if (entrada) {
        sql = "SELECT e.Cod_Ejercicio, e.Codigo, e.Documento, e.Fecha, e.ImporteContable AS Importe, e.Hora,"
              " ISNULL(usu.Nombre,'') AS UsuarioNombre, 0 AS Asiento"
              " FROM Entradas e LEFT JOIN SGD_usuarios usu ON usu.Codigo = e.Usuario" +
              where + " AND e.Codigo =" + std::to_string(codigo) + " AND e.Fecha ='" + dia + "'";
    } else {
        sql = "SELECT e.Cod_Ejercicio, e.Codigo, e.Documento, e.Fecha, e.Importe, e.Hora,"
              " ISNULL(usu.Nombre,'') AS UsuarioNombre, e.Asiento"
              " FROM Entradas_Facturas e LEFT JOIN SGD_usuarios usu ON usu.Codigo = e.Usuario" +
              where + " AND e.Documento =" + db::Quote(documento) + " AND e.Fecha ='" + dia + "'";
    }
    auto rs = erp.OpenRecordset(sql);
    if (rs->Eof()) {
        rs->Close();
        shell_.MsgBox("No se encuentra el documento de compra " + documento + ".", "¡ Atención !",
                      host::Icon::Warning);
        return false;
    }
    host::Informe inf;
    inf.titulo = entrada ? "Entrada de mercancía" : "Factura de proveedor";
    inf.subtitulo = Uno(erp, "SELECT Nombre FROM Empresas WHERE Codigo =" + co);
    std::string nombreAlmacen = Uno(erp, "SELECT Nombre FROM Almacenes WHERE Cod_Empresa =" + co + " AND Codigo =" + alm);
    std::string nombreProveedor =
        Uno(erp, "SELECT Nombre FROM Proveedores WHERE Cod_Empresa =" + co + " AND Codigo =" + prov);
    std::string nif = Uno(erp, "SELECT NIF FROM Proveedores WHERE Cod_Empresa =" + co + " AND Codigo =" + prov);
    inf.datos.push_back({"Almacén", alm + " - " + nombreAlmacen});
    inf.datos.push_back({"Proveedor", prov + " - " + nombreProveedor});
    if (!nif.empty()) {
        inf.datos.push_back({"NIF", nif});
    }
    inf.datos.push_back({"Documento", rs->Fields("Documento").AsText()});
    inf.datos.push_back({"Fecha", Fecha(rs->Fields("Fecha"))});
    if (entrada) {
        inf.datos.push_back({"Entrada", rs->Fields("Cod_Ejercicio").AsText() + "/" + rs->Fields("Codigo").AsText()});
    }
    inf.datos.push_back({entrada ? "Importe contable" : "Importe", Importe(rs->Fields("Importe"))});
    if (!entrada && rs->Fields("Asiento").AsInt64() != 0) {
        inf.datos.push_back({"Asiento", rs->Fields("Asiento").AsText()});
    }
    std::string grabado = Fecha(rs->Fields("Hora"));
    std::string usuario = rs->Fields("UsuarioNombre").AsText();
    if (!grabado.empty() || !usuario.empty()) {
        inf.datos.push_back({"Grabado", grabado + (usuario.empty() ? "" : " por " + usuario)});
    }
    std::string ejercicio = rs->Fields("Cod_Ejercicio").AsText();
    rs->Close();

    // The statement lines that pay this document.
    std::string enlaces =
        entrada ? " FROM Compras_PagosCentral_Entradas v INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON "
                  "lin.IdExtractoLinea = v.IdExtractoLinea WHERE v.Cod_Empresa =" +
                      co + " AND v.Cod_Ejercicio =" + ejercicio + " AND v.Cod_Almacen =" + alm +
                      " AND v.Codigo =" + std::to_string(codigo)
                : " FROM Compras_PagosCentral_Entradas_Facturas v INNER JOIN Compras_PagosCentral_Extractos_Lineas lin "
                  "ON lin.IdExtractoLinea = v.IdExtractoLinea WHERE v.Cod_Empresa =" +
                      co + " AND v.Cod_Almacen =" + alm + " AND v.Proveedor =" + prov +
                      " AND v.Documento =" + db::Quote(documento) + " AND v.Fecha ='" + dia + "'";
    rs = erp.OpenRecordset("SELECT lin.Cod_Extracto, lin.Documento, lin.Fecha, lin.Importe, v.Contabilizado" + enlaces +
                           " ORDER BY lin.Cod_Extracto, lin.Fecha");
    inf.columnas = {"Extracto", "Documento", "Fecha", "Importe", "Contabilizado"};
    while (!rs->Eof()) {
        inf.filas.push_back({rs->Fields("Cod_Extracto").AsText(), rs->Fields("Documento").AsText(),
                             Fecha(rs->Fields("Fecha")), Importe(rs->Fields("Importe")),
                             rs->Fields("Contabilizado").AsInt64() != 0 ? "Sí" : "No"});
        rs->MoveNext();
    }
    rs->Close();
    if (inf.filas.empty()) {
        inf.columnas.clear();
        inf.pie = "Sin vincular a ningún pago centralizado.";
    } else {
        inf.pie = "Vinculado a " + std::to_string(inf.filas.size()) + " línea(s) de pagos centralizados.";
    }
    shell_.MostrarInforme(inf);
    return true;
}

} // namespace printing
