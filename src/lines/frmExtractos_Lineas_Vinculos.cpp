#include "lines/frmExtractos_Lineas_Vinculos.h"

#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "printing/ImpresionDocumentoCompra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

namespace lines {

using namespace comun;

namespace {

const char *kVentana = "frmExtractos_Lineas_Vinculos";

} // namespace

frmExtractos_Lineas_Vinculos::frmExtractos_Lineas_Vinculos(host::Shell &shell,
                                                           std::shared_ptr<suite::Configuracion> ajustes)
    : VentanaVinculos(kVentana, shell, std::move(ajustes)) {
    Boton(txtAlmacen, "txtAlmacen", "Almacén:");
    Boton(txtProv, "txtProv", "Proveedor:");
    Boton(cmdVincular, "cmdVincular", "F9 - &Vincular");
    Boton(cmdDesvincular, "cmdDesvincular", "F12 - &Desvincular");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir Compra");
    Boton(cmdSalir, "cmdSalir", "&Salir");
    txtProv.locked = true;
    using A = host::GridAlign;
    using T = host::GridType;
    vsLineas.columns = {
        {"", 400, A::Center, T::Boolean},
        {"Almacén", 400, A::Right, T::Short},
        {"Almacén", 1200, A::Left, T::String},
        {"Fecha Compra", 1200, A::Center, T::Date},
        {"", 0, A::Left, T::String, true},
        {"Documento", 2600, A::Left, T::String},
        {"Importe", 1500, A::Right, T::Currency},
        {"", 0, A::Right, T::Short, true},
        {"", 0, A::Right, T::Long, true},
        {"", 0, A::Right, T::Long, true},
        {"", 0, A::Center, T::String, true},
        {"Fecha Grabación", 1800, A::Center, T::Date},
        {"Usuario", 400, A::Right, T::Long},
        {"Usuario", 2000, A::Left, T::String},
        {"Asiento", 1500, A::Right, T::Long},
    };
}

void frmExtractos_Lineas_Vinculos::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.Clear();
        cambios_ = false;
        filaGuardada_ = 0;
        filaSuperior_ = 0;
        posicion = PosicionVentana::Leer(*ajustes_, kVentana);
        // Receipts and invoices show different extra columns.
        for (int c : {colHora, colUsuario, colNombreUsuario}) {
            vsLineas.columns[c].hidden = !contCompras;
        }
        vsLineas.columns[colAsiento].hidden = contCompras;

        LeerFechas("FechaIVinculos", "FechaFVinculos", "General", fechaExtracto.SumarDias(-90).Formato("dd/mm/yyyy"),
                   suite::Fecha::Hoy().Formato("dd/mm/yyyy"));

        auto &erp = *Ctx().conexionVarnex;
        int empresa = Ctx().empresaVarnex->Codigo();
        txtAlmacen.code = 0;
        txtAlmacen.text.clear();
        txtAlmacen.descripcion.clear();
        if (codAlmacen > 0) {
            txtAlmacen.code = codAlmacen;
            txtAlmacen.text = std::to_string(codAlmacen);
            txtAlmacen.descripcion = BuscadorMaestros::NombreAlmacen(erp, empresa, codAlmacen).value_or("");
        }
        txtProv.code = codProveedor;
        txtProv.text = codProveedor > 0 ? std::to_string(codProveedor) : "";
        txtProv.descripcion = BuscadorMaestros::NombreProveedor(erp, empresa, codProveedor).value_or("");
        cmdVincular.enabled = !extractoCerrado;
        cmdDesvincular.enabled = !extractoCerrado;
    });
    Cargar_Lineas();
}

void frmExtractos_Lineas_Vinculos::Form_Unload() {
    Trap("Form_Unload", [&] { posicion.Guardar(*ajustes_, kVentana); });
}

