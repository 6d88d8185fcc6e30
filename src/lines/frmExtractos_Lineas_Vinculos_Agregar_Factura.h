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

// Turns open payment forecasts into new lines of a type-2 statement, each linked to its forecast.
class frmExtractos_Lineas_Vinculos_Agregar_Factura : public host::Window {
  public:
    enum Col { colSel, colCuenta, colNombreCuenta, colDocumento, colDocumento2, colFechaDoc, colFechaVto, colImporte,
               colApunte, kColumnas };

    explicit frmExtractos_Lineas_Vinculos_Agregar_Factura(host::Shell &shell,
                                                          std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    // Inputs.
    std::string ctaProveedor;
    std::string codExtracto;
    int codAlmacen = 0;
    suite::Fecha fechaExtracto;
    suite::Fecha fechaVto;
    // Out: true when lines were added.
    bool aceptado = false;

    std::string caption = "Importar Previsiones de Pago";
    host::DateField txtDesde, txtHasta;
    host::LookupField txtCtaProveedor, txtProveedor;
    host::CheckField chkSelelecion_vsExtractos;
    host::Button cmdAceptar, cmdCancelar;
    host::Grid vsLineas;
    PosicionVentana posicion;

    void Form_Load() override;
    void Form_Unload() override;
    void Cargar_Lineas();
    void txtDesde_Change();
    void txtHasta_Change();
    void txtCtaProveedor_Change();
    void txtCtaProveedor_Enter() { Cargar_Lineas(); }
    void txtProveedor_Change();
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void vsLineas_DblClick();
    void vsLineas_KeyUp();
    void chkSelelecion_vsExtractos_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }
    void Form_KeyDown_F9() { cmdAceptar_Click(); }

    std::vector<BuscadorMaestros::Fila> BuscarCuentas(const std::string &texto) const;
    std::vector<BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;
    int EmpContable() const { return empContable_; }

  private:
    std::shared_ptr<suite::Configuracion> ajustes_;
    int empContable_ = 0;
};

} // namespace lines
