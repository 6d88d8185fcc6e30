#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"

#include <string>
#include <vector>

namespace claims {

// The claims of the company's closed statements, filtered, and their export to the claims file of
// the central organisation. Exported claims leave the list of pending ones.
class frmExtractos_Lineas_Reclamacion_Visor : public host::Window {
  public:
    enum Col {
        colSel, colTipoCodigo, colTipoNombre, colTipoExterno, colFactura, colFechaFactura, colAlmacen,
        colAlmacenNombre, colProveedor, colProveedorNombre, colProveedorCentral, colTotal, colIdReclamacion,
        colHoraAlta, colAlmacenCentral, colArticulosCodigo, colArticulosDescripcion, colObservaciones,
        colIgic1, colBase1, colIgic2, colBase2, colIgic3, colBase3, colIgic4, colBase4, colIgic5, colBase5,
        colCantidad, colPeriodo, colAlbaran, colFechaAlbaran, colFacturaDup, colFechaVtoDup, colSociedad,
        colIdExtractoLinea, kColumnas
    };

    explicit frmExtractos_Lineas_Reclamacion_Visor(host::Shell &shell);

    std::string caption = "Visor de Reclamaciones de Pagos Centralizados";
    host::LookupField txtAlmacen, txtProv;
    host::DateField txtFechaI, txtFechaF;
    host::ComboField cboTiposReclamacion;
    host::CheckField chkExportado, chkSelelecion_vsLineas;
    host::Button cmdExportar, cmdMarcarExportado, cmdVerReclamacion, cmdImprimir, cmdSalir;
    host::Grid vsLineas;

    void Form_Load() override;
    void Cargar_Lineas();
    void cmdExportar_Click();
    void cmdMarcarExportado_Click();
    void cmdVerReclamacion_Click();
    // The listed claims through the report engine, with the filters as the criteria line.
    void cmdImprimir_Click();
    void vsLineas_DblClick() { cmdVerReclamacion_Click(); }
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }
    void chkExportado_Click();
    void txtFechaF_KeyEnter() { Cargar_Lineas(); }
    void txtAlmacen_Change();
    void txtProv_Change();
    void txtAlmacen_KeyEnter();
    void txtProv_KeyEnter();
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void vsLineas_RowColChange(int row);
    void chkSelelecion_vsLineas_Click();

    std::vector<lines::BuscadorMaestros::Fila> BuscarAlmacenes(const std::string &texto) const;
    std::vector<lines::BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;
    // The file the last export wrote; empty when none was written.
    const std::string &Fichero() const { return fichero_; }

  private:
    std::string fichero_;
};

} // namespace claims
