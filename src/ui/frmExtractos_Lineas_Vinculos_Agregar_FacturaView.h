#pragma once

#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"
#include "ui/VinculosView.h"

namespace ui {

// Turns ticked payment forecasts into new lines of a type-2 statement.
class frmExtractos_Lineas_Vinculos_Agregar_FacturaView : public VinculosView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_Vinculos_Agregar_FacturaView(lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &window,
                                                              QWidget *parent = nullptr);
};

} // namespace ui
