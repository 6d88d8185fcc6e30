#include "claims/frmExtractos_Lineas_Reclamacion.h"

#include "claims/Comun.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

namespace claims {

namespace {

using comun::kAtencion;
using lines::comun::Ctx;

} // namespace

frmExtractos_Lineas_Reclamacion::frmExtractos_Lineas_Reclamacion(host::Shell &shell)
    : Window("frmExtractos_Lineas_Reclamacion", shell) {
    lines::comun::Boton(chkSelelecion_vsLineas, "chkSelelecion_vsLineas", "");
    lines::comun::Boton(lblCantidadMaxRec, "lblCantidadMaxRec", "Cantidad Máxima a Reclamar:");
    lines::comun::Boton(lblCantidadMaximaReclamar, "lblCantidadMaximaReclamar", "");
    lines::comun::Boton(cmdAgregar, "cmdAgregar", "&Agregar");
    lines::comun::Boton(cmdModificar, "cmdModificar", "&Modificar");
    lines::comun::Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    lines::comun::Boton(cmdVerReclamacion, "cmdVerReclamacion", "&Ver Reclamación");
    lines::comun::Boton(cmdVolver, "cmdVolver", "&Volver");
    using A = host::GridAlign;
    using T = host::GridType;
    vsLineas.columns = {
        {"", 400, A::Center, T::Boolean},
        {"", 0, A::Right, T::Short, true},
        {"Tipo Reclamación", 2500, A::Left, T::String},
        {"Núm. Factura", 1100, A::Left, T::String},
        {"Fecha Factura", 1300, A::Center, T::Date},
        {"Almacén", 700, A::Right, T::Long},
        {"Almacén", 2100, A::Left, T::String},
        {"Proveedor", 700, A::Right, T::Long},
        {"Proveedor", 2100, A::Left, T::String},
        {"Total", 1500, A::Right, T::Currency},
        {"", 0, A::Right, T::Long, true},
    };
}

void frmExtractos_Lineas_Reclamacion::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.Clear();
        chkSelelecion_vsLineas.value = false;
        cmdEliminar.enabled = !SoloLectura;
        cmdModificar.enabled = !SoloLectura;
        cmdAgregar.enabled = !SoloLectura;
        Cargar_Lineas();
    });
}

void frmExtractos_Lineas_Reclamacion::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando líneas de Reclamaciones, espere por favor...");
        vsLineas.Clear();
        vsLineas.redraw = false;
        chkSelelecion_vsLineas.value = false;
        auto &emp = *Ctx().empresaVarnex;
        auto &fmt = suite::Formato::Instancia();
        const int dec = emp.DecimalesImporte();
        std::string co = std::to_string(emp.Codigo());
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            "SELECT rec.IdReclamacion, recTipos.Codigo AS TipoCodigo, recTipos.Nombre AS TipoNombre,"
            " recConcep.Codigo AS ConceptoCodigo, recConcep.Nombre AS ConceptoNombre, alm.Codigo AS AlmacenCodigo, "
            "alm.Nombre AS AlmacenNombre,"
            " rec.FacturaCodigo, rec.FacturaFecha, ISNULL(prov.Codigo,0) AS proveedorCodigo, ISNULL(prov.Nombre,'') AS "
            "proveedorNombre,"
            " rec.TotalReclamacion"
            " FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion rec"
            " LEFT JOIN Compras_PagosCentral_Reclamacion_Tipos recTipos ON recTipos.Codigo = rec.Cod_TipoRecl"
            " LEFT JOIN Compras_PagosCentral_Reclamacion_Conceptos recConcep ON recConcep.Codigo = rec.Cod_Concepto"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co + " AND prov.Codigo =" + std::to_string(Cod_Proveedor) + " INNER JOIN Almacenes alm ON alm.Cod_Empresa =" +
            co + " AND alm.Codigo =" + std::to_string(Cod_Almacen) +
            " WHERE rec.IdExtractoLinea =" + std::to_string(IdExtractoLinea));
        suite::Moneda suma;
        auto texto = [&](const char *f) { return rs->Fields(f).IsNull() ? std::string() : rs->Fields(f).AsText(); };
        while (!rs->Eof()) {
            suite::Moneda total = lines::comun::MonedaCampo(rs->Fields("TotalReclamacion"));
            std::vector<std::string> c(kColumnas);
            c[colSel] = "0";
            c[colTipoCodigo] = texto("TipoCodigo");
            c[colTipoNombre] = texto("TipoNombre");
            c[colFactura] = texto("FacturaCodigo");
            c[colFechaFactura] = lines::comun::FechaCampo(rs->Fields("FacturaFecha"));
            c[colAlmacen] = texto("AlmacenCodigo");
            c[colAlmacenNombre] = texto("AlmacenNombre");
            c[colProveedor] = texto("proveedorCodigo");
            c[colProveedorNombre] = texto("proveedorNombre");
            c[colTotal] = fmt.Redondear(total, dec);
            c[colIdReclamacion] = texto("IdReclamacion");
            vsLineas.AddRow(std::move(c));
            suma += total;
            rs->MoveNext();
        }
        rs->Close();
        vsLineas.redraw = true;
        if (vsLineas.DataRows() > 0) {
            vsLineas.row = 1;
            vsLineas.topRow = 1;
        }
        lblCantidadMaximaReclamar.caption = fmt.Redondear(ImporteReclamar - suma, dec);
        host::MostrarProgreso(Ui(), false);
    });
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