void frmExtractos_Lineas_Vinculos::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        std::string desde, hasta;
        if (!EmpezarCarga(desde, hasta)) {
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        std::string condiciones;
        if (txtAlmacen.code > 0) {
            condiciones += " AND e.Cod_Almacen =" + std::to_string(txtAlmacen.code);
        }
        condiciones += " AND e.Proveedor =" + std::to_string(codProveedor);
        condiciones += " AND e.Fecha BETWEEN '" + desde + "' AND '" + hasta + "'";
        std::string id = std::to_string(idExtractoLinea);

        std::string sql;
        if (contCompras) {
            std::string from = " FROM Entradas e"
                               " INNER JOIN Almacenes alm ON alm.Cod_Empresa = e.Cod_Empresa AND alm.Codigo = "
                               "e.Cod_Almacen"
                               " INNER JOIN Proveedores prov ON prov.Cod_Empresa =" +
                               co +
                               " AND prov.Codigo = e.Proveedor"
                               " LEFT JOIN SGD_usuarios usu ON usu.Codigo = e.Usuario"
                               " WHERE e.Cod_Empresa =" +
                               co + condiciones;
            std::string vinculada = " AND EXISTS (SELECT 1 FROM Compras_PagosCentral_Entradas vinc WHERE "
                                    "vinc.Cod_Empresa = e.Cod_Empresa AND vinc.Cod_Ejercicio = e.Cod_Ejercicio AND "
                                    "vinc.Cod_Almacen = e.Cod_Almacen AND vinc.Codigo = e.Codigo AND "
                                    "vinc.IdExtractoLinea =" +
                                    id;
            if (!extractoCerrado) {
                sql = "SELECT e.Cod_Almacen, alm.Nombre AS AlmacenNombre, e.Fecha, e.Documento, e.ImporteContable AS "
                      "Importe, e.Proveedor,"
                      " prov.Cta_Proveedor,e.Cod_Ejercicio, e.Codigo, 0 AS ExisteVinc, e.Hora, e.Usuario, "
                      "ISNULL(usu.Nombre,'') AS UsuarioNombre" +
                      from +
                      " AND NOT EXISTS (SELECT 1 FROM Compras_PagosCentral_Entradas vinc WHERE vinc.Cod_Empresa = "
                      "e.Cod_Empresa AND vinc.Cod_Ejercicio = e.Cod_Ejercicio AND vinc.Cod_Almacen = e.Cod_Almacen "
                      "AND vinc.Codigo = e.Codigo)" +
                      " UNION " +
                      " SELECT e.Cod_Almacen, alm.Nombre AS AlmacenNombre, e.Fecha, e.Documento, e.ImporteContable "
                      "AS Importe, e.Proveedor,"
                      " prov.Cta_Proveedor,e.Cod_Ejercicio, e.Codigo, 1 AS ExisteVinc, e.Hora, e.Usuario, "
                      "ISNULL(usu.Nombre,'') AS UsuarioNombre" +
                      from + vinculada + " AND Contabilizado=0)";
            } else {
                sql = "SELECT e.Cod_Almacen, alm.Nombre AS AlmacenNombre, e.Fecha, e.Documento,"
                      " e.ImporteContable AS Importe, e.Proveedor,"
                      " prov.Cta_Proveedor,e.Cod_Ejercicio, e.Codigo, 1 AS ExisteVinc, e.Hora, e.Usuario,"
                      " ISNULL(usu.Nombre,'') AS UsuarioNombre" +
                      from + vinculada + " AND Contabilizado <> 0)";
            }
        } else {
            std::string from = " FROM Entradas_Facturas e"
                               " INNER JOIN Almacenes alm ON alm.Cod_Empresa = e.Cod_Empresa AND alm.Codigo = "
                               "e.Cod_Almacen"
                               " INNER JOIN Proveedores prov ON prov.Cod_Empresa =" +
                               co +
                               " AND prov.Codigo = e.Proveedor"
                               " WHERE e.Cod_Empresa =" +
                               co + condiciones;
            std::string vinculada = " AND EXISTS (SELECT 1 FROM Compras_PagosCentral_Entradas_Facturas vinc WHERE "
                                    "vinc.Cod_Empresa = e.Cod_Empresa AND vinc.Proveedor = e.Proveedor AND "
                                    "vinc.Cod_Almacen = e.Cod_Almacen AND vinc.Documento = e.Documento AND "
                                    "vinc.Fecha = e.Fecha AND vinc.IdExtractoLinea =" +
                                    id;
            std::string enlazada = " SELECT e.Cod_Almacen, alm.Nombre AS AlmacenNombre, e.Fecha, e.Documento, "
                                   "e.Importe, e.Proveedor,"
                                   " prov.Cta_Proveedor,0 AS Cod_Ejercicio, 0 AS Codigo, 1 AS ExisteVinc, e.Asiento";
            if (!extractoCerrado) {
                sql = "SELECT e.Cod_Almacen, alm.Nombre AS AlmacenNombre, e.Fecha, e.Documento, e.Importe, "
                      "e.Proveedor,"
                      " prov.Cta_Proveedor,0 AS Cod_Ejercicio, 0 AS Codigo, 0 AS ExisteVinc, e.Asiento" +
                      from +
                      " AND NOT EXISTS (SELECT 1 FROM Compras_PagosCentral_Entradas_Facturas vinc WHERE "
                      "vinc.Cod_Empresa = e.Cod_Empresa AND vinc.Proveedor = e.Proveedor AND vinc.Cod_Almacen = "
                      "e.Cod_Almacen AND vinc.Documento = e.Documento AND vinc.Fecha = e.Fecha)" +
                      " UNION " + enlazada + from + vinculada + " AND Contabilizado=0)";
            } else {
                sql = enlazada.substr(1) + from + vinculada + " AND Contabilizado <> 0)";
            }
        }
        sql += " ORDER BY ExisteVinc DESC, e.Cod_Almacen, e.Fecha";

        auto rs = Ctx().conexionVarnex->OpenRecordset(sql);
        while (!rs->Eof()) {
            bool vinculado = rs->Fields("ExisteVinc").AsInt64() != 0;
            std::vector<std::string> fila(kColumnas);
            fila[colSel] = "0";
            fila[colAlmacen] = rs->Fields("Cod_Almacen").AsText();
            fila[colNombreAlmacen] = rs->Fields("AlmacenNombre").AsText();
            fila[colFecha] = FechaCampo(rs->Fields("Fecha"));
            fila[colCtaProveedor] = rs->Fields("Cta_Proveedor").AsText();
            fila[colDocumento] = rs->Fields("Documento").AsText();
            fila[colImporte] = fmt.Redondear(MonedaCampo(rs->Fields("Importe")), 2);
            fila[colEjercicio] = rs->Fields("Cod_Ejercicio").AsText();
            fila[colCodigo] = rs->Fields("Codigo").AsText();
            fila[colProveedor] = rs->Fields("Proveedor").AsText();
            fila[colVinculado] = vinculado ? "X" : "";
            if (contCompras) {
                fila[colHora] = FechaCampo(rs->Fields("Hora"), true);
                fila[colUsuario] = rs->Fields("Usuario").AsText();
                fila[colNombreUsuario] = rs->Fields("UsuarioNombre").AsText();
            } else {
                fila[colAsiento] = rs->Fields("Asiento").AsText();
            }
            vsLineas.AddRow(std::move(fila));
            if (vinculado) {
                vsLineas.SetRowBackColor(vsLineas.DataRows(), kColorVinculado);
            }
            rs->MoveNext();
        }
        rs->Close();
        RestaurarFila(vsLineas, filaGuardada_, filaSuperior_);
        TerminarCarga();
    });
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

