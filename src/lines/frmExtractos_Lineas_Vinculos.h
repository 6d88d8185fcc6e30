#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "lines/VentanaVinculos.h"
#include "lines/BuscadorMaestros.h"
#include "lines/PosicionVentana.h"
#include "suite/Configuracion.h"
#include "suite/Fecha.h"

#include <memory>
#include <string>
#include <vector>

namespace lines {

// Links one line of a type-1 statement to the supplier's goods receipts (suppliers accounted per
// receipt) or supplier invoices.
class frmExtractos_Lineas_Vinculos : public VentanaVinculos {
  public:
    enum Col { colSel, colAlmacen, colNombreAlmacen, colFecha, colCtaProveedor, colDocumento, colImporte,
               colEjercicio, colCodigo, colProveedor, colVinculado, colHora, colUsuario, colNombreUsuario,
               colAsiento, kColumnas };
    static constexpr long kColorVinculado = 65535;

    explicit frmExtractos_Lineas_Vinculos(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    // Inputs.
    long idExtractoLinea = 0;
    bool contCompras = false; // receipts when true, invoices otherwise
    int codAlmacen = 0;
    long codProveedor = 0;
    bool extractoCerrado = false;
    suite::Fecha fechaExtracto;

    std::string caption = "Vincular Facturas";
    host::LookupField txtAlmacen, txtProv;
    host::Button cmdVincular, cmdDesvincular, cmdImprimir, cmdSalir;

    void Form_Load() override;
    void Form_Unload() override;
    void Cargar_Lineas() override;
    void txtDesde_Change();
    void txtHasta_Change();
    void txtHasta_Enter() { Cargar_Lineas(); }
    void txtAlmacen_Change();
    void txtAlmacen_Enter() { Cargar_Lineas(); }
    void vsLineas_DblClick() { cmdImprimir_Click(); }
    void cmdVincular_Click();
    void cmdDesvincular_Click();
    void cmdImprimir_Click();
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_F9() { cmdVincular_Click(); }
    void Form_KeyDown_F12() { cmdDesvincular_Click(); }

    std::vector<BuscadorMaestros::Fila> BuscarAlmacenes(const std::string &texto) const;
    // Whether anything was linked or unlinked while the window was open.
    bool Cambios() const { return cambios_; }

  private:
    void GuardarPosicion();
    int filaGuardada_ = 0;
    int filaSuperior_ = 0;
    bool cambios_ = false;
};

} // namespace lines
