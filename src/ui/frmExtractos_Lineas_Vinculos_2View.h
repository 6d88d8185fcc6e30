#pragma once

#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "ui/VistaVinculos.h"

namespace ui {

// Links a type-2 statement line to payment forecasts: dates and account on top, the forecasts
// grid, the buttons below. Every action goes to the controller; the view redraws from its state.
class frmExtractos_Lineas_Vinculos_2View : public VistaPrevisiones {
    Q_OBJECT
  public:
    frmExtractos_Lineas_Vinculos_2View(lines::frmExtractos_Lineas_Vinculos_2 &window, host::Shell &shell,
                                       QWidget *parent = nullptr);

  private:
    lines::frmExtractos_Lineas_Vinculos_2 &w_;
};

} // namespace ui
