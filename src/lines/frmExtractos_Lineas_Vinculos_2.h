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

// Links one line of a type-2 statement to payment forecasts of the accounting database.
class frmExtractos_Lineas_Vinculos_2 : public VentanaPrevisiones {
  public:
    enum Col { colSel, colCuenta, colNombreCuenta, colDocumento, colDocumento2, colFechaDoc, colFechaVto, colImporte,
               colVinculado, colApunte, kColumnas };

    explicit frmExtractos_Lineas_Vinculos_2(host::Shell &shell,
                                            std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    // Inputs.
    long idExtractoLinea = 0;
    int codAlmacen = 0;
    std::string ctaProveedor;
    bool extractoCerrado = false;
    suite::Fecha fechaExtracto;
    suite::Fecha fechaVto;

    std::string caption = "Vincular Previsiones de Pago";
    host::Button cmdVincular, cmdDesvincular, cmdSalir;

    void Form_Load() override;
    void Form_Unload() override;
    void Cargar_Lineas() override;
    void txtDesde_Change();
    void txtHasta_Change();
    void cmdVincular_Click();
    void cmdDesvincular_Click();
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_F9() { cmdVincular_Click(); }
    void Form_KeyDown_F12() { cmdDesvincular_Click(); }

    bool Cambios() const { return cambios_; }

  private:
    bool cambios_ = false;
};

} // namespace lines
