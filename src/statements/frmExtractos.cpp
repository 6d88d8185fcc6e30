#include "statements/frmExtractos.h"
#include "printing/CRPrintGrid.h"

#include "accounting/AsientoFacturas.h"
#include "accounting/ExtractosContabilizados.h"
#include "accounting/AsientoFacturasAnterior.h"
#include "accounting/AsientoPrevPagos.h"
#include "accounting/EscritorSage200.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Contexto.h"
#include "host/Progress.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/Comun.h"
#include "lines/frmPedirProveedor.h"
#include "statements/ArchivoZip.h"
#include "statements/ExportadorEuromadi.h"
#include "statements/ExportadorExcel.h"
#include "statements/ImportadorExtractos.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "statements/frmImportar.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Log.h"
#include "suite/Moneda.h"
#include "suite/Rutas.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace statements {

namespace {

host::Contexto &Ctx() { return host::Contexto::Global(); }

std::string FechaDeCampo(const db::Field &f) {
    if (f.IsNull()) {
        return {};
    }
    auto d = suite::Fecha::Parse(f.AsText());
    return d ? suite::Formato::Instancia().FechaTexto(*d) : std::string();
}

void Boton(host::Button &b, const char *name, const char *caption) {
    b.name = name;
    b.caption = caption;
}

enum class Estado { Abierto, Cerrado, Eliminado };

// A statement's state read under the write lock the run holds, since another user may have closed
// or deleted it after the list was loaded: the update keeps the header's row locked until the run
// ends on SQL Server, and SQLite took the whole database at BEGIN.
Estado EstadoActual(db::Connection &erp, const std::string &clave) {
    if (erp.Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 0" + clave + " AND Cerrado = 0") > 0) {
        return Estado::Abierto;
    }
    auto rs = erp.OpenRecordset("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos" + clave);
    return rs->Fields(0).AsInt64() > 0 ? Estado::Cerrado : Estado::Eliminado;
}

} // namespace

frmExtractos::frmExtractos(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes)
    : Window("frmExtractos", shell), ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    txtAlmacen.name = "txtAlmacen";
    txtNumExtracto.name = "txtNumExtracto";
    txtFechaI.name = "txtFechaI";
    txtFechaF.name = "txtFechaF";
    cboEstado.name = "cboEstado";
    chkSelelecion_vsExtractos.name = "chkSelelecion_vsExtractos";
    Boton(cmdImportar, "cmdImportar", "&Importar");
    Boton(cmdPagos, "cmdPagos", "&Pagos");
    Boton(cmdCasacionAut, "cmdCasacionAut", "Casación Aut.");
    Boton(cmdExportar, "cmdExportar", "Exportar...");
    Boton(cmdGenerarAsiento, "cmdGenerarAsiento", "&Generar Asiento");
    Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    Boton(cmdSalir, "cmdSalir", "&Salir");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    using A = host::GridAlign;
    using T = host::GridType;
    vsExtractos.columns = {
        {"", 400, A::Center, T::Boolean},        {"Almacén", 700, A::Right, T::Long},
        {"Almacén", 3100, A::Left, T::String},   {"Extracto", 1500, A::Left, T::String},
        {"Fecha", 1100, A::Center, T::Date},     {"Fecha.Vcto", 1100, A::Center, T::Date},
        {"Importe", 1500, A::Right, T::Currency}, {"Acumulado", 1500, A::Right, T::Currency},
        {"Diferencia", 1500, A::Right, T::Currency}, {"Estado", 1000, A::Center, T::String},
    };
}

int frmExtractos::Modo() const {
    std::string v = Ctx().empresaVarnex->Parametro("PagoCentral_TipoExtracto").ToText();
    try {
        return v.empty() ? 0 : std::stoi(v);
    } catch (const std::exception &) {
        return 0;
    }
}

void frmExtractos::Form_Load() {
    Trap("Form_Load", [&] {
        vsExtractos.Clear();
        std::string fi = ajustes_->LeerValor("FechaIExtracto");
        std::string ff = ajustes_->LeerValor("FechaFExtracto");
        txtFechaI.text = fi.empty() ? suite::Fecha::Hoy().SumarDias(-90).Formato("dd/mm/yyyy") : fi;
        txtFechaF.text = ff.empty() ? suite::Fecha::Hoy().Formato("dd/mm/yyyy") : ff;
        ajustes_->GuardarValor("FechaIExtracto", txtFechaI.text);
        ajustes_->GuardarValor("FechaFExtracto", txtFechaF.text);
        txtAlmacen.code = 0;
        cboEstado.Clear();
        cboEstado.Add("ABIERTO", 1);
        cboEstado.Add("CERRADO", 2);
        cboEstado.Add("TODOS", 3);
        cboEstado.index = 0;
        int modo = Modo();
        if (modo == 1) {
            cmdCasacionAut.visible = false;
        } else if (modo == 2) {
            cmdCasacionAut.visible = true;
        }
        filaGuardada_ = 0;
    });
    Cargar_Extractos();
}

