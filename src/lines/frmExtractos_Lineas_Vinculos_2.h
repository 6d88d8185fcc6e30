#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "lines/PosicionVentana.h"
#include "suite/Configuracion.h"
#include "suite/Fecha.h"

#include <memory>
#include <string>
#include <vector>

namespace lines {

// Links one line of a type-2 statement to payment forecasts of the accounting database.
class frmExtractos_Lineas_Vinculos_2 : public host::Window {
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
    host::DateField txtDesde, txtHasta;
    host::LookupField txtCtaProveedor;
    host::CheckField chkSelelecion_vsExtractos;
    host::Button cmdVincular, cmdDesvincular, cmdSalir;
    host::Grid vsLineas;
    PosicionVentana posicion;

    void Form_Load() override;
    void Form_Unload() override;
    void Cargar_Lineas();
    void txtDesde_Change();
    void txtHasta_Change();
    void txtCtaProveedor_Change();
    void txtCtaProveedor_Enter() { Cargar_Lineas(); }
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void vsLineas_DblClick();
    // Up on the first row: back to the account box.
    void vsLineas_KeyUp();
    void chkSelelecion_vsExtractos_Click();
    void cmdVincular_Click();
    void cmdDesvincular_Click();
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }
    void Form_KeyDown_F9() { cmdVincular_Click(); }
    void Form_KeyDown_F12() { cmdDesvincular_Click(); }

    std::vector<BuscadorMaestros::Fila> BuscarCuentas(const std::string &texto) const;
    int EmpContable() const { return empContable_; }
    bool Cambios() const { return cambios_; }

  private:
    std::shared_ptr<suite::Configuracion> ajustes_;
    int empContable_ = 0;
    bool cambios_ = false;
};

} // namespace lines
