#include "lines/frmExtractos_Lineas_Vinculos_2.h"

#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "lines/Previsiones.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

namespace lines {

using namespace comun;

namespace {

const char *kVentana = "frmExtractos_Lineas_Vinculos_2";

} // namespace

frmExtractos_Lineas_Vinculos_2::frmExtractos_Lineas_Vinculos_2(host::Shell &shell,
                                                               std::shared_ptr<suite::Configuracion> ajustes)
    : Window(kVentana, shell), ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    Boton(txtDesde, "txtDesde", "Desde:");
    Boton(txtHasta, "txtHasta", "Hasta:");
    Boton(txtCtaProveedor, "txtCtaProveedor", "Cta. Proveedor:");
    Boton(chkSelelecion_vsExtractos, "chkSelelecion_vsExtractos", "");
    Boton(cmdVincular, "cmdVincular", "F9 - &Vincular");
    Boton(cmdDesvincular, "cmdDesvincular", "F12 - &Desvincular");
    Boton(cmdSalir, "cmdSalir", "&Salir");
    vsLineas.columns = previsiones::Columnas(true);
}

void frmExtractos_Lineas_Vinculos_2::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.Clear();
        cambios_ = false;
        posicion = PosicionVentana::Leer(*ajustes_, kVentana);
        std::string fi = ajustes_->LeerValor("FechaI", kVentana);
        std::string ff = ajustes_->LeerValor("FechaF", kVentana);
        txtDesde.text = fi.empty() ? fechaExtracto.SumarDias(-90).Formato("dd/mm/yyyy") : fi;
        txtHasta.text = ff.empty() ? fechaVto.Formato("dd/mm/yyyy") : ff;
        ajustes_->GuardarValor("FechaI", txtDesde.text, kVentana);
        ajustes_->GuardarValor("FechaF", txtHasta.text, kVentana);
        empContable_ = EmpContableAlmacen(codAlmacen);
        txtCtaProveedor.text = ctaProveedor;
        txtCtaProveedor_Change();
        cmdVincular.enabled = !extractoCerrado;
        cmdDesvincular.enabled = !extractoCerrado;
    });
    Cargar_Lineas();
}

void frmExtractos_Lineas_Vinculos_2::Form_Unload() {
    Trap("Form_Unload", [&] {
        ajustes_->GuardarValor("FechaI", txtDesde.text, kVentana);
        ajustes_->GuardarValor("FechaF", txtHasta.text, kVentana);
        ajustes_->GuardarValor("CtaProveedor", txtCtaProveedor.text, kVentana);
        posicion.Guardar(*ajustes_, kVentana);
    });
}

void frmExtractos_Lineas_Vinculos_2::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando líneas de vinculos de extractos, espere por favor...");
        vsLineas.redraw = false;
        vsLineas.Clear();
        chkSelelecion_vsExtractos.value = false;
        previsiones::Consulta q;
        q.empContable = empContable_;
        q.ejercicio = fechaExtracto.Anio();
        if (!extractoCerrado && !q.Fechas(txtDesde.text, txtHasta.text)) {
            vsLineas.redraw = true;
            host::MostrarProgreso(Ui(), false);
            Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, q.desde.empty() ? "txtDesde" : "txtHasta");
            return;
        }
        std::string base = q.Base();
        std::string filtro = q.FiltroFormaPago();
        std::string id = std::to_string(idExtractoLinea);
        std::string sql;
        if (extractoCerrado) {
            sql = previsiones::kCampos + std::string(", 1 AS ExisteVinc, pp.Apunte") + base +
                  " AND EXISTS (SELECT 1 FROM Compras_PagosCentral_PrevPagos vinc WHERE vinc.IdPrevPago = pp.Apunte "
                  "AND vinc.IdExtractoLinea =" +
                  id + " AND Contabilizado<>0)" + " AND pp.Estado = 1" + filtro;
        } else {
            sql = previsiones::kCampos + std::string(", 0 AS ExisteVinc, pp.Apunte") + base + " AND pp.Cuenta ='" +
                  db::Escape(txtCtaProveedor.text) + "'" + q.CondicionFechas() + previsiones::kLibre +
                  " AND pp.Estado = 0" + filtro + " UNION " + " " + previsiones::kCampos +
                  ", 1 AS ExisteVinc, pp.Apunte" + base +
                  " AND EXISTS (SELECT 1 FROM Compras_PagosCentral_PrevPagos vinc WHERE vinc.IdPrevPago = pp.Apunte "
                  "AND vinc.IdExtractoLinea =" +
                  id + " AND Contabilizado=0)" + " AND pp.Estado = 0" + filtro;
        }
        sql += " ORDER BY ExisteVinc DESC, pp.Fecha_Vto";
        previsiones::Llenar(vsLineas, sql, true);
        RestaurarFila(vsLineas, 1, 1);
        vsLineas.redraw = true;
        host::MostrarProgreso(Ui(), false);
    });
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

