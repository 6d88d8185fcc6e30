#pragma once

#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "ui/WindowView.h"

namespace ui {

// The claims viewer: filters on top, the claims grid, export, mark and view below.
class frmExtractos_Lineas_Reclamacion_VisorView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_Reclamacion_VisorView(claims::frmExtractos_Lineas_Reclamacion_Visor &window,
                                                       QWidget *parent = nullptr);
};

} // namespace ui