void frmExtractos::Cargar_Extractos() {
    Trap("Cargar_Extractos", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando extractos, espere por favor...");
        vsExtractos.Clear();
        vsExtractos.redraw = false;
        chkSelelecion_vsExtractos.value = false;
        auto &fmt = suite::Formato::Instancia();
        const auto &emp = *Ctx().empresaVarnex;
        std::string co = std::to_string(emp.Codigo());

        std::string estado;
        switch (cboEstado.ItemData()) {
        case 1:
            estado = " AND c.Cerrado = 0";
            break;
        case 2:
            estado = " AND c.Cerrado = 1";
            break;
        default:
            break;
        }
        std::string almacen = txtAlmacen.code >= 1 ? " AND c.Cod_Almacen =" + std::to_string(txtAlmacen.code) : "";
        std::string extracto =
            txtNumExtracto.text.empty() ? "" : " AND c.Cod_Extracto LIKE " + db::Contiene(txtNumExtracto.text);
        std::string fi = fmt.FechaTexto(txtFechaI.text), ff = fmt.FechaTexto(txtFechaF.text);
        if (fi.empty() || ff.empty()) {
            Ui().MsgBox("Debe introducir una fecha válida.", "¡ Atención !", host::Icon::Warning);
            Ui().Focus(*this, fi.empty() ? "txtFechaI" : "txtFechaF");
            host::MostrarProgreso(Ui(), false);
            vsExtractos.redraw = true;
            return;
        }
        std::string fechas = " AND c.FechaExtracto BETWEEN '" + fi + "' AND '" + ff + "'";

        std::string sql;
        int modo = Modo();
        if (modo == 1) {
            sql = "SELECT c.Cerrado, c.Cod_Almacen, alm.Nombre AS NombreAlmacen, c.Cod_Extracto, c.FechaExtracto, "
                  "c.FechaVto,"
                  " dbo.fn_DevPagosCenImporteExtracto(" +
                  co + ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteExtracto," + " dbo.fn_DevPagosCenImporteVinculado(" +
                  co + ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteVinculado," + " dbo.fn_DevPagosCenImporteExtracto(" +
                  co + ",c.Cod_Almacen, c.Cod_Extracto) - dbo.fn_DevPagosCenImporteVinculado(" + co +
                  ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteDiferencia";
        } else if (modo == 2) {
            sql = "SELECT c.Cerrado, c.Cod_Almacen, ISNULL(alm.Nombre,'') AS NombreAlmacen, c.Cod_Extracto, "
                  "c.FechaExtracto, c.FechaVto,"
                  " dbo.fn_DevPagosCenImporteExtractoPrevPagos(" +
                  co + ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteExtracto," +
                  " dbo.fn_DevPagosCenImporteVinculadoPrevPagos(" + co +
                  ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteVinculado," +
                  " dbo.fn_DevPagosCenImporteExtractoPrevPagos(" + co +
                  ",c.Cod_Almacen, c.Cod_Extracto) - dbo.fn_DevPagosCenImporteVinculadoPrevPagos(" + co +
                  ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteDiferencia";
        } else {
            vsExtractos.redraw = true;
            throw std::runtime_error("El modo de extracto (PagoCentral_TipoExtracto) no está configurado: '" +
                                     emp.Parametro("PagoCentral_TipoExtracto").ToText() + "'");
        }
        sql += " FROM Compras_PagosCentral_Extractos c";
        sql += " LEFT JOIN Almacenes alm ON alm.Cod_Empresa = c.Cod_Empresa AND alm.Codigo = c.Cod_Almacen";
        sql += " WHERE c.Cod_Empresa =" + co;
        sql += estado + almacen + extracto + fechas;
        sql += " ORDER BY c.Cod_Almacen, c.FechaVto DESC, c.FechaExtracto DESC";

        int dec = emp.DecimalesImporte();
        auto rs = Ctx().conexionVarnex->OpenRecordset(sql);
        while (!rs->Eof()) {
            auto money = [&](const char *n) {
                return fmt.Redondear(suite::Moneda::FromUnits(rs->Fields(n).AsCurrencyUnits()), dec);
            };
            vsExtractos.AddRow({"0", rs->Fields("Cod_Almacen").AsText(), rs->Fields("NombreAlmacen").AsText(),
                                rs->Fields("Cod_Extracto").AsText(), FechaDeCampo(rs->Fields("FechaExtracto")),
                                FechaDeCampo(rs->Fields("FechaVto")), money("ImporteExtracto"),
                                money("ImporteVinculado"), money("ImporteDiferencia"),
                                rs->Fields("Cerrado").AsInt64() != 0 ? "CERRADO" : "ABIERTO"});
            rs->MoveNext();
        }
        rs->Close();
        vsExtractos.redraw = true;
        if (vsExtractos.DataRows() > 0) {
            if (filaGuardada_ >= 1 && filaGuardada_ < vsExtractos.Rows()) {
                vsExtractos.row = filaGuardada_;
                vsExtractos.topRow = filaSuperior_ >= 1 && filaSuperior_ < vsExtractos.Rows() ? filaSuperior_ : 1;
            } else {
                vsExtractos.row = 1;
                vsExtractos.topRow = 1;
            }
            vsExtractos_RowColChange(vsExtractos.row);
        }
        host::MostrarProgreso(Ui(), false);
        Ui().Refresh(*this);
    });
    vsExtractos.redraw = true;
}

void frmExtractos::cboEstado_Click() {
    filaGuardada_ = 0;
    Cargar_Extractos();
}

void frmExtractos::txtFechaF_Enter() {
    filaGuardada_ = 0;
    Cargar_Extractos();
}

void frmExtractos::txtFechaI_Change() {
    Trap("txtFechaI_Change", [&] { ajustes_->GuardarValor("FechaIExtracto", txtFechaI.text); });
}

void frmExtractos::txtFechaF_Change() {
    Trap("txtFechaF_Change", [&] { ajustes_->GuardarValor("FechaFExtracto", txtFechaF.text); });
}

void frmExtractos::txtAlmacen_Enter() {
    if (txtAlmacen.code < 1) {
        Ui().Focus(*this, "txtNumExtracto");
    }
}

void frmExtractos::txtAlmacen_Change() {
    Trap("txtAlmacen_Change", [&] {
        auto nombre = lines::BuscadorMaestros::NombreAlmacen(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                             txtAlmacen.code);
        txtAlmacen.descripcion = nombre.value_or("");
    });
}

std::vector<lines::BuscadorMaestros::Fila> frmExtractos::BuscarAlmacenes(const std::string &texto) const {
    return lines::BuscadorMaestros::Almacenes(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos::vsExtractos_Click(int row, int col) {
    if (col == colSel && row >= 1 && row <= vsExtractos.DataRows()) {
        vsExtractos.Toggle(row);
    }
}

void frmExtractos::vsExtractos_KeySpace() {
    if (vsExtractos.row >= 1 && vsExtractos.row <= vsExtractos.DataRows()) {
        vsExtractos.Toggle(vsExtractos.row);
    }
}

void frmExtractos::chkSelelecion_vsExtractos_Click() {
    for (int r = 1; r <= vsExtractos.DataRows(); ++r) {
        vsExtractos.SetTicked(r, chkSelelecion_vsExtractos.value);
    }
}

void frmExtractos::vsExtractos_RowColChange(int row) {
    if (row < 1 || row > vsExtractos.DataRows()) {
        return;
    }
    vsExtractos.row = row;
    bool abierto = vsExtractos.Text(row, colEstado) != "CERRADO";
    cmdEliminar.enabled = abierto;
    cmdGenerarAsiento.enabled = abierto;
    cmdCasacionAut.enabled = abierto;
}

void frmExtractos::vsExtractos_DblClick() {
    if (vsExtractos.row >= 1) {
        cmdPagos_Click();
    }
}

void frmExtractos::GuardarPosicion() {
    if (vsExtractos.DataRows() > 0) {
        filaGuardada_ = vsExtractos.row;
        filaSuperior_ = vsExtractos.topRow;
    } else {
        filaGuardada_ = 0;
        filaSuperior_ = 0;
    }
}

void frmExtractos::cmdPagos_Click() {
    bool ok = Trap("cmdPagos_Click", [&] {
        int r = vsExtractos.row;
        if (vsExtractos.DataRows() < 1 || r < 1) {
            return;
        }
        lines::frmExtractos_Lineas w(Ui());
        w.extractoCerrado = vsExtractos.Text(r, colEstado) == "CERRADO";
        w.codAlmacen = static_cast<short>(std::stoi(vsExtractos.Text(r, colAlmacen)));
        w.codExtracto = vsExtractos.Text(r, colExtracto);
        w.fechaExtracto = suite::Fecha::Parse(vsExtractos.Text(r, colFecha)).value_or(suite::Fecha());
        w.fechaVto = suite::Fecha::Parse(vsExtractos.Text(r, colFechaVto)).value_or(suite::Fecha());
        if (alAbrirLineas) {
            alAbrirLineas(w);
        }
        w.Show(1);
        GuardarPosicion();
    });
    if (ok && vsExtractos.DataRows() >= 0) {
        Cargar_Extractos();
    }
}

namespace {

// A working table per run. Temporary tables are private to the connection, so only runs on the
// same connection could meet; the tick count keeps even those apart.
std::string TablaTrabajo() {
    static long long ultimo = 0;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch())
                  .count();
    long long tick = std::llabs(static_cast<long long>(ms));
    if (tick <= ultimo) {
        tick = ultimo + 1;
    }
    ultimo = tick;
    return "#CPP" + std::to_string(tick);
}

} // namespace

void frmExtractos::cmdCasacionAut_Click() {
    std::string tabla;
    ejecutado_ = false;
    bool ok = Trap("cmdCasacionAut_Click", [&] {
        int r = vsExtractos.row;
        if (vsExtractos.DataRows() < 1 || r < 1 || r > vsExtractos.DataRows()) {
            return;
        }
        lines::frmPedirProveedor pedir(Ui());
        pedir.Show(1);
        if (!pedir.aceptado) {
            return;
        }
        std::string filtro = pedir.codProveedor > 0 ? " AND lin.Cod_Proveedor =" + std::to_string(pedir.codProveedor)
                                                    : std::string();
        auto &conn = *Ctx().conexionVarnex;
        std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        std::string alm = std::to_string(std::stol(vsExtractos.Text(r, colAlmacen)));
        std::string ext = db::Escape(vsExtractos.Text(r, colExtracto));
        std::string vto = db::Escape(vsExtractos.Text(r, colFechaVto));
        std::string contabilidad = lines::comun::BaseContable();
        std::string delExtracto = " WHERE lin.Cod_Empresa =" + co + " AND lin.Cod_Almacen =" + alm +
                                  " AND lin.Cod_Extracto ='" + ext + "'";

        // The links and the linked amounts they imply are stored together or not at all.
        db::Transaction tx(conn);
        tabla = TablaTrabajo();
        long duplicadas = conn.Execute(
            "SELECT lin.Cod_Proveedor, lin.Documento, lin.Fecha"
            " INTO " +
            tabla +
            " FROM Compras_PagosCentral_Extractos_Lineas lin" + delExtracto + filtro +
            " AND EXISTS (SELECT 1 FROM Compras_PagosCentral_Extractos_Lineas lin2"
            " WHERE lin.Cod_Empresa = lin2.Cod_Empresa"
            " AND lin.Cod_Extracto = lin2.Cod_Extracto"
            " AND lin.Cod_Proveedor = lin2.Cod_Proveedor"
            " AND lin.Fecha = lin2.Fecha"
            " AND RIGHT(RTRIM(lin.Documento),4) = RIGHT(RTRIM(lin2.Documento),4)"
            " AND lin.IdExtractoLinea <> lin2.IdExtractoLinea)"
            " GROUP BY lin.Cod_Proveedor, lin.Documento, lin.Fecha");
        conn.Execute("INSERT INTO Compras_PagosCentral_PrevPagos"
                     " SELECT DISTINCT lin.IdExtractoLinea , pp.Apunte, 0, pp.Importe"
                     " FROM Compras_PagosCentral_Extractos_Lineas lin"
                     " LEFT JOIN " +
                     contabilidad +
                     ".dbo.Previsiones_Pago pp"
                     " ON lin.Importe = pp.Importe AND ((RIGHT(RTRIM(lin.Documento), 4) = RIGHT(RTRIM(pp.Documento), "
                     "4)) OR (CHARINDEX(RTRIM(pp.Documento), RTRIM(lin.Documento)) > 0))"
                     " LEFT JOIN " +
                     tabla +
                     " tmp"
                     " ON tmp.Cod_Proveedor = lin.Cod_Proveedor AND tmp.Documento = lin.Documento AND tmp.Fecha = "
                     "lin.Fecha" +
                     delExtracto + " AND pp.Fecha_Vto <= '" + vto + "'" + " AND pp.Estado = 0" +
                     " AND pp.Apunte NOT IN (SELECT IdPrevPago FROM Compras_PagosCentral_PrevPagos)" + filtro +
                     " AND tmp.Cod_Proveedor IS NULL"
                     // A line marked not to be paid or moved to a new due date is not to be linked, and
                     // its lines window could not unlink it.
                     " AND lin.NoPago = 0 AND lin.Nueva_FechaVto = '01/01/1900'");
        conn.Execute("DROP TABLE " + tabla);
        tabla.clear();

        tabla = TablaTrabajo();
        conn.Execute("SELECT a.IdExtractoLinea, SUM(a.Importe) AS Importe INTO " + tabla +
                     " FROM Compras_PagosCentral_PrevPagos a"
                     " INNER JOIN Compras_PagosCentral_Extractos_Lineas lin"
                     " ON a.IdExtractoLinea = lin.IdExtractoLinea" +
                     delExtracto + " GROUP BY a.IdExtractoLinea");
        conn.Execute("UPDATE a SET a.ImporteVinculado = b.Importe FROM Compras_PagosCentral_Extractos_Lineas a INNER "
                     "JOIN " +
                     tabla + " b ON a.IdExtractoLinea = b.IdExtractoLinea");
        conn.Execute("DROP TABLE " + tabla);
        tabla.clear();

        conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas"
                     " SET ImporteVinculado = 0"
                     " WHERE IdExtractoLinea IN ("
                     " SELECT lin.IdExtractoLinea"
                     " FROM Compras_PagosCentral_Extractos_Lineas lin"
                     " LEFT JOIN Compras_PagosCentral_PrevPagos pp ON pp.IdExtractoLinea = lin.IdExtractoLinea"
                     " WHERE  lin.Cod_Empresa =" +
                     co + " AND lin.Cod_Extracto ='" + ext + "'" + " AND lin.Cod_Almacen =" + alm +
                     " AND lin.ImporteVinculado <> 0"
                     " AND pp.IdExtractoLinea is NULL)");
        tx.Commit();

        host::TaskDialogOpciones dlg;
        dlg.title = "¡ Atención !";
        dlg.buttons = {"Aceptar"};
        dlg.instruction = "<TextBlock Foreground='Blue'>Casación Automática realizada correctamente.</TextBlock>";
        if (duplicadas > 0) {
            dlg.content = "<TextBlock TextWrapping='Wrap' FontWeight='Bold' Foreground='Red'>Se han detectado facturas "
                          "duplicadas. Por seguridad, estas no han sido casadas.</TextBlock>";
            dlg.icon = host::Icon::Warning;
        } else {
            dlg.content = "<TextBlock TextWrapping='Wrap' FontWeight='Bold'>No se han detectado facturas "
                          "duplicadas.</TextBlock>";
            dlg.icon = host::Icon::Information;
        }
        Ui().TaskDialog(dlg);
        ejecutado_ = true;
        if (vsExtractos.DataRows() > 0) {
            GuardarPosicion();
        }
    });
    if (!tabla.empty()) {
        // A failed step must not leave its working table on a connection that lives on.
        try {
            Ctx().conexionVarnex->Execute("DROP TABLE " + tabla);
        } catch (...) {
        }
    }
    if (ok && ejecutado_) {
        Cargar_Extractos();
    }
}

void frmExtractos::cmdEliminar_Click() {
    Trap("cmdEliminar_Click", [&] {
        if (vsExtractos.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos un Extracto a eliminar.", "¡ Atención !", host::Icon::Warning);
            return;
        }
        for (int r = 1; r <= vsExtractos.DataRows(); ++r) {
            if (vsExtractos.Ticked(r) && vsExtractos.Text(r, colEstado) == "CERRADO") {
                Ui().MsgBox("Existe algún Extracto señalado que está cerrado. Demárquelo para continuar.",
                            "¡ Atención !", host::Icon::Warning);
                return;
            }
        }
        frmExtractos_ConfirmarEliminar confirmar(Ui());
        confirmar.Show(1);
        if (!confirmar.confirmado) {
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        int modo = Modo();
        std::optional<accounting::ExtractosContabilizados> notas;
        if (Ctx().conexionLumbra) {
            notas.emplace(conn, *Ctx().conexionLumbra, Ctx().empresaVarnex->Codigo());
        }
        db::Transaction tx(conn);
        for (int r = 1; r <= vsExtractos.DataRows(); ++r) {
            if (!vsExtractos.Ticked(r)) {
                continue;
            }
            std::string w = std::to_string(std::stol(vsExtractos.Text(r, colAlmacen)));
            std::string e = db::Escape(vsExtractos.Text(r, colExtracto));
            std::string key = " WHERE Cod_Empresa =" + co + " AND Cod_Almacen =" + w + " AND Cod_Extracto ='" + e + "'";
            const Estado estado = EstadoActual(conn, key);
            if (estado == Estado::Eliminado) {
                continue; // another user deleted it meanwhile
            }
            // Read under the write lock, so that another user's run is seen whole or not at all.
            std::string motivo;
            if (estado == Estado::Cerrado) {
                motivo = " ya está cerrado: otro usuario ha generado su asiento. No se ha eliminado ningún extracto.";
            } else if (notas && notas->Asientos(accounting::ExtractosContabilizados::DeProveedores(
                                    Ctx().empresaVarnex->Codigo(), std::stol(w), vsExtractos.Text(r, colExtracto)))) {
                // Its entry reached the accounting but its closing was lost: the entry needs its lines.
                motivo = " ya tiene su asiento en la contabilidad, pero no se llegó a cerrar. Genere de nuevo su "
                         "asiento para cerrarlo: no se duplicará.";
            }
            if (!motivo.empty()) {
                tx.Rollback();
                Ui().MsgBox("El Extracto: " + vsExtractos.Text(r, colExtracto) + motivo, "¡ Atención !",
                            host::Icon::Warning);
                GuardarPosicion();
                Cargar_Extractos();
                return;
            }
            std::string q = " WHERE IdExtractoLinea IN (SELECT IdExtractoLinea FROM "
                            "Compras_PagosCentral_Extractos_Lineas"
                            " WHERE Cod_Empresa = " +
                            co + " AND Cod_Almacen =" + w + " AND Cod_Extracto ='" + e + "')";
            if (modo == 1) {
                conn.Execute("DELETE FROM Compras_PagosCentral_Entradas" + q);
                conn.Execute("DELETE FROM Compras_PagosCentral_Entradas_Facturas" + q);
                conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion" + q);
            } else if (modo == 2) {
                conn.Execute("DELETE FROM Compras_PagosCentral_PrevPagos" + q);
            }
            conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Impuestos" + q);
            conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas" + key);
            conn.Execute("DELETE FROM Compras_PagosCentral_Extractos" + key);
        }
        tx.Commit();
        GuardarPosicion();
        Cargar_Extractos();
    });
}

void frmExtractos::cmdImportar_Click() {
    importado_ = false;
    Trap("cmdImportar_Click", [&] {
        if (Modo() == 0) {
            Ui().MsgBox("No se ha configurado el tipo de extracto a importar", "¡ Atención !", host::Icon::Warning);
            return;
        }
        frmImportar dialogo(Ui());
        dialogo.Show(1);
        std::string ruta = dialogo.ruta;
        if (ruta.empty()) {
            return;
        }
        constexpr auto nivel = static_cast<suite::Log::Nivel>(0);
        suite::Log log;
        log.AbrirLog(suite::CarpetaLog() + "ImportarPagoCentral.log");
        host::MostrarProgreso(Ui(), true, "Importando extractos, espere por favor...");
        bool ok = false;
        {
            db::Transaction tx(*Ctx().conexionVarnex);
            log.EscribirLog(nivel, "Importar", "Inicio Importación");
            log.EscribirLog(nivel, "Importar", "Ruta Fichero: " + ruta);
            ImportadorExtractos importador(*this, log);
            int modo = Modo();
            if (modo == 1) {
                bool impuestos = ruta.size() >= 3 && ruta.compare(ruta.size() - 3, 3, "csv") == 0;
                ok = impuestos ? importador.ProcesarFichero_Impuestos_1(ruta) : importador.ProcesarFichero_1s(ruta);
            } else if (modo == 2) {
                ok = importador.ProcesarFichero_2(ruta);
            }
            if (ok) {
                tx.Commit();
            } else {
                tx.Rollback();
            }
        }
        host::MostrarProgreso(Ui(), false);
        log.EscribirLog(nivel, "Importar", "Fin Importación");
        log.PurgarLog(suite::Fecha::Hoy().SumarDias(-30));
        importado_ = ok;
        filaGuardada_ = 0;
        Cargar_Extractos();
    });
}

void frmExtractos::cmdExportar_Click() {
    Exportados.clear();
    Trap("cmdExportar_Click", [&] {
        const int fila = vsExtractos.row;
        if (vsExtractos.DataRows() < 1 || fila < 1 || fila > vsExtractos.DataRows()) {
            return;
        }
        const int modo = Modo();
        if (modo == 0) {
            Ui().MsgBox("No se ha configurado el tipo de extracto a importar/exportar", "¡ Atención !",
                        host::Icon::Warning);
            return;
        }
        const int almacen = static_cast<int>(lines::comun::Numero(vsExtractos.Text(fila, colAlmacen)));
        const std::string extracto = vsExtractos.Text(fila, colExtracto);
        // The workbook is Office Open XML: "*.xlsx" first, so that the proposed name opens without
        // Excel's warning about a content that does not match its extension; "*.xls" still accepted.
        std::vector<host::FileFilter> filtros = {{"Fichero de Microsoft Excel (*.xlsx *.xls)", "*.xlsx *.xls"}};
        std::string propuesto;
        if (modo == 2) {
            auto rs = Ctx().conexionVarnex->OpenRecordset(
                "SELECT COUNT(*) AS Existe"
                " FROM Compras_PagosCentral_Extractos_Lineas lin"
                " WHERE lin.Cod_Empresa =" +
                std::to_string(Ctx().empresaVarnex->Codigo()) + " AND lin.Cod_Almacen =" + std::to_string(almacen) +
                " AND lin.Cod_Extracto ='" + db::Escape(extracto) + "'" + " AND lin.ImporteVinculado = 0" +
                " AND lin.NoPago = 0" + " AND lin.Nueva_FechaVto = '01/01/1900'" + " AND lin.Id_Relacion > 0");
            const long long pendientes = rs->Eof() ? 0 : rs->Fields("Existe").AsInt64();
            rs->Close();
            if (pendientes > 0) {
                Ui().MsgBox("Imposible continuar, Existen lineas pendientes de Vincular sin identificar como No Pago ó "
                            "Nuevo Vto.",
                            "¡ Atención !", host::Icon::Warning);
                return;
            }
            propuesto = "MODI0088";
            filtros.push_back({"Fichero de Euromadi (*.eur)", "*.eur"});
        }
        const std::string ruta = Ui().SaveFile("Exportar Extracto", filtros, propuesto);
        auto acaba = [&ruta](std::string_view fin) {
            return ruta.size() >= fin.size() && ruta.compare(ruta.size() - fin.size(), fin.size(), fin) == 0;
        };
        // The ending decides, letter case included, as it always has.
        if (acaba("xls") || acaba("xlsx")) {
            ExportarExtracto_Excel(ruta, almacen, extracto);
        } else if (acaba("eur")) {
            ExportarExtracto_Euromadi(ruta, almacen, extracto);
        }
    });
}

void frmExtractos::ExportarExtracto_Excel(const std::string &ruta, int almacen, const std::string &extracto) {
    Trap("ExportarExtracto_Excel", [&] {
        host::MostrarProgreso(Ui(), true);
        const int modo = Modo();
        ExportadorExcel libro(*Ctx().conexionVarnex, *Ctx().empresaVarnex,
                              modo == 2 ? lines::comun::BaseContable() : std::string());
        libro.Escribir(ruta, modo, almacen, extracto);
        Exportados.push_back(ruta);
        host::MostrarProgreso(Ui(), false);
        Ui().MsgBox("Operación terminada con éxito", "¡ Atención !", host::Icon::Information);
    });
}

void frmExtractos::ExportarExtracto_Euromadi(const std::string &ruta, int almacen, const std::string &extracto) {
    Trap("ExportarExtracto_Euromadi", [&] {
        host::MostrarProgreso(Ui(), true);
        ExportadorEuromadi fichero(*Ctx().conexionVarnex, *Ctx().empresaVarnex);
        auto r = fichero.Escribir(ruta, almacen, extracto);
        if (!r.sinGln.empty()) {
            std::string lista;
            for (const auto &p : r.sinGln) {
                lista += "\r\n" + p;
            }
            host::MostrarProgreso(Ui(), false);
            Ui().MsgBox("Existen proveedores sin GLN Principal:\r\n" + lista, "¡ Exportación abortada !",
                        host::Icon::Warning);
            return;
        }
        if (!r.rechazo.empty() || r.lineas == 0) {
            host::MostrarProgreso(Ui(), false);
            Ui().MsgBox(!r.rechazo.empty() ? r.rechazo + " No se ha escrito ningún fichero."
                                           : "El extracto no tiene líneas marcadas como No Pago, con nuevo vencimiento "
                                             "o reemitidas: no hay nada que exportar.",
                        "¡ Exportación abortada !", host::Icon::Warning);
            return;
        }
        Exportados.push_back(ruta);
        const std::filesystem::path p(ruta);
        const std::string carpeta = (p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path()).string() +
                                    std::string(1, std::filesystem::path::preferred_separator);
        const bool zip = Generar_Zip(carpeta, p.filename().string());
        host::MostrarProgreso(Ui(), false);
        if (zip) {
            Exportados.push_back(carpeta + "EM0088.zip");
            Ui().MsgBox("Operación terminada con éxito.", "¡ Atención !", host::Icon::Information);
        } else {
            Ui().MsgBox("Operación no terminada correctamente.", "¡ Atención !", host::Icon::Warning);
        }
    });
}

bool frmExtractos::Generar_Zip(const std::string &carpeta, const std::string &fichero) {
    bool ok = false;
    Trap("Generar_Zip", [&] {
        if (!std::filesystem::is_directory(carpeta)) {
            return;
        }
        ArchivoZip zip(carpeta + "EM0088.zip");
        if (alComprimir) {
            alComprimir(zip);
        }
        zip.Crear(carpeta + fichero);
        ok = true;
    });
    return ok;
}

} // namespace statements

namespace statements {

void frmExtractos::cmdGenerarAsiento_Click() {
    generado_ = false;
    FicherosGenerados.clear();
    bool transacciones = false;
    bool impuestos = false;
    auto &erp = *Ctx().conexionVarnex;
    auto &contabilidad = *Ctx().conexionLumbra;
    bool ok = Trap("cmdGenerarAsiento_Click", [&] {
        const int filas = vsExtractos.DataRows();
        if (filas < 1) {
            return;
        }
        const char *atencion = "¡ Atención !";
        if (vsExtractos.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Extracto para generar asiento.", atencion,
                        host::Icon::Warning);
            return;
        }
        for (int r = 1; r <= filas; ++r) {
            if (vsExtractos.Ticked(r) && vsExtractos.Text(r, colEstado) == "CERRADO") {
                Ui().MsgBox("Existe algún Extracto señalado que ya se le ha generado el asiento. Desmárquelo para "
                            "continuar.",
                            atencion, host::Icon::Warning);
                return;
            }
        }
        for (int r = 1; r <= filas; ++r) {
            if (vsExtractos.Ticked(r) && lines::comun::Numero(vsExtractos.Text(r, colAlmacen)) <= 0) {
                Ui().MsgBox("Existe algún Extracto señalado que no posee almacén. Desmárquelo para continuar.",
                            atencion, host::Icon::Warning);
                return;
            }
        }
        const auto &emp = *Ctx().empresaVarnex;
        const std::string co = std::to_string(emp.Codigo());
        const int modo = Modo();
        auto clave = [&](int r) {
            return " WHERE Cod_Empresa =" + co + " AND Cod_Almacen =" +
                   std::to_string(lines::comun::Numero(vsExtractos.Text(r, colAlmacen))) + " AND Cod_Extracto ='" +
                   db::Escape(vsExtractos.Text(r, colExtracto)) + "'";
        };
        auto anio = [&](int r) {
            auto f = suite::Fecha::Parse(vsExtractos.Text(r, colFecha));
            return f ? f->Anio() : 0;
        };

        if (emp.Parametro("PagoCentral_AsientoCheckLineasNoVinc").ToBool()) {
            erp.Execute("CREATE TABLE #Impuestos (IdExtractoLinea INT, Total MONEY)");
            impuestos = true;
            std::string fallido;
            for (int r = 1; r <= filas && fallido.empty(); ++r) {
                if (!vsExtractos.Ticked(r)) {
                    continue;
                }
                const std::string alm = std::to_string(lines::comun::Numero(vsExtractos.Text(r, colAlmacen)));
                const std::string ext = db::Escape(vsExtractos.Text(r, colExtracto));
                const std::string filtro =
                    " WHERE lin.Cod_Empresa =" + co + " AND lin.Cod_Almacen =" + alm + " AND lin.Cod_Extracto ='" + ext + "'";
                if (modo == 1) {
                    erp.Execute("INSERT INTO #Impuestos (IdExtractoLinea, Total)"
                                " SELECT imp.IdExtractoLinea, SUM(imp.Base + imp.Importe) AS Total"
                                " FROM Compras_PagosCentral_Extractos_Lineas_Impuestos imp"
                                " INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = "
                                "imp.IdExtractoLinea" +
                                filtro + " GROUP BY imp.IdExtractoLinea");
                }
                auto rs = erp.OpenRecordset(
                    "SELECT ISNULL(prov.Nombre,'') AS ProveedorNombre, lin.Importe, lin.TipoPago, ISNULL(tp.Tipo,'') AS "
                    "NombreTipoPago, lin.Acreedor, lin.ProntoPago, ISNULL(rec.IdExtractoLinea,0) AS ExisteRec,"
                    " CASE WHEN dbo.fn_DevPagosCenImporteVinculadoLinea(lin.IdExtractoLinea) = 0 THEN 0 ELSE 1 END AS "
                    "ExisteVinc,"
                    " ISNULL(imp.Total,0) AS Impuestos"
                    " FROM Compras_PagosCentral_Extractos_Lineas lin"
                    " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
                    co +
                    " AND prov.Codigo = lin.Cod_Proveedor"
                    " LEFT JOIN Compras_PagosCentral_Extractos_Lineas_Reclamacion rec ON rec.IdExtractoLinea = "
                    "lin.IdExtractoLinea"
                    " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
                    " LEFT JOIN #Impuestos imp ON imp.IdExtractoLinea = lin.IdExtractoLinea" +
                    filtro);
                const bool desde2019 = anio(r) >= 2019;
                while (!rs->Eof()) {
                    const std::string tipo = rs->Fields("NombreTipoPago").AsText();
                    const bool sinProcesar = rs->Fields("ExisteRec").AsInt64() == 0 &&
                                             rs->Fields("ProntoPago").AsInt64() == 0 &&
                                             rs->Fields("ExisteVinc").AsInt64() == 0 &&
                                             rs->Fields("Acreedor").AsInt64() == 0;
                    bool falla = rs->Fields("ProveedorNombre").AsText().empty() || tipo.empty();
                    if (!falla && modo == 1) {
                        falla = (desde2019 &&
                                 rs->Fields("Impuestos").AsCurrencyUnits() != rs->Fields("Importe").AsCurrencyUnits()) ||
                                (tipo != "RI" && tipo != "XI" && sinProcesar);
                    } else if (!falla && modo == 2) {
                        falla = sinProcesar;
                    }
                    if (falla) {
                        fallido = vsExtractos.Text(r, colExtracto);
                        break;
                    }
                    rs->MoveNext();
                }
                rs->Close();
            }
            erp.Execute("DROP TABLE #Impuestos");
            impuestos = false;
            if (!fallido.empty()) {
                Ui().MsgBox("El Extracto: " + fallido + " posee líneas sin procesar" + "\r\n" +
                                "ó no existe algún proveedor." + "\r\n" + "Revise las que faltan para continuar.",
                            atencion, host::Icon::Warning);
                return;
            }
        }

        if (Ui().MsgBox("¿Está seguro que desea generar el asiento de los extractos señalados?", atencion,
                        host::Icon::Question, host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        const long tipoContabilidad = emp.Parametro("Tipo_Contabilidad").ToLong();
        std::string carpeta;
        if (tipoContabilidad == 6) {
            auto rs = erp.OpenRecordset("SELECT PathFicheros FROM Arqueos_ParamContabilidad WHERE Cod_Empresa = " + co);
            if (!rs->Eof()) {
                carpeta = rs->Fields(0).AsText();
            }
            rs->Close();
            if (carpeta.empty()) {
                Ui().MsgBox("No se ha establecido el Path para los ficheros de resultado", atencion,
                            host::Icon::Warning);
                return;
            }
        }
        host::MostrarProgreso(Ui(), true, "Generando Asiento, espere por favor...");
        contabilidad.BeginTrans();
        transacciones = true;
        erp.BeginTrans();
        bool correcto = true;
        AsientosGenerados.clear();
        if (modo == 2) {
            erp.Execute("CREATE TABLE #TEMP_IMPORTEVINCULADO(IdExtractoLinea INT NULL,ImporteVinculado MONEY NULL)");
        }
        for (int r = 1; r <= filas; ++r) {
            if (!vsExtractos.Ticked(r)) {
                continue;
            }
            const short almacen = static_cast<short>(lines::comun::Numero(vsExtractos.Text(r, colAlmacen)));
            const std::string extracto = vsExtractos.Text(r, colExtracto);
            if (const Estado estado = EstadoActual(erp, clave(r)); estado != Estado::Abierto) {
                contabilidad.RollbackTrans();
                erp.RollbackTrans();
                transacciones = false;
                host::MostrarProgreso(Ui(), false);
                Ui().MsgBox("El Extracto: " + extracto +
                                (estado == Estado::Cerrado ? " ya está cerrado: otro usuario ha generado su asiento."
                                                           : " ya no existe: otro usuario lo ha eliminado.") +
                                " No se ha generado ningún asiento.",
                            atencion, host::Icon::Warning);
                correcto = false;
                break;
            }
            // Accounted already by a run whose ERP side was lost: closed now, not accounted twice.
            const accounting::ExtractosContabilizados notas(erp, contabilidad, Ctx().empresaVarnex->Codigo());
            const auto nota =
                accounting::ExtractosContabilizados::DeProveedores(Ctx().empresaVarnex->Codigo(), almacen, extracto);
            const std::size_t antes = AsientosGenerados.size();
            // Only invoices of 2019 onwards go to Sage 200 files; every other entry is written into
            // the accounting database, whatever the target, and is noted there.
            const bool enContabilidad = !(tipoContabilidad == 6 && modo == 1 && anio(r) > 2018);
            std::optional<std::string> previos;
            if (enContabilidad) {
                previos = notas.Asientos(nota);
            }
            bool hecho = false;
            if (previos) {
                AsientosGenerados += *previos;
                hecho = true;
            } else if (modo == 1 && anio(r) <= 2018) {
                accounting::AsientoFacturasAnterior b(*this, AsientosGenerados);
                hecho = b.GenerarAsientoFacturasAnterior(vsExtractos.Text(r, colFecha), almacen, extracto);
            } else if (modo == 1) {
                std::unique_ptr<accounting::EscritorSage200> sage;
                if (tipoContabilidad == 6) {
                    sage = std::make_unique<accounting::EscritorSage200>(Ui(), carpeta, extracto, almacen,
                                                                         relojFicheros ? *relojFicheros
                                                                                       : accounting::RelojFicheros{},
                                                                         FicherosGenerados);
                }
                accounting::AsientoFacturas b(*this, AsientosGenerados, sage.get());
                hecho = b.GenerarAsientoFacturas(vsExtractos.Text(r, colFecha), almacen, extracto, carpeta);
            } else if (modo == 2) {
                accounting::AsientoPrevPagos b(*this, AsientosGenerados);
                hecho = b.GenerarAsientoPrevPagos(vsExtractos.Text(r, colFechaVto), almacen, extracto);
            }
            if (!hecho) {
                correcto = false;
                contabilidad.RollbackTrans();
                erp.RollbackTrans();
                transacciones = false;
                Ui().MsgBox("Ha ocurrido un error al generar el asiento", "Varnex", host::Icon::Information);
                break;
            }
            if (enContabilidad && !previos) {
                notas.Anotar(nota, AsientosGenerados.substr(antes));
            }
            erp.Execute("UPDATE Compras_PagosCentral_Extractos"
                        " SET Cerrado=1" +
                        clave(r));
            const std::string lineas = " WHERE IdExtractoLinea IN (SELECT IdExtractoLinea "
                                       " FROM Compras_PagosCentral_Extractos_Lineas"
                                       " WHERE Cod_Empresa =" +
                                       co + " AND Cod_Almacen =" + std::to_string(almacen) + " AND Cod_Extracto = '" +
                                       db::Escape(extracto) + "')" + " AND Contabilizado = 0";
            if (modo == 1) {
                erp.Execute("UPDATE Compras_PagosCentral_Entradas SET Contabilizado = 1" + lineas);
                erp.Execute("UPDATE Compras_PagosCentral_Entradas_Facturas SET Contabilizado = 1" + lineas);
            } else {
                erp.Execute("UPDATE Compras_PagosCentral_PrevPagos SET Contabilizado = 1" + lineas);
            }
        }
        if (modo == 2 && correcto) {
            erp.Execute("DROP TABLE #TEMP_IMPORTEVINCULADO");
        }
        host::MostrarProgreso(Ui(), false);
        if (correcto) {
            contabilidad.CommitTrans();
            erp.CommitTrans();
            transacciones = false;
            generado_ = true;
            if (tipoContabilidad == 1) {
                Ui().MsgBox("Operación realizada con éxito. Asientos generados: " + AsientosGenerados, "Varnex",
                            host::Icon::Information);
            } else if (tipoContabilidad == 6) {
                Ui().MsgBox("Operación realizada con éxito.", "Varnex", host::Icon::Information);
            }
        }
        GuardarPosicion();
        Cargar_Extractos();
    });
    if (!ok) {
        // The error box was shown; nothing of the run may stay behind.
        if (transacciones) {
            if (erp.InTransaction()) {
                try {
                    erp.RollbackTrans();
                } catch (...) {
                }
            }
            if (contabilidad.InTransaction()) {
                try {
                    contabilidad.RollbackTrans();
                } catch (...) {
                }
            }
        }
        if (impuestos) {
            try {
                erp.Execute("DROP TABLE #Impuestos");
            } catch (...) {
            }
        }
    }
}

// Printing: the list with its filters as the criteria line.
void frmExtractos::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] {
        std::string criterio = "Estado: " + cboEstado.Text();
        if (txtAlmacen.code != 0) {
            criterio += "; Almacén: " + std::to_string(txtAlmacen.code) + " " + txtAlmacen.descripcion;
        }
        if (!txtFechaI.text.empty() || !txtFechaF.text.empty()) {
            criterio += "; Fechas: " + txtFechaI.text + " - " + txtFechaF.text;
        }
        if (!txtNumExtracto.text.empty()) {
            criterio += "; Extracto: " + txtNumExtracto.text;
        }
        printing::ImprimirRejilla(Ui(), vsExtractos, "Extractos de Pagos Centralizados", true, criterio);
    });
}

} // namespace statements
