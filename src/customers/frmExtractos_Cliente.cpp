#include "customers/frmExtractos_Cliente.h"

#include "accounting/ExtractosContabilizados.h"
#include "customers/AsientoCliente.h"
#include "customers/frmExtractos_Cliente_Lineas.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"

namespace customers {

namespace {

using lines::comun::Boton;
using lines::comun::Ctx;
using lines::comun::kAtencion;

// The same day `meses` months later; a day the month lacks becomes its last day.
suite::Fecha SumarMeses(const suite::Fecha &f, int meses) {
    int total = f.Anio() * 12 + (f.Mes() - 1) + meses;
    for (int dia = f.Dia(); dia > 0; --dia) {
        if (auto d = suite::Fecha::Desde(total / 12, total % 12 + 1, dia)) {
            return *d;
        }
    }
    return f;
}

std::string FechaSql(const std::string &texto) { return suite::Formato::Instancia().FechaTexto(texto); }

} // namespace

frmExtractos_Cliente::frmExtractos_Cliente(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes)
    : Window("frmExtractos_Cliente", shell),
      ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    cboEstado.name = "cboEstado";
    txtCliente.name = "txtCliente";
    txtCliente_Insert.name = "txtCliente_Insert";
    txtFechaI.name = "txtFechaI";
    txtFechaF.name = "txtFechaF";
    txtFecha_Insert.name = "txtFecha_Insert";
    txtCont_Insert.name = "txtCont_Insert";
    chkSelelecion_vsExtractos.name = "chkSelelecion_vsExtractos";
    Boton(cmdGenerarAsiento, "cmdGenerarAsiento", "&Generar Asiento");
    Boton(cmdModificar, "cmdModificar", "&Modificar");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    Boton(cmdPagos, "cmdPagos", "&Pagos");
    Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    Boton(cmdSalir, "cmdSalir", "&Salir");
    using A = host::GridAlign;
    using T = host::GridType;
    vsExtractos.columns = {
        {"", 400, A::Center, T::Boolean},        {"Cliente", 700, A::Right, T::Long},
        {"Cliente", 2000, A::Left, T::String},   {"Fecha.Cobro", 1100, A::Center, T::Date},
        {"Fecha.Cont", 1100, A::Center, T::Date}, {"Importe", 1500, A::Right, T::Currency},
        {"Estado", 1000, A::Center, T::String},
    };
}

void frmExtractos_Cliente::Form_Load() {
    Trap("Form_Load", [&] {
        vsExtractos.Clear();
        txtCliente.code = 0;
        txtCliente.descripcion.clear();
        cboEstado.Clear();
        cboEstado.Add("ABIERTO", 1);
        cboEstado.Add("CERRADO", 2);
        cboEstado.Add("TODOS", 3);
        cboEstado.index = 0;
        std::string fi = ajustes_->LeerValor("FechaICobro");
        std::string ff = ajustes_->LeerValor("FechaFCobro");
        const suite::Fecha hoy = suite::Fecha::Hoy();
        txtFechaI.text = fi.empty() ? hoy.Formato("dd/mm/yyyy") : fi;
        txtFechaF.text = ff.empty() ? SumarMeses(hoy, 3).Formato("dd/mm/yyyy") : ff;
        ajustes_->GuardarValor("FechaICobro", txtFechaI.text);
        ajustes_->GuardarValor("FechaFCobro", txtFechaF.text);
        editando_ = false;
        VaciarEntrada();
        filaGuardada_ = 0;
        cmdImprimir.enabled = static_cast<bool>(alImprimir);
    });
    Cargar_Extractos();
}