suite::Moneda frmExtractos_Lineas_Reclamacion::Pendiente() const {
    return suite::Formato::Instancia().ANumero(lblCantidadMaximaReclamar.caption);
}

void frmExtractos_Lineas_Reclamacion::cmdAgregar_Click() {
    bool abierto = false;
    Trap("cmdAgregar_Click", [&] {
        if (SoloLectura) {
            return;
        }
        frmExtractos_Lineas_Reclamacion_Datos d(Ui());
        d.IdExtractoLinea = IdExtractoLinea;
        d.CantidadMaximaReclamar = Pendiente();
        d.SoloLectura = false;
        d.FacturaFecha = FacturaFecha;
        d.FacturaCodigo = FacturaCodigo;
        d.Show(1);
        abierto = true;
    });
    if (abierto) {
        Cargar_Lineas();
    }
}

bool frmExtractos_Lineas_Reclamacion::AbrirEditor(bool soloLectura) {
    int r = vsLineas.row;
    if (vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
        return false;
    }
    frmExtractos_Lineas_Reclamacion_Datos d(Ui());
    d.IdExtractoLinea = IdExtractoLinea;
    d.IdReclamacion = lines::comun::Numero(vsLineas.Text(r, colIdReclamacion));
    d.CantidadMaximaReclamar = Pendiente();
    d.TotalAnterior = suite::Formato::Instancia().ANumero(vsLineas.Text(r, colTotal));
    d.SoloLectura = soloLectura;
    d.Show(1);
    return true;
}

void frmExtractos_Lineas_Reclamacion::cmdModificar_Click() {
    bool abierto = false;
    Trap("cmdModificar_Click", [&] { abierto = !SoloLectura && AbrirEditor(false); });
    if (abierto) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas_Reclamacion::cmdVerReclamacion_Click() {
    Trap("cmdVerReclamacion_Click", [&] { AbrirEditor(true); });
}

void frmExtractos_Lineas_Reclamacion::cmdEliminar_Click() {
    bool borrado = false;
    Trap("cmdEliminar_Click", [&] {
        if (SoloLectura) {
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Reclamación a eliminar.", kAtencion, host::Icon::Warning);
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea eliminar las Reclamaciones señaladas?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        // One statement per claim and no transaction: a failure keeps what was deleted before it,
        // and the reload below shows the user exactly that.
        borrado = true;
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (vsLineas.Ticked(r)) {
                Ctx().conexionVarnex->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                                              " WHERE IdExtractoLinea =" +
                                              std::to_string(IdExtractoLinea) + " AND IdReclamacion =" +
                                              std::to_string(lines::comun::Numero(vsLineas.Text(r, colIdReclamacion))));
            }
        }
    });
    if (borrado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas_Reclamacion::vsLineas_Click(int row, int col) {
    if (col == colSel) {
        lines::comun::Alternar(vsLineas, row);
    }
}

void frmExtractos_Lineas_Reclamacion::vsLineas_KeySpace() { lines::comun::Alternar(vsLineas, vsLineas.row); }

void frmExtractos_Lineas_Reclamacion::vsLineas_RowColChange(int row) {
    if (row >= 1 && row <= vsLineas.DataRows()) {
        vsLineas.row = row;
    }
}

void frmExtractos_Lineas_Reclamacion::chkSelelecion_vsLineas_Click() {
    lines::comun::MarcarTodas(vsLineas, chkSelelecion_vsLineas.value);
}

void frmExtractos_Lineas_Reclamacion::cmdVolver_Click() {
    Trap("cmdVolver_Click", [&] {
        if (Pendiente() > suite::Moneda() && vsLineas.DataRows() >= 1) {
            Ui().MsgBox("Debe reclamar el máximo ó eliminar las reclamaciones ya hechas para poder salir", kAtencion,
                        host::Icon::Warning);
            return;
        }
        Close();
    });
}

} // namespace claims
