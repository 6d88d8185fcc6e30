#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"

#include "claims/Comun.h"
#include "claims/FicheroReclamaciones.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "db/Transaction.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "printing/CRPrintGrid.h"
#include "suite/ArchivoIni.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"
#include "suite/Log.h"
#include "suite/Rutas.h"

namespace claims {

namespace {

using comun::kAtencion;
using lines::comun::Ctx;

constexpr auto kInfo = suite::Log::Nivel::Info;
const char *kOrigen = "Exportar";

} // namespace

frmExtractos_Lineas_Reclamacion_Visor::frmExtractos_Lineas_Reclamacion_Visor(host::Shell &shell)
    : Window("frmExtractos_Lineas_Reclamacion_Visor", shell) {
    using lines::comun::Boton;
    Boton(txtAlmacen, "txtAlmacen", "Almacén:");
    Boton(txtProv, "txtProv", "Proveedor:");
    Boton(txtFechaI, "txtFechaI", "Fecha Alta Inicial:");
    Boton(txtFechaF, "txtFechaF", "Fecha Alta Final:");
    Boton(cboTiposReclamacion, "cboTiposReclamacion", "Tipo Reclamación:");
    Boton(chkExportado, "chkExportado", "Exportado");
    Boton(chkSelelecion_vsLineas, "chkSelelecion_vsLineas", "");
    Boton(cmdExportar, "cmdExportar", "&Exportar");
    Boton(cmdMarcarExportado, "cmdMarcarExportado", "&Marcar Exportado");
    Boton(cmdVerReclamacion, "cmdVerReclamacion", "&Ver Reclamación");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    Boton(cmdSalir, "cmdSalir", "&Salir");
    using A = host::GridAlign;
    using T = host::GridType;
    host::GridColumn oculta{"", 0, A::Left, T::String, true};
    vsLineas.columns.assign(kColumnas, oculta);
    vsLineas.columns[colSel] = {"", 400, A::Center, T::Boolean};
    vsLineas.columns[colTipoNombre] = {"Tipo Reclamación", 2200, A::Left, T::String};
    vsLineas.columns[colFactura] = {"Núm. Factura", 1100, A::Left, T::String};
    vsLineas.columns[colFechaFactura] = {"Fecha Factura", 1200, A::Center, T::Date};
    vsLineas.columns[colAlmacen] = {"Almacén", 700, A::Right, T::Long};
    vsLineas.columns[colAlmacenNombre] = {"Almacén", 2000, A::Left, T::String};
    vsLineas.columns[colProveedor] = {"Proveedor", 700, A::Right, T::Long};
    vsLineas.columns[colProveedorNombre] = {"Proveedor", 2000, A::Left, T::String};
    vsLineas.columns[colProveedorCentral] = {"Prov.Central", 900, A::Right, T::Long};
    vsLineas.columns[colTotal] = {"Total", 1200, A::Right, T::Currency};
    vsLineas.columns[colHoraAlta] = {"F.Alta", 1700, A::Center, T::Date};
}

void frmExtractos_Lineas_Reclamacion_Visor::Form_Load() {
    bool cargado = Trap("Form_Load", [&] {
        vsLineas.Clear();
        fichero_.clear();
        auto hoy = suite::Fecha::Hoy();
        txtFechaI.text = "01/01/" + hoy.Formato("yyyy");
        txtFechaF.text = hoy.Formato("dd/mm/yyyy");
        cboTiposReclamacion.Clear();
        cboTiposReclamacion.Add("---", 0);
        auto rs = Ctx().conexionVarnex->OpenRecordset("SELECT * FROM Compras_PagosCentral_Reclamacion_Tipos ORDER BY Nombre");
        while (!rs->Eof()) {
            cboTiposReclamacion.Add(rs->Fields("Nombre").AsText(), static_cast<long>(rs->Fields("Codigo").AsInt64()));
            rs->MoveNext();
        }
        rs->Close();
        cboTiposReclamacion.index = 0;
    });
    if (cargado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando líneas de Reclamaciones, espere por favor...");
        vsLineas.Clear();
        vsLineas.redraw = false;
        chkSelelecion_vsLineas.value = false;
        auto &fmt = suite::Formato::Instancia();
        for (auto *caja : {&txtFechaI, &txtFechaF}) {
            if (fmt.FechaTexto(caja->text).empty()) {
                Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
                Ui().Focus(*this, caja->name);
                vsLineas.redraw = true;
                host::MostrarProgreso(Ui(), false);
                return;
            }
        }
        auto &emp = *Ctx().empresaVarnex;
        std::string co = std::to_string(emp.Codigo());
        std::string sql =
            "SELECT rec.IdExtractoLinea, rec.IdReclamacion, rec.Cod_TipoRecl AS TipoCodigo, ISNULL(recTipos.Nombre,'') "
            "AS TipoNombre, ISNULL(recTipos.Tipo,'') AS TipoReclamacion,"
            " rec.Cod_Concepto AS ConceptoCodigo, ISNULL(recConcep.Nombre,'') AS ConceptoNombre, lin.Cod_Almacen AS "
            "AlmacenCodigo, ISNULL(alm.Nombre,'') AS AlmacenNombre,"
            " rec.FacturaCodigo, rec.FacturaFecha, lin.Cod_Proveedor AS proveedorCodigo, ISNULL(prov.Nombre,'') AS "
            "proveedorNombre, lin.Cod_ProveedorCentral AS proveedorCodigoCentral,"
            " rec.TotalReclamacion, rec.Hora_Alta, alm.Cod_AlmacenCentral, rec.ArticulosCodigo, "
            "rec.ArticulosDescripcion, rec.Observaciones, "
            " ISNULL(ige1.Cod_Externo,'') AS Igic1, rec.Base1, ISNULL(ige2.Cod_Externo,'') AS Igic2, rec.Base2, "
            "ISNULL(ige3.Cod_Externo,'') AS Igic3, rec.Base3, ISNULL(ige4.Cod_Externo,'') AS Igic4, rec.Base4, "
            "ISNULL(ige5.Cod_Externo,'') AS Igic5, rec.Base5, rec.CantidadReclamado, "
            " rec.PeriodoVigencia, rec.AlbaranCodigo, rec.AlbaranFecha, rec.FacturaCodigoDuplicado, "
            "rec.FechaVtoDuplicado, ISNULL(alm.Cod_Sociedad,'') AS Cod_Sociedad"
            " FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion rec"
            " INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = rec.IdExtractoLinea"
            " INNER JOIN Compras_PagosCentral_Extractos cp ON cp.Cod_Empresa = lin.Cod_Empresa AND cp.Cod_Almacen = "
            "lin.Cod_Almacen AND cp.Cod_Extracto = lin.Cod_Extracto"
            " LEFT JOIN Compras_PagosCentral_Reclamacion_Tipos recTipos ON recTipos.Codigo = rec.Cod_TipoRecl"
            " LEFT JOIN Compras_PagosCentral_Reclamacion_Conceptos recConcep ON recConcep.Codigo = rec.Cod_Concepto"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co + " AND prov.Codigo = lin.Cod_Proveedor" + " LEFT JOIN Almacenes alm ON alm.Cod_Empresa =" + co +
            " AND alm.Codigo = lin.Cod_Almacen";
        for (int i = 1; i <= 5; ++i) {
            std::string n = std::to_string(i);
            sql += " LEFT JOIN Igic_Tipos_Externo ige" + n + " ON rec.Igic" + n + " = ige" + n + ".ID AND ige" + n +
                   ".Cod_AppExportar = 7";
        }
        sql += " WHERE lin.Cod_Empresa =" + co + " AND rec.Exportado =" + (chkExportado.value ? "1" : "0") +
               " AND cp.Cerrado =1" + " AND rec.Hora_Alta BETWEEN '" + fmt.FechaTexto(txtFechaI.text) + "' AND '" +
               fmt.FechaTexto(txtFechaF.text) + " 23:59" + "'";
        if (txtProv.code >= 1) {
            sql += " AND lin.Cod_Proveedor =" + std::to_string(txtProv.code);
        }
        if (cboTiposReclamacion.index > 0) {
            sql += " AND rec.Cod_Tiporecl =" + std::to_string(cboTiposReclamacion.ItemData());
        }
        if (txtAlmacen.code > 0) {
            sql += " AND lin.Cod_Almacen =" + std::to_string(txtAlmacen.code);
        }

        // The profile file is read once per load; a warehouse it maps to 0 keeps its own central code.
        auto ini = suite::ArchivoIni::Cargar(
            suite::RutaSinMayusculas(emp.PathAplicacion() + "\\ConfAlmacenPagosCentralizados.ini"));
        auto rs = Ctx().conexionVarnex->OpenRecordset(sql);
        auto texto = [&](const char *f) { return rs->Fields(f).IsNull() ? std::string() : rs->Fields(f).AsText(); };
        auto moneda = [&](const char *f) { return lines::comun::MonedaCampo(rs->Fields(f)); };
        auto fecha = [&](const char *f) { return lines::comun::FechaCampo(rs->Fields(f)); };
        const int dec = emp.DecimalesImporte();
        while (!rs->Eof()) {
            std::vector<std::string> c(kColumnas);
            c[colSel] = "0";
            c[colTipoCodigo] = texto("TipoCodigo");
            c[colTipoNombre] = texto("TipoNombre");
            c[colTipoExterno] = texto("TipoReclamacion");
            c[colFactura] = texto("FacturaCodigo");
            c[colFechaFactura] = fecha("FacturaFecha");
            c[colAlmacen] = texto("AlmacenCodigo");
            c[colAlmacenNombre] = texto("AlmacenNombre");
            c[colProveedor] = texto("proveedorCodigo");
            c[colProveedorNombre] = texto("proveedorNombre");
            c[colProveedorCentral] = texto("proveedorCodigoCentral");
            c[colTotal] = comun::Importe(moneda("TotalReclamacion"), dec);
            c[colIdReclamacion] = texto("IdReclamacion");
            c[colHoraAlta] = lines::comun::FechaCampo(rs->Fields("Hora_Alta"), true);
            long central = lines::comun::Numero(ini.Leer("Almacenes_CEN", c[colAlmacen]).value_or(""));
            c[colAlmacenCentral] = central != 0 ? std::to_string(central) : texto("Cod_AlmacenCentral");
            c[colArticulosCodigo] = texto("ArticulosCodigo");
            c[colArticulosDescripcion] = texto("ArticulosDescripcion");
            c[colObservaciones] = texto("Observaciones");
            for (int i = 0; i < 5; ++i) {
                std::string n = std::to_string(i + 1);
                suite::Moneda base = moneda(("Base" + n).c_str());
                if (!base.EsCero()) {
                    c[colIgic1 + 2 * i] = texto(("Igic" + n).c_str());
                    c[colBase1 + 2 * i] = comun::Importe(base, 4);
                }
            }
            c[colCantidad] = comun::TextoNumero(moneda("CantidadReclamado"));
            c[colPeriodo] = texto("PeriodoVigencia");
            c[colAlbaran] = texto("AlbaranCodigo");
            c[colFechaAlbaran] = fecha("AlbaranFecha");
            c[colFacturaDup] = texto("FacturaCodigoDuplicado");
            c[colFechaVtoDup] = fecha("FechaVtoDuplicado");
            c[colSociedad] = texto("Cod_Sociedad");
            c[colIdExtractoLinea] = texto("IdExtractoLinea");
            vsLineas.AddRow(std::move(c));
            rs->MoveNext();
        }
        rs->Close();
        vsLineas.redraw = true;
        if (vsLineas.DataRows() > 0) {
            vsLineas.row = 1;
            vsLineas.topRow = 1;
        }
        host::MostrarProgreso(Ui(), false);
    });
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

void frmExtractos_Lineas_Reclamacion_Visor::cmdExportar_Click() {
    bool exportado = false;
    suite::Log log;
    Trap("cmdExportar_Click", [&] {
        fichero_.clear();
        if (vsLineas.DataRows() < 1) {
            return;
        }
        std::vector<int> filas;
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (vsLineas.Ticked(r)) {
                filas.push_back(r);
            }
        }
        if (filas.empty()) {
            Ui().MsgBox("Debe elegir al menos una reclamación a Exportar.", kAtencion, host::Icon::Warning);
            return;
        }
        for (int r : filas) {
            if (vsLineas.Text(r, colSociedad).empty()) {
                Ui().MsgBox("Existen almacenes que no tienen configurado el código de sociedad.", kAtencion,
                            host::Icon::Warning);
                return;
            }
        }
        // Nothing is written or marked unless every claim can be written where it must go.
        std::string carpeta = Ctx().empresaVarnex->Parametro("PagoCentralPathReclamaciones").ToText();
        std::string problema = FicheroReclamaciones::ErrorCarpeta(carpeta);
        if (problema.empty()) {
            problema = FicheroReclamaciones::NoRepresentable(vsLineas, filas);
        }
        if (!problema.empty()) {
            Ui().MsgBox(problema, "¡ Exportación abortada !", host::Icon::Warning);
            return;
        }

        auto &erp = *Ctx().conexionVarnex;
        db::Transaction tx(erp);
        try {
            log.AbrirLog(suite::CarpetaLog() + "ExportarReclamacionesPagoCentral.log");
            // Another user may have exported the same claims since the list was loaded: each is read
            // again under the write lock (the update keeps its row locked on SQL Server).
            const std::string estado = chkExportado.value ? "1" : "0";
            for (int r : filas) {
                const std::string id = std::to_string(lines::comun::Numero(vsLineas.Text(r, colIdReclamacion)));
                if (erp.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Exportado = " + estado +
                                " WHERE IdReclamacion= " + id + " AND Exportado = " + estado) == 0) {
                    tx.Rollback();
                    Ui().MsgBox("La reclamación " + id +
                                    (chkExportado.value ? " ha cambiado desde que se cargó la lista: otro usuario la ha "
                                                          "modificado."
                                                        : " ya ha sido exportada por otro usuario.") +
                                    " No se ha exportado ninguna reclamación.",
                                "¡ Exportación abortada !", host::Icon::Warning);
                    Cargar_Lineas();
                    return;
                }
            }
            host::MostrarProgreso(Ui(), true, "Generando Fichero de Exportación, espere por favor...");
            FicheroReclamaciones fichero(FicheroReclamaciones::Ruta(carpeta, suite::Fecha::Ahora()));
            log.EscribirLog(kInfo, kOrigen, fichero.RutaFichero() + " creado");
            for (int r : filas) {
                fichero.Escribir(FicheroReclamaciones::Linea(vsLineas, r));
                erp.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                            " SET Exportado = 1"
                            " WHERE IdReclamacion= " +
                            std::to_string(lines::comun::Numero(vsLineas.Text(r, colIdReclamacion))));
            }
            fichero.Cerrar();
            tx.Commit();
            fichero_ = fichero.RutaFichero();
        } catch (...) {
            tx.Rollback();
            try {
                if (log.Abierto()) {
                    log.EscribirLog(suite::Log::Nivel::Error, kOrigen, "Error al Exportar el fichero");
                }
            } catch (...) {
                // The export's own failure is the one to report.
            }
            throw;
        }
        log.EscribirLog(kInfo, kOrigen, "Fichero Exportado correctamente");
        Ui().MsgBox("Fichero Exportado correctamente.", "Información", host::Icon::Information);
        exportado = true;
    });
    if (!exportado) {
        return;
    }
    Trap("cmdExportar_Click", [&] {
        host::MostrarProgreso(Ui(), false);
        log.EscribirLog(kInfo, kOrigen, "Fin Exportación de Reclamaciones");
        log.PurgarLog(suite::Fecha::Hoy().SumarDias(-30));
    });
    Cargar_Lineas();
}