void frmExtractos_Cliente::Cargar_Extractos() {
    Trap("Cargar_Extractos", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando extractos, espere por favor...");
        vsExtractos.Clear();
        chkSelelecion_vsExtractos.value = false;
        const auto &fmt = suite::Formato::Instancia();
        const auto &emp = *Ctx().empresaVarnex;
        const std::string co = std::to_string(emp.Codigo());
        std::string filtros;
        if (cboEstado.ItemData() == 1) {
            filtros = " AND c.Cerrado = 0";
        } else if (cboEstado.ItemData() == 2) {
            filtros = " AND c.Cerrado = 1";
        }
        if (txtCliente.code >= 1) {
            filtros += " AND c.Cod_Cliente =" + std::to_string(txtCliente.code);
        }
        const std::string fi = FechaSql(txtFechaI.text), ff = FechaSql(txtFechaF.text);
        if (fi.empty() || ff.empty()) {
            host::MostrarProgreso(Ui(), false);
            Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, fi.empty() ? "txtFechaI" : "txtFechaF");
            return;
        }
        filtros += " AND c.FechaCobro BETWEEN '" + fi + "' AND '" + ff + "'";
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            "SELECT T1.Cerrado, T1.Cod_Cliente, T1.NombreCliente, T1.FechaCobro, T1.FechaContabilizar, SUM(T1.Importe) "
            "AS Importe"
            " FROM (SELECT c.Cerrado, c.Cod_Cliente, ISNULL(cli.Nombre,'') AS NombreCliente, c.FechaCobro, "
            "c.FechaContabilizar, ISNULL(clin.Importe,0) AS Importe,"
            " clin.IdExtractoLinea"
            " FROM Clientes_PagosCentral_Extractos c"
            " LEFT JOIN Clientes cli ON cli.Cod_Empresa =" +
            co +
            " AND cli.Codigo = c.Cod_Cliente"
            " LEFT JOIN Clientes_PagosCentral_Extractos_Lineas clin ON clin.Cod_Empresa = c.Cod_Empresa AND "
            "clin.Cod_Cliente = c.Cod_Cliente AND clin.FechaCobro = c.FechaCobro"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co +
            " AND prov.Codigo = clin.Cod_Proveedor"
            " WHERE c.Cod_Empresa =" +
            co + filtros +
            " GROUP BY c.Cerrado, c.Cod_Cliente, cli.Nombre, c.FechaCobro, c.FechaContabilizar, clin.Importe, "
            "clin.IdExtractoLinea) T1"
            " GROUP BY T1.Cerrado, T1.Cod_Cliente, T1.NombreCliente, T1.FechaCobro, T1.FechaContabilizar"
            " ORDER BY T1.FechaCobro DESC, T1.Cod_Cliente");
        const int dec = emp.DecimalesImporte();
        while (!rs->Eof()) {
            vsExtractos.AddRow({"0", rs->Fields("Cod_Cliente").AsText(), rs->Fields("NombreCliente").AsText(),
                                lines::comun::FechaCampo(rs->Fields("FechaCobro")),
                                lines::comun::FechaCampo(rs->Fields("FechaContabilizar")),
                                fmt.Redondear(lines::comun::MonedaCampo(rs->Fields("Importe")), dec),
                                rs->Fields("Cerrado").AsInt64() != 0 ? "CERRADO" : "ABIERTO"});
            rs->MoveNext();
        }
        rs->Close();
        lines::comun::RestaurarFila(vsExtractos, filaGuardada_, filaSuperior_);
        vsExtractos_RowColChange(vsExtractos.row);
        host::MostrarProgreso(Ui(), false);
        Ui().Refresh(*this);
    });
}

void frmExtractos_Cliente::cboEstado_Click() {
    filaGuardada_ = 0;
    Cargar_Extractos();
}

void frmExtractos_Cliente::txtFechaI_Change() {
    Trap("txtFechaI_Change", [&] { ajustes_->GuardarValor("FechaICobro", txtFechaI.text); });
}

void frmExtractos_Cliente::txtFechaF_Change() {
    Trap("txtFechaF_Change", [&] { ajustes_->GuardarValor("FechaFCobro", txtFechaF.text); });
}

void frmExtractos_Cliente::txtFechaF_Enter() {
    filaGuardada_ = 0;
    Cargar_Extractos();
}

void frmExtractos_Cliente::txtCliente_Change() {
    Trap("txtCliente_Change", [&] {
        txtCliente.descripcion = lines::BuscadorMaestros::NombreCliente(*Ctx().conexionVarnex,
                                                                        Ctx().empresaVarnex->Codigo(), txtCliente.code)
                                     .value_or("");
    });
}

void frmExtractos_Cliente::txtCliente_Enter() {
    filaGuardada_ = 0;
    Cargar_Extractos();
}

void frmExtractos_Cliente::txtCliente_Insert_Change() {
    Trap("txtCliente_Insert_Change", [&] {
        txtCliente_Insert.descripcion =
            lines::BuscadorMaestros::NombreCliente(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                   txtCliente_Insert.code)
                .value_or("");
    });
}

void frmExtractos_Cliente::txtCliente_Insert_Enter() { Ui().Focus(*this, "txtFecha_Insert"); }

void frmExtractos_Cliente::txtFecha_Insert_Enter() { Ui().Focus(*this, "txtCont_Insert"); }