void frmExtractos_Lineas_Vinculos_2::txtDesde_Change() {
    Trap("txtDesde_Change", [&] { ajustes_->GuardarValor("FechaI", txtDesde.text, kVentana); });
}

void frmExtractos_Lineas_Vinculos_2::txtHasta_Change() {
    Trap("txtHasta_Change", [&] { ajustes_->GuardarValor("FechaF", txtHasta.text, kVentana); });
}

void frmExtractos_Lineas_Vinculos_2::txtCtaProveedor_Change() {
    Trap("txtCtaProveedor_Change", [&] {
        txtCtaProveedor.descripcion =
            BuscadorMaestros::NombreCuenta(*Ctx().conexionLumbra, empContable_, txtCtaProveedor.text).value_or("");
    });
}

std::vector<BuscadorMaestros::Fila> frmExtractos_Lineas_Vinculos_2::BuscarCuentas(const std::string &texto) const {
    return BuscadorMaestros::Cuentas(*Ctx().conexionLumbra, empContable_, texto);
}

void frmExtractos_Lineas_Vinculos_2::vsLineas_Click(int row, int col) {
    if (col == colSel) {
        Alternar(vsLineas, row);
    }
}

void frmExtractos_Lineas_Vinculos_2::vsLineas_KeySpace() { Alternar(vsLineas, vsLineas.row); }

void frmExtractos_Lineas_Vinculos_2::vsLineas_DblClick() { Alternar(vsLineas, vsLineas.row); }

void frmExtractos_Lineas_Vinculos_2::vsLineas_KeyUp() {
    if (vsLineas.row <= 1) {
        Ui().Focus(*this, "txtCtaProveedor");
    }
}

void frmExtractos_Lineas_Vinculos_2::chkSelelecion_vsExtractos_Click() {
    MarcarTodas(vsLineas, chkSelelecion_vsExtractos.value);
}

void frmExtractos_Lineas_Vinculos_2::cmdVincular_Click() {
    bool hecho = false;
    std::vector<std::string> ocupadas;
    Trap("cmdVincular_Click", [&] {
        if (extractoCerrado) {
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Previsión de Pago a vincular.", kAtencion,
                        host::Icon::Warning);
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        db::Transaction tx(conn);
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (!vsLineas.Ticked(r) || vsLineas.Text(r, colVinculado) == "X") {
                continue;
            }
            long apunte = Numero(vsLineas.Text(r, colApunte));
            if (!previsiones::Vincular(conn, idExtractoLinea, apunte, vsLineas.Text(r, colImporte))) {
                ocupadas.push_back(vsLineas.Text(r, colDocumento));
            }
        }
        previsiones::RecalcularVinculado(conn, idExtractoLinea);
        tx.Commit();
        hecho = true;
        cambios_ = true;
    });
    if (!hecho) {
        return;
    }
    previsiones::AvisarOcupadas(Ui(), ocupadas);
    Cargar_Lineas();
}

void frmExtractos_Lineas_Vinculos_2::cmdDesvincular_Click() {
    bool hecho = false;
    Trap("cmdDesvincular_Click", [&] {
        if (extractoCerrado) {
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Previsión de Pago a Desvincular.", kAtencion,
                        host::Icon::Warning);
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea desvincular las lineas señaladas?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        db::Transaction tx(conn);
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (vsLineas.Ticked(r) && vsLineas.Text(r, colVinculado) == "X") {
                conn.Execute("DELETE FROM Compras_PagosCentral_PrevPagos"
                             " WHERE IdPrevPago =" +
                             std::to_string(Numero(vsLineas.Text(r, colApunte))));
            }
        }
        previsiones::RecalcularVinculado(conn, idExtractoLinea);
        tx.Commit();
        hecho = true;
        cambios_ = true;
    });
    if (hecho) {
        Cargar_Lineas();
    }
}

} // namespace lines
