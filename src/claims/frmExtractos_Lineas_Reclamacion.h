#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "suite/Moneda.h"

#include <string>

namespace claims {

// The claims of one statement line and what is still unclaimed of it. Once claims exist the line
// must be claimed in full before the window can be left.
class frmExtractos_Lineas_Reclamacion : public host::Window {
  public:
    enum Col {
        colSel, colTipoCodigo, colTipoNombre, colFactura, colFechaFactura, colAlmacen, colAlmacenNombre, colProveedor,
        colProveedorNombre, colTotal, colIdReclamacion, kColumnas
    };

    explicit frmExtractos_Lineas_Reclamacion(host::Shell &shell);

    // Set by the opener before showing.
    long IdExtractoLinea = 0;
    long Cod_Proveedor = 0;
    int Cod_Almacen = 0;
    suite::Moneda ImporteReclamar;
    bool SoloLectura = false;
    std::string FacturaFecha;
    std::string FacturaCodigo;

    std::string caption = "Reclamaciones de Pagos Centralizados";
    host::Grid vsLineas;
    host::CheckField chkSelelecion_vsLineas;
    // The caption of lblCantidadMaximaReclamar is the remaining amount.
    host::Control lblCantidadMaxRec, lblCantidadMaximaReclamar;
    host::Button cmdAgregar, cmdModificar, cmdEliminar, cmdVerReclamacion, cmdVolver;

    void Form_Load() override;
    void Cargar_Lineas();
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdVerReclamacion_Click();
    void vsLineas_DblClick() { cmdVerReclamacion_Click(); }
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void vsLineas_RowColChange(int row);
    void chkSelelecion_vsLineas_Click();
    // Back, Escape and the window's close box: refused while claims exist and part is unclaimed.
    void cmdVolver_Click();
    void Form_KeyDown_Escape() { cmdVolver_Click(); }
    void Form_QueryUnload() { cmdVolver_Click(); }

    // The amount still to be claimed, as shown.
    suite::Moneda Pendiente() const;

  private:
    // Opens the editor on the current claim (modify or view); false when there is none.
    bool AbrirEditor(bool soloLectura);
};

} // namespace claims