std::vector<lines::BuscadorMaestros::Fila> frmExtractos_Cliente::BuscarClientes(const std::string &texto) const {
    return lines::BuscadorMaestros::Clientes(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

bool frmExtractos_Cliente::Falta(bool falla, const char *mensaje, const char *control) {
    if (falla) {
        Ui().MsgBox(mensaje, kAtencion, host::Icon::Warning);
        Ui().Focus(*this, control);
    }
    return falla;
}

bool frmExtractos_Cliente::SinCerrar(long cliente, const std::string &fechaCobro) {
    if (!Ctx().conexionLumbra) {
        return false;
    }
    const long empresa = Ctx().empresaVarnex->Codigo();
    const accounting::ExtractosContabilizados notas(*Ctx().conexionVarnex, *Ctx().conexionLumbra, empresa);
    if (!notas.Asientos(accounting::ExtractosContabilizados::DeClientes(empresa, cliente, FechaSql(fechaCobro)))) {
        return false;
    }
    // Moving or deleting it would leave the entry without its statement, and account it again.
    Ui().MsgBox("El Extracto del cliente " + std::to_string(cliente) + " con fecha de cobro " + fechaCobro +
                    " ya tiene su asiento en la contabilidad, pero no se llegó a cerrar. Genere de nuevo su asiento "
                    "para cerrarlo: no se duplicará.",
                kAtencion, host::Icon::Warning);
    return true;
}

void frmExtractos_Cliente::txtCont_Insert_Enter() {
    guardado_ = false;
    Trap("txtCont_Insert_Enter", [&] {
        auto &erp = *Ctx().conexionVarnex;
        const auto &emp = *Ctx().empresaVarnex;
        const std::string co = std::to_string(emp.Codigo());
        auto nombre = lines::BuscadorMaestros::NombreCliente(erp, emp.Codigo(), txtCliente_Insert.code);
        const auto cobro = suite::Fecha::Parse(txtFecha_Insert.text);
        const auto contabilizar = suite::Fecha::Parse(txtCont_Insert.text);
        if (Falta(!nombre, "El cliente no existe.", "txtCliente_Insert") ||
            Falta(!cobro || cobro->EsVacia(), "Fecha de cobro incorrecta", "txtFecha_Insert") ||
            Falta(!contabilizar || contabilizar->EsVacia(), "Fecha de contabilización incorrecta", "txtCont_Insert")) {
            return;
        }
        const auto &fmt = suite::Formato::Instancia();
        const std::string cliente = std::to_string(txtCliente_Insert.code);
        const std::string fecha = fmt.FechaTexto(*cobro);
        const std::string fechaCont = fmt.FechaTexto(*contabilizar);
        // A modified statement may keep its key; any other key must be free.
        const bool mismaClave = editando_ && clienteEditado_ == txtCliente_Insert.code && fechaEditada_ == fecha;
        if (!mismaClave) {
            auto rs = erp.OpenRecordset("SELECT COUNT(*) AS Existe FROM Clientes_PagosCentral_Extractos"
                                        " WHERE Cod_Empresa =" +
                                        co + " AND Cod_Cliente =" + cliente + " AND FechaCobro ='" + fecha + "'");
            const bool existe = rs->Fields("Existe").AsInt64() > 0;
            rs->Close();
            if (existe) {
                Ui().MsgBox("Ya existe el Franquiciado: " + cliente + " con la misma fecha de cobro.", kAtencion,
                            host::Icon::Warning);
                Ui().Focus(*this, "txtFecha_Insert");
                return;
            }
        }
        if (!editando_) {
            erp.Execute("INSERT INTO Clientes_PagosCentral_Extractos(Cod_Empresa, Cod_Cliente, FechaCobro, "
                        "FechaContabilizar, Hora, Cerrado)VALUES(" +
                        co + ", " + cliente + ", '" + fecha + "', '" + fechaCont + "', '" +
                        suite::Fecha::Ahora().Formato("dd/mm/yyyy hh:nn:ss") + "', 0)");
            vsExtractos.AddRow({"0", cliente, *nombre, fecha, fechaCont, fmt.Redondear(suite::Moneda(), emp.DecimalesImporte()),
                                "ABIERTO"});
            vsExtractos.row = vsExtractos.DataRows();
            vsExtractos_RowColChange(vsExtractos.row);
        } else {
            if (SinCerrar(clienteEditado_, fechaEditada_)) {
                return;
            }
            const std::string viejo = std::to_string(clienteEditado_);
            const std::string donde =
                " WHERE Cod_Empresa =" + co + " AND Cod_Cliente =" + viejo + " AND FechaCobro ='" + fechaEditada_ + "'";
            // The header and its lines move together or not at all.
            db::Transaction tx(erp);
            erp.Execute("UPDATE Clientes_PagosCentral_Extractos"
                        " SET Cod_Cliente =" +
                        cliente + " ,FechaCobro ='" + fecha + "'" + " ,FechaContabilizar ='" + fechaCont + "'" + donde);
            erp.Execute("UPDATE Clientes_PagosCentral_Extractos_Lineas"
                        " SET Cod_Cliente =" +
                        cliente + " ,FechaCobro ='" + fecha + "'" + donde);
            tx.Commit();
            if (FilaDatos(filaEditada_)) {
                vsExtractos.SetText(filaEditada_, colCliente, cliente);
                vsExtractos.SetText(filaEditada_, colNombre, *nombre);
                vsExtractos.SetText(filaEditada_, colFechaCobro, fecha);
                vsExtractos.SetText(filaEditada_, colFechaCont, fechaCont);
            }
            editando_ = false;
        }
        guardado_ = true;
        VaciarEntrada();
        Ui().Focus(*this, "txtCliente_Insert");
        Ui().Refresh(*this);
    });
}

void frmExtractos_Cliente::VaciarEntrada() {
    txtCliente_Insert.code = 0;
    txtCliente_Insert.text.clear();
    txtCliente_Insert.descripcion.clear();
    txtFecha_Insert.text.clear();
    txtCont_Insert.text.clear();
}

void frmExtractos_Cliente::Form_KeyDown_Escape() {
    if (editando_) {
        editando_ = false;
        VaciarEntrada();
        Ui().Refresh(*this);
        return;
    }
    Close();
}

void frmExtractos_Cliente::vsExtractos_Click(int row, int col) {
    if (col == colSel) {
        lines::comun::Alternar(vsExtractos, row);
    }
}

void frmExtractos_Cliente::vsExtractos_KeySpace() { lines::comun::Alternar(vsExtractos, vsExtractos.row); }

void frmExtractos_Cliente::chkSelelecion_vsExtractos_Click() {
    lines::comun::MarcarTodas(vsExtractos, chkSelelecion_vsExtractos.value);
}

void frmExtractos_Cliente::vsExtractos_RowColChange(int row) {
    if (!FilaDatos(row)) {
        cmdModificar.enabled = false;
        cmdEliminar.enabled = false;
        return;
    }
    vsExtractos.row = row;
    const bool abierto = vsExtractos.Text(row, colEstado) != "CERRADO";
    cmdEliminar.enabled = abierto;
    cmdModificar.enabled = abierto;
}

void frmExtractos_Cliente::vsExtractos_DblClick() {
    if (FilaDatos(vsExtractos.row)) {
        cmdPagos_Click();
    }
}

void frmExtractos_Cliente::GuardarPosicion() {
    filaGuardada_ = vsExtractos.DataRows() > 0 ? vsExtractos.row : 0;
    filaSuperior_ = vsExtractos.DataRows() > 0 ? vsExtractos.topRow : 0;
}

void frmExtractos_Cliente::cmdModificar_Click() {
    const int r = vsExtractos.row;
    if (!FilaDatos(r) || vsExtractos.Text(r, colEstado) == "CERRADO") {
        return;
    }
    txtCliente_Insert.code = lines::comun::Numero(vsExtractos.Text(r, colCliente));
    txtCliente_Insert.text = vsExtractos.Text(r, colCliente);
    txtCliente_Insert.descripcion = vsExtractos.Text(r, colNombre);
    txtFecha_Insert.text = vsExtractos.Text(r, colFechaCobro);
    txtCont_Insert.text = vsExtractos.Text(r, colFechaCont);
    editando_ = true;
    clienteEditado_ = txtCliente_Insert.code;
    fechaEditada_ = vsExtractos.Text(r, colFechaCobro);
    filaEditada_ = r;
    Ui().Focus(*this, "txtCliente_Insert");
    Ui().Refresh(*this);
}

void frmExtractos_Cliente::cmdPagos_Click() {
    const int r = vsExtractos.row;
    if (!FilaDatos(r)) {
        return;
    }
    bool ok = Trap("cmdPagos_Click", [&] {
        frmExtractos_Cliente_Lineas w(Ui(), ajustes_);
        w.codCliente = lines::comun::Numero(vsExtractos.Text(r, colCliente));
        w.fechaCobro = vsExtractos.Text(r, colFechaCobro);
        w.soloLectura = vsExtractos.Text(r, colEstado) == "CERRADO";
        if (alAbrirLineas) {
            alAbrirLineas(w);
        }
        w.Show(1);
        GuardarPosicion();
    });
    if (ok) {
        Cargar_Extractos();
    }
}

void frmExtractos_Cliente::cmdImprimir_Click() {
    const int r = vsExtractos.row;
    if (!FilaDatos(r) || !alImprimir) {
        return;
    }
    Listado l;
    l.fechaI = l.fechaF = vsExtractos.Text(r, colFechaCobro);
    l.clienteI = l.clienteF = lines::comun::Numero(vsExtractos.Text(r, colCliente));
    l.cerrado = vsExtractos.Text(r, colEstado) == "CERRADO";
    alImprimir(l);
}

void frmExtractos_Cliente::cmdEliminar_Click() {
    eliminado_ = false;
    Trap("cmdEliminar_Click", [&] {
        if (vsExtractos.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos un Extracto a eliminar.", kAtencion, host::Icon::Warning);
            return;
        }
        for (int r = 1; r <= vsExtractos.DataRows(); ++r) {
            if (vsExtractos.Ticked(r) && vsExtractos.Text(r, colEstado) == "CERRADO") {
                Ui().MsgBox("Existe algún Extracto señalado que está cerrado. Demárquelo para continuar.", kAtencion,
                            host::Icon::Warning);
                return;
            }
        }
        statements::frmExtractos_ConfirmarEliminar confirmar(Ui());
        confirmar.Show(1);
        if (!confirmar.confirmado) {
            return;
        }
        auto &erp = *Ctx().conexionVarnex;
        const std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        db::Transaction tx(erp);
        for (int r = 1; r <= vsExtractos.DataRows(); ++r) {
            if (!vsExtractos.Ticked(r)) {
                continue;
            }
            const long cliente = lines::comun::Numero(vsExtractos.Text(r, colCliente));
            const std::string fecha = vsExtractos.Text(r, colFechaCobro);
            const std::string clave = " WHERE Cod_Empresa =" + co + " AND Cod_Cliente =" + std::to_string(cliente) +
                                      " AND FechaCobro ='" + FechaSql(fecha) + "'";
            // Read under the write lock: another user's entries run is seen whole or not at all.
            if (erp.Execute("UPDATE Clientes_PagosCentral_Extractos SET Cerrado = 0" + clave + " AND Cerrado = 0") == 0) {
                auto rs = erp.OpenRecordset("SELECT COUNT(*) FROM Clientes_PagosCentral_Extractos" + clave);
                if (rs->Fields(0).AsInt64() == 0) {
                    continue; // another user deleted it meanwhile
                }
                tx.Rollback();
                Ui().MsgBox("El Extracto del cliente " + std::to_string(cliente) + " con fecha de cobro " + fecha +
                                " ya está cerrado: otro usuario ha generado su asiento. No se ha eliminado ningún "
                                "extracto.",
                            kAtencion, host::Icon::Warning);
                GuardarPosicion();
                Cargar_Extractos();
                return;
            }
            // Only inside the transaction: before it, another user's run may sit between its two commits.
            if (SinCerrar(cliente, fecha)) {
                tx.Rollback();
                GuardarPosicion();
                Cargar_Extractos();
                return;
            }
            // The lines' taxes go with them: nothing else would ever reach those rows again.
            erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea IN "
                        "(SELECT IdExtractoLinea FROM Clientes_PagosCentral_Extractos_Lineas" +
                        clave + ")");
            erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas" + clave);
            erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos" + clave);
        }
        tx.Commit();
        eliminado_ = true;
        editando_ = false;
        GuardarPosicion();
        Cargar_Extractos();
    });
}

} // namespace customers

