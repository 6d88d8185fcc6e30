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
    : VentanaPrevisiones(kVentana, shell, std::move(ajustes)) {
    Boton(txtCtaProveedor, "txtCtaProveedor", "Cta. Proveedor:");
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
        LeerFechas("FechaI", "FechaF", kVentana, fechaExtracto.SumarDias(-90).Formato("dd/mm/yyyy"), fechaVto.Formato("dd/mm/yyyy"));
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
        previsiones::Consulta q;
        if (!EmpezarCarga(q.desde, q.hasta, !extractoCerrado)) {
            return;
        }
        q.empContable = empContable_;
        q.ejercicio = fechaExtracto.Anio();
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
        TerminarCarga();
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
        // The DELETE takes the forecast from every line that holds it (matching may link one
        // forecast to two lines): each of them gets its linked amount again.
        std::string otras;
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (vsLineas.Ticked(r) && vsLineas.Text(r, colVinculado) == "X") {
                long apunte = Numero(vsLineas.Text(r, colApunte));
                std::string lineas = previsiones::LineasDePrevision(conn, apunte);
                if (!lineas.empty()) {
                    otras += (otras.empty() ? "" : ",") + lineas;
                }
                conn.Execute("DELETE FROM Compras_PagosCentral_PrevPagos"
                             " WHERE IdPrevPago =" +
                             std::to_string(apunte));
            }
        }
        previsiones::RecalcularVinculado(conn, idExtractoLinea);
        previsiones::RecalcularVinculados(conn, otras);
        tx.Commit();
        hecho = true;
        cambios_ = true;
    });
    if (hecho) {
        Cargar_Lineas();
    }
}

} // namespace lines