void frmExtractos_Lineas_Vinculos::txtDesde_Change() {
    Trap("txtDesde_Change", [&] { ajustes_->GuardarValor("FechaIVinculos", txtDesde.text); });
}

void frmExtractos_Lineas_Vinculos::txtHasta_Change() {
    Trap("txtHasta_Change", [&] { ajustes_->GuardarValor("FechaFVinculos", txtHasta.text); });
}

void frmExtractos_Lineas_Vinculos::txtAlmacen_Change() {
    Trap("txtAlmacen_Change", [&] {
        txtAlmacen.descripcion = BuscadorMaestros::NombreAlmacen(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                                 txtAlmacen.code)
                                     .value_or("");
        // An unknown warehouse filters nothing rather than everything away.
        if (txtAlmacen.descripcion.empty()) {
            txtAlmacen.code = 0;
        }
    });
}

std::vector<BuscadorMaestros::Fila> frmExtractos_Lineas_Vinculos::BuscarAlmacenes(const std::string &texto) const {
    return BuscadorMaestros::Almacenes(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos_Lineas_Vinculos::GuardarPosicion() {
    filaGuardada_ = vsLineas.DataRows() > 0 ? vsLineas.row : 0;
    filaSuperior_ = vsLineas.DataRows() > 0 ? vsLineas.topRow : 0;
}

void frmExtractos_Lineas_Vinculos::cmdVincular_Click() {
    bool hecho = false;
    std::vector<std::string> ocupados;
    Trap("cmdVincular_Click", [&] {
        if (extractoCerrado) {
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Factura a vincular.", kAtencion, host::Icon::Warning);
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        std::string id = std::to_string(idExtractoLinea);
        db::Transaction tx(conn);
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (!vsLineas.Ticked(r) || vsLineas.Text(r, colVinculado) == "X") {
                continue;
            }
            std::string alm = std::to_string(Numero(vsLineas.Text(r, colAlmacen)));
            std::string clave, insert;
            if (contCompras) {
                std::string ej = std::to_string(Numero(vsLineas.Text(r, colEjercicio)));
                std::string cod = std::to_string(Numero(vsLineas.Text(r, colCodigo)));
                clave = "Compras_PagosCentral_Entradas WHERE Cod_Empresa =" + co + " AND Cod_Ejercicio =" + ej +
                        " AND Cod_Almacen =" + alm + " AND Codigo =" + cod;
                insert = "INSERT INTO Compras_PagosCentral_Entradas(IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, "
                         "Cod_Almacen, Codigo) VALUES(" +
                         id + "," + co + "," + ej + "," + alm + "," + cod + ")";
            } else {
                std::string prov = std::to_string(Numero(vsLineas.Text(r, colProveedor)));
                std::string doc = db::Escape(vsLineas.Text(r, colDocumento));
                std::string fecha = fmt.FechaTexto(vsLineas.Text(r, colFecha));
                clave = "Compras_PagosCentral_Entradas_Facturas WHERE Cod_Empresa =" + co + " AND Cod_Almacen =" + alm +
                        " AND Proveedor =" + prov + " AND Documento ='" + doc + "' AND Fecha ='" + fecha + "'";
                insert = "INSERT INTO Compras_PagosCentral_Entradas_Facturas(IdExtractoLinea, Cod_Empresa, "
                         "Cod_Almacen, Proveedor, Documento, Fecha) VALUES(" +
                         id + "," + co + "," + alm + "," + prov + ",'" + doc + "'" + ",'" + fecha + "'" + ")";
            }
            // Another user may have linked the document since the list was loaded: it stays with them.
            auto rs = conn.OpenRecordset("SELECT COUNT(*) FROM " + clave);
            bool ocupado = rs->Fields(0).AsInt64() > 0;
            rs->Close();
            if (ocupado) {
                ocupados.push_back(vsLineas.Text(r, colDocumento));
                continue;
            }
            conn.Execute(insert);
        }
        conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = (SELECT "
                     "dbo.fn_DevPagosCenImporteVinculadoLinea(" +
                     id + "))" + " WHERE IdExtractoLinea = " + id);
        tx.Commit();
        hecho = true;
        cambios_ = true;
        GuardarPosicion();
    });
    if (!hecho) {
        return;
    }
    if (!ocupados.empty()) {
        std::string lista;
        for (const auto &d : ocupados) {
            lista += "\n" + d;
        }
        Ui().MsgBox("Estos documentos ya estaban vinculados a otra línea y no se han vinculado:" + lista, kAtencion,
                    host::Icon::Information);
    }
    Cargar_Lineas();
}

void frmExtractos_Lineas_Vinculos::cmdDesvincular_Click() {
    bool hecho = false;
    Trap("cmdDesvincular_Click", [&] {
        if (extractoCerrado) {
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Factura a Desvincular.", kAtencion, host::Icon::Warning);
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea desvincular las lineas señaladas?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        std::string id = std::to_string(idExtractoLinea);
        db::Transaction tx(conn);
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (!vsLineas.Ticked(r) || vsLineas.Text(r, colVinculado) != "X") {
                continue;
            }
            std::string alm = std::to_string(Numero(vsLineas.Text(r, colAlmacen)));
            if (contCompras) {
                conn.Execute("DELETE FROM Compras_PagosCentral_Entradas"
                             " WHERE Cod_Empresa =" +
                             co + " AND Cod_Ejercicio =" + std::to_string(Numero(vsLineas.Text(r, colEjercicio))) +
                             " AND Cod_Almacen =" + alm +
                             " AND Codigo =" + std::to_string(Numero(vsLineas.Text(r, colCodigo))));
            } else {
                conn.Execute("DELETE FROM Compras_PagosCentral_Entradas_Facturas"
                             " WHERE Cod_Empresa =" +
                             co + " AND Cod_Almacen =" + alm +
                             " AND Proveedor =" + std::to_string(Numero(vsLineas.Text(r, colProveedor))) +
                             " AND Documento ='" + db::Escape(vsLineas.Text(r, colDocumento)) + "'" + " AND Fecha ='" +
                             fmt.FechaTexto(vsLineas.Text(r, colFecha)) + "'");
            }
        }
        conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = (SELECT "
                     "dbo.fn_DevPagosCenImporteVinculadoLinea(" +
                     id + "))" + " WHERE IdExtractoLinea = " + id);
        tx.Commit();
        hecho = true;
        cambios_ = true;
        GuardarPosicion();
    });
    if (hecho) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas_Vinculos::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] {
        int r = vsLineas.row;
        if (r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        auto &ctx = Ctx();
        printing::ImpresionDocumentoCompra impresion(Ui());
        impresion.Empresa(ctx.empresaVarnex, ctx.conexionVarnex);
        impresion.EmpresaContable(ctx.empresaLumbra, ctx.conexionLumbra);
        impresion.Imprimir(Numero(vsLineas.Text(r, colCodigo)), static_cast<int>(Numero(vsLineas.Text(r, colAlmacen))),
                           Numero(vsLineas.Text(r, colProveedor)), vsLineas.Text(r, colFecha),
                           vsLineas.Text(r, colDocumento));
    });
}

} // namespace lines
