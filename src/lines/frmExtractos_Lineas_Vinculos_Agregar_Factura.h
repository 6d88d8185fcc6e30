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

// Turns open payment forecasts into new lines of a type-2 statement, each linked to its forecast.
class frmExtractos_Lineas_Vinculos_Agregar_Factura : public VentanaPrevisiones {
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
    host::LookupField txtProveedor;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void Form_Unload() override;
    void Cargar_Lineas() override;
    void txtDesde_Change();
    void txtHasta_Change();
    void txtProveedor_Change();
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_F9() { cmdAceptar_Click(); }

    std::vector<BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;

  private:
};

} // namespace lines
