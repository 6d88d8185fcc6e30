#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"

#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "lines/Previsiones.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

namespace lines {

using namespace comun;

namespace {

const char *kVentana = "frmExtractos_Lineas_Vinculos_Agregar_Factura";

} // namespace

frmExtractos_Lineas_Vinculos_Agregar_Factura::frmExtractos_Lineas_Vinculos_Agregar_Factura(
    host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes)
    : VentanaPrevisiones(kVentana, shell, std::move(ajustes)) {
    Boton(txtCtaProveedor, "txtCtaProveedor", "Cta. Proveedor:");
    Boton(txtProveedor, "txtProveedor", "Proveedor:");
    Boton(cmdAceptar, "cmdAceptar", "F9 - &Aceptar");
    Boton(cmdCancelar, "cmdCancelar", "&Cancelar");
    vsLineas.columns = previsiones::Columnas(false);
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.Clear();
        aceptado = false;
        posicion = PosicionVentana::Leer(*ajustes_, kVentana);
        LeerFechas("FechaIVinculos2", "FechaFVinculos2", "General", fechaExtracto.SumarDias(-90).Formato("dd/mm/yyyy"), fechaVto.Formato("dd/mm/yyyy"));
        empContable_ = EmpContableAlmacen(codAlmacen);
        txtCtaProveedor.text = ctaProveedor;
        txtCtaProveedor_Change();
    });
    Cargar_Lineas();
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::Form_Unload() {
    Trap("Form_Unload", [&] { posicion.Guardar(*ajustes_, kVentana); });
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        previsiones::Consulta q;
        if (!EmpezarCarga(q.desde, q.hasta, true)) {
            return;
        }
        q.empContable = empContable_;
        q.ejercicio = fechaExtracto.Anio();
        // Without an account the window offers the open forecasts of every account.
        std::string cuenta =
            txtCtaProveedor.text.empty() ? "" : " AND pp.Cuenta ='" + db::Escape(txtCtaProveedor.text) + "'";
        std::string sql = previsiones::kCampos + std::string(", pp.Apunte") + q.Base() + cuenta + q.CondicionFechas() +
                          previsiones::kLibre + " AND pp.Estado = 0" + q.FiltroFormaPago() + " ORDER BY pp.Fecha_Vto";
        previsiones::Llenar(vsLineas, sql, false);
        RestaurarFila(vsLineas, 1, 1);
        TerminarCarga();
    });
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::txtDesde_Change() {
    Trap("txtDesde_Change", [&] { ajustes_->GuardarValor("FechaIVinculos2", txtDesde.text); });
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::txtHasta_Change() {
    Trap("txtHasta_Change", [&] { ajustes_->GuardarValor("FechaFVinculos2", txtHasta.text); });
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::txtProveedor_Change() {
    Trap("txtProveedor_Change", [&] {
        txtProveedor.descripcion = BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex,
                                                                     Ctx().empresaVarnex->Codigo(), txtProveedor.code)
                                       .value_or("");
    });
}

std::vector<BuscadorMaestros::Fila>
frmExtractos_Lineas_Vinculos_Agregar_Factura::BuscarProveedores(const std::string &texto) const {
    return BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos_Lineas_Vinculos_Agregar_Factura::cmdAceptar_Click() {
    bool hecho = false;
    std::vector<std::string> ocupadas;
    Trap("cmdAceptar_Click", [&] {
        auto &erp = *Ctx().conexionVarnex;
        int empresa = Ctx().empresaVarnex->Codigo();
        if (txtProveedor.code < 1 || !BuscadorMaestros::NombreProveedor(erp, empresa, txtProveedor.code)) {
            Ui().MsgBox("Debe especificar un Proveedor válido al que asociar la factura.", kAtencion,
                        host::Icon::Warning);
            Ui().Focus(*this, "txtProveedor");
            return;
        }
        if (vsLineas.TickedCount() == 0) {
            Ui().MsgBox("Debe señalar al menos una linea de Previsión de Pago.", kAtencion, host::Icon::Warning);
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        std::string co = std::to_string(empresa);
        std::string alm = std::to_string(codAlmacen);
        std::string ext = db::Escape(codExtracto);
        std::string prov = std::to_string(txtProveedor.code);
        db::Transaction tx(erp);
        for (int r = 1; r <= vsLineas.DataRows(); ++r) {
            if (!vsLineas.Ticked(r)) {
                continue;
            }
            long apunte = Numero(vsLineas.Text(r, colApunte));
            // A forecast someone linked meanwhile must not become a second line.
            auto rs = erp.OpenRecordset("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago =" +
                                        std::to_string(apunte));
            bool ocupada = rs->Fields(0).AsInt64() > 0;
            rs->Close();
            if (ocupada) {
                ocupadas.push_back(vsLineas.Text(r, colDocumento));
                continue;
            }
            std::string doc = db::Escape(vsLineas.Text(r, colDocumento));
            std::string importe = fmt.NumeroSQL(fmt.ANumero(vsLineas.Text(r, colImporte)));
            erp.Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas(Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                        "Cod_Proveedor,"
                        " Documento, DocumentoCentral, Fecha, Importe, ProntoPago, TipoPago, Cta_Proveedor, "
                        "Cod_ProveedorCentral, Acreedor, ImporteVinculado, Emisor, TipoFactura) VALUES(" +
                        co + ", " + alm + ", '" + ext + "'" + ", " + prov + ", '" + doc + "'" + ", '" + doc + "'" +
                        ", '" + fmt.FechaTexto(vsLineas.Text(r, colFechaDoc)) + "'" + ", " + importe + ", 0" + ", 1" +
                        ", '" + db::Escape(vsLineas.Text(r, colCuenta)) + "'" + ", " + prov + ", 0" + ", " + importe +
                        ", 1, 1)");
            rs = erp.OpenRecordset("SELECT TOP 1 IdExtractoLinea"
                                   " FROM Compras_PagosCentral_Extractos_Lineas"
                                   " WHERE Cod_Empresa =" +
                                   co + " AND Cod_Almacen =" + alm + " AND Cod_Extracto ='" + ext + "'" +
                                   " ORDER BY IdExtractoLinea DESC");
            long id = rs->Eof() ? 0 : static_cast<long>(rs->Fields(0).AsInt64());
            rs->Close();
            if (id > 0) {
                previsiones::Vincular(erp, id, apunte, vsLineas.Text(r, colImporte));
            }
        }
        tx.Commit();
        hecho = true;
    });
    if (!hecho) {
        return;
    }
    aceptado = true;
    previsiones::AvisarOcupadas(Ui(), ocupadas);
    Close();
}

} // namespace lines