void frmExtractos_Lineas_Reclamacion_Visor::cmdMarcarExportado_Click() {
    bool marcado = false;
    Trap("cmdMarcarExportado_Click", [&] {
        int r = vsLineas.row;
        if (vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea incluir como exportado la linea señalada?", kAtencion,
                        host::Icon::Question, host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        Ctx().conexionVarnex->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                                      " SET Exportado = 1"
                                      " WHERE IdReclamacion= " +
                                      std::to_string(lines::comun::Numero(vsLineas.Text(r, colIdReclamacion))));
        marcado = true;
    });
    if (marcado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::cmdVerReclamacion_Click() {
    Trap("cmdVerReclamacion_Click", [&] {
        int r = vsLineas.row;
        if (vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        frmExtractos_Lineas_Reclamacion_Datos d(Ui());
        d.IdExtractoLinea = lines::comun::Numero(vsLineas.Text(r, colIdExtractoLinea));
        d.IdReclamacion = lines::comun::Numero(vsLineas.Text(r, colIdReclamacion));
        d.CantidadMaximaReclamar = suite::Moneda();
        d.TotalAnterior = suite::Formato::Instancia().ANumero(vsLineas.Text(r, colTotal));
        d.SoloLectura = true;
        d.Show(1);
    });
}

void frmExtractos_Lineas_Reclamacion_Visor::chkExportado_Click() {
    Trap("chkExportado_Click", [&] { Cargar_Lineas(); });
}

void frmExtractos_Lineas_Reclamacion_Visor::txtAlmacen_Change() {
    Trap("txtAlmacen_Change", [&] {
        txtAlmacen.descripcion =
            lines::BuscadorMaestros::NombreAlmacen(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), txtAlmacen.code)
                .value_or("");
    });
}

void frmExtractos_Lineas_Reclamacion_Visor::txtProv_Change() {
    Trap("txtProv_Change", [&] {
        txtProv.descripcion =
            lines::BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), txtProv.code)
                .value_or("");
    });
}

