#pragma once

#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "ui/WindowView.h"

namespace ui {

// The claim editor: type and concept, the invoice, three multi-line boxes, the type-dependent fields,
// five bases with their IGIC and the totals. Enter moves on to the next field.
class frmExtractos_Lineas_Reclamacion_DatosView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_Reclamacion_DatosView(claims::frmExtractos_Lineas_Reclamacion_Datos &window,
                                                       QWidget *parent = nullptr);
};

} // namespace ui