namespace customers {

void frmExtractos_Cliente::cmdGenerarAsiento_Click() {
    generado_ = false;
    bool transacciones = false;
    auto &erp = *Ctx().conexionVarnex;
    auto &contabilidad = *Ctx().conexionLumbra;
    bool ok = Trap("cmdGenerarAsiento_Click", [&] {
        const int filas = vsExtractos.DataRows();
        if (vsExtractos.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Extracto para generar asiento.", kAtencion,
                        host::Icon::Warning);
            return;
        }
        for (int r = 1; r <= filas; ++r) {
            if (vsExtractos.Ticked(r) && vsExtractos.Text(r, colEstado) == "CERRADO") {
                Ui().MsgBox("Existe algún Extracto señalado que ya se le ha generado el asiento. Desmárquelo para "
                            "continuar.",
                            kAtencion, host::Icon::Warning);
                return;
            }
        }
        const auto &fmt = suite::Formato::Instancia();
        for (int r = 1; r <= filas; ++r) {
            if (vsExtractos.Ticked(r) && fmt.ANumero(vsExtractos.Text(r, colImporte)).EsCero()) {
                Ui().MsgBox("Existe algún Extracto señalado que su Importe es 0. Desmárquelo para continuar.",
                            kAtencion, host::Icon::Warning);
                return;
            }
        }
        if (Ui().MsgBox("¿Está seguro que desea generar el asiento de los extractos señalados?", kAtencion,
                        host::Icon::Question, host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        const std::string co = std::to_string(Ctx().empresaVarnex->Codigo());
        host::MostrarProgreso(Ui(), true, "Generando Asiento, espere por favor...");
        contabilidad.BeginTrans();
        transacciones = true;
        erp.BeginTrans();
        AsientosGenerados.clear();
        bool correcto = true;
        for (int r = 1; r <= filas && correcto; ++r) {
            if (!vsExtractos.Ticked(r)) {
                continue;
            }
            const long cliente = lines::comun::Numero(vsExtractos.Text(r, colCliente));
            const std::string fecha = vsExtractos.Text(r, colFechaCobro);
            const std::string clave = " WHERE Cod_Empresa =" + co + " AND Cod_Cliente =" + std::to_string(cliente) +
                                      " AND FechaCobro ='" + FechaSql(fecha) + "'";
            // Read under the write lock the run holds: another user may have accounted it meanwhile.
            if (erp.Execute("UPDATE Clientes_PagosCentral_Extractos SET Cerrado = 0" + clave + " AND Cerrado = 0") == 0) {
                contabilidad.RollbackTrans();
                erp.RollbackTrans();
                transacciones = false;
                host::MostrarProgreso(Ui(), false);
                Ui().MsgBox("El Extracto del cliente " + std::to_string(cliente) + " con fecha de cobro " + fecha +
                                " ya está cerrado o no existe. No se ha generado ningún asiento.",
                            kAtencion, host::Icon::Warning);
                correcto = false;
                break;
            }
            // Accounted already by a run whose ERP side was lost: closed now, not accounted twice.
            const long empresa = Ctx().empresaVarnex->Codigo();
            const accounting::ExtractosContabilizados notas(erp, contabilidad, empresa);
            const auto nota = accounting::ExtractosContabilizados::DeClientes(empresa, cliente, FechaSql(fecha));
            const std::size_t antes = AsientosGenerados.size();
            const auto previos = notas.Asientos(nota);
            const auto contabilizar = suite::Fecha::Parse(vsExtractos.Text(r, colFechaCont));
            AsientoCliente builder(*this, AsientosGenerados);
            if (previos) {
                AsientosGenerados += *previos;
            } else if (contabilizar && builder.GenerarAsiento(fecha, cliente, *contabilizar)) {
                notas.Anotar(nota, AsientosGenerados.substr(antes));
            } else {
                contabilidad.RollbackTrans();
                erp.RollbackTrans();
                transacciones = false;
                correcto = false;
                host::MostrarProgreso(Ui(), false);
                Ui().MsgBox("Ha ocurrido un error al generar el asiento", "Varnex", host::Icon::Information);
                break;
            }
            erp.Execute("UPDATE Clientes_PagosCentral_Extractos"
                        " SET Cerrado=1" +
                        clave);
        }
        host::MostrarProgreso(Ui(), false);
        if (correcto) {
            contabilidad.CommitTrans();
            erp.CommitTrans();
            transacciones = false;
            generado_ = true;
            Ui().MsgBox("Operación realizada con éxito. Asientos generados: " + AsientosGenerados, "Varnex",
                        host::Icon::Information);
        }
        GuardarPosicion();
        Cargar_Extractos();
    });
    if (!ok && transacciones) {
        // The error box was shown; nothing of the run may stay behind.
        for (db::Connection *c : {&erp, &contabilidad}) {
            if (c->InTransaction()) {
                try {
                    c->RollbackTrans();
                } catch (...) {
                }
            }
        }
    }
}

} // namespace customers