void frmExtractos_Lineas_Reclamacion_Visor::txtAlmacen_KeyEnter() {
    if (txtAlmacen.code < 1) {
        Ui().Focus(*this, "txtProv");
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::txtProv_KeyEnter() {
    if (txtProv.code < 1) {
        Ui().Focus(*this, "txtFechaI");
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::vsLineas_Click(int row, int col) {
    if (col == colSel) {
        lines::comun::Alternar(vsLineas, row);
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::vsLineas_KeySpace() { lines::comun::Alternar(vsLineas, vsLineas.row); }

void frmExtractos_Lineas_Reclamacion_Visor::vsLineas_RowColChange(int row) {
    if (row >= 1 && row <= vsLineas.DataRows()) {
        vsLineas.row = row;
    }
}

void frmExtractos_Lineas_Reclamacion_Visor::chkSelelecion_vsLineas_Click() {
    lines::comun::MarcarTodas(vsLineas, chkSelelecion_vsLineas.value);
}

std::vector<lines::BuscadorMaestros::Fila>
frmExtractos_Lineas_Reclamacion_Visor::BuscarAlmacenes(const std::string &texto) const {
    return lines::BuscadorMaestros::Almacenes(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

std::vector<lines::BuscadorMaestros::Fila>
frmExtractos_Lineas_Reclamacion_Visor::BuscarProveedores(const std::string &texto) const {
    return lines::BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos_Lineas_Reclamacion_Visor::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] {
        std::string criterio = "Fechas de alta: " + txtFechaI.text + " - " + txtFechaF.text;
        criterio += chkExportado.value ? "; exportadas" : "; sin exportar";
        if (txtAlmacen.code != 0) {
            criterio += "; Almacén: " + std::to_string(txtAlmacen.code) + " " + txtAlmacen.descripcion;
        }
        if (txtProv.code != 0) {
            criterio += "; Proveedor: " + std::to_string(txtProv.code) + " " + txtProv.descripcion;
        }
        if (cboTiposReclamacion.index > 0) {
            criterio += "; Tipo: " + cboTiposReclamacion.Text();
        }
        printing::ImprimirRejilla(Ui(), vsLineas, "Reclamaciones de Pagos Centralizados", true, criterio);
    });
}

} // namespace claims
